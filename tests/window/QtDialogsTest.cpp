// The real dialogs, answered from a timer while they run modally: the
// save-directory dialog's list, name, places and OK button, the open dialog,
// the help viewer, the confirmation after a save and the error box.
#include "app/window/GetDirectory.h"
#include "app/window/QtDialogs.h"
#include "app/qt/PictureIntake.h"
#include "app/window/SkinnerMainForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

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

TEST_F(QtDialogsTest, OkFollowsTheSkinNameAndARefusedNameSaysWhy) {
    GetDirectory dialog;
    auto* ok = dialog.findChild<QPushButton*>("BitBtn1");
    auto* name = dialog.findChild<QLineEdit*>("skinName");
    auto* problem = dialog.findChild<QLabel*>("nameProblem");
    ASSERT_TRUE(ok && name && problem);
    EXPECT_FALSE(ok->isEnabled());
    const struct {
        const char* text;
        const char* problem;  // null: OK enabled
    } steps[] = {
        {"S", nullptr},
        {"", ""},
        {"   ", "A skin name needs more than spaces."},
        {" My Sky ", nullptr},
        {".", "\".\" is a folder already there: type a name."},
        {"..", "\"..\" is a folder already there: type a name."},
        {"...", nullptr},
        {"/tmp/Sky", "No \"/\" in a name: choose the folder in the list."},
        {"a/b", "No \"/\" in a name: choose the folder in the list."},
        {"Sky", nullptr},
        {"", ""},
    };
    for (const auto& step : steps) {
        name->setText(step.text);
        EXPECT_EQ(ok->isEnabled(), step.problem == nullptr) << '"' << step.text << '"';
        EXPECT_EQ(problem->text(), step.problem ? step.problem : "") << '"' << step.text << '"';
    }
}

TEST_F(QtDialogsTest, EnterOnAHighlightedFolderOpensItAndDoesNotPressOk) {
    GetDirectory dialog;
    ASSERT_TRUE(dialog.openDirectory(root));
    dialog.findChild<QLineEdit*>("skinName")->setText("Sky");
    dialog.show();
    auto* list = dialog.findChild<QTreeWidget*>("DirectoryListBox1");
    list->setFocus();
    list->setCurrentItem(itemFor(list, root + "/beta"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog.directory(), root + "/beta");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(QtDialogsTest, SkinsStartInTheFirstPlayersFolderThatExistsWhateverItsCase) {
    const QString home = root + "/home";
    EXPECT_EQ(playerSkinsDirectory(home), std::nullopt);
    QDir(home).mkpath(".qmmp/skins");
    EXPECT_EQ(playerSkinsDirectory(home), (home + "/.qmmp/skins").toStdString());
    QDir(home).mkpath(".local/share/audacious/Skins");
    EXPECT_EQ(playerSkinsDirectory(home), (home + "/.local/share/audacious/Skins").toStdString());
    QDir(home).mkpath(".wine/drive_c/program files/WINAMP/skins");
    EXPECT_EQ(playerSkinsDirectory(home), (home + "/.wine/drive_c/program files/WINAMP/skins").toStdString());

    // SaveSkin opens there with the user's own home, else in the current directory.
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.toLocal8Bit());
    const std::string start = saveStartDirectory();
    qputenv("HOME", (root + "/nobody").toLocal8Bit());
    const std::string fallback = saveStartDirectory();
    qputenv("HOME", realHome);
    EXPECT_EQ(start, (home + "/.wine/drive_c/program files/WINAMP/skins").toStdString());
    EXPECT_EQ(fallback, QDir::currentPath().toStdString());

    GetDirectory dialog;
    const QLabel* places = dialog.findChild<QLabel*>("Label6");
    for (const char* player : {"audacious/Skins", "qmmp/skins", "Winamp/Skins"})
        EXPECT_TRUE(places->text().contains(player)) << player;
    for (const QString& place : playerSkinsPlaces())
        EXPECT_TRUE(places->toolTip().contains(place)) << place.toStdString();
    EXPECT_FALSE(places->text().contains("c:\\"));
}

TEST_F(QtDialogsTest, DriveBoxOffersHomeFirstThenOnlyPlacesTheUserMayWrite) {
    GetDirectory dialog;
    auto* drives = dialog.findChild<QComboBox*>("DriveComboBox1");
    ASSERT_NE(drives, nullptr);
    ASSERT_GE(drives->count(), 1);
    EXPECT_EQ(drives->itemText(0), QDir::homePath());
    for (int i = 0; i < drives->count(); ++i) {
        EXPECT_EQ(::access(QFile::encodeName(drives->itemText(i)).constData(), W_OK), 0)
            << drives->itemText(i).toStdString();
        EXPECT_FALSE(drives->itemText(i).startsWith("/proc")) << drives->itemText(i).toStdString();
    }
    // The box names the place that holds the open directory.
    ASSERT_TRUE(dialog.openDirectory(QDir::homePath()));
    EXPECT_EQ(drives->currentIndex(), 0);
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

TEST_F(QtDialogsTest, SaveTargetIsTheOpenDirectoryTheNameAsTypedAndTheArchiveBox) {
    QtDialogs dialogs;
    bool wszOffered = false;
    whenModal([&](QWidget* modal) {
        wszOffered = modal->findChild<QCheckBox*>("alsoWsz")->isChecked();
        QTest::keyClicks(modal->findChild<QLineEdit*>("skinName"), " My Sky");
        modal->findChild<QPushButton*>("BitBtn1")->click();
    });
    const std::optional<SaveTarget> first = dialogs.chooseSaveTarget((root + "/beta").toStdString());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->directory, (root + "/beta").toStdString());
    EXPECT_EQ(first->name, " My Sky");
    EXPECT_TRUE(wszOffered);
    EXPECT_TRUE(first->wsz);

    whenModal([&](QWidget* modal) {
        modal->findChild<QCheckBox*>("alsoWsz")->setChecked(false);
        modal->findChild<QPushButton*>("BitBtn1")->click();
    });
    const std::optional<SaveTarget> plain = dialogs.chooseSaveTarget(root.toStdString());
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->wsz);

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

TEST(PictureFilter, OffersAllPicturesFirstThenBitmapsThenEachFormat) {
    const QStringList filters = pictureFilter().split(";;");
    ASSERT_GE(filters.size(), 4);
    EXPECT_TRUE(filters[0].startsWith("All pictures (*."));
    for (const std::string& name : pictureFormats()) {
        const QString format = QString::fromStdString(name);
        EXPECT_TRUE(filters[0].contains("*." + format + ' ') || filters[0].contains("*." + format + ')')) << name;
    }
    // What the intake refuses is not offered.
    EXPECT_FALSE(filters[0].contains("*.mng"));
    EXPECT_EQ(filters[1], "Bit maps (*.bmp)");
    EXPECT_TRUE(filters.contains("PNG (*.png)"));
    EXPECT_TRUE(filters.contains("JPEG (*.jpeg)"));
}

TEST_F(QtDialogsTest, OpenDialogShowsAllPicturesRemembersTheFolderAndPreviewsEveryTime) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString photo = root + "/alpha/photo.png";
    ASSERT_TRUE(picture.save(photo));
    QtDialogs dialogs;
    QString firstFilter;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        firstFilter = dialog->selectedNameFilter();
        dialog->setDirectory(root + "/alpha");
        dialog->selectFile(photo);
        static_cast<QDialog*>(dialog)->accept();  // the file dialog's own accept checks the choice
    });
    EXPECT_EQ(dialogs.openPicture(), photo.toStdString());
    EXPECT_TRUE(firstFilter.startsWith("All pictures"));

    QString directory;
    bool previewShown = false;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        directory = dialog->directory().absolutePath();
        previewShown = !dialog->findChild<QLabel*>("preview")->pixmap().isNull();
        dialog->reject();
    });
    EXPECT_EQ(dialogs.openPicture(), std::nullopt);
    EXPECT_EQ(directory, root + "/alpha");
    EXPECT_TRUE(previewShown);
}

