#pragma once

#include <string>

// Why a record file could not be read. `message` is exactly one of "Misphrased move.",
// "Unresolvable move.", "Illegal move." and "Unterminated comment."; line (counting line feeds
// from 1) and column (counting bytes from 1) locate the first byte of the item in which reading
// stopped: the '+' or letter that starts the move, or the '[' of the bracket text.
struct ESNLoadError {
    std::string message;
    int line = 0;
    int column = 0;
};
