// The main window driven by its buttons, with scripted dialogs: what it shows,
// which buttons it enables, where it moves the canvases, what it writes.
#include "app/qt/PictureIntake.h"
#include "app/Workbench.h"
#include "app/window/PlayerPreview.h"
#include "app/window/SkinnerMainForm.h"
#include "tests/app/WorkbenchAccess.h"
#include "raster/Bmp.h"
#include "tests/window/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>

using namespace vk;
using vk::testing::ScriptedDialogs;
namespace fs = std::filesystem;

namespace {

::testing::AssertionResult shows(const QLabel* view, const Image& image, int rows) {
    if (!view) return ::testing::AssertionFailure() << "no such view";
    const QImage shown = view->pixmap().toImage();
    if (shown.width() != image.width() || shown.height() != rows)
        return ::testing::AssertionFailure() << "shown size " << shown.width() << "x" << shown.height();
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb s = shown.pixel(x, y);
            const TColor c = image.pixel(x, y);
            if (rgb(qRed(s), qGreen(s), qBlue(s)) != c)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
        }
    return ::testing::AssertionSuccess();
}

bool same(const Image& a, const Image& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

TColor shownPixel(const QLabel* view, int x, int y) {
    const QRgb s = view->pixmap().toImage().pixel(x, y);
    return rgb(qRed(s), qGreen(s), qBlue(s));
}

// Row y of the picture is rgb(y % 256, 255 - y % 256, x % 256): any row
// taken from the wrong place shows.
Image rowCodedPicture(int width, int height) {
    Image picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, rgb(y % 256, 255 - y % 256, x % 256));
    return picture;
}

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        form = std::make_unique<SkinnerMainForm>(std::move(scripted));
        form->show();
    }

    template <typename W = QWidget>
    W* find(const char* name) {
        W* widget = form->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLabel* view(const char* name) { return find<QLabel>(name); }

    // Clicks like a user: only a shown, enabled button reacts. A picture
    // being decoded is waited for.
    void click(const char* name) {
        QAbstractButton* button = find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible()) << name << " is hidden";
        ASSERT_TRUE(button->isEnabled()) << name << " is disabled";
        button->click();
        settle();
    }
    void settle() {
        for (int i = 0; i < 1000 && form->loading(); ++i) QTest::qWait(5);
        ASSERT_FALSE(form->loading()) << "the picture never arrived";
    }
    // The caption a user reads: the mnemonic marker left out.
    static QString shownCaption(const QWidget* widget) {
        return qobject_cast<const QAbstractButton*>(widget)->text().remove('&');
    }

    void expectWorkflow(WorkflowState state) {
        const bool made = state == WorkflowState::Made;
        EXPECT_EQ(find("MakeSkin")->isEnabled(), !made);
        EXPECT_EQ(find("Revert")->isEnabled(), made);
        EXPECT_EQ(find("colBut")->isEnabled(), made);
        EXPECT_EQ(find("SaveSkin")->isEnabled(), made);
        EXPECT_EQ(form->bench().workflow(), state);
    }

    void expectShowsWorkbench() {
        EXPECT_TRUE(shows(view("mainWindow"), form->bench().document().mainWindow, 116));
        EXPECT_TRUE(shows(view("eqMain"), form->bench().document().templates.eqMain, 116));
        EXPECT_TRUE(shows(view("plShow"), form->bench().document().plShow, 116));
    }

    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<SkinnerMainForm> form;
    QTemporaryDir temp;
};

TEST_F(MainWindowTest, FrameIsAFixedSilverWindowWithAViewAndAHelpMenu) {
    EXPECT_EQ(form->windowTitle(), "vellumKit");
    QWidget* client = form->centralWidget();
    EXPECT_EQ(client->size(), QSize(496, 381));
    EXPECT_EQ(client->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowSystemMenuHint));

    // The program's own icon at the usual sizes, its white bevel at the top left.
    const QIcon icon = form->windowIcon();
    for (int size : {16, 32, 48}) EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_EQ(icon.pixmap(32, 32).toImage().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(icon.pixmap(32, 32).toImage().pixel(31, 31), qRgb(64, 64, 64));

    const QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), "&View");
    EXPECT_EQ(menus[1]->text(), "P&icture");
    EXPECT_EQ(menus[2]->text(), "&Help");
    const QList<QAction*> items = menus[2]->menu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "&Contents");
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(items[1]->text(), "&About");
}

