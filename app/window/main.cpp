// vellumKit's desktop program: the application, its dialogs and the main
// window, then the event loop until Quit.
#include "app/qt/QtTextRasteriser.h"
#include "app/WorkingMemory.h"
#include "app/window/Look.h"
#include "app/window/QtDialogs.h"
#include "app/window/SkinnerMainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    // A skin's canvases and files fault in a few huge pages, not a thousand small ones.
    vk::reserveWorkingMemory(std::size_t(16) << 20);
    QApplication app(argc, argv);
    QApplication::setApplicationName(vk::kAppTitle);
    // Nothing of a session is meant to outlive it.
    vk::keepNoSettings();
    // Qt's own dialogs and message boxes wear the window's silver too.
    QApplication::setPalette(vk::silverPalette(QApplication::palette()));

    vk::SkinnerMainForm skinnerMainForm(std::make_unique<vk::QtDialogs>());
    skinnerMainForm.show();
    return app.exec();
}
