#pragma once

#include <optional>
#include <string_view>

#include "model/gamerecord.h"

// Reads the bytes of a whole record file into `record` (which is reset first). On success the
// root is current. Throws ESNLoadError; the record then keeps everything read before the
// error, with the current node where reading stopped.
void ReadESN(GameRecord& record, std::string_view bytes);

// The start position that a bracket text "SFEN <position>" gives, when it is a sound position
// other than the initial one: read before the first move, it sets the record's start.
std::optional<Position> StartPositionOfTag(std::string_view text);