TEST_F(MainWindowTest, ControlsStandWhereTheUserLooksForThem) {
    struct Expected {
        const char* name;
        const char* caption;  // null for controls without text
        QRect geometry;       // relative to the control's parent
    };
    const Expected controls[] = {
        {"mainWindow", nullptr, {8, 16, 275, 116}},
        {"eqMain", nullptr, {8, 136, 275, 116}},
        {"plShow", nullptr, {8, 256, 275, 116}},
        {"Bevel1", nullptr, {0, 0, 496, 2}},
        {"Button2", "Get Bitmap", {296, 16, 81, 22}},
        {"get2", "Get Bitmap", {296, 136, 81, 22}},
        {"get3", "Get Bitmap", {296, 256, 81, 22}},
        {"Panel3", nullptr, {392, 16, 97, 65}},
        {"Panel1", nullptr, {392, 88, 97, 49}},
        {"Panel2", nullptr, {392, 144, 97, 49}},
        {"MakeSkin", "MakeSkin", {392, 208, 97, 22}},
        {"Revert", "Undo", {392, 240, 97, 22}},
        {"colBut", "ColorTools", {392, 272, 97, 22}},
        {"SaveSkin", "SaveSkin", {392, 304, 97, 22}},
        {"Button1", "Quit", {392, 336, 97, 22}},
        {"colPanel", nullptr, {296, 8, 193, 369}},
        {"Button3", "Window Background", {0, 8, 113, 22}},
        {"ForeBut", "Text Color", {0, 32, 113, 22}},
        {"changeMainSlider", "Volume and Balance", {0, 56, 113, 22}},
        {"visiBut", "Visualization", {0, 80, 113, 22}},
        {"colLab2", nullptr, {24, 80, 161, 25}},
        {"Button8", "Equalizer Background", {0, 112, 113, 22}},
        {"Button9", "Equalizer Foreground", {0, 136, 113, 22}},
        {"Button10", "Equalizer Highlight", {0, 160, 113, 22}},
        {"changeEqSliders", "Equalizer Sliders", {0, 184, 113, 22}},
        {"Button4", "Normal Background", {0, 216, 113, 22}},
        {"pl", "Normal Song Title", {0, 240, 113, 22}},
        {"Button6", "Current Song Title", {0, 264, 113, 22}},
        {"Button7", "Selected Background", {0, 288, 113, 22}},
        {"changePlSlider", "Play List Slider", {0, 312, 113, 22}},
        {"Button5", "Back", {0, 344, 113, 22}},
        {"visiBar", nullptr, {160, 16, 20, 340}},
    };
    for (const Expected& control : controls) {
        SCOPED_TRACE(control.name);
        QWidget* widget = find(control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), control.geometry);
        if (control.caption) {
            EXPECT_EQ(shownCaption(widget), control.caption);
            EXPECT_FALSE(widget->toolTip().isEmpty());
        }
    }
    const struct {
        const char* name;
        const char* caption;
        QPoint position;
        bool chosen;
    } radios[] = {
        {"threeWin", "3 Windows", {8, 8}, true},    {"twoWin", "Two + One", {8, 24}, false},
        {"oneWin", "Continuous", {8, 40}, false},   {"full3D", "Full 3D Skin", {8, 8}, true},
        {"butsOnly", "Buttons Only", {8, 24}, false}, {"RadioButton1", "Raise Frame", {8, 8}, true},
        {"sinkBut", "Sink Frame", {8, 24}, false},
    };
    for (const auto& radio : radios) {
        SCOPED_TRACE(radio.name);
        auto* button = find<QRadioButton>(radio.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(shownCaption(button), radio.caption);
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_EQ(button->pos(), radio.position);
        EXPECT_EQ(button->isChecked(), radio.chosen);
    }
    EXPECT_EQ(find<QLabel>("colLab1")->text(), "Click on color to alter");
    EXPECT_EQ(find("colLab1")->pos(), QPoint(32, 84));
}

TEST_F(MainWindowTest, FreshStartShowsTheDefaultPictureThreeTimesWithOnlyMakeSkinEnabled) {
    const Image& first = form->bench().document().templates.firstImage;
    EXPECT_TRUE(shows(view("mainWindow"), first, 116));
    EXPECT_TRUE(shows(view("eqMain"), first, 116));
    EXPECT_TRUE(shows(view("plShow"), first, 116));
    expectWorkflow(WorkflowState::NotMade);
    EXPECT_FALSE(find("colPanel")->isVisible());
    EXPECT_TRUE(find("get2")->isVisible());
    EXPECT_TRUE(find("get3")->isVisible());
}

TEST_F(MainWindowTest, MakeSkinShowsTheMadeSkinUnderABusyCursorAndSwitchesToMade) {
    std::optional<Qt::CursorShape> cursorWhileBusy;
    auto beginBusy = form->bench().beginBusy;
    form->bench().beginBusy = [&] {
        beginBusy();
        cursorWhileBusy = QApplication::overrideCursor()->shape();
    };
    click("MakeSkin");

    EXPECT_EQ(cursorWhileBusy, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    expectWorkflow(WorkflowState::Made);
    EXPECT_FALSE(shows(view("mainWindow"), form->bench().document().templates.firstImage, 116));
    expectShowsWorkbench();
}

TEST_F(MainWindowTest, ButtonsOnlyAndSinkFrameReachTheNextMakeSkin) {
    click("butsOnly");
    click("sinkBut");
    EXPECT_FALSE(form->bench().document().options.full3D);
    EXPECT_TRUE(form->bench().document().options.sinkFrame);
    click("MakeSkin");
    EXPECT_TRUE(form->bench().document().state.buttonsOnly);
    click("full3D");
    click("MakeSkin");
    EXPECT_FALSE(form->bench().document().state.buttonsOnly);
}

TEST_F(MainWindowTest, EveryOptionChangeAndUndoThrowTheMadeSkinAway) {
    for (const char* command : {"sinkBut", "RadioButton1", "butsOnly", "full3D", "Revert"}) {
        SCOPED_TRACE(command);
        click("MakeSkin");
        expectWorkflow(WorkflowState::Made);
        click(command);
        expectWorkflow(WorkflowState::NotMade);
        EXPECT_TRUE(shows(view("mainWindow"), form->bench().document().templates.firstImage, 116));
    }
}

TEST_F(MainWindowTest, ChoosingTheChosenRadioAgainKeepsTheSkin) {
    click("MakeSkin");
    find<QRadioButton>("RadioButton1")->setChecked(true);
    find<QRadioButton>("threeWin")->setChecked(true);
    expectWorkflow(WorkflowState::Made);
}

TEST_F(MainWindowTest, LayoutRadiosMoveTheCanvasesAndHideTheGetBitmapButtonsWithoutAPicture) {
    const struct {
        const char* radio;
        int eqTop, plTop;
        bool get2Shown, get3Shown;
        LayoutMode mode;
    } layouts[] = {
        {"twoWin", 132, 252, false, true, LayoutMode::TwoPlusOne},
        {"oneWin", 132, 248, false, false, LayoutMode::Continuous},
        {"threeWin", 136, 256, true, true, LayoutMode::ThreeWindows},
        {"oneWin", 132, 248, false, false, LayoutMode::Continuous},
        {"twoWin", 132, 252, false, true, LayoutMode::TwoPlusOne},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.radio);
        click("MakeSkin");
        click(layout.radio);
        EXPECT_EQ(find("mainWindow")->pos(), QPoint(8, 16));
        EXPECT_EQ(find("eqMain")->pos(), QPoint(8, layout.eqTop));
        EXPECT_EQ(find("plShow")->pos(), QPoint(8, layout.plTop));
        EXPECT_EQ(find("get2")->isVisible(), layout.get2Shown);
        EXPECT_EQ(find("get3")->isVisible(), layout.get3Shown);
        EXPECT_EQ(find("get2")->pos(), QPoint(296, 136));
        EXPECT_EQ(find("get3")->pos(), QPoint(296, 256));
        EXPECT_EQ(form->bench().document().options.layout, layout.mode);
        expectWorkflow(WorkflowState::NotMade);
        expectShowsWorkbench();
    }
}

