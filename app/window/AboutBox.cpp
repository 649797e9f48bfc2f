// A small fixed box kept above the other windows.
#include "app/window/AboutBox.h"

#include "app/window/Dialogs.h"
#include "app/window/Look.h"

#include <QLabel>
#include <QPushButton>

namespace vk {

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("about");
    setWindowTitle(QString("About ") + kAppTitle);
    setFixedSize(140, 90);
    setFont(classicFont());
    paintSilver(this);

    auto* name = new QLabel(kAppTitle, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->setAlignment(Qt::AlignCenter);
    name->setGeometry(0, 8, 140, 18);
    auto* version = new QLabel(QString("Version ") + VK_VERSION, this);
    version->setAlignment(Qt::AlignCenter);
    version->setGeometry(0, 28, 140, 18);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setGeometry(32, 60, 75, 22);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace vk
