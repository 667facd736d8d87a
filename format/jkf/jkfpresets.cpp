#include "format/jkf/jkfpresets.h"

#include "format/kif/japanesenotation.h"

namespace {

struct Preset {
    Handicap handicap;
    std::string_view name;
};

constexpr Preset Presets[] = {
    {Handicap::Even, "HIRATE"},
    {Handicap::Lance, "KY"},
    {Handicap::RightLance, "KY_R"},
    {Handicap::Bishop, "KA"},
    {Handicap::Rook, "HI"},
    {Handicap::RookAndLance, "HIKY"},
    {Handicap::TwoPieces, "2"},
    {Handicap::ThreePieces, "3"},
    {Handicap::FourPieces, "4"},
    {Handicap::FivePieces, "5"},
    {Handicap::LeftFivePieces, "5_L"},
    {Handicap::SixPieces, "6"},
    {Handicap::LeftSevenPieces, "7_L"},
    {Handicap::RightSevenPieces, "7_R"},
    {Handicap::EightPieces, "8"},
    {Handicap::TenPieces, "10"},
};

const Preset& PresetOf(Handicap handicap) {
    return Presets[static_cast<int>(handicap)];
}

}  // namespace

std::string_view JkfPreset(Handicap handicap) {
    return PresetOf(handicap).name;
}

std::optional<Handicap> HandicapOfJkfPreset(std::string_view preset) {
    for (const Preset& known : Presets)
        if (known.name == preset) return known.handicap;
    return std::nullopt;
}

bool JkfHandicapNameMatches(std::string_view name, const Position& start) {
    const auto named = NameOfStartPosition(start);
    return named && *named == name;
}
