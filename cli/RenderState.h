// What `render` shows of the player: every option for a field of its state,
// read from the command line or from a state file, and the state they make.
#pragma once
#include "player/PlayerState.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vk::cli {

class ArgReader;

// The options given, by name ("--shade"); a flag's value is empty.
using StateOptions = std::map<std::string, std::string>;

struct StateOption {
    std::string_view name;
    bool takesValue;
};
// Every state option render reads, in the order its help lists them.
const std::vector<StateOption>& stateOptions();

// Reads the option at the reader's position if it is a state option; false, consuming nothing, otherwise.
bool readStateOption(ArgReader& reader, StateOptions& given);

// A state file: one JSON object whose keys are the options' names without the
// dashes and whose values are strings or numbers (true for a flag), e.g.
// {"shade": "main,eq", "double": true, "volume": 40}. Options on the command line
// win over the file's. Throws UsageError naming the file on anything else.
void readStateFile(const std::filesystem::path& file, StateOptions& given);

struct RenderState {
    player::PlayerState state;
    std::vector<player::PlayerWindow> windows;  // drawn docked in this order
};
// The state the options say, over the default one; throws UsageError on a bad value.
RenderState renderStateFrom(const StateOptions& given);

// A whole number from lo to hi; throws UsageError naming `what` otherwise.
int parseWholeNumber(const std::string& text, int lo, int hi, const std::string& what);

// The default state: playing, with a short playlist of three entries.
player::PlayerState previewState();

} // namespace vk::cli
