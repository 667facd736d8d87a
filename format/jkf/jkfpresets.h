#pragma once

#include <optional>
#include <string_view>

#include "model/handicap.h"
#include "model/position.h"

// The preset names of JKF's "initial": the handicaps' ("HIRATE", "KY", ..., "10") and "OTHER"
// for a position given square by square.
inline constexpr std::string_view JkfOtherPreset = "OTHER";

// The preset that names a handicap's start, and back.
std::string_view JkfPreset(Handicap handicap);
std::optional<Handicap> HandicapOfJkfPreset(std::string_view preset);

// Whether a handicap name of the header (手合割) names `start`, which the preset says already:
// reading drops such a line.
bool JkfHandicapNameMatches(std::string_view name, const Position& start);