TEST_F(MainWindowTest, GetBitmapLoadsEachWindowsPicture) {
    const fs::path dir = temp.path().toStdString();
    const Image tall = rowCodedPicture(275, 232);
    const Image eq = rowCodedPicture(275, 116);
    Image pl = rowCodedPicture(275, 116);
    pl.setPixel(0, 0, kWhite);
    writeFile(dir / "tall.bmp", encodeBmp(tall));
    writeFile(dir / "eq.bmp", encodeBmp(eq));
    writeFile(dir / "pl.bmp", encodeBmp(pl));

    dialogs->pictures = {(dir / "eq.bmp").string(), (dir / "pl.bmp").string()};
    click("MakeSkin");
    click("get2");
    expectWorkflow(WorkflowState::NotMade);
    click("get3");
    EXPECT_TRUE(shows(view("mainWindow"), form->bench().document().templates.firstImage, 116));
    EXPECT_TRUE(shows(view("eqMain"), eq, 116));
    EXPECT_TRUE(shows(view("plShow"), pl, 116));

    // "Two + One": the main picture spreads over the main and equaliser windows.
    click("twoWin");
    dialogs->pictures = {(dir / "tall.bmp").string()};
    click("Button2");
    for (int y : {0, 115}) {
        EXPECT_EQ(shownPixel(view("mainWindow"), 7, y), tall.pixel(7, y)) << y;
        EXPECT_EQ(shownPixel(view("eqMain"), 7, y), tall.pixel(7, 116 + y)) << y;
    }
    EXPECT_TRUE(shows(view("plShow"), pl, 116));
    EXPECT_EQ(dialogs->pictureRequests, 3);
}

TEST_F(MainWindowTest, CancelledGetBitmapLeavesTheMadeSkin) {
    click("MakeSkin");
    const Image made = form->bench().document().mainWindow;
    for (const char* button : {"Button2", "get2", "get3"}) {
        click(button);
        expectWorkflow(WorkflowState::Made);
        EXPECT_TRUE(shows(view("mainWindow"), made, 116));
    }
    EXPECT_EQ(dialogs->pictureRequests, 3);
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(MainWindowTest, AFailedLoadShowsTheReasonWithAFullStopAndChangesNothing) {
    const fs::path dir = temp.path().toStdString();
    writeFile(dir / "garbage.bmp", {'B', 'M', 1, 2, 3, 4, 5});
    const std::string missing = (dir / "missing.bmp").string();
    const struct {
        std::string file;
        std::string message;
    } failures[] = {
        {missing, "Cannot open file " + missing + "."},
        {(dir / "garbage.bmp").string(), "Bitmap image is not valid: the file ends before the picture does."},
    };
    click("MakeSkin");
    const Image made = form->bench().document().mainWindow;
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.file);
        dialogs->errors.clear();
        dialogs->pictures = {failure.file};
        click("Button2");
        ASSERT_EQ(dialogs->errors.size(), 1u);
        EXPECT_EQ(dialogs->errors[0], failure.message);
        expectWorkflow(WorkflowState::Made);
        EXPECT_TRUE(shows(view("mainWindow"), made, 116));
    }
}

TEST_F(MainWindowTest, ColourPanelOpensClosesAndNeverReopensWithTheBar) {
    QWidget* panel = find("colPanel");
    click("MakeSkin");
    click("colBut");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(find("visiBut")->isVisible());
    for (const char* hidden : {"visiBar", "colLab1", "colLab2"}) EXPECT_FALSE(find(hidden)->isVisible()) << hidden;
    // It lies over the whole right-hand column.
    QWidget* atMakeSkin = form->centralWidget()->childAt(find("MakeSkin")->geometry().center());
    EXPECT_TRUE(atMakeSkin == panel || panel->isAncestorOf(atMakeSkin));

    click("visiBut");
    EXPECT_FALSE(find("visiBut")->isVisible());
    for (const char* shown : {"visiBar", "colLab1", "colLab2"}) EXPECT_TRUE(find(shown)->isVisible()) << shown;
    const SkinState& state = form->bench().document().state;
    EXPECT_EQ(shownPixel(view("visiBar"), 5, 5), state.visColour(17));
    EXPECT_EQ(shownPixel(view("visiBar"), 5, 14), kSilver);
    EXPECT_EQ(shownPixel(view("visiBar"), 5, 25), state.visColour(1));
    EXPECT_EQ(shownPixel(view("visiBar"), 5, 330), state.visColour(16));

    click("Button5");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(find("visiBut")->isVisibleTo(panel));
    for (const char* hidden : {"visiBar", "colLab1", "colLab2"}) EXPECT_FALSE(find(hidden)->isVisibleTo(panel));
    expectWorkflow(WorkflowState::Made);

    click("colBut");
    EXPECT_TRUE(find("visiBut")->isVisible());
    EXPECT_FALSE(find("visiBar")->isVisible());
}

