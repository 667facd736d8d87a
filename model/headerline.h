#pragma once

#include <string>
#include <string_view>

// One line of a record's header beyond the title and the players, kept in file order. A line
// whose meaning every format shares has one of the keys below, whatever the format calls it;
// any other line keeps the format's own label as its key, so writing the same format gives it
// back. Values are stored as the record stores every text.
struct HeaderLine {
    std::string key;
    std::string value;

    friend bool operator==(const HeaderLine&, const HeaderLine&) = default;
};

// The shared keys.
namespace HeaderKey {
inline constexpr std::string_view Event = "event";
inline constexpr std::string_view Site = "site";
inline constexpr std::string_view StartTime = "start-time";
inline constexpr std::string_view EndTime = "end-time";
inline constexpr std::string_view TimeLimit = "time-limit";
inline constexpr std::string_view Byoyomi = "byoyomi";
inline constexpr std::string_view Opening = "opening";
inline constexpr std::string_view Handicap = "handicap";  // the handicap's name, as written
inline constexpr std::string_view Note = "note";
}  // namespace HeaderKey

inline constexpr std::string_view SharedHeaderKeys[] = {
    HeaderKey::Event,   HeaderKey::Site,      HeaderKey::StartTime,
    HeaderKey::EndTime, HeaderKey::TimeLimit, HeaderKey::Byoyomi,
    HeaderKey::Opening, HeaderKey::Handicap,  HeaderKey::Note};

constexpr bool IsSharedHeaderKey(std::string_view key) {
    for (std::string_view shared : SharedHeaderKeys)
        if (key == shared) return true;
    return false;
}
