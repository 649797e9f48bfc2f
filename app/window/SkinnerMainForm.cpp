// The main window's controls at their places, and its handlers: each one a
// call on the workbench.
#include "app/window/SkinnerMainForm.h"

#include "app/qt/PictureIntake.h"
#include "app/window/GetDirectory.h"
#include "app/window/ImageView.h"
#include "app/window/Look.h"
#include "app/window/PlayerPreview.h"
#include "format/Geometry.h"
#include "raster/Error.h"

#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QKeyEvent>
#include <QShortcut>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <array>
#include <cstdlib>
#include <filesystem>

namespace vk {

namespace {

using Handler = void (SkinnerMainForm::*)();

constexpr QSize kClientSize{496, 381};
constexpr int kCanvasLeft = 8;
constexpr int kMainWindowTop = 16;
constexpr int kCanvasWidth = format::kMainWindow.width();
constexpr int kCanvasRows = format::kMainWindow.height();  // eqMain shows only its window rows
// A load that lasts longer than this is slow enough to say how to give it up.
constexpr int kSlowLoadMs = 250;

// Captions carry their mnemonic; the tip says what the control does in one line.
struct ButtonSpec {
    const char* name;
    const char* caption;
    QRect geometry;
    Handler handler;
    const char* tip;
};

struct RadioSpec {
    const char* name;
    const char* caption;
    Handler handler;
    const char* tip;
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
    decodePicture = [this](const std::string& path) { return loadPictureFile(path, bench_.pictureOptions()); };
    quit = [] { QApplication::quit(); };
    screenArea = [this] { return screen() ? screen()->availableGeometry() : QRect(); };
    setWindowTitle(kAppTitle);
    setWindowIcon(programIcon());
    setFont(classicFont());
    paintSilver(menuBar());

    auto* client = new QWidget(this);
    client_ = client;
    client->setObjectName("client");
    client->setFixedSize(kClientSize);
    paintSilver(client);
    setCentralWidget(client);
    buildMenu();
    buildPictureColumn(client);
    buildWorkflowColumn(client);
    buildColourPanel(client);
    addKeys();
    for (QWidget* control : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->x() >= colPanel_->x()) rightColumn_.emplace_back(control, control->pos());
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    loadingNote_ = new QLabel(client);
    loadingNote_->setObjectName("loadingNote");
    // Drawn in full colour although the controls around it wait, disabled.
    loadingNote_->setStyleSheet("#loadingNote { color: black; background: #FFFFE1; border: 1px solid black; padding: 4px; }");
    loadingNote_->hide();
    slowLoad_ = new QTimer(this);
    slowLoad_->setSingleShot(true);
    slowLoad_->setInterval(kSlowLoadMs);
    connect(slowLoad_, &QTimer::timeout, loadingNote_, &QWidget::show);

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
    button->setToolTip(spec.tip);
    QObject::connect(button, &QPushButton::clicked, form, [form, handler = spec.handler] { (form->*handler)(); });
    return button;
}

void addGroup(QWidget* parent, SkinnerMainForm* form, const GroupSpec& spec) {
    auto* group = new QFrame(parent);
    group->setObjectName(spec.name);
    group->setGeometry(spec.geometry);
    group->setFrameStyle(QFrame::Panel | QFrame::Raised);
    group->setToolTip(spec.radios[0].tip);
    int top = 8;
    for (const RadioSpec& radio : spec.radios) {
        if (!radio.name) break;
        auto* button = new QRadioButton(radio.caption, group);
        button->setObjectName(radio.name);
        button->setGeometry(8, top, spec.geometry.width() - 10, 17);
        button->setToolTip(radio.tip);
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
    // The View menu is where further ways of looking at the skin join the zoom.
    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("View1");
    paintSilver(view);
    auto* zooms = new QActionGroup(this);
    for (int zoom = 1; zoom <= 3; ++zoom) {
        QAction* item = view->addAction(QString("Zoom &%1x").arg(zoom), this, [this, zoom] { setZoom(zoom); });
        item->setObjectName(QString("Zoom%1").arg(zoom));
        item->setCheckable(true);
        item->setChecked(zoom == 1);
        item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + zoom)));
        item->setToolTip(QString("Show the three windows %1 times over").arg(zoom));
        zooms->addAction(item);
    }
    view->addSeparator();
    QAction* preview = view->addAction("&Player Preview", this, &SkinnerMainForm::PlayerPreview1Click);
    preview->setObjectName("PlayerPreview1");
    preview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    preview->setToolTip("Show the skin as the player will show it, in a window beside this one");

