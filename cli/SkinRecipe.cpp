#include "cli/SkinRecipe.h"

#include "cli/Commands.h"
#include "colour/ColourTools.h"
#include <algorithm>
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
    const auto [name, colour] = splitAssignment(text, "--colour", "NAME=RRGGBB");
    const ColourSettingInfo* info = findColourSetting(name);
    if (!info) throw UsageError{"unknown colour setting '" + name + "' (" + settingNames() + ")"};
    ColourStep step;
    step.kind = ColourStep::Kind::Setting;
    step.setting = info->setting;
    step.colour = parseColour(colour, name);
    return step;
}

ColourStep readVisColour(const std::string& text) {
    const auto [entry, colour] = splitAssignment(text, "--vis-colour", "N=RRGGBB");
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
    const auto [name, colour] = splitAssignment(text, "--knob", "main|eq|playlist=RRGGBB");
    ColourStep step;
    step.kind = ColourStep::Kind::Knob;
    const auto known = std::find_if(std::begin(kSliderKnobs), std::end(kSliderKnobs),
                                    [&knobName = name](const SliderKnobsInfo& info) { return knobName == info.name; });
    if (known == std::end(kSliderKnobs)) throw UsageError{"unknown knob '" + name + "' (main, eq or playlist)"};
    step.knob = known->knobs;
    step.colour = parseColour(colour, "knob " + name);
    return step;
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
    if (args_[next_].starts_with("--"))
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
        recipe.options.layout = parseLayout(reader.value());
    } else if (name == "--buttons-only") {
        reader.flag();
        recipe.options.full3D = false;
    } else if (name == "--sink-frame") {
        reader.flag();
        recipe.options.sinkFrame = true;
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
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw UsageError{"colour '" + text + "' for " + what + " is not six hex digits RRGGBB"};
    const auto channel = [&](std::size_t at) { return std::stoi(text.substr(at, 2), nullptr, 16); };
    return rgb(channel(0), channel(2), channel(4));
}

LayoutMode parseLayout(const std::string& name) {
    if (name == "three-windows") return LayoutMode::ThreeWindows;
    if (name == "two-plus-one") return LayoutMode::TwoPlusOne;
    if (name == "continuous") return LayoutMode::Continuous;
    throw UsageError{"unknown layout '" + name + "' (three-windows, two-plus-one or continuous)"};
}

void makeSkinFromRecipe(Workbench& bench, const SkinRecipe& recipe) {
    bench.options = recipe.options;
    bench.layoutPictures();
    MakeSkinClick(bench);
    for (const ColourStep& step : recipe.steps) {
        switch (step.kind) {
        case ColourStep::Kind::Setting: bench.setColour(step.setting, step.colour); break;
        case ColourStep::Kind::Vis: bench.setVisColour(step.visEntry, step.colour); break;
        case ColourStep::Kind::Knob: bench.restyleSlider(step.knob, step.colour); break;
        }
    }
}

} // namespace vk::cli
