// What make and batch share: the pictures, the option radios and the colour
// commands of one skin, read from the command line and replayed on a
// workbench as a user would give them in the window.
#pragma once
#include "app/Workbench.h"

#include <cstddef>
#include <optional>
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
    std::optional<LayoutMode> layout;  // --layout; without it, chosen from the pictures given
    PictureOptions picture;  // --background
    PictureFit fit;          // --fit, --focus
    bool focusGiven = false;
    // --colours-from-picture: applied right after MakeSkin, so every step below wins over it.
    bool coloursFromPicture = false;
    std::vector<ColourStep> steps;
};

// The layout when --layout is not given: only a main picture spreads over all
// three windows, a main and a playlist picture make Two + One, anything else
// keeps a picture per window.
LayoutMode defaultLayout(bool main, bool equaliser, bool playlist);
const char* layoutName(LayoutMode layout);

// Walks the arguments: options as "--name value" or "--name=value", anything
// else (and everything after "--") positional.
class ArgReader {
public:
    explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}

    bool atEnd() const { return next_ >= args_.size(); }
    // Whether the next argument is an option; steps over a "--".
    bool atOption();
    // For commands that take no positional argument: whether an option is
    // next; anything else (but a closing "--") is refused.
    bool nextOption();
    // The current option's name, without any "=value".
    std::string option() const;
    // Whether the current option carries its value as "--name=value".
    bool hasInlineValue() const { return args_[next_].find('=') != std::string::npos; }
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

// #RRGGBB, RRGGBB (red first) or a colour name Qt knows ("gold") into a
// TColor; `what` names the culprit in the message.
TColor parseColour(const std::string& text, const std::string& what);
LayoutMode parseLayout(const std::string& name);

// Refuses what the options cannot mean together (--focus without --fit crop).
void checkRecipe(const SkinRecipe& recipe);
// Each picture the recipe names exists, is a file and can be read (else a usage error).
void checkPictureInputs(const SkinRecipe& recipe);

// Lays the pictures already in the workbench out, makes the skin and applies
// the colour steps in order, each with its repaint.
void makeSkinFromRecipe(Workbench& bench, const SkinRecipe& recipe);

} // namespace vk::cli
