// The workbench: the skin document and every command a user can give, with
// no widgets. The window, the command line and the tests all drive it, so one
// code path makes every skin.
#pragma once
#include "app/PictureIntake.h"
#include "colour/ColourTools.h"
#include "document/SkinDocument.h"
#include "output/SkinWriter.h"

#include <filesystem>
#include <functional>
#include <string>

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

// The workbench is the document it works on, plus the workflow around it.
class Workbench : public SkinDocument {
public:
    // Start-up: templates, SkinState defaults, startDirectory, layoutPictures.
    // The rasteriser draws the playlist preview's text (none: no glyphs); the
    // decoder reads Get Bitmap's files (the command line loads Qt's only then).
    explicit Workbench(TextRasteriser* textRasteriser = nullptr, PictureDecoder decode = &loadPictureFile);

    // Called for each button as it is switched, in the order of switching.
    std::function<void(WorkflowButton, bool enabled)> onButton;
    // The window shows the busy cursor between these two.
    std::function<void()> beginBusy, endBusy;

    // Read by every layoutPictures; the window's Picture menu and --fit set it.
    PictureFit fit;

    const WorkflowButtons& buttons() const { return buttons_; }
    WorkflowState workflow() const { return buttons_.makeSkin ? WorkflowState::NotMade : WorkflowState::Made; }

    // Lays the source pictures onto the window canvases and sets NotMade.
    void layoutPictures();
    // Get Bitmap: load a file into a source picture, then layoutPictures. On
    // failure throws Error and changes nothing.
    void loadPicture(WhichPicture which, const std::string& path);
    // Get Bitmap's setting: the colour that transparent pixels are flattened onto.
    PictureOptions pictureOptions;
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

    // SaveSkin into parent/skinName; returns the skin directory.
    std::filesystem::path saveSkin(const std::filesystem::path& parent, const std::string& skinName) const;

    void enterNotMade();
    void enterMade();

private:
    void requireMade(const char* command) const;
    void setButton(WorkflowButton button, bool enabled);
    WorkflowButtons buttons_;
    PictureDecoder decode_;
};

// The MakeSkin button's handler.
inline void MakeSkinClick(Workbench& bench) { bench.makeSkin(); }

} // namespace vk
