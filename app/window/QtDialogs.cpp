// Each dialog shown modally over whichever window is active.
#include "app/window/QtDialogs.h"

#include "app/qt/PictureIntake.h"

#include "app/window/AboutBox.h"
#include "app/window/GetDirectory.h"
#include "app/window/Look.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vk {

namespace {

constexpr QSize kPreviewSize{160, 120};

void showPreview(QLabel* preview, const QString& path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid()) reader.setScaledSize(size.scaled(kPreviewSize, Qt::KeepAspectRatio));
    const QImage picture = reader.read();
    preview->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
}

// A small picture of the highlighted file beside the open dialog's list,
// showing the file the dialog opens on as well.
void addPreview(QFileDialog& dialog, const QString& first) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName("preview");
    preview->setFixedSize(kPreviewSize);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                     [preview](const QString& path) { showPreview(preview, path); });
    if (!first.isEmpty()) showPreview(preview, first);
}

// Settings that are read as empty and written nowhere.
bool readNothing(QIODevice&, QSettings::SettingsMap&) { return true; }
bool writeNothing(QIODevice&, const QSettings::SettingsMap&) { return true; }

void centreOnScreen(QWidget& dialog) {
    if (QScreen* screen = dialog.screen()) dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}

} // namespace

QString pictureFilter() {
    QStringList patterns, each;
    for (const std::string& name : pictureFormats()) {
        const QByteArray format = QByteArray::fromStdString(name);
        patterns << "*." + QString(format);
        if (format != "bmp") each << QString(format).toUpper() + " (*." + QString(format) + ")";
    }
    return "All pictures (" + patterns.join(' ') + ");;Bit maps (*.bmp);;" + each.join(";;") + ";;All files (*)";
}

void keepNoSettings() {
    static const QSettings::Format nowhere = QSettings::registerFormat("none", readNothing, writeNothing);
    QSettings::setDefaultFormat(nowhere);
    // Qt's dialogs ask for the native format by name: point it at a directory no one can create.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/proc/self/vellumkit-no-settings");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, "/proc/self/vellumkit-no-settings");
}

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName("helpViewer");
    setWindowTitle(QString(kAppTitle) + " Help");
    setWindowIcon(programIcon());
    paintSilver(this);
    resize(640, 560);
    auto* column = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(true);
    column->addWidget(browser_);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("helpClose");
    close->setToolTip("Close the help");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    column->addWidget(close, 0, Qt::AlignRight);
}

bool HelpViewer::openGuide(const QString& file) {
    browser_->clear();
    browser_->setSource(QUrl::fromLocalFile(file), QTextDocument::HtmlResource);
    return !browser_->document()->isEmpty();
}

QtDialogs::QtDialogs()
    : openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      getDirectory_(std::make_unique<GetDirectory>()),
      about_(std::make_unique<AboutBox>()),
      help_(std::make_unique<HelpViewer>()) {}

QtDialogs::~QtDialogs() = default;

std::optional<std::string> QtDialogs::openPicture() {
    QFileDialog dialog(QApplication::activeWindow(), "Open", QString(), pictureFilter());
    dialog.setObjectName("openBitMap");
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // the preview needs Qt's own dialog
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    addPreview(dialog, lastPicture_);
    if (!lastPicture_.isEmpty()) {
        dialog.setDirectory(QFileInfo(lastPicture_).absolutePath());
        dialog.selectFile(lastPicture_);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    lastPicture_ = dialog.selectedFiles().first();
    return lastPicture_.toStdString();
}

std::optional<TColor> QtDialogs::chooseColour(TColor initial) {
    const QColor chosen = QColorDialog::getColor(QColor(redOf(initial), greenOf(initial), blueOf(initial)),
                                                 QApplication::activeWindow(), "Color",
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid()) return std::nullopt;
    return rgb(chosen.red(), chosen.green(), chosen.blue());
}

std::optional<SaveTarget> QtDialogs::chooseSaveTarget(const std::string& startDirectory) {
    getDirectory_->openDirectory(QString::fromStdString(startDirectory));
    centreOnScreen(*getDirectory_);
    if (getDirectory_->exec() != QDialog::Accepted) return std::nullopt;
    return SaveTarget{getDirectory_->directory().toStdString(), getDirectory_->skinName().toStdString(),
                      getDirectory_->alsoWsz()};
}

void QtDialogs::showError(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, kAppTitle, QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void QtDialogs::showAbout() {
    centreOnScreen(*about_);
    about_->exec();
}

bool QtDialogs::openHelp(const std::string& helpFile) {
    if (!help_->openGuide(QString::fromStdString(helpFile))) return false;
    help_->show();
    help_->raise();
    help_->activateWindow();
    return true;
}

void QtDialogs::showSaved(const std::string& folder, const std::optional<std::string>& archive) {
    if (saved_) saved_->close();
    const QString where = QDir::toNativeSeparators(QString::fromStdString(folder));
    QString text = "The skin's files are in " + where;
    if (archive) text += "\nand its archive is " + QDir::toNativeSeparators(QString::fromStdString(*archive));
    auto* note = new QMessageBox(QMessageBox::Information, kAppTitle, text + ".", QMessageBox::Close,
                                 QApplication::activeWindow());
    note->setObjectName("savedNote");
    note->setAttribute(Qt::WA_DeleteOnClose);
    note->setWindowModality(Qt::NonModal);
    QPushButton* open = note->addButton("&Open Folder", QMessageBox::ActionRole);
    open->setObjectName("openFolder");
    open->setToolTip("Show the skin's folder in the file manager");
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(folder));
    QObject::connect(open, &QPushButton::clicked, note, [this, url, where] {
        if (!openUrl(url)) showError("Cannot open " + where.toStdString() + ": no file manager is set up to show folders.");
    });
    // Enter only closes: where no file manager is installed, Open Folder can do nothing.
    note->setDefaultButton(QMessageBox::Close);
    saved_ = note;
    note->show();
}

} // namespace vk
