// The dialog's controls at their places, and the directory list: the open
// directory's path one level per line, its sub-directories below; a double
// click opens an entry, a single click only highlights it.
#include "app/window/GetDirectory.h"

#include "app/window/Dialogs.h"
#include "app/window/Look.h"
#include "app/Workbench.h"
#include "raster/Error.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <cerrno>
#include <unistd.h>

namespace vk {

namespace {

constexpr int kPathRole = Qt::UserRole;

QLabel* addLabel(QWidget* parent, const char* name, const char* text, QRect geometry, int pointSize, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    if (geometry.width() > 0) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(geometry);
    } else {
        label->move(geometry.topLeft());
        label->adjustSize();
    }
    return label;
}

void addInstructionBox(QWidget* parent, const char* name, QRect geometry) {
    auto* box = new QFrame(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setStyleSheet(QString("#%1 { background: rgb(255, 255, 128); border: 1px solid black; border-radius: 8px; }")
                           .arg(name));
}

} // namespace

GetDirectory::GetDirectory(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("getDirectory");
    setWindowTitle("Save Winamp Skin");
    setFixedSize(415, 295);
    setFont(classicFont());
    paintSilver(this);

    addInstructionBox(this, "Shape1", {8, 24, 193, 113});
    addLabel(this, "Label7", "Step 1", {16, 32, 0, 0}, 14, true);
    addLabel(this, "Label5", "Set this directory to your default skin directory.    Usually this is:", {16, 56, 161, 57},
             10, false);
    // The box has room for two short lines; the tip gives each place in full.
    QLabel* places = addLabel(this, "Label6", "~/.local/share/audacious/Skins,\n~/.qmmp/skins or Wine's Winamp/Skins",
                              {16, 110, 0, 0}, 7, true);
    places->setToolTip("Audacious, qmmp and Winamp under Wine look for skins in " + playerSkinsPlaces().join(", "));
    addInstructionBox(this, "Shape2", {8, 216, 193, 73});
    addLabel(this, "Label10", "Step 2", {16, 224, 0, 0}, 14, true);
    addLabel(this, "Label8", "Enter a name for your skin", {16, 248, 177, 25}, 10, false);
    nameProblem_ = addLabel(this, "nameProblem", "", {16, 266, 181, 21}, 7, false);
    nameProblem_->setStyleSheet("color: rgb(160, 0, 0);");

    wsz_ = new QCheckBox("Also save a .&wsz archive", this);
    wsz_->setObjectName("alsoWsz");
    wsz_->setGeometry(16, 176, 185, 17);
    wsz_->setChecked(true);
    wsz_->setToolTip("Write NAME.wsz beside the skin's folder: players import it in one step");

    addLabel(this, "Label2", "Directory", {208, 8, 0, 0}, 8, false);
    directoryList_ = new QTreeWidget(this);
    directoryList_->setObjectName("DirectoryListBox1");
    directoryList_->setGeometry(208, 24, 201, 137);
    directoryList_->setHeaderHidden(true);
    directoryList_->setRootIsDecorated(false);
    directoryList_->setItemsExpandable(false);
    directoryList_->setIndentation(10);
    directoryList_->setIconSize({16, 16});
    directoryList_->setExpandsOnDoubleClick(false);
    directoryList_->setToolTip("Double-click a folder, or highlight it and press Enter, to open it");
    directoryList_->installEventFilter(this);
    connect(directoryList_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { openItem(item); });

    addLabel(this, "Label3", "Drive", {208, 168, 0, 0}, 8, false);
    drives_ = new QComboBox(this);
    drives_->setObjectName("DriveComboBox1");
    drives_->setGeometry(208, 184, 201, 19);
    for (const QString& volume : writableVolumes()) drives_->addItem(QDir::toNativeSeparators(volume));
    drives_->setToolTip("Your home folder and the other places you may write to");
    connect(drives_, &QComboBox::activated, this, &GetDirectory::openDrive);

    auto* separator = new QFrame(this);
    separator->setObjectName("Panel1");
    separator->setGeometry(0, 208, 415, 2);
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    addLabel(this, "Label4", "Skin Name", {208, 216, 0, 0}, 8, false);
    skinName_ = new QLineEdit(this);
    skinName_->setObjectName("skinName");
    skinName_->setGeometry(208, 232, 201, 21);
    skinName_->setToolTip("The skin's folder name; players list the skin by it");
    connect(skinName_, &QLineEdit::textChanged, this, &GetDirectory::skinNameChange);

    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("BitBtn1");
    ok_->setGeometry(208, 264, 97, 22);
    ok_->setDefault(true);
    ok_->setEnabled(false);
    ok_->setToolTip("Save the skin into the open folder under this name");
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("BitBtn2");
    cancel->setGeometry(312, 264, 97, 22);
    cancel->setAutoDefault(false);
    cancel->setToolTip("Close without saving");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(directoryList_, skinName_);
    setTabOrder(skinName_, cancel);
    setTabOrder(cancel, drives_);
    setTabOrder(drives_, wsz_);
    setTabOrder(wsz_, ok_);

    openDirectory(QDir::currentPath());
}

bool GetDirectory::openDirectory(const QString& path) {
    const QDir dir(path);
    if (!dir.exists() || !dir.isReadable()) {
        QMessageBox box(QMessageBox::Critical, kAppTitle, QString::fromStdString(messageForDisplay(Workbench::fileErrorMessage(
                                                              dir.exists() ? EACCES : ENOENT))),
                        QMessageBox::Ok, this);
        box.exec();
        return false;
    }
    open_ = QDir::cleanPath(dir.absolutePath());
    // The directory list sets the process's directory as it opens one.
    QDir::setCurrent(open_);
    fillList();
    // The drive is the longest entry that holds the open directory.
    int drive = -1, longest = -1;
    for (int i = 0; i < drives_->count(); ++i) {
        const QString volume = QDir::fromNativeSeparators(drives_->itemText(i));
        const bool holds = open_ == volume || open_.startsWith(volume.endsWith('/') ? volume : volume + '/');
        if (holds && volume.size() > longest) drive = i, longest = int(volume.size());
    }
    if (drive >= 0) drives_->setCurrentIndex(drive);
    return true;
}

void GetDirectory::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    directoryList_->setFocus();
}