TEST_F(QtDialogsTest, QtsOwnDialogsWriteNothingIntoTheUsersSettings) {
    {
        QFileDialog dialog(nullptr, "Open", root);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        dialog.reject();
    }
    {
        QColorDialog colours;
        colours.setOption(QColorDialog::DontUseNativeDialog);
        QColorDialog::setCustomColor(0, Qt::red);
        colours.show();
        colours.accept();
    }
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(config.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(config + "/QtProject.conf"));
    EXPECT_TRUE(QDir(config).isEmpty() || !QDir(config).exists());
}

TEST_F(QtDialogsTest, HelpViewerShowsTheShippedGuideAndRefusesAMissingOne) {
    QtDialogs dialogs;
    const std::string guide = std::string(VK_SOURCE_DIR) + "/docs/vellumKit.HLP";
    ASSERT_TRUE(dialogs.openHelp(guide));
    HelpViewer& viewer = dialogs.helpViewer();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_FALSE(viewer.isModal());
    const QString text = viewer.browser()->toPlainText();
    for (const char* heading : {"The road of a skin", "Colour tools", "Layouts", "Webamp", "Audacious", "qmmp",
                                "Troubleshooting", "2.37:1", "1.19:1", "0.79:1"})
        EXPECT_TRUE(text.contains(heading)) << heading;
    EXPECT_FALSE(text.contains("<h1>")) << "shown as HTML, not as text";
    viewer.close();
    EXPECT_FALSE(dialogs.openHelp(root.toStdString() + "/vellumKit.HLP"));
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(QtDialogsTest, ConfirmationStaysUpWithoutBlockingAndOpensTheFolder) {
    QtDialogs dialogs;
    std::vector<QUrl> opened;
    dialogs.openUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    const std::string folder = (root + "/Sky").toStdString(), archive = (root + "/Sky.wsz").toStdString();
    dialogs.showSaved(folder, archive);
    QMessageBox* note = dialogs.savedNote();
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(note->text().contains(QString::fromStdString(folder)));
    EXPECT_TRUE(note->text().contains(QString::fromStdString(archive)));
    // Enter closes the note; Open Folder is a click away.
    EXPECT_EQ(note->defaultButton(), note->button(QMessageBox::Close));
    note->findChild<QPushButton*>("openFolder")->click();
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(folder))});

    // No file manager took the folder: an error box says so and names it.
    dialogs.openUrl = [](const QUrl&) { return false; };
    dialogs.showSaved(folder, archive);
    QString refusal;
    whenModal([&](QWidget* modal) {
        refusal = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
    });
    dialogs.savedNote()->findChild<QPushButton*>("openFolder")->click();
    EXPECT_EQ(refusal, "Cannot open " + QString::fromStdString(folder) + ": no file manager is set up to show folders.");

    dialogs.showSaved(folder, std::nullopt);
    ASSERT_NE(dialogs.savedNote(), nullptr);
    EXPECT_FALSE(dialogs.savedNote()->text().contains(".wsz"));
    dialogs.savedNote()->close();
}

} // namespace
