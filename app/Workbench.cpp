#include "app/Workbench.h"

#include "app/qt/PictureIntake.h"
#include "colour/ColourTools.h"
#include "colour/PictureColours.h"
#include "format/WindowAreas.h"
#include "output/SkinWriter.h"
#include "output/WindowPreview.h"
#include "raster/Error.h"
#include "skin/MakeSkin.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

namespace vk {

namespace {
constexpr Rect kWindow = format::kMainWindow;
// The scratch canvases hold two or three windows stacked without a gap.
constexpr Rect kTwoWindows = format::stackedWindows(2);
constexpr Rect kThreeWindows = format::stackedWindows(3);
constexpr Rect kSecondWindow = kWindow.shifted(0, kWindow.height());
constexpr Rect kThirdWindow = kWindow.shifted(0, 2 * kWindow.height());

// stretchDraw, from the part of the picture the fit chooses.
void drawFitted(Image& canvas, const Rect& target, const Image& picture, const PictureFit& fit) {
    canvas.stretchDraw(target, picture, fittedSource(fit, picture.width(), picture.height(), target));
}
} // namespace

Rect fittedSource(const PictureFit& fit, int width, int height, const Rect& target) {
    const Rect whole{0, 0, width, height};
    if (fit.mode == PictureFit::Mode::Stretch || width <= 0 || height <= 0 || target.width() <= 0 || target.height() <= 0)
        return whole;
    const auto place = [](int spare, double focus) { return int(spare * std::clamp(focus, 0.0, 1.0) + 0.5); };
    const std::int64_t tw = target.width(), th = target.height();
    if (std::int64_t(width) * th > std::int64_t(height) * tw) {  // wider than the target: cut the sides
        const int w = std::max(1, int((std::int64_t(height) * tw + th / 2) / th));
        const int left = place(width - w, fit.focusX);
        return {left, 0, left + w, height};
    }
    const int h = std::max(1, int((std::int64_t(width) * th + tw / 2) / tw));
    const int top = place(height - h, fit.focusY);
    return {0, top, width, top + h};
}

Workbench::Workbench(TextRasteriser* textRasteriser, PictureDecoder decode) : decode_(decode) {
    doc_.text = textRasteriser;
    SourcePictures& pictures = doc_.state.sourcePictures;
    pictures.main = pictures.playlist = pictures.equaliser = doc_.templates.firstImage;
    std::error_code ec;
    doc_.state.startDirectory = std::filesystem::current_path(ec).string();
    layoutPictures();
}

namespace {
template <typename Pictures>
auto& slotOf(Pictures& pictures, WhichPicture which) {
    return which == WhichPicture::Main ? pictures.main : which == WhichPicture::Equaliser ? pictures.equaliser : pictures.playlist;
}
} // namespace

const Image& Workbench::sourcePicture(WhichPicture which) const { return slotOf(doc_.state.sourcePictures, which); }

void Workbench::layoutPictures() {
    const SourcePictures& pictures = doc_.state.sourcePictures;
    Image& mainWindow = doc_.mainWindow;
    Image& plShow = doc_.plShow;
    Image& eqWindow = doc_.templates.eqMain;
    const PictureFit& fit = fit_;
    switch (doc_.options.layout) {
    case LayoutMode::TwoPlusOne:
        drawFitted(doc_.twoWinPic, kTwoWindows, pictures.main, fit);
        mainWindow.copyRect(kWindow, doc_.twoWinPic, kWindow);
        eqWindow.copyRect(kWindow, doc_.twoWinPic, kSecondWindow);
        drawFitted(plShow, kWindow, pictures.playlist, fit);
        break;
    case LayoutMode::Continuous:
        drawFitted(doc_.oneWinPic, kThreeWindows, pictures.main, fit);
        mainWindow.copyRect(kWindow, doc_.oneWinPic, kWindow);
        eqWindow.copyRect(kWindow, doc_.oneWinPic, kSecondWindow);
        plShow.copyRect(kWindow, doc_.oneWinPic, kThirdWindow);
        break;
    case LayoutMode::ThreeWindows:
        drawFitted(mainWindow, kWindow, pictures.main, fit);
        drawFitted(eqWindow, kWindow, pictures.equaliser, fit);
        drawFitted(plShow, kWindow, pictures.playlist, fit);
        break;
    }
    enterNotMade();
}

void Workbench::loadPicture(WhichPicture which, const std::string& path) {
    usePicture(which, decode_(path, pictureOptions_));
}

void Workbench::usePicture(WhichPicture which, Image picture) {
    slotOf(doc_.state.sourcePictures, which) = std::move(picture);
    layoutPictures();
}

void Workbench::makeSkin() {
    if (beginBusy) beginBusy();
    struct RestoreCursor {
        Workbench& bench;
        ~RestoreCursor() {
            if (bench.endBusy) bench.endBusy();
        }
    } restore{*this};
    enterMade();
    skin::makeSkin(doc_);
}

void Workbench::requireMade(const char* command) const {
    if (workflow() != WorkflowState::Made) throw Error(std::string(command) + " needs a made skin: press MakeSkin first");
}

void Workbench::setColour(ColourSetting setting, TColor colour) {
    requireMade("Changing a colour");
    // Looked up first, so that an unknown setting changes nothing.
    const skin::RepaintRoutine repaint = skin::repaintRoutineFor(setting);
    setColourSetting(doc_, setting, colour);
    repaint(doc_);
}

void Workbench::restyleSlider(SliderKnobs knobs, TColor colour) {
    requireMade("Changing a slider");
    vk::restyleSlider(doc_, knobs, colour);
}

void Workbench::setVisColour(int entry, TColor colour) {
    requireMade("Changing a visualisation colour");
    vk::setVisColour(doc_, entry, colour);
}

void Workbench::coloursFromPicture() {
    requireMade("Colours from Picture");
    const PictureColours chosen = choosePictureColours(doc_);
    for (std::size_t i = 0; i < chosen.settings.size(); ++i) setColourSetting(doc_, colourSettings()[i].setting, chosen.settings[i]);
    // Each routine once, not once per setting: they repaint whole groups.
    skin::applyTextColours(doc_);
    skin::paintPlaylistPreview(doc_);
    skin::paintEqSliders(doc_);
    for (std::size_t k = 0; k < chosen.knobs.size(); ++k) vk::restyleSlider(doc_, kSliderKnobs[k].knobs, chosen.knobs[k]);
    doc_.state.visColours = chosen.vis;
    vk::paintVisBar(doc_);
}

void Workbench::paintVisBar() { vk::paintVisBar(doc_); }

std::filesystem::path Workbench::save(const SaveRequest& request) const {
    SaveOptions options;
    options.archive = request.archive;
    for (const SavedFile& extra : request.extras) options.extras.push_back({extra.path, extra.bytes});
    options.durability = request.synced ? Durability::Synced : Durability::Unsynced;
    if (request.skinName.empty()) {
        saveWithoutFolder(doc_, options);
        return {};
    }
    return saveSkin(doc_, request.parent, request.skinName, options);
}

std::filesystem::path Workbench::skinDirectoryFor(const std::filesystem::path& parent, const std::string& skinName) {
    return vk::skinDirectoryFor(parent, skinName);
}

void Workbench::writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    writeBinaryFile(path, bytes);
}

std::string Workbench::fileErrorMessage(int error) { return textFileErrorMessage(error); }

player::ClassicSkin Workbench::currentSkin() const { return player::skinFromFiles(skinFiles(doc_)); }

Image Workbench::windowPreview() const { return vk::windowPreview(doc_); }

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