bool GetDirectory::eventFilter(QObject* watched, QEvent* event) {
    // Enter opens the highlighted folder rather than pressing OK.
    if (watched == directoryList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openItem(directoryList_->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString GetDirectory::skinName() const { return skinName_->text(); }

bool GetDirectory::alsoWsz() const { return wsz_->isChecked(); }

void GetDirectory::skinNameChange(const QString& text) {
    const QString problem = skinNameProblem(text);
    nameProblem_->setText(problem);
    ok_->setEnabled(!text.isEmpty() && problem.isEmpty());
}

QString skinNameProblem(const QString& name) {
    if (name.isEmpty()) return {};
    if (name.trimmed().isEmpty()) return "A skin name needs more than spaces.";
    if (name.contains('/')) return "No \"/\" in a name: choose the folder in the list.";
    if (name == "." || name == "..") return "\"" + name + "\" is a folder already there: type a name.";
    return {};
}

QStringList playerSkinsPlaces() {
    return {"~/.wine/drive_c/Program Files/Winamp/Skins", "~/.local/share/audacious/Skins", "~/.qmmp/skins"};
}

std::optional<std::string> playerSkinsDirectory(const QString& home) {
    for (const QString& place : playerSkinsPlaces()) {
        QDir dir(home);
        bool found = dir.exists();
        for (const QString& level : place.mid(2).split('/')) {
            if (!found) break;
            if (dir.cd(level)) continue;
            const QStringList entries = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
            const auto match = std::find_if(entries.begin(), entries.end(),
                                            [&](const QString& entry) { return entry.compare(level, Qt::CaseInsensitive) == 0; });
            found = match != entries.end() && dir.cd(*match);
        }
        if (found) return QDir::cleanPath(dir.absolutePath()).toStdString();
    }
    return std::nullopt;
}

std::optional<std::string> playerSkinsDirectory() { return playerSkinsDirectory(QDir::homePath()); }

QStringList writableVolumes() {
    QStringList volumes{QDir::cleanPath(QDir::homePath())};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(volume.rootPath());
        // The kernel's own file systems hold no place for a skin.
        const bool system = root == "/dev" || root == "/proc" || root == "/sys" || root == "/run" ||
                            root.startsWith("/dev/") || root.startsWith("/proc/") || root.startsWith("/sys/") ||
                            root.startsWith("/run/");
        if (system || !volume.isValid() || !volume.isReady() || volume.isReadOnly() || volumes.contains(root)) continue;
        if (::access(QFile::encodeName(root).constData(), W_OK) == 0) volumes << root;
    }
    return volumes;
}

void GetDirectory::fillList() {
    directoryList_->clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);

    QStringList levels;
    for (QDir dir(open_);;) {
        levels.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp()) break;
    }
    // Each level of the path one step further in; the open directory's
    // sub-directories one step further still.
    QTreeWidgetItem* parent = nullptr;
    for (const QString& level : levels) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(directoryList_);
        item->setText(0, QDir(level).isRoot() ? QDir::toNativeSeparators(level) : QFileInfo(level).fileName());
        item->setIcon(0, openIcon);
        item->setData(0, kPathRole, level);
        parent = item;
    }
    const QDir open(open_);
    for (const QString& child : open.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QTreeWidgetItem(parent, {child});
        item->setIcon(0, closedIcon);
        item->setData(0, kPathRole, open.filePath(child));
    }
    directoryList_->expandAll();
    directoryList_->setCurrentItem(parent);
}

void GetDirectory::openItem(QTreeWidgetItem* item) {
    if (item) openDirectory(item->data(0, kPathRole).toString());
}

void GetDirectory::openDrive(int index) { openDirectory(QDir::fromNativeSeparators(drives_->itemText(index))); }

} // namespace vk