    // How the next layouts take the pictures: the command line's --fit, --focus and --background.
    QMenu* picture = menuBar()->addMenu("P&icture");
    picture->setObjectName("Picture1");
    paintSilver(picture);
    QAction* crop = picture->addAction("&Crop to Fit");
    crop->setObjectName("CropToFit1");
    crop->setCheckable(true);
    crop->setToolTip("Cut each picture to the proportions of its windows instead of stretching it");
    auto* focuses = new QActionGroup(this);
    const struct {
        const char* name;
        const char* caption;
        double at;
    } kFocuses[] = {{"CropCentre1", "Keep the &Middle", 0.5}, {"CropStart1", "Keep the &Top or Left", 0.0},
                    {"CropEnd1", "Keep the &Bottom or Right", 1.0}};
    for (const auto& f : kFocuses) {
        QAction* item = picture->addAction(f.caption, this, [this, at = f.at] {
            run([&] {
                PictureFit fit = bench_.fit();
                fit.focusX = fit.focusY = at;
                bench_.setFit(fit);
                bench_.layoutPictures();
            });
        });
        item->setObjectName(f.name);
        item->setCheckable(true);
        item->setChecked(f.at == 0.5);
        item->setToolTip("Which part of a cropped picture stays");
        focuses->addAction(item);
    }
    connect(crop, &QAction::toggled, this, [this](bool on) {
        run([&] {
            PictureFit fit = bench_.fit();
            fit.mode = on ? PictureFit::Mode::Crop : PictureFit::Mode::Stretch;
            bench_.setFit(fit);
            bench_.layoutPictures();
        });
    });
    picture->addSeparator();
    QAction* background = picture->addAction("Transparent &Areas Become...", this, [this] {
        if (const auto colour = dialogs_->chooseColour(bench_.pictureOptions().background))
            bench_.setPictureOptions({*colour});
    });
    background->setObjectName("TransparentAreas1");
    background->setToolTip("The colour that transparent parts of the next pictures loaded are laid on (white at first)");
    // Beyond the picture's own placement: shading that shows on any picture, and colours taken from it.
    picture->addSeparator();
    QAction* legible = picture->addAction("&Legible Captions");
    legible->setObjectName("LegibleCaptions1");
    legible->setCheckable(true);
    legible->setToolTip("Shade captions, glyphs and bevels so that they show on very light, dark or busy pictures (at the next MakeSkin)");
    connect(legible, &QAction::toggled, this, [this](bool on) { chooseOption(&Options::legible, on); });
    coloursFromPicture_ = picture->addAction("Colours from &Picture", this, &SkinnerMainForm::ColoursFromPicture1Click);
    coloursFromPicture_->setObjectName("ColoursFromPicture1");
    coloursFromPicture_->setEnabled(false);
    coloursFromPicture_->setToolTip("Take the colour settings, the knobs and the visualisation colours from the pictures (on a made skin)");

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    paintSilver(help);
    QAction* contents = help->addAction("&Contents", this, &SkinnerMainForm::Contents1Click);
    contents->setObjectName("Contents1");
    contents->setShortcut(QKeySequence::HelpContents);
    QAction* about = help->addAction("&About", this, &SkinnerMainForm::About1Click);
    about->setObjectName("About1");
}

