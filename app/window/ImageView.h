// An image control: shows the top rows of a workbench image at a whole zoom,
// pixel for pixel, reports a press of any mouse button with its position,
// lets the keyboard press it band by band, and hands on a file dropped onto it.
#pragma once
#include "app/qt/QtImage.h"
#include "raster/Image.h"

#include <QLabel>

#include <functional>

class QMimeData;

namespace vk {

class ImageView : public QLabel {
public:
    // The control's size is the shown part: the image's width and `rows`, times the zoom.
    ImageView(const char* name, int width, int rows, QWidget* parent);

    // The shown picture is kept 1:1 as the label's pixmap; only the drawing is zoomed.
    void showImage(const Image& image);
    void setZoom(int zoom);
    int zoom() const { return zoom_; }

    // Positions arrive in image pixels, whatever the zoom.
    std::function<void(int x, int y)> onMouseDown;
    // The keyboard's way in: Up and Down choose one of `count` bands of
    // `bandHeight` rows, Space or Enter presses its middle.
    void setKeyboardBands(int bandHeight, int count);
    int band() const { return band_; }
    // A drop of one local file; no hook, no drops.
    std::function<void(const QString& file)> onFileDropped;
    // A drop of anything else, with the reason it was refused.
    std::function<void(const QString& reason)> onDropRefused;

    // What a drop carries: the one local file, or empty.
    static QString droppedFile(const QMimeData* data);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int width_, rows_;
    int zoom_ = 1;
    int bandHeight_ = 0, bands_ = 0, band_ = 0;
};

} // namespace vk