TEST_F(MainWindowTest, ColourDialogOpensWithTheLastConfirmedColourWhicheverPickerAsks) {
    const TColor red = rgb(255, 0, 0), blue = rgb(0, 0, 255);
    click("MakeSkin");
    click("colBut");
    dialogs->colours = {red, std::nullopt, blue};
    click("Button3");      // Window Background: red
    click("ForeBut");      // Text Color: cancelled
    click("changeEqSliders");  // blue knobs
    click("pl");           // Normal Song Title: nothing scripted, cancelled

    EXPECT_EQ(dialogs->colourInitials, (std::vector<TColor>{kBlack, red, red, blue}));
    const SkinState& state = form->bench().document().state;
    EXPECT_EQ(state.winBackColour, red);
    EXPECT_EQ(state.winTextColour, SkinState{}.winTextColour);
    EXPECT_EQ(state.plNormalColour, SkinState{}.plNormalColour);
    EXPECT_EQ(form->bench().document().templates.eqMain.pixel(25, 67), blue);  // inside the preamp knob
    expectShowsWorkbench();
    expectWorkflow(WorkflowState::Made);
}

TEST_F(MainWindowTest, EachColourButtonSetsItsOwnSettingAndTheWindowShowsTheRepaint) {
    const struct {
        const char* button;
        TColor SkinState::*setting;
    } pickers[] = {
        {"Button3", &SkinState::winBackColour},      {"ForeBut", &SkinState::winTextColour},
        {"Button8", &SkinState::eqBackColour},       {"Button9", &SkinState::eqForeColour},
        {"Button10", &SkinState::eqHighlightColour}, {"Button4", &SkinState::plNormalBgColour},
        {"pl", &SkinState::plNormalColour},          {"Button6", &SkinState::plCurrentColour},
        {"Button7", &SkinState::plSelectedBgColour},
    };
    click("MakeSkin");
    click("colBut");
    int n = 0;
    for (const auto& picker : pickers) {
        SCOPED_TRACE(picker.button);
        const TColor colour = rgb(10 + n, 20 + n, 30 + n);
        ++n;
        const SkinState before = form->bench().document().state;
        dialogs->colours = {colour};
        click(picker.button);
        const SkinState& after = form->bench().document().state;
        EXPECT_EQ(after.*picker.setting, colour);
        for (const auto& other : pickers)
            if (other.setting != picker.setting) {
                EXPECT_EQ(after.*other.setting, before.*other.setting) << other.button;
            }
        expectShowsWorkbench();
    }
    // The playlist background is shown at once in the preview.
    EXPECT_FALSE(shows(view("plShow"), form->bench().document().templates.firstImage, 116));
}

TEST_F(MainWindowTest, VolumeKnobRestylingShowsInTheMainWindow) {
    const TColor grey = rgb(64, 64, 64);
    click("MakeSkin");
    click("colBut");
    const Image before = form->bench().document().mainWindow;
    click("changeMainSlider");  // cancelled: nothing drawn
    EXPECT_TRUE(shows(view("mainWindow"), before, 116));
    dialogs->colours = {grey};
    click("changeMainSlider");
    EXPECT_EQ(shownPixel(view("mainWindow"), 133 + 7, 58 + 5), grey);
    EXPECT_EQ(shownPixel(view("mainWindow"), 189 + 7, 58 + 5), grey);
    expectShowsWorkbench();
}

TEST_F(MainWindowTest, ClicksOnTheVisualisationBarPickTheEntryUnderThePointer) {
    const struct {
        int y;
        int entry;
        Qt::MouseButton button;
    } clicks[] = {
        {5, 17, Qt::LeftButton}, {19, 17, Qt::RightButton}, {20, 1, Qt::LeftButton},
        {39, 1, Qt::MiddleButton}, {40, 2, Qt::LeftButton}, {339, 16, Qt::RightButton},
    };
    click("MakeSkin");
    click("colBut");
    click("visiBut");
    QLabel* bar = view("visiBar");
    TColor last = kBlack;
    int n = 0;
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.y);
        const TColor colour = rgb(100 + n, 50, 200 - n);
        ++n;
        dialogs->colours = {colour};
        const auto before = form->bench().document().state.visColours;
        QTest::mouseClick(bar, c.button, {}, QPoint(13, c.y));
        EXPECT_EQ(dialogs->colourInitials.back(), last);
        last = colour;
        auto expected = before;
        expected.at(std::size_t(c.entry - 1)) = colour;
        EXPECT_EQ(form->bench().document().state.visColours, expected);
        const int interiorRow = c.entry == 17 ? 4 : 20 * c.entry + 9;
        EXPECT_EQ(shownPixel(bar, 10, interiorRow), colour);
    }
    // A cancelled dialog changes nothing.
    const auto before = form->bench().document().state.visColours;
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, 100));
    EXPECT_EQ(form->bench().document().state.visColours, before);
}

TEST_F(MainWindowTest, TheKeyboardPicksVisualisationColoursBandByBand) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    click("MakeSkin");
    click("colBut");
    click("visiBut");
    QWidget* bar = find("visiBar");
    EXPECT_TRUE(bar->hasFocus()) << "the keyboard moves from the button to the bar";
    const TColor first = rgb(1, 2, 3), second = rgb(4, 5, 6), third = rgb(7, 8, 9);
    dialogs->colours = {first, second, third};
    QTest::keyClick(bar, Qt::Key_Space);  // the top band: the peak colour
    QTest::keyClick(bar, Qt::Key_Down);
    QTest::keyClick(bar, Qt::Key_Down);
    QTest::keyClick(bar, Qt::Key_Return);  // entry 2
    QTest::keyClick(bar, Qt::Key_Up);
    QTest::keyClick(bar, Qt::Key_Up);
    QTest::keyClick(bar, Qt::Key_Up);
    QTest::keyClick(bar, Qt::Key_Space);  // round to the bottom: entry 16
    const auto& colours = form->bench().document().state.visColours;
    EXPECT_EQ(colours[16], first);
    EXPECT_EQ(colours[1], second);
    EXPECT_EQ(colours[15], third);
    EXPECT_EQ(dialogs->colourInitials.size(), 3u);
}