// The accelerators live on the buttons, so a hidden or disabled button takes no key.
void SkinnerMainForm::addKeys() {
    const struct {
        const char* button;
        QKeySequence keys;
    } keys[] = {
        {"Button2", QKeySequence::Open},
        {"SaveSkin", QKeySequence::Save},
        {"Revert", QKeySequence::Undo},
        {"Button1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& key : keys) {
        auto* button = client_->findChild<QPushButton*>(key.button);
        auto* shortcut = new QShortcut(key.keys, button);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
        button->setToolTip(button->toolTip() + " (" + key.keys.toString(QKeySequence::NativeText) + ")");
    }
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

    addButton(client, this, {"Button2", "&Get Bitmap", {296, 16, 81, 22}, &SkinnerMainForm::Button2Click,
                             "Load the picture for the main window (or for all of them)"});
    get2_ = addButton(client, this, {"get2", "G&et Bitmap", {296, 136, 81, 22}, &SkinnerMainForm::get2Click,
                                     "Load the picture for the equaliser window"});
    get3_ = addButton(client, this, {"get3", "Get Bitma&p", {296, 256, 81, 22}, &SkinnerMainForm::get3Click,
                                     "Load the picture for the playlist window"});
    const struct {
        ImageView* canvas;
        WhichPicture picture;
    } canvases[] = {{mainWindow_, WhichPicture::Main}, {eqMain_, WhichPicture::Equaliser}, {plShow_, WhichPicture::Playlist}};
    for (const auto& canvas : canvases) {
        canvas.canvas->setAcceptDrops(true);
        canvas.canvas->setToolTip("Drop a picture file here to use it for this window");
        canvas.canvas->onFileDropped = [this, which = canvas.picture](const QString& file) { dropPicture(file, which); };
        canvas.canvas->onDropRefused = [this](const QString& reason) { dialogs_->showError(reason.toStdString()); };
    }
}

void SkinnerMainForm::buildWorkflowColumn(QWidget* client) {
    const std::array<GroupSpec, 3> groups{{
        {"Panel3",
         {392, 16, 97, 65},
         {{{"threeWin", "&3 Windows", &SkinnerMainForm::threeWinClick, "One picture for each window"},
           {"twoWin", "&Two + One", &SkinnerMainForm::twoWinClick,
            "One picture over the main and equaliser windows, one for the playlist"},
           {"oneWin", "Co&ntinuous", &SkinnerMainForm::oneWinClick, "One picture over all three windows"}}}},
        {"Panel1",
         {392, 88, 97, 49},
         {{{"full3D", "&Full 3D Skin", &SkinnerMainForm::full3DClick, "Bevel the whole window as well as the buttons"},
           {"butsOnly", "&Buttons Only", &SkinnerMainForm::butsOnlyClick, "Bevel only the buttons, leave the picture flat"},
           {}}}},
        {"Panel2",
         {392, 144, 97, 49},
         {{{"RadioButton1", "&Raise Frame", &SkinnerMainForm::RadioButton1Click, "Frames stand out of the picture"},
           {"sinkBut", "Sin&k Frame", &SkinnerMainForm::sinkButClick, "Frames sink into the picture"},
           {}}}},
    }};
    for (const GroupSpec& group : groups) addGroup(client, this, group);

    makeSkin_ = addButton(client, this, {"MakeSkin", "&MakeSkin", {392, 208, 97, 22}, &SkinnerMainForm::MakeSkinClick,
                                         "Cut the skin out of the pictures with the chosen options"});
    revert_ = addButton(client, this, {"Revert", "&Undo", {392, 240, 97, 22}, &SkinnerMainForm::RevertClick,
                                       "Throw the made skin away and show the pictures again"});
    colBut_ = addButton(client, this, {"colBut", "&ColorTools", {392, 272, 97, 22}, &SkinnerMainForm::colButClick,
                                       "Change the text, equaliser, playlist and visualisation colours"});
    saveSkin_ = addButton(client, this, {"SaveSkin", "&SaveSkin", {392, 304, 97, 22}, &SkinnerMainForm::SaveSkinClick,
                                         "Write the skin's files into a folder of your choice"});
    addButton(client, this, {"Button1", "&Quit", {392, 336, 97, 22}, &SkinnerMainForm::Button1Click,
                             "Leave the program; an unsaved skin is lost"});
}

void SkinnerMainForm::buildColourPanel(QWidget* client) {
    colPanel_ = new QWidget(client);
    colPanel_->setObjectName("colPanel");
    colPanel_->setGeometry(296, 8, 193, 369);
    paintSilver(colPanel_);

    constexpr int kW = 113, kH = 22;
    // No mnemonic here repeats the menu bar's (V, H).
    const std::array<ButtonSpec, 14> buttons{{
        {"Button3", "&Window Background", {0, 8, kW, kH}, &SkinnerMainForm::Button3Click,
         "Colour behind the song title and time"},
        {"ForeBut", "Te&xt Color", {0, 32, kW, kH}, &SkinnerMainForm::ForeButClick, "Colour of the song title and time"},
        {"changeMainSlider", "Vol&ume and Balance", {0, 56, kW, kH}, &SkinnerMainForm::changeMainSliderClick,
         "Colour of the volume and balance knobs"},
        {"visiBut", "Visuali&zation", {0, 80, kW, kH}, &SkinnerMainForm::visiButClick,
         "Show the visualisation colours; click one in the bar to change it"},
        {"Button8", "&Equalizer Background", {0, 112, kW, kH}, &SkinnerMainForm::Button8Click,
         "Colour behind the equaliser graph"},
        {"Button9", "Equalizer &Foreground", {0, 136, kW, kH}, &SkinnerMainForm::Button9Click,
         "Colour of the equaliser graph's line"},
        {"Button10", "Equalizer Hi&ghlight", {0, 160, kW, kH}, &SkinnerMainForm::Button10Click,
         "Colour of the equaliser graph's highlight"},
        {"changeEqSliders", "Equalizer &Sliders", {0, 184, kW, kH}, &SkinnerMainForm::changeEqSlidersClick,
         "Colour of the equaliser slider knobs"},
        {"Button4", "&Normal Background", {0, 216, kW, kH}, &SkinnerMainForm::Button4Click,
         "Colour behind the playlist's songs"},
        {"pl", "Normal Song &Title", {0, 240, kW, kH}, &SkinnerMainForm::plClick, "Colour of the playlist's songs"},
        {"Button6", "&Current Song Title", {0, 264, kW, kH}, &SkinnerMainForm::Button6Click,
         "Colour of the song now playing"},
        {"Button7", "Selecte&d Background", {0, 288, kW, kH}, &SkinnerMainForm::Button7Click,
         "Colour behind selected songs"},
        {"changePlSlider", "&Play List Slider", {0, 312, kW, kH}, &SkinnerMainForm::changePlSliderClick,
         "Colour of the playlist's scroll knob"},
        {"Button5", "&Back", {0, 344, kW, kH}, &SkinnerMainForm::Button5Click, "Close the colour tools"},
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
    visiBar_ = new ImageView("visiBar", bench_.document().templates.visiBar.width(), bench_.document().templates.visiBar.height(), colPanel_);
    visiBar_->move(160, 16);
    visiBar_->onMouseDown = [this](int x, int y) { visiBarMouseDown(x, y); };
    visiBar_->setToolTip("Click a colour to change it, or choose one with Up and Down and press Space");
    // Seventeen bands of 20 rows: the peak colour on top, then entries 1 to 16.
    visiBar_->setKeyboardBands(visiBar_->height() / kVisColourCount, kVisColourCount);

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
    const SkinDocument& doc = bench_.document();
    mainWindow_->showImage(doc.mainWindow);
    eqMain_->showImage(doc.templates.eqMain);
    plShow_->showImage(doc.plShow);
    visiBar_->showImage(doc.templates.visiBar);
    // Every command that changes the document ends here, so the preview follows each one.
    if (preview_) preview_->documentChanged();
}

void SkinnerMainForm::showButton(WorkflowButton button, bool enabled) {
    // The colour tools work only on a made skin: losing it closes them.
    if (button == WorkflowButton::ColBut && !enabled && colPanel_->isVisibleTo(client_)) Button5Click();
    switch (button) {
    case WorkflowButton::MakeSkin: makeSkin_->setEnabled(enabled); break;
    case WorkflowButton::Revert: revert_->setEnabled(enabled); break;
    case WorkflowButton::ColBut:
        colBut_->setEnabled(enabled);
        // Like the colour tools, it works on a made skin only.
        if (coloursFromPicture_) coloursFromPicture_->setEnabled(enabled);
        break;
    case WorkflowButton::SaveSkin: saveSkin_->setEnabled(enabled); break;
    }
}

void SkinnerMainForm::setZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, 3);
    for (ImageView* canvas : {mainWindow_, eqMain_, plShow_}) canvas->setZoom(zoom_);
    placeControls();
    if (QAction* item = findChild<QAction*>(QString("Zoom%1").arg(zoom_))) item->setChecked(true);
}

// At zoom 1 every control stands where it always has; larger zooms push the
// right-hand column over and the window down.
void SkinnerMainForm::placeControls() {
    const LayoutPlacement placement = placementFor(bench_.options().layout);
    eqMain_->move(kCanvasLeft, mainWindow_->y() + placement.eqBelowMain * zoom_);
    plShow_->move(kCanvasLeft, eqMain_->y() + placement.plBelowEq * zoom_);
    const int shift = (zoom_ - 1) * kCanvasWidth;
    for (const auto& [control, place] : rightColumn_) control->move(place.x() + shift, place.y());
    client_->setFixedSize(clientSizeAt(zoom_));
    if (QWidget* bevel = client_->findChild<QWidget*>("Bevel1")) bevel->resize(client_->width(), bevel->height());
    fitZoomsToScreen();
}

QSize SkinnerMainForm::clientSizeAt(int zoom) const {
    const LayoutPlacement placement = placementFor(bench_.options().layout);
    const int bottom = kMainWindowTop + (placement.eqBelowMain + placement.plBelowEq + kCanvasRows) * zoom +
                       (kClientSize.height() - 372);
    return {kClientSize.width() + (zoom - 1) * kCanvasWidth, std::max(kClientSize.height(), bottom)};
}

void SkinnerMainForm::fitZoomsToScreen() {
    const QRect area = screenArea ? screenArea() : QRect();
    if (area.isEmpty()) return;
    // The frame and the menu bar around the client, whose size may not have reached the window yet.
    const QSize frame = frameGeometry().size() - size();
    int largest = 1;
    for (int zoom = 2; zoom <= 3; ++zoom) {
        const QSize client = clientSizeAt(zoom);
        const int menu = menuBar()->heightForWidth(client.width());
        const QSize needed = frame + client + QSize(0, menu > 0 ? menu : menuBar()->sizeHint().height());
        const bool fits = needed.width() <= area.width() && needed.height() <= area.height();
        if (QAction* item = findChild<QAction*>(QString("Zoom%1").arg(zoom))) item->setEnabled(fits);
        if (fits) largest = zoom;
    }
    if (zoom_ > largest) setZoom(largest);
}

void SkinnerMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitZoomsToScreen();
}

