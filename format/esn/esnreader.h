#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "format/text/loaderror.h"
#include "model/gamerecord.h"

// Reads the bytes of a whole record file into `record` (which is reset first). On success the
// root is current. Answers the error where an item could not be read; the record then keeps
// everything read before it, with the current node where reading stopped. The rules of play a
// start position given by a bracket text breaks go to `notices`, at the text's '['.
std::optional<ReadError> ReadESN(GameRecord& record, std::string_view bytes,
                                 std::vector<ReadNotice>* notices = nullptr);

// The start position that a bracket text "SFEN <position>" gives, when it is a position a
// record can hold other than the initial one: read before the first move, it sets the record's
// start.
std::optional<Position> StartPositionOfTag(std::string_view text);
