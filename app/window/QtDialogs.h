// The dialogs of the desktop program: Qt's file and colour dialogs, the
// save-directory dialog, message boxes, the About box and the help viewer.
#pragma once
#include "app/window/Dialogs.h"

#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QTextBrowser;
class QUrl;

namespace vk {

class AboutBox;
class GetDirectory;

// The help viewer: the guide's pages in a browser that follows their links.
class HelpViewer : public QDialog {
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    // Loads the guide as HTML; false when it has nothing to show.
    bool openGuide(const QString& file);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

class QtDialogs : public Dialogs {
public:
    // The save-directory dialog and the About box are made here, once.
    QtDialogs();
    ~QtDialogs() override;

    std::optional<std::string> openPicture() override;
    std::optional<TColor> chooseColour(TColor initial) override;
    std::optional<SaveTarget> chooseSaveTarget(const std::string& startDirectory) override;
    void showError(const std::string& text) override;
    void showAbout() override;
    bool openHelp(const std::string& helpFile) override;
    void showSaved(const std::string& folder, const std::optional<std::string>& archive) override;

    GetDirectory& getDirectory() { return *getDirectory_; }
    HelpViewer& helpViewer() { return *help_; }
    // The confirmation after a save, while it is up.
    QMessageBox* savedNote() const { return saved_; }
    // The confirmation's Open Folder button goes through this.
    std::function<bool(const QUrl&)> openUrl;

private:
    std::unique_ptr<GetDirectory> getDirectory_;
    std::unique_ptr<AboutBox> about_;
    std::unique_ptr<HelpViewer> help_;
    QPointer<QMessageBox> saved_;
    QString lastPicture_;  // one open dialog serves all three Get Bitmap buttons, for this session only
};

// "All pictures" with every format the reader decodes, "Bit maps (*.bmp)",
// then each format on its own.
QString pictureFilter();

// Makes Qt's own dialogs remember nothing between runs: their settings go to
// a store that is never written.
void keepNoSettings();

} // namespace vk