void SkinnerMainForm::chooseLayout(LayoutMode mode) {
    const LayoutPlacement placement = placementFor(mode);
    Options options = bench_.options();
    options.layout = mode;
    bench_.setOptions(options);
    placeControls();
    get2_->setVisible(placement.get2Shown);
    get3_->setVisible(placement.get3Shown);
    run([&] { bench_.layoutPictures(); });
}

// A changed option throws the made skin away; it counts at the next MakeSkin.
void SkinnerMainForm::chooseOption(bool Options::*option, bool value) {
    Options options = bench_.options();
    options.*option = value;
    run([&] {
        bench_.setOptions(options);
        bench_.layoutPictures();
    });
}

// The colour commands are offered only on a made skin: otherwise they do nothing.
void SkinnerMainForm::pickColour(ColourSetting setting) {
    if (bench_.workflow() != WorkflowState::Made) return;
    run([&] { colourButtonClick(bench_, getColor_, setting); });
}

void SkinnerMainForm::restyle(SliderKnobs knobs) {
    if (bench_.workflow() != WorkflowState::Made) return;
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
    run([&] { bench_.undo(); });
}

void SkinnerMainForm::colButClick() {
    if (bench_.workflow() != WorkflowState::Made || colPanel_->isVisibleTo(client_)) return;
    coverUnderPanel(true);
    colPanel_->show();
    colPanel_->raise();
    colPanel_->findChild<QPushButton*>("Button3")->setFocus(Qt::OtherFocusReason);
}

