#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/position.h"

// A position copied from elsewhere, as text: an SFEN (with or without the word "sfen" before
// it), a USI position command, which gives the position after its moves, or the board diagram
// of KIF and KI2 (lines around it that are no part of it are passed over).
struct PositionText {
    std::optional<Position> position;
    // Why a text of one of these shapes gives no position ("rank 3 has 10 files"); empty when
    // the text has none of the shapes.
    std::string error;
};

// The position the UTF-8 `text` holds. It may break rules of play, or even be one no record
// can hold when it comes from a diagram: the caller judges it (PositionProblems).
PositionText ReadPositionText(std::string_view text);
