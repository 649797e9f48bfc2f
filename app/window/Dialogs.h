// What the main window asks of the outside world: files, colours, the save
// target, message boxes and the help viewer. The program shows Qt dialogs;
// the tests answer from a script.
#pragma once
#include "raster/Colour.h"

#include <optional>
#include <string>
#include <vector>

namespace vk {

// The main window's caption and the caption of every message box.
inline constexpr const char* kAppTitle = "vellumKit";

// The save-directory dialog's answer: the open directory, the skin name and
// whether a NAME.wsz archive goes beside the skin's folder.
struct SaveTarget {
    std::string directory;
    std::string name;
    bool wsz = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The open-picture dialog; nothing when cancelled.
    virtual std::optional<std::string> openPicture() = 0;
    // The colour dialog opened on `initial`; nothing when cancelled.
    virtual std::optional<TColor> chooseColour(TColor initial) = 0;
    // The save-directory dialog preset to `startDirectory`; nothing unless OK.
    virtual std::optional<SaveTarget> chooseSaveTarget(const std::string& startDirectory) = 0;
    // An error box captioned with the program's title; `text` is shown as given.
    virtual void showError(const std::string& text) = 0;
    virtual void showAbout() = 0;
    // A note that stays up without blocking: where the skin went, and its archive when one was written.
    virtual void showSaved(const std::string& folder, const std::optional<std::string>& archive) = 0;
    // Asks the help viewer for the file's contents page; false when no viewer took it.
    virtual bool openHelp(const std::string& helpFile) = 0;
};

} // namespace vk
