// The workbench: the skin document and every command a user can give, with
// no widgets. The window, the command line and the tests all drive it, so one
// code path makes every skin.
#pragma once
#include "app/qt/PictureIntake.h"
#include "document/SkinDocument.h"
#include "player/ClassicSkin.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vk {

enum class WorkflowState { NotMade, Made };
enum class WhichPicture { Main, Equaliser, Playlist };

enum class WorkflowButton { MakeSkin, Revert, ColBut, SaveSkin };

struct WorkflowButtons {
    bool makeSkin = true;
    bool revert = false;
    bool colBut = false;
    bool saveSkin = false;
};

// How a picture fills the area it is laid onto: stretched whole, or the
// largest part with the area's proportions cut out first (the focus, 0 ... 1
// across and down, says where) and stretched the same way.
struct PictureFit {
    enum class Mode { Stretch, Crop };
    Mode mode = Mode::Stretch;
    double focusX = 0.5, focusY = 0.5;
};
// The part of a picture of that size that fills the target under the fit.
Rect fittedSource(const PictureFit& fit, int width, int height, const Rect& target);

// A file saved with the skin, in the same commit (a preview, say).
struct SavedFile {
    std::filesystem::path path;
    std::vector<std::uint8_t> bytes;
};

// What one save writes. All of it lands together or none of it does: a
// failure anywhere leaves every old file as it was and removes a skin folder
// made for this save.
struct SaveRequest {
    // The skin folder parent/skinName with the sixteen files; no name, no folder.
    std::filesystem::path parent;
    std::string skinName;
    std::filesystem::path archive;  // the skin as a .wsz too, unless empty
    std::vector<SavedFile> extras;
    // False skips the flushes: scratch output that a crash may lose.
    bool synced = true;
};

// The document and the workflow around it. Everything either program changes
// goes through these commands; the document itself is only shown.
class Workbench {
public:
    // Start-up: templates, SkinState defaults, startDirectory, layoutPictures.
    // The rasteriser draws the playlist preview's text (none: no glyphs); the
    // decoder reads Get Bitmap's files (the command line loads Qt's only then).
    explicit Workbench(TextRasteriser* textRasteriser = nullptr, PictureDecoder decode = &loadPictureFile);

    // Called for each button as it is switched, in the order of switching.
    std::function<void(WorkflowButton, bool enabled)> onButton;
    // The window shows the busy cursor between these two.
    std::function<void()> beginBusy, endBusy;

    // The document as it stands: the canvases to show, the settings to read.
    const SkinDocument& document() const { return doc_; }

    const WorkflowButtons& buttons() const { return buttons_; }
    WorkflowState workflow() const { return buttons_.makeSkin ? WorkflowState::NotMade : WorkflowState::Made; }

    // The option radios and how pictures fill their areas: each counts from
    // the next layoutPictures (the window lays out at once, the command line
    // once all are set).
    const Options& options() const { return doc_.options; }
    void setOptions(const Options& options) { doc_.options = options; }
    const PictureFit& fit() const { return fit_; }
    void setFit(const PictureFit& fit) { fit_ = fit; }
    // Get Bitmap's setting, read by the next pictures loaded.
    const PictureOptions& pictureOptions() const { return pictureOptions_; }
    void setPictureOptions(const PictureOptions& options) { pictureOptions_ = options; }
    const Image& sourcePicture(WhichPicture which) const;

    // Lays the source pictures onto the window canvases and sets NotMade.
    void layoutPictures();
    // Get Bitmap: load a file into a source picture, then layoutPictures. On
    // failure throws Error and changes nothing.
    void loadPicture(WhichPicture which, const std::string& path);
    // Get Bitmap's second half, for a picture decoded elsewhere: into its slot, then layoutPictures.
    void usePicture(WhichPicture which, Image picture);

    // MakeSkin: workflow Made, then the whole pass, under the busy cursor.
    void makeSkin();
    // Undo: the pictures laid out afresh, the skin no longer made.
    void undo() { layoutPictures(); }

    // The colour tools; each needs a made skin and refuses otherwise.
    // A colour setting: stored, then its group repainted by the MakeSkin routine that paints it.
    void setColour(ColourSetting setting, TColor colour);
    void restyleSlider(SliderKnobs knobs, TColor colour);
    void setVisColour(int entry, TColor colour);
    // Colours from Picture: the nine settings, the three knobs and the
    // seventeen visualisation colours chosen from the pictures shown, each
    // group repainted as its colour tool would; the tools still work after it.
    void coloursFromPicture();
    // The visualisation colour bar drawn from the seventeen colours.
    void paintVisBar();

    // SaveSkin and every other save: see SaveRequest. Returns the skin
    // folder, or an empty path when the request has none.
    std::filesystem::path save(const SaveRequest& request) const;
    // The skin folder a save with that parent and name writes.
    static std::filesystem::path skinDirectoryFor(const std::filesystem::path& parent, const std::string& skinName);
    // One file outside any skin, replacing its target whole; throws Error
    // "Cannot create file <path>" or "Stream write error".
    static void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
    // What a file operation that failed with this errno is called ("File access denied" ...).
    static std::string fileErrorMessage(int error);

    // The skin as a player loads it, from the files a save would write.
    player::ClassicSkin currentSkin() const;
    // Where the next MakeSkin notes each stamp it lays (none: nowhere); the
    // placements point into the document and hold until the next layout.
    void setStampLog(std::vector<StampPlacement>* log) { doc_.stampLog = log; }
    void setBevelLog(std::vector<BevelShade>* log) { doc_.bevelLog = log; }
    // The three window canvases stacked as the main window shows them.
    Image windowPreview() const;

    void enterNotMade();
    void enterMade();

private:
    friend struct WorkbenchTestAccess;  // the layers' own tests drive the document directly
    void requireMade(const char* command) const;
    void setButton(WorkflowButton button, bool enabled);
    SkinDocument doc_;
    WorkflowButtons buttons_;
    PictureFit fit_;
    PictureOptions pictureOptions_;
    PictureDecoder decode_;
};

// The MakeSkin button's handler.
inline void MakeSkinClick(Workbench& bench) { bench.makeSkin(); }

} // namespace vk
