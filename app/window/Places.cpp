// Where the window looks outside itself: the user guide (installed, or beside
// the program as built) and the folder the save dialog starts in.
#include "app/window/SkinnerMainForm.h"

#include "app/window/GetDirectory.h"
#include "raster/Error.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdlib>
#include <filesystem>

namespace vk {

void SkinnerMainForm::Contents1Click() {
    const std::vector<std::string> directories = helpDirectories(bench_.document().state.startDirectory);
    for (const std::string& directory : directories) {
        const std::string helpFile = helpFilePath(directory);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(helpFile, ec)) continue;
        if (!dialogs_->openHelp(helpFile)) dialogs_->showError(messageForDisplay("Cannot show the help file " + helpFile));
        return;
    }
    std::string places;
    for (const std::string& directory : directories) places += (places.empty() ? "" : ", ") + directory;
    dialogs_->showError(messageForDisplay(std::string("Cannot find the help file ") + kHelpFileName + " in " + places));
}

std::string helpFilePath(const std::string& startDirectory) {
    return (std::filesystem::path(startDirectory) / kHelpFileName).string();
}

std::vector<std::string> helpDirectories(const std::string& startDirectory) {
    std::vector<std::string> directories{startDirectory};
    if (QCoreApplication::instance()) {
        const QString programDirectory = QCoreApplication::applicationDirPath();
        directories.push_back(QDir::cleanPath(programDirectory).toStdString());
        directories.push_back(QDir::cleanPath(programDirectory + "/../share/vellumkit").toStdString());
    }
    return directories;
}

std::string saveStartDirectory() {
    std::error_code ec;
    if (const std::optional<std::string> skins = playerSkinsDirectory()) return *skins;
    return std::filesystem::current_path(ec).string();
}

} // namespace vk
