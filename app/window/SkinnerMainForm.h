// The main window: the picture column, the option radios, the workflow
// buttons and the colour tools panel. Every handler turns a click into a call
// on the workbench and shows the images again; no pixel is drawn here.
#pragma once
#include "app/Workbench.h"
#include "app/window/Dialogs.h"
#include "app/ColourPanel.h"
#include "app/qt/QtTextRasteriser.h"

#include <QFutureWatcher>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QKeySequence;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace vk {

class ImageView;
class PlayerPreview;

// What the decoding thread hands back: the picture, or why there is none.
struct DecodedPicture {
    Image image;
    std::string error;
};

class SkinnerMainForm : public QMainWindow {
public:
    explicit SkinnerMainForm(std::unique_ptr<Dialogs> dialogs, QWidget* parent = nullptr);

    Workbench& bench() { return bench_; }

    // Get Bitmap decodes with this, away from the window's thread.
    std::function<Image(const std::string& path)> decodePicture;
    // Quit ends the program through this.
    std::function<void()> quit;
    // The screen room the window may take; a zoom that would not fit it is offered disabled.
    std::function<QRect()> screenArea;

    // A picture is being decoded: the controls wait and Escape cancels.
    bool loading() const { return loading_; }
    void cancelLoading();
    // A file dropped on a canvas, loaded as that canvas's Get Bitmap would.
    void dropPicture(const QString& file, WhichPicture canvas);
    // The canvases drawn 1, 2 or 3 times over; the window grows to fit.
    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    // Enables the zooms whose window fits screenArea(), stepping down if the shown one no longer does.
    void fitZoomsToScreen();
    // A key the player preview does not answer, run as if pressed here; false when nothing here takes it.
    bool runShortcut(const QKeySequence& keys);
    // View > Player Preview: the skin as the player shows it, beside this window; none until first opened.
    void PlayerPreview1Click();
    PlayerPreview* playerPreview() const { return preview_; }

    // Picture column.
    void Button2Click();
    void get2Click();
    void get3Click();
    // Option radios, run when one becomes chosen.
    void threeWinClick();
    void twoWinClick();
    void oneWinClick();
    void full3DClick();
    void butsOnlyClick();
    void RadioButton1Click();
    void sinkButClick();
    // Workflow column.
    void MakeSkinClick();
    void RevertClick();
    void colButClick();
    void SaveSkinClick();
    void Button1Click();
    // Colour tools panel.
    void Button5Click();
    void Button3Click();
    void ForeButClick();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button4Click();
    void plClick();
    void Button6Click();
    void Button7Click();
    void changeMainSliderClick();
    void changeEqSlidersClick();
    void changePlSliderClick();
    void visiButClick();
    void visiBarMouseDown(int x, int y);
    // Picture menu: Colours from Picture, on a made skin.
    void ColoursFromPicture1Click();
    // Help menu.
    void Contents1Click();
    void About1Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPictureColumn(QWidget* client);
    void buildWorkflowColumn(QWidget* client);
    void buildColourPanel(QWidget* client);
    void buildMenu();
    void addKeys();
    void coverUnderPanel(bool covered);
    void startLoading(WhichPicture which, const std::string& path);
    void finishLoading();
    void endLoading();
    void placeControls();
    QSize clientSizeAt(int zoom) const;

    // Runs one command: an Error ends it with a message box; the images are
    // shown again either way, since a failed command may have drawn already.
    void run(const std::function<void()>& command);
    void refreshImages();
    void getBitmap(WhichPicture which);
    void chooseLayout(LayoutMode mode);
    void chooseOption(bool Options::*option, bool value);
    void pickColour(ColourSetting setting);
    void restyle(SliderKnobs knobs);
    void showButton(WorkflowButton button, bool enabled);

    Workbench bench_{qtTextRasteriser()};
    std::unique_ptr<Dialogs> dialogs_;
    ColourDialog getColor_;

    PlayerPreview* preview_ = nullptr;
    ImageView* mainWindow_ = nullptr;
    ImageView* eqMain_ = nullptr;
    ImageView* plShow_ = nullptr;
    QPushButton* get2_ = nullptr;
    QPushButton* get3_ = nullptr;
    QPushButton* makeSkin_ = nullptr;
    QPushButton* revert_ = nullptr;
    QPushButton* colBut_ = nullptr;
    QPushButton* saveSkin_ = nullptr;
    QWidget* colPanel_ = nullptr;
    QPushButton* visiBut_ = nullptr;
    QAction* coloursFromPicture_ = nullptr;
    ImageView* visiBar_ = nullptr;
    QWidget* colLab1_ = nullptr;
    QFrame* colLab2_ = nullptr;
    QWidget* client_ = nullptr;

    // What the shown colour panel hides, to be shown again by Back.
    std::vector<QWidget*> covered_;
    // Every control right of the canvases, at its place for zoom 1.
    std::vector<std::pair<QWidget*, QPoint>> rightColumn_;
    int zoom_ = 1;

    bool loading_ = false;
    QPointer<QWidget> focusBeforeLoading_;
    WhichPicture loadingInto_ = WhichPicture::Main;
    QFutureWatcher<DecodedPicture>* loader_ = nullptr;
    // Says that Escape cancels once a load has taken long enough to be noticed.
    QLabel* loadingNote_ = nullptr;
    QTimer* slowLoad_ = nullptr;
};

// Looked up in the directory that was current at start-up, then beside the
// program and in its installed share directory.
inline constexpr const char* kHelpFileName = "vellumKit.HLP";

// The help file: startDirectory, a separator, vellumKit.HLP.
std::string helpFilePath(const std::string& startDirectory);
// The directories searched for the help file, in order.
std::vector<std::string> helpDirectories(const std::string& startDirectory);
// Where the save-directory dialog opens.
std::string saveStartDirectory();

} // namespace vk
