// The workbench: SkinState, every image of the main window and the commands
// a user can give, with no widgets. The window, the command line and the
// tests all drive it, so one code path makes every skin.
#pragma once
#include "app/SkinState.h"
#include "templates/TemplateSet.h"

#include <functional>
#include <string>

namespace vk {

enum class LayoutMode { ThreeWindows, TwoPlusOne, Continuous };
enum class WorkflowState { NotMade, Made };
enum class WhichPicture { Main, Equaliser, Playlist };

// The radios MakeSkin and the layout read at the moment of the call.
struct Options {
    LayoutMode layout = LayoutMode::ThreeWindows;
    bool full3D = true;     // "Full 3D Skin"; false is "Buttons Only"
    bool sinkFrame = false; // "Sink Frame"; false is "Raise Frame"
};

enum class WorkflowButton { MakeSkin, Revert, ColBut, SaveSkin };

struct WorkflowButtons {
    bool makeSkin = true;
    bool revert = false;
    bool colBut = false;
    bool saveSkin = false;
};

class Workbench {
public:
    // Start-up: templates, SkinState defaults, startDirectory, layoutPictures.
    Workbench();

    SkinState state;
    TemplateSet t;  // eqMain's rows 0 ... 115 are the equaliser window canvas
    Image mainWindow{275, 116};
    Image plShow{275, 116};
    Image twoWinPic{275, 232};
    Image oneWinPic{275, 348};
    Options options;

    // Called for each button as it is switched, in the order of switching.
    std::function<void(WorkflowButton, bool enabled)> onButton;
    // The window shows the busy cursor between these two.
    std::function<void()> beginBusy, endBusy;

    const WorkflowButtons& buttons() const { return buttons_; }
    WorkflowState workflow() const { return buttons_.makeSkin ? WorkflowState::NotMade : WorkflowState::Made; }

    // Lays the source pictures onto the window canvases and sets NotMade.
    void layoutPictures();
    // Get Bitmap: load a file into a source picture, then layoutPictures. On
    // failure throws Error and changes nothing.
    void loadPicture(WhichPicture which, const std::string& path);

    void enterNotMade();
    void enterMade();

private:
    void setButton(WorkflowButton button, bool enabled);
    WorkflowButtons buttons_;
};

} // namespace vk
