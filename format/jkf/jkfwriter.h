#pragma once

#include <string>

#include "model/gamerecord.h"

// The whole tree as a JKF file in UTF-8: the header's labels as KIF writes them, "initial" as
// a preset or the board, and "moves" with each move's time (this move's and the mover's running
// total), comments, and forks for the variations. Bookmarks have no place in JKF, and times are
// written in whole seconds. Every text is written as UTF-8, so nothing is refused.
std::string WriteJkf(const GameRecord& record);