TEST_F(MainWindowTest, SaveSkinWritesTheSixteenFilesAndStaysMade) {
    const fs::path parent = temp.path().toStdString();
    click("MakeSkin");
    click("colBut");
    dialogs->colours = {rgb(10, 11, 12)};
    click("Button3");
    click("Button5");
    dialogs->saveTargets = {SaveTarget{parent.string(), "Sky"}};
    click("SaveSkin");

    ASSERT_TRUE(dialogs->errors.empty()) << dialogs->errors[0];
    ASSERT_EQ(dialogs->saved.size(), 1u);
    EXPECT_EQ(dialogs->saved[0].first, (parent / "Sky").string());
    EXPECT_EQ(dialogs->saved[0].second, std::nullopt);
    EXPECT_FALSE(fs::exists(parent / "Sky.wsz"));
    ASSERT_EQ(dialogs->saveStarts.size(), 1u);
    std::error_code ec;
    EXPECT_EQ(dialogs->saveStarts[0], fs::current_path(ec).string());
    const fs::path skin = parent / "Sky";
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(skin)) ++files;
    EXPECT_EQ(files, 16);
    for (const char* name : {"main.bmp", "titlebar.bmp", "volume.bmp", "balance.bmp", "posBar.bmp", "monoSter.bmp",
                             "shufRep.bmp", "cButtons.bmp", "eqMain.bmp", "plEdit.bmp", "eq_ex.bmp", "playPaus.bmp",
                             "text.bmp", "nums_ex.bmp", "viscolor.txt", "plEdit.txt"})
        EXPECT_TRUE(fs::is_regular_file(skin / name)) << name;
    std::ifstream main(skin / "main.bmp", std::ios::binary);
    const std::vector<std::uint8_t> mainBytes{std::istreambuf_iterator<char>(main), {}};
    EXPECT_EQ(mainBytes, encodeBmp(form->bench().document().mainWindow));
    std::ifstream vis(skin / "viscolor.txt", std::ios::binary);
    std::string firstLine;
    std::getline(vis, firstLine);
    EXPECT_EQ(firstLine, "10,11,12,\r");
    expectWorkflow(WorkflowState::Made);
}

TEST_F(MainWindowTest, SaveSkinWritesTheArchiveBesideTheFolderAndSaysWhereBothWent) {
    const fs::path parent = temp.path().toStdString();
    click("MakeSkin");
    dialogs->saveTargets = {SaveTarget{parent.string(), "Sky", true}};
    click("SaveSkin");
    ASSERT_TRUE(dialogs->errors.empty()) << dialogs->errors[0];
    const fs::path archive = parent / "Sky.wsz";
    ASSERT_TRUE(fs::is_regular_file(archive));
    std::ifstream in(archive, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<std::uint8_t>{'P', 'K', 3, 4}));
    ASSERT_EQ(dialogs->saved.size(), 1u);
    EXPECT_EQ(dialogs->saved[0].first, (parent / "Sky").string());
    EXPECT_EQ(dialogs->saved[0].second, archive.string());
}

TEST_F(MainWindowTest, AnArchiveThatCannotBeWrittenLeavesNoNewFolder) {
    const fs::path parent = temp.path().toStdString();
    const fs::path archive = parent / "Sky.wsz";
    fs::create_directories(archive / "taken");  // a folder where the archive goes
    click("MakeSkin");
    dialogs->saveTargets = {SaveTarget{parent.string(), "Sky", true}};
    click("SaveSkin");
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], "Cannot create file " + archive.string() + ".");
    EXPECT_TRUE(dialogs->saved.empty());
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(parent)) left.push_back(entry.path());
    EXPECT_EQ(left, std::vector<fs::path>{archive});  // neither the folder nor a temporary file
    expectWorkflow(WorkflowState::Made);
}

TEST_F(MainWindowTest, CancelledSaveWritesNothing) {
    const fs::path parent = temp.path().toStdString();
    click("MakeSkin");
    click("SaveSkin");
    EXPECT_EQ(dialogs->saveStarts.size(), 1u);
    EXPECT_TRUE(fs::is_empty(parent));
    EXPECT_TRUE(dialogs->errors.empty());
    expectWorkflow(WorkflowState::Made);
}

TEST_F(MainWindowTest, SaveIntoAMissingParentReportsCannotCreate) {
    const fs::path parent = fs::path(temp.path().toStdString()) / "missing";
    click("MakeSkin");
    dialogs->saveTargets = {SaveTarget{parent.string(), "Sky"}};
    click("SaveSkin");
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], "Cannot create" + (parent / "Sky").string() + ".");
    EXPECT_FALSE(fs::exists(parent));
    expectWorkflow(WorkflowState::Made);
}

TEST_F(MainWindowTest, HelpLooksInTheStartDirectoryThenBesideTheProgramAndReportsWhatFails) {
    const fs::path start = temp.path().toStdString();
    docOf(form->bench()).state.startDirectory = start.string();
    QAction* contents = form->findChild<QAction*>("Contents1");
    ASSERT_NE(contents, nullptr);

    // None anywhere: the error box names every place looked in.
    const std::vector<std::string> places = helpDirectories(start.string());
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0], start.string());
    EXPECT_EQ(places[1], QCoreApplication::applicationDirPath().toStdString());
    EXPECT_EQ(fs::path(places[2]), fs::path(places[1]).parent_path() / "share" / "vellumkit");
    contents->trigger();
    EXPECT_TRUE(dialogs->helpFiles.empty());
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], "Cannot find the help file vellumKit.HLP in " + places[0] + ", " + places[1] + ", " +
                                      places[2] + ".");

    // F1 opens the start directory's guide.
    const std::string guide = (start / "vellumKit.HLP").string();
    std::ofstream(guide) << "<html><body>guide</body></html>";
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F1);
    ASSERT_EQ(dialogs->helpFiles, std::vector<std::string>{guide});

    dialogs->errors.clear();
    dialogs->helpShown = false;
    contents->trigger();
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], "Cannot show the help file " + guide + ".");
}

TEST_F(MainWindowTest, AboutShowsTheAboutBox) {
    QAction* about = form->findChild<QAction*>("About1");
    ASSERT_NE(about, nullptr);
    about->trigger();
    EXPECT_EQ(dialogs->aboutShown, 1);
}

