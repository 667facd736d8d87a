#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A setting an engine offers, as its `option` line describes it: "option name Hash type spin
// default 16 min 1 max 131072". Names may hold blanks ("Skill Level").
struct EngineOption {
    enum class Type { Check, Spin, Combo, String, Filename, Button };

    std::string name;
    Type type = Type::String;
    std::string defaultValue;  // as the engine wrote it; "<empty>" stands for an empty text
    long long min = 0;         // spin only
    long long max = 0;
    std::vector<std::string> choices;  // combo only
};

// Reads the words after "option". Nothing for a line that makes no sense: no name, an unknown
// type, a spin without numbers or whose default lies outside its range.
std::optional<EngineOption> ParseOption(std::string_view words);

// Why `value` does not suit the option (a spin's number out of range, a check that is neither
// true nor false, a combo value it does not offer), or empty when it does. A button takes none.
std::string OptionValueProblem(const EngineOption& option, std::string_view value);

// The command that sets the option: "setoption name Hash value 64", or "setoption name Clear
// Hash" for a button.
std::string SetOptionCommand(const EngineOption& option, std::string_view value);

// The option of that name, ignoring case, as engines spell names differently ("MultiPV",
// "multipv"); null when there is none.
const EngineOption* FindOption(const std::vector<EngineOption>& options, std::string_view name);
