// The real dialogs, answered from a timer while they run modally: the
// save-directory dialog's list, name and OK button, and the error box.
#include "app/window/GetDirectory.h"
#include "app/window/QtDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace vk;
namespace fs = std::filesystem;

namespace {

// Runs `answer` on the modal dialog once it is up.
void whenModal(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(modal);
    });
}

QTreeWidgetItem* itemFor(QTreeWidget* list, const QString& path) {
    for (QTreeWidgetItemIterator it(list); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == path) return *it;
    return nullptr;
}

class QtDialogsTest : public ::testing::Test {
protected:
    QtDialogsTest() {
        std::error_code ec;
        startCwd = fs::current_path(ec);
        root = QDir(temp.path()).canonicalPath();
        QDir(root).mkpath("alpha/inner");
        QDir(root).mkpath("beta");
    }
    // The directory list moves the process's directory; put it back.
    ~QtDialogsTest() override { fs::current_path(startCwd); }

    fs::path startCwd;
    QTemporaryDir temp;
    QString root;
};

TEST_F(QtDialogsTest, OkFollowsTheSkinName) {
    GetDirectory dialog;
    auto* ok = dialog.findChild<QPushButton*>("BitBtn1");
    auto* name = dialog.findChild<QLineEdit*>("skinName");
    ASSERT_TRUE(ok && name);
    EXPECT_FALSE(ok->isEnabled());
    const struct {
        const char* text;
        bool enabled;
    } steps[] = {{"S", true}, {"", false}, {"   ", true}, {"Sky", true}, {"", false}};
    for (const auto& step : steps) {
        name->setText(step.text);
        EXPECT_EQ(ok->isEnabled(), step.enabled) << '"' << step.text << '"';
    }
}

TEST_F(QtDialogsTest, DirectoryListOpensOnDoubleClickOnly) {
    GetDirectory dialog;
    ASSERT_TRUE(dialog.openDirectory(root));
    EXPECT_EQ(dialog.directory(), root);
    EXPECT_EQ(QDir::currentPath(), root);
    auto* list = dialog.findChild<QTreeWidget*>("DirectoryListBox1");
    ASSERT_NE(list, nullptr);

    // The path one level per line, each inside the one before; the open
    // directory's children inside it.
    const QStringList levels = root.split('/', Qt::SkipEmptyParts);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    QTreeWidgetItem* line = list->topLevelItem(0);
    EXPECT_EQ(line->data(0, Qt::UserRole).toString(), "/");
    for (const QString& level : levels) {
        ASSERT_EQ(line->childCount(), 1);
        line = line->child(0);
        EXPECT_EQ(line->text(0), level);
    }
    EXPECT_EQ(line->data(0, Qt::UserRole).toString(), root);
    EXPECT_EQ(list->currentItem(), line);
    ASSERT_EQ(line->childCount(), 2);
    EXPECT_EQ(line->child(0)->text(0), "alpha");
    EXPECT_EQ(line->child(1)->text(0), "beta");

    dialog.show();
    QTreeWidgetItem* alpha = itemFor(list, root + "/alpha");
    ASSERT_NE(alpha, nullptr);
    list->scrollToItem(alpha);
    const QPoint onAlpha = list->visualItemRect(alpha).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onAlpha);  // highlights only
    EXPECT_EQ(list->currentItem(), alpha);
    EXPECT_EQ(dialog.directory(), root);

    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onAlpha);
    EXPECT_EQ(dialog.directory(), root + "/alpha");
    ASSERT_NE(itemFor(list, root + "/alpha/inner"), nullptr);
    emit list->itemDoubleClicked(itemFor(list, root), 0);
    EXPECT_EQ(dialog.directory(), root);
}

TEST_F(QtDialogsTest, ADirectoryThatCannotBeEnteredIsReportedAndTheListStays) {
    GetDirectory dialog;
    ASSERT_TRUE(dialog.openDirectory(root));
    QString caption, text;
    whenModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        text = static_cast<QMessageBox*>(modal)->text();
        modal->close();
    });
    EXPECT_FALSE(dialog.openDirectory(root + "/gone"));
    EXPECT_EQ(caption, "vellumKit");
    EXPECT_EQ(text, "File not found.");
    EXPECT_EQ(dialog.directory(), root);
}

TEST_F(QtDialogsTest, SaveTargetIsTheOpenDirectoryAndTheNameAsTyped) {
    QtDialogs dialogs;
    whenModal([](QWidget* modal) {
        QTest::keyClicks(modal->findChild<QLineEdit*>("skinName"), " My Sky");
        modal->findChild<QPushButton*>("BitBtn1")->click();
    });
    const std::optional<SaveTarget> first = dialogs.chooseSaveTarget((root + "/beta").toStdString());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->directory, (root + "/beta").toStdString());
    EXPECT_EQ(first->name, " My Sky");

    // The next save offers the same name with OK ready; Escape answers Cancel.
    bool okEnabled = false;
    whenModal([&](QWidget* modal) {
        okEnabled = modal->findChild<QPushButton*>("BitBtn1")->isEnabled();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialogs.chooseSaveTarget(root.toStdString()));
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(dialogs.getDirectory().skinName(), " My Sky");
}

TEST_F(QtDialogsTest, ErrorBoxHasTheTitleTheErrorIconAndOneOkButton) {
    QtDialogs dialogs;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton*> buttons;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(box->buttonRole(buttons[0]), QMessageBox::AcceptRole);
        EXPECT_EQ(box->standardButton(buttons[0]), QMessageBox::Ok);
        box->accept();
    });
    dialogs.showError("Bitmap image is not valid.");
    EXPECT_EQ(caption, "vellumKit");
    EXPECT_EQ(text, "Bitmap image is not valid.");
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(PictureFilter, OffersBitmapsFirstAndEveryReadableFormat) {
    const QString filter = pictureFilter();
    EXPECT_TRUE(filter.startsWith("Bit maps (*.bmp);;"));
    EXPECT_TRUE(filter.contains("*.png"));
}

} // namespace
