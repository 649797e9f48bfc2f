// The save-directory dialog: a directory list with its drive box, the skin
// name, OK and Cancel. It only answers; SaveSkin does the file work.
// Each line of the list carries its full path in column 0's Qt::UserRole.
#pragma once
#include <QDialog>
#include <QStringList>

#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;

namespace vk {

class GetDirectory : public QDialog {
public:
    explicit GetDirectory(QWidget* parent = nullptr);

    // Opens the directory in the list (and makes it the current directory);
    // false, with the list unchanged, when it cannot be entered.
    bool openDirectory(const QString& path);
    // The open directory: no trailing separator except at a root.
    QString directory() const { return open_; }
    // Exactly as typed.
    QString skinName() const;
    // The "Also save a .wsz archive" box.
    bool alsoWsz() const;

    // OK follows the name: enabled exactly when skinNameProblem finds nothing.
    void skinNameChange(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    void openItem(QTreeWidgetItem* item);
    void openDrive(int index);

    QString open_;
    QTreeWidget* directoryList_ = nullptr;
    QComboBox* drives_ = nullptr;
    QLineEdit* skinName_ = nullptr;
    QLabel* nameProblem_ = nullptr;
    QCheckBox* wsz_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Why a typed skin name cannot be a folder inside the open directory; empty
// when it can (and for a name not typed yet, which needs no telling).
QString skinNameProblem(const QString& name);

// Where the players on this computer look for skins, home-relative, in the order tried.
QStringList playerSkinsPlaces();
// The first of those that exists under `home` (each level matched without
// regard to case, as Wine's drive is), or nothing.
std::optional<std::string> playerSkinsDirectory(const QString& home);
std::optional<std::string> playerSkinsDirectory();

// The save dialog's drive box: home, then every mounted file system the user may write to.
QStringList writableVolumes();

} // namespace vk
