// Get Bitmap off the window's thread: a picture decodes while the window
// stays live, a slow one says how to give it up, Escape always does; and
// pictures dropped on a canvas.
#include "app/window/SkinnerMainForm.h"

#include "app/qt/PictureIntake.h"
#include "app/window/ImageView.h"
#include "raster/Error.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace vk {

void SkinnerMainForm::getBitmap(WhichPicture which) {
    if (loading_) return;
    const std::optional<std::string> file = dialogs_->openPicture();
    if (file) startLoading(which, *file);
}

void SkinnerMainForm::startLoading(WhichPicture which, const std::string& path) {
    loading_ = true;
    loadingInto_ = which;
    focusBeforeLoading_ = QApplication::focusWidget();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    client_->setEnabled(false);
    // Escape gives the load up in whichever of the program's windows it is pressed.
    qApp->installEventFilter(this);
    ImageView* canvas = which == WhichPicture::Main ? mainWindow_ : which == WhichPicture::Equaliser ? eqMain_ : plShow_;
    loadingNote_->setText("Loading " + QFileInfo(QString::fromStdString(path)).fileName() + "... Esc cancels");
    loadingNote_->adjustSize();
    loadingNote_->move(canvas->geometry().center() - loadingNote_->rect().center());
    loadingNote_->raise();
    slowLoad_->start();
    loader_ = new QFutureWatcher<DecodedPicture>(this);
    connect(loader_, &QFutureWatcher<DecodedPicture>::finished, this, &SkinnerMainForm::finishLoading);
    loader_->setFuture(QtConcurrent::run([decode = decodePicture, path] {
        try {
            return DecodedPicture{decode(path), {}};
        } catch (const std::exception& e) {
            return DecodedPicture{{}, e.what()};
        }
    }));
}

void SkinnerMainForm::finishLoading() {
    QFutureWatcher<DecodedPicture>* loader = std::exchange(loader_, nullptr);
    loader->deleteLater();
    endLoading();
    DecodedPicture decoded = loader->result();
    if (!decoded.error.empty()) {
        dialogs_->showError(messageForDisplay(decoded.error));
        return;
    }
    run([&] { bench_.usePicture(loadingInto_, std::move(decoded.image)); });
}

void SkinnerMainForm::cancelLoading() {
    if (!loading_) return;
    // A cancelled decode runs on, unheard.
    QFutureWatcher<DecodedPicture>* loader = std::exchange(loader_, nullptr);
    loader->disconnect(this);
    loader->deleteLater();
    endLoading();
}

void SkinnerMainForm::endLoading() {
    loading_ = false;
    qApp->removeEventFilter(this);
    slowLoad_->stop();
    loadingNote_->hide();
    client_->setEnabled(true);
    if (focusBeforeLoading_) focusBeforeLoading_->setFocus(Qt::OtherFocusReason);
    QApplication::restoreOverrideCursor();
}

bool SkinnerMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (loading_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancelLoading();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void SkinnerMainForm::dropPicture(const QString& file, WhichPicture canvas) {
    if (loading_) return;
    // Windows cut from one picture take it whichever of them it falls on.
    WhichPicture which = canvas;
    if (bench_.options().layout == LayoutMode::Continuous ||
        (bench_.options().layout == LayoutMode::TwoPlusOne && canvas == WhichPicture::Equaliser))
        which = WhichPicture::Main;
    const QFileInfo info(file);
    if (!info.isFile()) {
        dialogs_->showError(messageForDisplay(QDir::toNativeSeparators(file).toStdString() + " is not a file"));
    } else if (QImageReader::imageFormat(file).isEmpty()) {
        dialogs_->showError(messageForDisplay(info.fileName().toStdString() +
                                              " is not a picture: drop a BMP, PNG, JPEG or GIF file"));
    } else {
        startLoading(which, file.toStdString());
    }
}

} // namespace vk
