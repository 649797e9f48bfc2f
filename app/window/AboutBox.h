// The About box: the program's name and version, and OK.
#pragma once
#include <QDialog>

namespace vk {

class AboutBox : public QDialog {
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace vk