// --- the colour panel keeps everything it covers out of reach ------------------

// A mnemonic presses its button like a mouse would, a moment later.
constexpr int kMnemonicDelay = 150;

class CoveredByPanelTest : public MainWindowTest {
protected:
    CoveredByPanelTest() {
        form->quit = [this] { ++quits; };
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        click("MakeSkin");
        openPanel();
    }
    void openPanel() {
        if (!find("colPanel")->isVisible()) click("colBut");
        ASSERT_TRUE(find("colPanel")->isVisible());
    }
    bool inPanel(const QWidget* widget) { return widget && find("colPanel")->isAncestorOf(widget); }
    // Nothing the panel covers has acted.
    void expectNothingBehindActed() {
        EXPECT_EQ(quits, 0);
        EXPECT_TRUE(dialogs->saveStarts.empty());
        EXPECT_EQ(dialogs->pictureRequests, 0);
        for (const char* chosen : {"threeWin", "full3D", "RadioButton1"})
            EXPECT_TRUE(find<QRadioButton>(chosen)->isChecked()) << chosen;
        expectWorkflow(WorkflowState::Made);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        if (modifiers & Qt::AltModifier) QTest::qWait(kMnemonicDelay);
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }
    int quits = 0;
};

TEST_F(CoveredByPanelTest, TabAndShiftTabWalkOnlyThePanelsControls) {
    for (const QWidget* widget : form->findChildren<QWidget*>())
        if ((widget->focusPolicy() & Qt::TabFocus) && !inPanel(widget)) {
            EXPECT_FALSE(widget->isVisible() && widget->isEnabled()) << widget->objectName().toStdString();
        }
    for (int key : {int(Qt::Key_Tab), int(Qt::Key_Backtab)}) {
        QSet<QWidget*> seen;
        for (int step = 0; step < 40; ++step) {
            press(key);
            QWidget* focus = QApplication::focusWidget();
            ASSERT_TRUE(inPanel(focus)) << "step " << step << ": " << (focus ? focus->objectName().toStdString() : "none");
            seen.insert(focus);
        }
        EXPECT_EQ(seen.size(), 14) << "all the panel's buttons, and no more";
    }
    expectNothingBehindActed();
}

TEST_F(CoveredByPanelTest, NoMnemonicOrShortcutReachesWhatThePanelCovers) {
    std::vector<int> keys;
    for (int key = Qt::Key_0; key <= Qt::Key_9; ++key) keys.push_back(key);
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) keys.push_back(key);
    for (int key : keys) {
        SCOPED_TRACE(key);
        press(key, Qt::AltModifier);
        openPanel();  // Alt+B is the panel's own Back
        expectNothingBehindActed();
    }
    for (int key : {int(Qt::Key_O), int(Qt::Key_S), int(Qt::Key_Z), int(Qt::Key_Q)}) {
        press(key, Qt::ControlModifier);
        expectNothingBehindActed();
    }
    // The three key sequences, each from a freshly opened panel.
    const std::vector<std::vector<int>> sequences{{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space},
                                                  {Qt::Key_Tab, Qt::Key_Space},
                                                  {std::vector<int>(22, Qt::Key_Tab)}};
    for (std::vector<int> sequence : sequences) {
        if (sequence.size() == 22) sequence.push_back(Qt::Key_Down);
        click("Button5");
        openPanel();
        for (int key : sequence) press(key);
        openPanel();
        expectNothingBehindActed();
    }
}

TEST_F(CoveredByPanelTest, BackGivesTheKeysBackAndLosingTheSkinClosesThePanel) {
    click("Button5");
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
    press(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(dialogs->saveStarts.size(), 1u);
    press(Qt::Key_O, Qt::ControlModifier);
    settle();
    EXPECT_EQ(dialogs->pictureRequests, 1);

    // However the skin stops being made, the panel goes and no colour command runs.
    openPanel();
    form->RevertClick();
    EXPECT_FALSE(find("colPanel")->isVisible());
    EXPECT_TRUE(find("MakeSkin")->isVisible());
    const SkinState before = form->bench().document().state;
    dialogs->colours = {rgb(1, 2, 3), rgb(1, 2, 3), rgb(1, 2, 3)};
    form->Button3Click();
    form->changeMainSliderClick();
    form->visiBarMouseDown(5, 5);
    form->colButClick();
    EXPECT_TRUE(dialogs->colourInitials.empty());
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(form->bench().document().state.winBackColour, before.winBackColour);
    EXPECT_FALSE(find("colPanel")->isVisible());
}

// --- keyboard, drops, busy state, zoom ------------------------------------------

TEST_F(MainWindowTest, ShortcutsAndMnemonicsRunTheirButtons) {
    int quits = 0;
    form->quit = [&] { ++quits; };
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    // A mnemonic clicks its button a moment later, later still on a busy machine: wait for what it does.
    auto alt = [&](Qt::Key key, const std::function<bool()>& done) {
        QTest::keyClick(form.get(), key, Qt::AltModifier);
        for (int waited = 0; waited < 5000 && !done(); waited += 10) QTest::qWait(10);
    };
    const auto made = [&] { return form->bench().workflow() == WorkflowState::Made; };
    alt(Qt::Key_M, made);
    expectWorkflow(WorkflowState::Made);
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    expectWorkflow(WorkflowState::NotMade);
    alt(Qt::Key_K, [&] { return find<QRadioButton>("sinkBut")->isChecked(); });
    EXPECT_TRUE(find<QRadioButton>("sinkBut")->isChecked());
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs->pictureRequests, 1);
    alt(Qt::Key_M, made);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs->saveStarts.size(), 1u);
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(find("SaveSkin")->toolTip().endsWith("(Ctrl+S)"));
}

