// The save-directory dialog: a directory list with its drive box, the skin
// name, OK and Cancel. It only answers; SaveSkin does the file work.
// Each line of the list carries its full path in column 0's Qt::UserRole.
#pragma once
#include <QDialog>

class QComboBox;
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

    // OK follows the name: enabled exactly when it is not empty.
    void skinNameChange(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillList();
    void openItem(QTreeWidgetItem* item);
    void openDrive(int index);

    QString open_;
    QTreeWidget* directoryList_ = nullptr;
    QComboBox* drives_ = nullptr;
    QLineEdit* skinName_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace vk
