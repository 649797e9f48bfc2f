// The colour panel over the main window's controls: what it covers takes
// neither mouse nor key, and the Player Preview passes on only the keys a
// user could press here.
#include "app/window/SkinnerMainForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QMenuBar>
#include <QShortcut>

namespace vk {

// What the panel lies over is hidden with it, so no key, click or mnemonic reaches it.
void SkinnerMainForm::coverUnderPanel(bool covered) {
    // The picture options relay the pictures out, which would throw the skin being recoloured away.
    if (QMenu* picture = menuBar()->findChild<QMenu*>("Picture1")) picture->menuAction()->setEnabled(!covered);
    if (!covered) {
        for (QWidget* control : covered_) control->show();
        covered_.clear();
        return;
    }
    for (QWidget* control : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control != colPanel_ && control->isVisibleTo(client_) && control->geometry().intersects(colPanel_->geometry())) {
            covered_.push_back(control);
            control->hide();
        }
}

bool SkinnerMainForm::runShortcut(const QKeySequence& keys) {
    // As in this window: a hidden or disabled control takes no key, a covered one is hidden.
    auto reachable = [this](const QWidget* control) { return control && control->isVisibleTo(this) && control->isEnabled(); };
    if (!reachable(client_) || !isVisible()) return false;
    for (QShortcut* shortcut : findChildren<QShortcut*>())
        if (shortcut->key() == keys && shortcut->isEnabled() && reachable(qobject_cast<QWidget*>(shortcut->parent()))) {
            emit shortcut->activated();
            return true;
        }
    for (QAbstractButton* button : client_->findChildren<QAbstractButton*>())
        if (QKeySequence::mnemonic(button->text()) == keys && reachable(button)) {
            button->click();
            return true;
        }
    for (QAction* action : findChildren<QAction*>())
        if (action->shortcuts().contains(keys) && action->isEnabled()) {
            action->trigger();
            return true;
        }
    return false;
}

} // namespace vk
