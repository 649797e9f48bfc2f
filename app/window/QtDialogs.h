// The dialogs of the desktop program: Qt's file and colour dialogs, the
// save-directory dialog, message boxes, the About box and the help viewer.
#pragma once
#include "app/window/Dialogs.h"

#include <QString>

#include <memory>

namespace vk {

class AboutBox;
class GetDirectory;

class QtDialogs : public Dialogs {
public:
    // The save-directory dialog and the About box are made here, once.
    QtDialogs();
    ~QtDialogs() override;

    std::optional<std::string> openPicture() override;
    std::optional<TColor> chooseColour(TColor initial) override;
    std::optional<SaveTarget> chooseSaveTarget(const std::string& startDirectory) override;
    void showError(const std::string& text) override;
    void showAbout() override;
    bool openHelp(const std::string& helpFile) override;

    GetDirectory& getDirectory() { return *getDirectory_; }

private:
    std::unique_ptr<GetDirectory> getDirectory_;
    std::unique_ptr<AboutBox> about_;
    QString lastPicture_;  // one open dialog serves all three Get Bitmap buttons
};

// "Bit maps (*.bmp)" first, then every picture format the reader decodes.
QString pictureFilter();

} // namespace vk
