#include "app/Workbench.h"

#include "app/PictureIntake.h"

#include <filesystem>

namespace vk {

namespace {
constexpr Rect kWindow{0, 0, 275, 116};
constexpr Rect kTwoWindows{0, 0, 275, 232};
constexpr Rect kThreeWindows{0, 0, 275, 348};
constexpr Rect kSecondWindow{0, 116, 275, 232};
constexpr Rect kThirdWindow{0, 232, 275, 348};
} // namespace

Workbench::Workbench() : t(TemplateSet::embedded()) {
    state.sourcePictures.main = t.firstImage;
    state.sourcePictures.playlist = t.firstImage;
    state.sourcePictures.equaliser = t.firstImage;
    std::error_code ec;
    state.startDirectory = std::filesystem::current_path(ec).string();
    layoutPictures();
}

void Workbench::layoutPictures() {
    const SourcePictures& pictures = state.sourcePictures;
    switch (options.layout) {
    case LayoutMode::TwoPlusOne:
        twoWinPic.stretchDraw(kTwoWindows, pictures.main);
        mainWindow.copyRect(kWindow, twoWinPic, kWindow);
        t.eqMain.copyRect(kWindow, twoWinPic, kSecondWindow);
        plShow.stretchDraw(kWindow, pictures.playlist);
        break;
    case LayoutMode::Continuous:
        oneWinPic.stretchDraw(kThreeWindows, pictures.main);
        mainWindow.copyRect(kWindow, oneWinPic, kWindow);
        t.eqMain.copyRect(kWindow, oneWinPic, kSecondWindow);
        plShow.copyRect(kWindow, oneWinPic, kThirdWindow);
        break;
    case LayoutMode::ThreeWindows:
        mainWindow.stretchDraw(kWindow, pictures.main);
        t.eqMain.stretchDraw(kWindow, pictures.equaliser);
        plShow.stretchDraw(kWindow, pictures.playlist);
        break;
    }
    enterNotMade();
}

void Workbench::loadPicture(WhichPicture which, const std::string& path) {
    Image picture = loadPictureFile(path);
    Image& slot = which == WhichPicture::Main        ? state.sourcePictures.main
                  : which == WhichPicture::Equaliser ? state.sourcePictures.equaliser
                                                     : state.sourcePictures.playlist;
    slot = std::move(picture);
    layoutPictures();
}

void Workbench::enterNotMade() {
    setButton(WorkflowButton::Revert, false);
    setButton(WorkflowButton::MakeSkin, true);
    setButton(WorkflowButton::ColBut, false);
    setButton(WorkflowButton::SaveSkin, false);
}

void Workbench::enterMade() {
    setButton(WorkflowButton::SaveSkin, true);
    setButton(WorkflowButton::MakeSkin, false);
    setButton(WorkflowButton::Revert, true);
    setButton(WorkflowButton::ColBut, true);
}

void Workbench::setButton(WorkflowButton button, bool enabled) {
    switch (button) {
    case WorkflowButton::MakeSkin: buttons_.makeSkin = enabled; break;
    case WorkflowButton::Revert: buttons_.revert = enabled; break;
    case WorkflowButton::ColBut: buttons_.colBut = enabled; break;
    case WorkflowButton::SaveSkin: buttons_.saveSkin = enabled; break;
    }
    if (onButton) onButton(button, enabled);
}

} // namespace vk
