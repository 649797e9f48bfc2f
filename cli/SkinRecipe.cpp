#include "cli/SkinRecipe.h"

#include "cli/Outputs.h"

#include "cli/Commands.h"
#include "cli/QtModule.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>

namespace vk::cli {

namespace {

std::pair<std::string, std::string> splitAssignment(const std::string& text, const std::string& option,
                                                    const char* shape) {
    const auto at = text.find('=');
    if (at == std::string::npos) throw UsageError{option + " wants " + shape + ", got '" + text + "'"};
    return {text.substr(0, at), text.substr(at + 1)};
}

std::string settingNames() {
    std::string names;
    for (const auto& info : colourSettings()) names += std::string(names.empty() ? "" : ", ") + info.name;
    return names;
}

ColourStep readColourSetting(const std::string& text) {
    const auto [name, colour] = splitAssignment(text, "--colour", "NAME=COLOUR");
    const ColourSettingInfo* info = findColourSetting(name);
    if (!info) throw UsageError{"unknown colour setting '" + name + "' (" + settingNames() + ")"};
    ColourStep step;
    step.kind = ColourStep::Kind::Setting;
    step.setting = info->setting;
    step.colour = parseColour(colour, name);
    return step;
}

ColourStep readVisColour(const std::string& text) {
    const auto [entry, colour] = splitAssignment(text, "--vis-colour", "N=COLOUR");
    const bool digits = !entry.empty() && entry.size() <= 2 &&
                        entry.find_first_not_of("0123456789") == std::string::npos;
    const int n = digits ? std::stoi(entry) : 0;
    if (n < 1 || n > kVisColourCount)
        throw UsageError{"visualisation entry '" + entry + "' is outside 1-17"};
    ColourStep step;
    step.kind = ColourStep::Kind::Vis;
    step.visEntry = n;
    step.colour = parseColour(colour, "visualisation entry " + entry);
    return step;
}

ColourStep readKnob(const std::string& text) {
    const auto [name, colour] = splitAssignment(text, "--knob", "main|eq|playlist=COLOUR");
    ColourStep step;
    step.kind = ColourStep::Kind::Knob;
    const auto known = std::find_if(std::begin(kSliderKnobs), std::end(kSliderKnobs),
                                    [&knobName = name](const SliderKnobsInfo& info) { return knobName == info.name; });
    if (known == std::end(kSliderKnobs)) throw UsageError{"unknown knob '" + name + "' (main, eq or playlist)"};
    step.knob = known->knobs;
    step.colour = parseColour(colour, "knob " + name);
    return step;
}

// A fraction 0 ... 1 written as a plain decimal number.
bool parseFraction(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    return error == std::errc{} && at == end && value >= 0.0 && value <= 1.0;
}

PictureFit::Mode parseFit(const std::string& name) {
    if (name == "stretch") return PictureFit::Mode::Stretch;
    if (name == "crop") return PictureFit::Mode::Crop;
    throw UsageError{"unknown fit '" + name + "' (stretch or crop)"};
}

void readFocus(const std::string& text, PictureFit& fit) {
    const auto comma = text.find(',');
    if (comma == std::string::npos || !parseFraction(text.substr(0, comma), fit.focusX) ||
        !parseFraction(text.substr(comma + 1), fit.focusY))
        throw UsageError{"--focus wants X,Y, two fractions from 0 to 1 (0.5,0.5 is the centre), got '" + text + "'"};
}

} // namespace

bool ArgReader::atOption() {
    if (!optionsEnded_ && !atEnd() && args_[next_] == "--") {
        optionsEnded_ = true;
        ++next_;
    }
    if (atEnd() || optionsEnded_) return false;
    const std::string& arg = args_[next_];
    return arg.size() > 1 && arg[0] == '-';
}

bool ArgReader::nextOption() {
    if (atOption()) return true;
    if (!atEnd()) throw UsageError{"unexpected argument '" + positional() + "'"};
    return false;
}

std::string ArgReader::option() const {
    const std::string& arg = args_[next_];
    return arg.substr(0, arg.find('='));
}

std::string ArgReader::value() {
    const std::string& arg = args_[next_++];
    const auto at = arg.find('=');
    if (at != std::string::npos) return arg.substr(at + 1);
    if (atEnd()) throw UsageError{"option " + arg + " needs a value"};
    // Most likely a forgotten value; a value that starts so is given as --name=value.
    const std::string& next = args_[next_];
    if (next.starts_with("--") || (next.size() > 1 && next[0] == '-' && std::isalpha((unsigned char)next[1])))
        throw UsageError{"option " + arg + " needs a value, not the option '" + args_[next_] + "' (write " + arg +
                         "=VALUE for a value that starts with --)"};
    return args_[next_++];
}

void ArgReader::flag() {
    const std::string& arg = args_[next_++];
    if (arg.find('=') != std::string::npos) throw UsageError{"option " + arg.substr(0, arg.find('=')) + " takes no value"};
}

void ArgReader::valueOnce(std::string& slot) {
    const std::string name = option();
    std::string given = value();
    if (given.empty()) throw UsageError{"option " + name + " needs a value"};
    if (!slot.empty()) throw UsageError{"option " + name + " given twice"};
    slot = std::move(given);
}

bool readRecipeOption(ArgReader& reader, SkinRecipe& recipe, bool withMainPicture) {
    const std::string name = reader.option();
    if (name == "--main" && withMainPicture) {
        reader.valueOnce(recipe.mainPicture);
    } else if (name == "--equaliser") {
        reader.valueOnce(recipe.equaliserPicture);
    } else if (name == "--playlist") {
        reader.valueOnce(recipe.playlistPicture);
    } else if (name == "--layout") {
        recipe.layout = parseLayout(reader.value());
    } else if (name == "--fit") {
        recipe.fit.mode = parseFit(reader.value());
    } else if (name == "--focus") {
        readFocus(reader.value(), recipe.fit);
        recipe.focusGiven = true;
    } else if (name == "--buttons-only") {
        reader.flag();
        recipe.options.full3D = false;
    } else if (name == "--sink-frame") {
        reader.flag();
        recipe.options.sinkFrame = true;
    } else if (name == "--legible") {
        reader.flag();
        recipe.options.legible = true;
    } else if (name == "--colours-from-picture") {
        reader.flag();
        recipe.coloursFromPicture = true;
    } else if (name == "--background") {
        recipe.picture.background = parseColour(reader.value(), "--background");
    } else if (name == "--colour") {
        recipe.steps.push_back(readColourSetting(reader.value()));
    } else if (name == "--vis-colour") {
        recipe.steps.push_back(readVisColour(reader.value()));
    } else if (name == "--knob") {
        recipe.steps.push_back(readKnob(reader.value()));
    } else {
        return false;
    }
    return true;
}

TColor parseColour(const std::string& text, const std::string& what) {
    const std::string hex = text.starts_with('#') ? text.substr(1) : text;
    if (hex.size() == 6 && hex.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
        const auto channel = [&](std::size_t at) { return std::stoi(hex.substr(at, 2), nullptr, 16); };
        return rgb(channel(0), channel(2), channel(4));
    }
    // Only a word is looked up as a name: Qt would also take #RGB, #AARRGGBB and more.
    const bool word = !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalpha(c); });
    const std::optional<TColor> named = word ? qtModule().namedColour(text) : std::nullopt;
    if (!named) throw UsageError{"colour '" + text + "' for " + what + " is not #RRGGBB, RRGGBB or a colour name such as gold"};
    return *named;
}

