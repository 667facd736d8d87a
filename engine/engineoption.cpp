#include "engine/engineoption.h"

#include <algorithm>
#include <charconv>

#include "engine/engineinfo.h"

namespace {

bool IsOptionWord(std::string_view word) {
    return word == "name" || word == "type" || word == "default" || word == "min" ||
           word == "max" || word == "var";
}

std::optional<EngineOption::Type> TypeOfName(std::string_view name) {
    using Type = EngineOption::Type;
    if (name == "check") return Type::Check;
    if (name == "spin") return Type::Spin;
    if (name == "combo") return Type::Combo;
    if (name == "string") return Type::String;
    if (name == "filename") return Type::Filename;
    if (name == "button") return Type::Button;
    return std::nullopt;
}

bool ReadInteger(std::string_view text, long long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        return lower(x) == lower(y);
    });
}

// Reads a spin's range; false unless its numbers all read and its default lies in the range.
bool ReadSpinRange(EngineOption& option, const std::optional<std::string>& min,
                   const std::optional<std::string>& max) {
    long long value = 0;
    return min && max && ReadInteger(*min, option.min) && ReadInteger(*max, option.max) &&
           option.min <= option.max && ReadInteger(option.defaultValue, value) &&
           value >= option.min && value <= option.max;
}

}  // namespace

std::optional<EngineOption> ParseOption(std::string_view line) {
    const std::vector<std::string_view> words = SplitWords(line);
    EngineOption option;
    std::optional<std::string> type, min, max;
    for (std::size_t i = 0; i < words.size();) {
        const std::string_view key = words[i++];
        if (!IsOptionWord(key)) return std::nullopt;
        std::string value;
        for (; i < words.size() && !IsOptionWord(words[i]); ++i)
            value += (value.empty() ? "" : " ") + std::string(words[i]);
        if (key == "name") option.name = value;
        if (key == "type") type = value;
        if (key == "default") option.defaultValue = value == "<empty>" ? "" : value;
        if (key == "min") min = value;
        if (key == "max") max = value;
        if (key == "var") option.choices.push_back(value);
    }
    const std::optional<EngineOption::Type> kind = type ? TypeOfName(*type) : std::nullopt;
    if (option.name.empty() || !kind) return std::nullopt;
    option.type = *kind;
    if (option.type == EngineOption::Type::Spin && !ReadSpinRange(option, min, max))
        return std::nullopt;
    return option;
}

std::string OptionValueProblem(const EngineOption& option, std::string_view value) {
    using Type = EngineOption::Type;
    long long number = 0;
    switch (option.type) {
        case Type::Check:
            if (value == "true" || value == "false") return {};
            return "takes true or false";
        case Type::Spin:
            if (ReadInteger(value, number) && number >= option.min && number <= option.max)
                return {};
            return "takes a number from " + std::to_string(option.min) + " to " +
                   std::to_string(option.max);
        case Type::Combo:
            if (std::find(option.choices.begin(), option.choices.end(), value) !=
                option.choices.end())
                return {};
            return "offers no choice '" + std::string(value) + "'";
        case Type::Button:
            if (value.empty()) return {};
            return "is a button and takes no value";
        case Type::String:
        case Type::Filename:
            if (value.find_first_of("\r\n") == std::string_view::npos) return {};
            return "takes one line of text";
    }
    return {};
}

std::string SetOptionCommand(const EngineOption& option, std::string_view value) {
    std::string command = "setoption name " + option.name;
    if (option.type == EngineOption::Type::Button) return command;
    const bool emptyText = value.empty() && (option.type == EngineOption::Type::String ||
                                             option.type == EngineOption::Type::Filename);
    return command + " value " + (emptyText ? std::string("<empty>") : std::string(value));
}

const EngineOption* FindOption(const std::vector<EngineOption>& options, std::string_view name) {
    for (const EngineOption& option : options)
        if (EqualIgnoringCase(option.name, name)) return &option;
    return nullptr;
}
