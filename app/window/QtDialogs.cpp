// Each dialog shown modally over whichever window is active.
#include "app/window/QtDialogs.h"

#include "app/window/AboutBox.h"
#include "app/window/GetDirectory.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

namespace vk {

namespace {

constexpr QSize kPreviewSize{160, 120};

// A small picture of the highlighted file beside the open dialog's list.
void addPreview(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName("preview");
    preview->setFixedSize(kPreviewSize);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        QImageReader reader(path);
        const QSize size = reader.size();
        if (size.isValid()) reader.setScaledSize(size.scaled(kPreviewSize, Qt::KeepAspectRatio));
        const QImage picture = reader.read();
        preview->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
    });
}

void centreOnScreen(QWidget& dialog) {
    if (QScreen* screen = dialog.screen()) dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}

} // namespace

QString pictureFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) patterns << "*." + QString(format);
    return "Bit maps (*.bmp);;Pictures (" + patterns.join(' ') + ");;All files (*)";
}

QtDialogs::QtDialogs() : getDirectory_(std::make_unique<GetDirectory>()), about_(std::make_unique<AboutBox>()) {}

QtDialogs::~QtDialogs() = default;

std::optional<std::string> QtDialogs::openPicture() {
    QFileDialog dialog(QApplication::activeWindow(), "Open", QString(), pictureFilter());
    dialog.setObjectName("openBitMap");
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // the preview needs Qt's own dialog
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    addPreview(dialog);
    if (!lastPicture_.isEmpty()) dialog.selectFile(lastPicture_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    lastPicture_ = dialog.selectedFiles().first();
    return lastPicture_.toStdString();
}

std::optional<TColor> QtDialogs::chooseColour(TColor initial) {
    const QColor chosen = QColorDialog::getColor(QColor(redOf(initial), greenOf(initial), blueOf(initial)),
                                                 QApplication::activeWindow(), "Color");
    if (!chosen.isValid()) return std::nullopt;
    return rgb(chosen.red(), chosen.green(), chosen.blue());
}

std::optional<SaveTarget> QtDialogs::chooseSaveTarget(const std::string& startDirectory) {
    getDirectory_->openDirectory(QString::fromStdString(startDirectory));
    centreOnScreen(*getDirectory_);
    if (getDirectory_->exec() != QDialog::Accepted) return std::nullopt;
    return SaveTarget{getDirectory_->directory().toStdString(), getDirectory_->skinName().toStdString()};
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
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(helpFile)));
}

} // namespace vk
