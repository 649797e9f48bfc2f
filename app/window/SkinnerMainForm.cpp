// The main window's controls at their places, and its handlers: each one a
// call on the workbench, the skin pass, the colour tools or the skin writer.
#include "app/window/SkinnerMainForm.h"

#include "app/window/ImageView.h"
#include "app/window/Look.h"
#include "format/Geometry.h"
#include "output/WindowPreview.h"
#include "raster/Error.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <array>
#include <filesystem>

namespace vk {

namespace {

using Handler = void (SkinnerMainForm::*)();

constexpr QSize kClientSize{496, 381};
constexpr int kCanvasLeft = 8;
constexpr int kMainWindowTop = 16;
constexpr int kCanvasWidth = format::kMainWindow.width();
constexpr int kCanvasRows = format::kMainWindow.height();  // eqMain shows only its window rows

struct ButtonSpec {
    const char* name;
    const char* caption;
    QRect geometry;
    Handler handler;
};

struct RadioSpec {
    const char* name;
    const char* caption;
    Handler handler;
};

struct GroupSpec {
    const char* name;
    QRect geometry;
    std::array<RadioSpec, 3> radios;  // a null name ends a shorter group
};

// Where the equaliser and playlist canvases go and which Get Bitmap buttons
// stay: windows cut from one picture touch, the others keep a 4-pixel gap.
struct LayoutPlacement {
    int eqBelowMain;
    int plBelowEq;
    bool get2Shown;
    bool get3Shown;
};

LayoutPlacement placementFor(LayoutMode mode) {
    // The canvases stand as the window preview stacks them.
    const WindowTops tops = windowTops(mode);
    return {tops.equaliser, tops.playlist - tops.equaliser, mode == LayoutMode::ThreeWindows, mode != LayoutMode::Continuous};
}

} // namespace

SkinnerMainForm::SkinnerMainForm(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      dialogs_(std::move(dialogs)),
      getColor_([this](TColor initial) { return dialogs_->chooseColour(initial); }) {
    setWindowTitle(kAppTitle);
    setWindowIcon(QPixmap::fromImage(toQImage(bench_.t.firstImage, kCanvasRows).scaled(32, 32)));
    setFont(classicFont());

    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(kClientSize);
    paintSilver(client);
    setCentralWidget(client);
    buildMenu();
    buildPictureColumn(client);
    buildWorkflowColumn(client);
    buildColourPanel(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The workbench laid the pictures out when it was made; from now on it
    // switches the workflow buttons itself.
    bench_.onButton = [this](WorkflowButton button, bool enabled) { showButton(button, enabled); };
    bench_.beginBusy = [] { QApplication::setOverrideCursor(Qt::WaitCursor); };
    bench_.endBusy = [] { QApplication::restoreOverrideCursor(); };
    const WorkflowButtons& state = bench_.buttons();
    showButton(WorkflowButton::MakeSkin, state.makeSkin);
    showButton(WorkflowButton::Revert, state.revert);
    showButton(WorkflowButton::ColBut, state.colBut);
    showButton(WorkflowButton::SaveSkin, state.saveSkin);
    refreshImages();

    adjustSize();
    if (QScreen* desktop = screen()) move(desktop->availableGeometry().center() - rect().center());
}

// --- building -----------------------------------------------------------------

namespace {

QPushButton* addButton(QWidget* parent, SkinnerMainForm* form, const ButtonSpec& spec) {
    auto* button = new QPushButton(spec.caption, parent);
    button->setObjectName(spec.name);
    button->setGeometry(spec.geometry);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, form, [form, handler = spec.handler] { (form->*handler)(); });
    return button;
}

void addGroup(QWidget* parent, SkinnerMainForm* form, const GroupSpec& spec) {
    auto* group = new QFrame(parent);
    group->setObjectName(spec.name);
    group->setGeometry(spec.geometry);
    group->setFrameStyle(QFrame::Panel | QFrame::Raised);
    int top = 8;
    for (const RadioSpec& radio : spec.radios) {
        if (!radio.name) break;
        auto* button = new QRadioButton(radio.caption, group);
        button->setObjectName(radio.name);
        button->setGeometry(8, top, spec.geometry.width() - 10, 17);
        button->setChecked(top == 8);  // the first of each group is chosen at start
        // A radio's command runs when it becomes chosen, not when it is left.
        QObject::connect(button, &QRadioButton::toggled, form, [form, handler = radio.handler](bool chosen) {
            if (chosen) (form->*handler)();
        });
        top += 16;
    }
}

} // namespace

void SkinnerMainForm::buildMenu() {
    QMenu* help = menuBar()->addMenu("Help");
    help->setObjectName("Help1");
    QAction* contents = help->addAction("Contents", this, &SkinnerMainForm::Contents1Click);
    contents->setObjectName("Contents1");
    QAction* about = help->addAction("About", this, &SkinnerMainForm::About1Click);
    about->setObjectName("About1");
}

void SkinnerMainForm::buildPictureColumn(QWidget* client) {
    auto* bevel = new QFrame(client);
    bevel->setObjectName("Bevel1");
    bevel->setGeometry(0, 0, kClientSize.width(), 2);
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    mainWindow_ = new ImageView("mainWindow", kCanvasWidth, kCanvasRows, client);
    eqMain_ = new ImageView("eqMain", kCanvasWidth, kCanvasRows, client);
    plShow_ = new ImageView("plShow", kCanvasWidth, kCanvasRows, client);
    const LayoutPlacement start = placementFor(LayoutMode::ThreeWindows);
    mainWindow_->move(kCanvasLeft, kMainWindowTop);
    eqMain_->move(kCanvasLeft, kMainWindowTop + start.eqBelowMain);
    plShow_->move(kCanvasLeft, eqMain_->y() + start.plBelowEq);

    addButton(client, this, {"Button2", "Get Bitmap", {296, 16, 81, 22}, &SkinnerMainForm::Button2Click});
    get2_ = addButton(client, this, {"get2", "Get Bitmap", {296, 136, 81, 22}, &SkinnerMainForm::get2Click});
    get3_ = addButton(client, this, {"get3", "Get Bitmap", {296, 256, 81, 22}, &SkinnerMainForm::get3Click});
}

void SkinnerMainForm::buildWorkflowColumn(QWidget* client) {
    const std::array<GroupSpec, 3> groups{{
        {"Panel3",
         {392, 16, 97, 65},
         {{{"threeWin", "3 Windows", &SkinnerMainForm::threeWinClick},
           {"twoWin", "Two + One", &SkinnerMainForm::twoWinClick},
           {"oneWin", "Continuous", &SkinnerMainForm::oneWinClick}}}},
        {"Panel1",
         {392, 88, 97, 49},
         {{{"full3D", "Full 3D Skin", &SkinnerMainForm::full3DClick},
           {"butsOnly", "Buttons Only", &SkinnerMainForm::butsOnlyClick},
           {}}}},
        {"Panel2",
         {392, 144, 97, 49},
         {{{"RadioButton1", "Raise Frame", &SkinnerMainForm::RadioButton1Click},
           {"sinkBut", "Sink Frame", &SkinnerMainForm::sinkButClick},
           {}}}},
    }};
    for (const GroupSpec& group : groups) addGroup(client, this, group);

    makeSkin_ = addButton(client, this, {"MakeSkin", "MakeSkin", {392, 208, 97, 22}, &SkinnerMainForm::MakeSkinClick});
    revert_ = addButton(client, this, {"Revert", "Undo", {392, 240, 97, 22}, &SkinnerMainForm::RevertClick});
    colBut_ = addButton(client, this, {"colBut", "ColorTools", {392, 272, 97, 22}, &SkinnerMainForm::colButClick});
    saveSkin_ = addButton(client, this, {"SaveSkin", "SaveSkin", {392, 304, 97, 22}, &SkinnerMainForm::SaveSkinClick});
    addButton(client, this, {"Button1", "Quit", {392, 336, 97, 22}, &SkinnerMainForm::Button1Click});
}

void SkinnerMainForm::buildColourPanel(QWidget* client) {
    colPanel_ = new QWidget(client);
    colPanel_->setObjectName("colPanel");
    colPanel_->setGeometry(296, 8, 193, 369);
    paintSilver(colPanel_);

    constexpr int kW = 113, kH = 22;
    const std::array<ButtonSpec, 14> buttons{{
        {"Button3", "Window Background", {0, 8, kW, kH}, &SkinnerMainForm::Button3Click},
        {"ForeBut", "Text Color", {0, 32, kW, kH}, &SkinnerMainForm::ForeButClick},
        {"changeMainSlider", "Volume and Balance", {0, 56, kW, kH}, &SkinnerMainForm::changeMainSliderClick},
        {"visiBut", "Visualization", {0, 80, kW, kH}, &SkinnerMainForm::visiButClick},
        {"Button8", "Equalizer Background", {0, 112, kW, kH}, &SkinnerMainForm::Button8Click},
        {"Button9", "Equalizer Foreground", {0, 136, kW, kH}, &SkinnerMainForm::Button9Click},
        {"Button10", "Equalizer Highlight", {0, 160, kW, kH}, &SkinnerMainForm::Button10Click},
        {"changeEqSliders", "Equalizer Sliders", {0, 184, kW, kH}, &SkinnerMainForm::changeEqSlidersClick},
        {"Button4", "Normal Background", {0, 216, kW, kH}, &SkinnerMainForm::Button4Click},
        {"pl", "Normal Song Title", {0, 240, kW, kH}, &SkinnerMainForm::plClick},
        {"Button6", "Current Song Title", {0, 264, kW, kH}, &SkinnerMainForm::Button6Click},
        {"Button7", "Selected Background", {0, 288, kW, kH}, &SkinnerMainForm::Button7Click},
        {"changePlSlider", "Play List Slider", {0, 312, kW, kH}, &SkinnerMainForm::changePlSliderClick},
        {"Button5", "Back", {0, 344, kW, kH}, &SkinnerMainForm::Button5Click},
    }};
    for (const ButtonSpec& spec : buttons) {
        QPushButton* button = addButton(colPanel_, this, spec);
        if (QLatin1String(spec.name) == QLatin1String("visiBut")) visiBut_ = button;
    }

    colLab2_ = new QFrame(colPanel_);
    colLab2_->setObjectName("colLab2");
    colLab2_->setGeometry(24, 80, 161, 25);
    colLab2_->setStyleSheet("#colLab2 { background: white; border: 1px solid black; border-radius: 6px; }");
    auto* hint = new QLabel("Click on color to alter", colPanel_);
    hint->setObjectName("colLab1");
    QFont hintFont = font();
    hintFont.setPixelSize(13);
    hint->setFont(hintFont);
    hint->setAttribute(Qt::WA_TranslucentBackground);
    hint->move(32, 84);
    hint->adjustSize();
    colLab1_ = hint;
    // Made last so that the bar lies over the hint's frame where they meet.
    visiBar_ = new ImageView("visiBar", bench_.t.visiBar.width(), bench_.t.visiBar.height(), colPanel_);
    visiBar_->move(160, 16);
    visiBar_->onMouseDown = [this](int x, int y) { visiBarMouseDown(x, y); };

    colLab2_->hide();
    colLab1_->hide();
    visiBar_->hide();
    colPanel_->hide();
}

// --- plumbing -----------------------------------------------------------------

void SkinnerMainForm::run(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        refreshImages();
        dialogs_->showError(messageForDisplay(e.what()));
        return;
    }
    refreshImages();
}

void SkinnerMainForm::refreshImages() {
    mainWindow_->showImage(bench_.mainWindow);
    eqMain_->showImage(bench_.t.eqMain);
    plShow_->showImage(bench_.plShow);
    visiBar_->showImage(bench_.t.visiBar);
}

void SkinnerMainForm::showButton(WorkflowButton button, bool enabled) {
    switch (button) {
    case WorkflowButton::MakeSkin: makeSkin_->setEnabled(enabled); break;
    case WorkflowButton::Revert: revert_->setEnabled(enabled); break;
    case WorkflowButton::ColBut: colBut_->setEnabled(enabled); break;
    case WorkflowButton::SaveSkin: saveSkin_->setEnabled(enabled); break;
    }
}

void SkinnerMainForm::getBitmap(WhichPicture which) {
    run([&] {
        const std::optional<std::string> file = dialogs_->openPicture();
        if (file) bench_.loadPicture(which, *file);
    });
}

void SkinnerMainForm::chooseLayout(LayoutMode mode) {
    const LayoutPlacement placement = placementFor(mode);
    eqMain_->move(kCanvasLeft, mainWindow_->y() + placement.eqBelowMain);
    plShow_->move(kCanvasLeft, eqMain_->y() + placement.plBelowEq);
    get2_->setVisible(placement.get2Shown);
    get3_->setVisible(placement.get3Shown);
    run([&] {
        bench_.options.layout = mode;
        bench_.layoutPictures();
    });
}

// A changed option throws the made skin away; it counts at the next MakeSkin.
void SkinnerMainForm::chooseOption(bool Options::*option, bool value) {
    run([&] {
        bench_.options.*option = value;
        bench_.layoutPictures();
    });
}

void SkinnerMainForm::pickColour(ColourSetting setting) {
    run([&] { colourButtonClick(bench_, getColor_, setting); });
}

void SkinnerMainForm::restyle(SliderKnobs knobs) {
    run([&] { sliderButtonClick(bench_, getColor_, knobs); });
}

// --- handlers -----------------------------------------------------------------

void SkinnerMainForm::Button2Click() { getBitmap(WhichPicture::Main); }
void SkinnerMainForm::get2Click() { getBitmap(WhichPicture::Equaliser); }
void SkinnerMainForm::get3Click() { getBitmap(WhichPicture::Playlist); }

void SkinnerMainForm::threeWinClick() { chooseLayout(LayoutMode::ThreeWindows); }
void SkinnerMainForm::twoWinClick() { chooseLayout(LayoutMode::TwoPlusOne); }
void SkinnerMainForm::oneWinClick() { chooseLayout(LayoutMode::Continuous); }

void SkinnerMainForm::full3DClick() { chooseOption(&Options::full3D, true); }
void SkinnerMainForm::butsOnlyClick() { chooseOption(&Options::full3D, false); }
void SkinnerMainForm::RadioButton1Click() { chooseOption(&Options::sinkFrame, false); }
void SkinnerMainForm::sinkButClick() { chooseOption(&Options::sinkFrame, true); }

void SkinnerMainForm::MakeSkinClick() {
    run([&] { vk::MakeSkinClick(bench_); });
}
void SkinnerMainForm::RevertClick() {
    run([&] { bench_.layoutPictures(); });
}

void SkinnerMainForm::colButClick() {
    colPanel_->show();
    colPanel_->raise();
}

void SkinnerMainForm::Button5Click() {
    colPanel_->hide();
    visiBar_->hide();
    colLab1_->hide();
    colLab2_->hide();
    visiBut_->show();
}

void SkinnerMainForm::SaveSkinClick() {
    run([&] {
        const std::optional<SaveTarget> target = dialogs_->chooseSaveTarget(saveStartDirectory());
        if (target) bench_.saveSkin(target->directory, target->name);
    });
}

void SkinnerMainForm::Button1Click() { QApplication::quit(); }

void SkinnerMainForm::Button3Click() { pickColour(ColourSetting::winBackColour); }
void SkinnerMainForm::ForeButClick() { pickColour(ColourSetting::winTextColour); }
void SkinnerMainForm::Button8Click() { pickColour(ColourSetting::eqBackColour); }
void SkinnerMainForm::Button9Click() { pickColour(ColourSetting::eqForeColour); }
void SkinnerMainForm::Button10Click() { pickColour(ColourSetting::eqHighlightColour); }
void SkinnerMainForm::Button4Click() { pickColour(ColourSetting::plNormalBgColour); }
void SkinnerMainForm::plClick() { pickColour(ColourSetting::plNormalColour); }
void SkinnerMainForm::Button6Click() { pickColour(ColourSetting::plCurrentColour); }
void SkinnerMainForm::Button7Click() { pickColour(ColourSetting::plSelectedBgColour); }

void SkinnerMainForm::changeMainSliderClick() { restyle(SliderKnobs::MainSlider); }
void SkinnerMainForm::changeEqSlidersClick() { restyle(SliderKnobs::EqSliders); }
void SkinnerMainForm::changePlSliderClick() { restyle(SliderKnobs::PlSlider); }

void SkinnerMainForm::visiButClick() {
    visiBut_->hide();
    visiBar_->show();
    colLab1_->show();
    colLab2_->show();
    run([&] { paintVisBar(bench_); });
}

void SkinnerMainForm::visiBarMouseDown(int x, int y) {
    run([&] { vk::visiBarMouseDown(bench_, getColor_, x, y); });
}

void SkinnerMainForm::Contents1Click() {
    const std::string helpFile = helpFilePath(bench_.state.startDirectory);
    if (!dialogs_->openHelp(helpFile)) dialogs_->showError(messageForDisplay("Cannot show the help file " + helpFile));
}

void SkinnerMainForm::About1Click() { dialogs_->showAbout(); }

// --- outside the window ---------------------------------------------------------

std::string helpFilePath(const std::string& startDirectory) {
    return (std::filesystem::path(startDirectory) / kHelpFileName).string();
}

std::string saveStartDirectory() {
    std::error_code ec;
    if (std::filesystem::is_directory(kDefaultSkinsDirectory, ec)) return kDefaultSkinsDirectory;
    return std::filesystem::current_path(ec).string();
}

} // namespace vk
