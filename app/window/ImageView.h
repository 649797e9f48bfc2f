// An image control: shows the top rows of a workbench image at 1:1 and
// reports a press of any mouse button with its position.
#pragma once
#include "app/QtImage.h"
#include "raster/Image.h"

#include <QLabel>

#include <functional>

namespace vk {


class ImageView : public QLabel {
public:
    // The control's size is the shown part: the image's width and `rows`.
    ImageView(const char* name, int width, int rows, QWidget* parent);

    void showImage(const Image& image);

    std::function<void(int x, int y)> onMouseDown;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int rows_;
};

} // namespace vk