LayoutMode parseLayout(const std::string& name) {
    if (name == "three-windows") return LayoutMode::ThreeWindows;
    if (name == "two-plus-one") return LayoutMode::TwoPlusOne;
    if (name == "continuous") return LayoutMode::Continuous;
    throw UsageError{"unknown layout '" + name + "' (three-windows, two-plus-one or continuous)"};
}

const char* layoutName(LayoutMode layout) {
    switch (layout) {
    case LayoutMode::ThreeWindows: return "three-windows";
    case LayoutMode::TwoPlusOne: return "two-plus-one";
    case LayoutMode::Continuous: return "continuous";
    }
    return "";
}

LayoutMode defaultLayout(bool main, bool equaliser, bool playlist) {
    if (main && !equaliser && !playlist) return LayoutMode::Continuous;
    if (main && !equaliser && playlist) return LayoutMode::TwoPlusOne;
    return LayoutMode::ThreeWindows;
}

void checkRecipe(const SkinRecipe& recipe) {
    if (recipe.focusGiven && recipe.fit.mode != PictureFit::Mode::Crop)
        throw UsageError{"--focus moves the part --fit crop cuts out: give --fit crop with it"};
}

void makeSkinFromRecipe(Workbench& bench, const SkinRecipe& recipe) {
    Options options = recipe.options;
    options.layout = recipe.layout.value_or(defaultLayout(
        !recipe.mainPicture.empty(), !recipe.equaliserPicture.empty(), !recipe.playlistPicture.empty()));
    bench.setOptions(options);
    bench.setFit(recipe.fit);
    bench.layoutPictures();
    MakeSkinClick(bench);
    if (recipe.coloursFromPicture) bench.coloursFromPicture();
    for (const ColourStep& step : recipe.steps) {
        switch (step.kind) {
        case ColourStep::Kind::Setting: bench.setColour(step.setting, step.colour); break;
        case ColourStep::Kind::Vis: bench.setVisColour(step.visEntry, step.colour); break;
        case ColourStep::Kind::Knob: bench.restyleSlider(step.knob, step.colour); break;
        }
    }
}

} // namespace vk::cli

namespace vk::cli {

void checkPictureInputs(const SkinRecipe& recipe) {
    if (!recipe.mainPicture.empty()) checkPictureInput(recipe.mainPicture, "--main");
    if (!recipe.equaliserPicture.empty()) checkPictureInput(recipe.equaliserPicture, "--equaliser");
    if (!recipe.playlistPicture.empty()) checkPictureInput(recipe.playlistPicture, "--playlist");
}

} // namespace vk::cli
