// What make and batch share: the pictures, the option radios and the colour
// commands of one skin, read from the command line and replayed on a
// workbench as a user would give them in the window.
#pragma once
#include "app/Workbench.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vk::cli {

// One --colour, --vis-colour or --knob, kept in the order given.
struct ColourStep {
    enum class Kind { Setting, Vis, Knob };
    Kind kind = Kind::Setting;
    ColourSetting setting = ColourSetting::winBackColour;
    int visEntry = 0;
    SliderKnobs knob = SliderKnobs::MainSlider;
    TColor colour = 0;
};

struct SkinRecipe {
    std::string mainPicture, equaliserPicture, playlistPicture;
    Options options;
    PictureOptions picture;  // --background
    std::vector<ColourStep> steps;
};

// Walks the arguments: options as "--name value" or "--name=value", anything
// else (and everything after "--") positional.
class ArgReader {
public:
    explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}

    bool atEnd() const { return next_ >= args_.size(); }
    // Whether the next argument is an option; steps over a "--".
    bool atOption();
    // The current option's name, without any "=value".
    std::string option() const;
    // Consumes the current option and returns its value; a following
    // argument that starts with "--" is refused as one.
    std::string value();
    // Consumes the current option, which must not carry a value.
    void flag();
    // Consumes the current option's value into a slot that may be set once.
    void valueOnce(std::string& slot);
    // Consumes the next argument as a positional one.
    std::string positional() { return args_[next_++]; }

private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    bool optionsEnded_ = false;
};

// Reads the option at the reader's position if it is one that make and batch
// share; returns false, consuming nothing, when it is not.
bool readRecipeOption(ArgReader& reader, SkinRecipe& recipe, bool withMainPicture);

// RRGGBB, red first, into a TColor; `what` names the culprit in the message.
TColor parseColour(const std::string& text, const std::string& what);
LayoutMode parseLayout(const std::string& name);

// Lays the pictures already in the workbench out, makes the skin and applies
// the colour steps in order, each with its repaint.
void makeSkinFromRecipe(Workbench& bench, const SkinRecipe& recipe);

} // namespace vk::cli