class DropTest : public MainWindowTest {
protected:
    void drop(const char* canvas, QMimeData& data) {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(find(canvas), &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(find(canvas), &event);
        settle();
    }
    void dropFile(const char* canvas, const fs::path& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
        drop(canvas, data);
    }
};

TEST_F(DropTest, APictureDroppedOnACanvasIsThatCanvassGetBitmap) {
    const fs::path dir = temp.path().toStdString();
    const struct {
        const char* layout;
        const char* canvas;
        Image SourcePictures::*slot;
    } drops[] = {
        {"threeWin", "eqMain", &SourcePictures::equaliser}, {"threeWin", "plShow", &SourcePictures::playlist},
        {"twoWin", "eqMain", &SourcePictures::main},        {"twoWin", "plShow", &SourcePictures::playlist},
        {"oneWin", "plShow", &SourcePictures::main},        {"oneWin", "mainWindow", &SourcePictures::main},
    };
    int n = 0;
    for (const auto& d : drops) {
        SCOPED_TRACE(std::string(d.layout) + " " + d.canvas);
        click(d.layout);
        Image picture = rowCodedPicture(275, 116);
        picture.setPixel(0, 0, rgb(++n, 0, 0));  // each drop its own picture
        const fs::path file = dir / ("p" + std::to_string(n) + ".bmp");
        writeFile(file, encodeBmp(picture));
        const SourcePictures before = form->bench().document().state.sourcePictures;
        dropFile(d.canvas, file);
        EXPECT_TRUE(dialogs->errors.empty());
        const SourcePictures& pictures = form->bench().document().state.sourcePictures;
        EXPECT_TRUE(same(pictures.*d.slot, picture));
        for (auto other : {&SourcePictures::main, &SourcePictures::equaliser, &SourcePictures::playlist})
            if (other != d.slot) {
                EXPECT_TRUE(same(pictures.*other, before.*other));
            }
    }
    EXPECT_EQ(dialogs->pictureRequests, 0);
}

TEST_F(DropTest, AnythingElseDroppedIsRefusedWithTheReason) {
    const fs::path dir = temp.path().toStdString();
    std::ofstream(dir / "notes.txt") << "not a picture";
    const SourcePictures before = form->bench().document().state.sourcePictures;
    dropFile("mainWindow", dir / "notes.txt");
    dropFile("mainWindow", dir);
    QMimeData text;
    text.setText("hello");
    drop("eqMain", text);
    QMimeData two;
    two.setUrls({QUrl::fromLocalFile("/a.bmp"), QUrl::fromLocalFile("/b.bmp")});
    drop("plShow", two);
    EXPECT_EQ(dialogs->errors,
              (std::vector<std::string>{"notes.txt is not a picture: drop a BMP, PNG, JPEG or GIF file.",
                                        dir.string() + " is not a file.", "Only a picture file can be dropped here.",
                                        "Drop one picture file at a time, from this computer."}));
    EXPECT_TRUE(same(form->bench().document().state.sourcePictures.main, before.main));
}

TEST_F(MainWindowTest, AGetBitmapDecodesWhileTheWindowWaitsAndEscapeGivesItUp) {
    const fs::path dir = temp.path().toStdString();
    const Image picture = rowCodedPicture(275, 116);
    writeFile(dir / "slow.bmp", encodeBmp(picture));
    std::promise<void> go;
    std::shared_future<void> released = go.get_future().share();
    // However the test ends, no decoder is left waiting.
    struct Release {
        std::promise<void>& go;
        bool sent = false;
        void now() {
            if (!std::exchange(sent, true)) go.set_value();
        }
        ~Release() { now(); }
    } release{go};
    std::atomic<int> decodes{0};
    form->decodePicture = [released, &decodes](const std::string& path) {
        ++decodes;
        released.wait();
        return loadPictureFile(path);
    };
    auto waitFor = [](const std::function<bool()>& done) {
        for (int i = 0; i < 1000 && !done(); ++i) QTest::qWait(5);
        return done();
    };

    // Cancelled: the window is back at once and the late picture is dropped.
    dialogs->pictures = {(dir / "slow.bmp").string(), (dir / "slow.bmp").string()};
    find<QPushButton>("get2")->click();
    ASSERT_TRUE(waitFor([&] { return decodes == 1; }));
    EXPECT_TRUE(form->loading());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    for (const char* control : {"Button2", "get2", "MakeSkin", "Button1", "threeWin"})
        EXPECT_FALSE(find(control)->isEnabled()) << control;
    bool painted = false;  // the event loop runs on while the decoder works
    QTimer::singleShot(0, [&] { painted = true; });
    EXPECT_TRUE(waitFor([&] { return painted; }));
    // A load that lasts says how to give it up.
    EXPECT_TRUE(waitFor([&] { return find("loadingNote")->isVisible(); }));
    EXPECT_EQ(find<QLabel>("loadingNote")->text(), "Loading slow.bmp... Esc cancels");
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->loading());
    EXPECT_FALSE(find("loadingNote")->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(find("get2")->isEnabled());

    // Escape cancels from whichever of the program's windows has the keyboard.
    click("MakeSkin");
    form->PlayerPreview1Click();
    QWidget* preview = form->playerPreview();
    preview->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
    find<QPushButton>("get2")->click();
    ASSERT_TRUE(form->loading());
    QTest::keyClick(preview, Qt::Key_Escape);
    EXPECT_FALSE(form->loading());
    EXPECT_TRUE(preview->isVisible());
    dialogs->pictures = {(dir / "slow.bmp").string()};

    // Another Get Bitmap while the cancelled ones still decode is allowed and arrives.
    find<QPushButton>("get2")->click();
    release.now();  // the pool may hold as few threads as the two decoders cancelled above
    settle();
    EXPECT_EQ(decodes, 3);
    EXPECT_TRUE(same(form->bench().document().state.sourcePictures.equaliser, picture));
    EXPECT_TRUE(shows(view("eqMain"), picture, 116));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(MainWindowTest, ZoomsThatDoNotFitTheScreenAreOfferedDisabled) {
    QAction* zoom2 = form->findChild<QAction*>("Zoom2");
    QAction* zoom3 = form->findChild<QAction*>("Zoom3");
    ASSERT_TRUE(zoom2 && zoom3);
    QRect screenRoom(0, 0, 1280, 1024);
    form->screenArea = [&] { return screenRoom; };
    form->fitZoomsToScreen();
    EXPECT_TRUE(form->findChild<QAction*>("Zoom1")->isEnabled());
    EXPECT_TRUE(zoom2->isEnabled());
    EXPECT_FALSE(zoom3->isEnabled());
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(form->zoom(), 1);

    // Every zoom offered fits: the window at 2x is no larger than the room it was measured against.
    zoom2->trigger();
    ASSERT_EQ(form->zoom(), 2);
    QApplication::processEvents();  // the window takes its new size from its layout
    const QSize at2 = form->frameGeometry().size();
    screenRoom = QRect(QPoint(0, 0), at2);
    form->fitZoomsToScreen();
    EXPECT_EQ(form->zoom(), 2);
    EXPECT_TRUE(zoom2->isEnabled());
    // A screen one row too short: 2x goes and the window steps down to 1x.
    screenRoom.setHeight(at2.height() - 1);
    form->fitZoomsToScreen();
    EXPECT_FALSE(zoom2->isEnabled());
    EXPECT_EQ(form->zoom(), 1);
    EXPECT_EQ(form->centralWidget()->size(), QSize(496, 381));
}

TEST_F(MainWindowTest, TheBuiltProgramFindsTheGuideAndItsPicturesBesideIt) {
    const fs::path built = fs::path(VK_BINARY_DIR) / "app" / "window", docs = fs::path(VK_SOURCE_DIR) / "docs";
    auto bytes = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    ASSERT_TRUE(fs::is_regular_file(helpFilePath(built.string())));
    EXPECT_EQ(bytes(helpFilePath(built.string())), bytes(docs / "vellumKit.HLP"));
    for (const auto& picture : fs::directory_iterator(docs / "help"))
        EXPECT_EQ(bytes(built / "help" / picture.path().filename()), bytes(picture.path())) << picture.path();
}

TEST_F(MainWindowTest, ZoomDrawsEveryPixelAsAWholeSquareAndOneTimesPutsAllBack) {
    const fs::path dir = temp.path().toStdString();
    const Image picture = rowCodedPicture(275, 116);
    writeFile(dir / "p.bmp", encodeBmp(picture));
    dialogs->pictures = {(dir / "p.bmp").string()};
    click("Button2");
    QAction* zoom2 = form->findChild<QAction*>("Zoom2");
    QAction* zoom1 = form->findChild<QAction*>("Zoom1");
    ASSERT_TRUE(zoom1 && zoom2);
    zoom2->trigger();
    EXPECT_EQ(find("mainWindow")->geometry(), QRect(8, 16, 550, 232));
    EXPECT_EQ(find("eqMain")->geometry(), QRect(8, 16 + 240, 550, 232));
    EXPECT_EQ(find("Button2")->pos(), QPoint(296 + 275, 16));
    EXPECT_EQ(find("MakeSkin")->pos(), QPoint(392 + 275, 208));
    EXPECT_EQ(form->centralWidget()->size(), QSize(496 + 275, 16 + 240 * 2 + 232 + 9));
    const QImage drawn = find("mainWindow")->grab().toImage();
    const QImage expected = view("mainWindow")->pixmap().toImage().scaled(550, 232).convertToFormat(drawn.format());
    EXPECT_EQ(drawn, expected);
    // The chosen picture still shows 1:1 in the canvas's pixmap.
    EXPECT_TRUE(shows(view("mainWindow"), picture, 116));
    EXPECT_EQ(find("Bevel1")->width(), 496 + 275);
    // On a display at twice the scale every image pixel is a 4 x 4 square.
    QImage doubled(1100, 464, QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2);
    find("mainWindow")->render(&doubled);
    doubled.setDevicePixelRatio(1);
    EXPECT_EQ(doubled, view("mainWindow")->pixmap().toImage().scaled(1100, 464).convertToFormat(QImage::Format_RGB32));

    zoom1->trigger();
    EXPECT_EQ(find("mainWindow")->geometry(), QRect(8, 16, 275, 116));
    EXPECT_EQ(find("plShow")->geometry(), QRect(8, 256, 275, 116));
    EXPECT_EQ(find("Button1")->geometry(), QRect(392, 336, 97, 22));
    EXPECT_EQ(find("colPanel")->geometry(), QRect(296, 8, 193, 369));
    EXPECT_EQ(form->centralWidget()->size(), QSize(496, 381));
}

} // namespace

TEST_F(MainWindowTest, PictureMenuCropsTheLayoutAndSetsTheBackgroundButNotUnderThePanel) {
    docOf(form->bench()).state.sourcePictures.main = rowCodedPicture(275, 464);  // four windows tall
    QAction* crop = form->findChild<QAction*>("CropToFit1");
    ASSERT_NE(crop, nullptr);
    crop->trigger();
    // The middle 116 rows of 464 stay: the window's first row is picture row 174.
    EXPECT_EQ(form->bench().document().mainWindow.pixel(7, 0), rowCodedPicture(275, 464).pixel(7, 174));
    EXPECT_TRUE(shows(view("mainWindow"), form->bench().document().mainWindow, 116));
    form->findChild<QAction*>("CropStart1")->trigger();
    EXPECT_EQ(form->bench().document().mainWindow.pixel(7, 0), rowCodedPicture(275, 464).pixel(7, 0));

    dialogs->colours.push_back(rgb(1, 2, 3));
    form->findChild<QAction*>("TransparentAreas1")->trigger();
    EXPECT_EQ(form->bench().pictureOptions().background, rgb(1, 2, 3));

    click("MakeSkin");
    click("colBut");
    EXPECT_FALSE(form->findChild<QMenu*>("Picture1")->menuAction()->isEnabled());
    click("Button5");
    EXPECT_TRUE(form->findChild<QMenu*>("Picture1")->menuAction()->isEnabled());
}
