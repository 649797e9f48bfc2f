// Dialogs that answer from a script and remember what they were asked.
#pragma once
#include "app/window/Dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vk::testing {

class ScriptedDialogs : public Dialogs {
public:
    // Answers, taken in order; an empty queue answers Cancel.
    std::deque<std::optional<std::string>> pictures;
    std::deque<std::optional<TColor>> colours;
    std::deque<std::optional<SaveTarget>> saveTargets;
    bool helpShown = true;

    // What was asked.
    std::vector<TColor> colourInitials;
    std::vector<std::string> saveStarts;
    std::vector<std::string> errors;
    std::vector<std::string> helpFiles;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    int pictureRequests = 0;
    int aboutShown = 0;

    std::optional<std::string> openPicture() override {
        ++pictureRequests;
        return take(pictures);
    }
    std::optional<TColor> chooseColour(TColor initial) override {
        colourInitials.push_back(initial);
        return take(colours);
    }
    std::optional<SaveTarget> chooseSaveTarget(const std::string& startDirectory) override {
        saveStarts.push_back(startDirectory);
        return take(saveTargets);
    }
    void showError(const std::string& text) override { errors.push_back(text); }
    void showAbout() override { ++aboutShown; }
    void showSaved(const std::string& folder, const std::optional<std::string>& archive) override {
        saved.push_back({folder, archive});
    }
    bool openHelp(const std::string& helpFile) override {
        helpFiles.push_back(helpFile);
        return helpShown;
    }

private:
    template <typename T>
    static std::optional<T> take(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) return std::nullopt;
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace vk::testing