void SkinnerMainForm::Button5Click() {
    colPanel_->hide();
    visiBar_->hide();
    colLab1_->hide();
    colLab2_->hide();
    visiBut_->show();
    coverUnderPanel(false);
    if (colBut_->isEnabled()) colBut_->setFocus(Qt::OtherFocusReason);
}

void SkinnerMainForm::SaveSkinClick() {
    run([&] {
        const std::optional<SaveTarget> target = dialogs_->chooseSaveTarget(saveStartDirectory());
        if (!target) return;
        // The folder and its archive land together or not at all.
        SaveRequest request;
        request.parent = target->directory, request.skinName = target->name;
        const std::filesystem::path folder = Workbench::skinDirectoryFor(request.parent, request.skinName);
        if (target->wsz) request.archive = folder.parent_path() / (folder.filename().string() + ".wsz");
        bench_.save(request);
        std::optional<std::string> archive;
        if (target->wsz) archive = request.archive.string();
        dialogs_->showSaved(folder.string(), archive);
    });
}

void SkinnerMainForm::Button1Click() { quit(); }

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
    if (bench_.workflow() != WorkflowState::Made) return;
    visiBar_->show();
    visiBar_->setFocus(Qt::OtherFocusReason);  // the button goes, the keyboard moves on to the bar
    visiBut_->hide();
    colLab1_->show();
    colLab2_->show();
    run([&] { bench_.paintVisBar(); });
}

void SkinnerMainForm::visiBarMouseDown(int x, int y) {
    if (bench_.workflow() != WorkflowState::Made) return;
    run([&] { vk::visiBarMouseDown(bench_, getColor_, x, y); });
}

void SkinnerMainForm::ColoursFromPicture1Click() {
    if (bench_.workflow() != WorkflowState::Made) return;
    run([&] { bench_.coloursFromPicture(); });
}

void SkinnerMainForm::PlayerPreview1Click() {
    if (!preview_) {
        preview_ = new PlayerPreview(bench_, this);
        preview_->setFont(font());
        preview_->passKey = [this](const QKeySequence& keys) { return runShortcut(keys); };
        preview_->move(frameGeometry().topRight() + QPoint(8, 0));
    }
    preview_->show();
    preview_->raise();
}

void SkinnerMainForm::About1Click() { dialogs_->showAbout(); }

} // namespace vk
