#pragma once

#include <string>
#include <vector>

#include "model/gamerecord.h"

// One "%i. %s" label per continuation of the current node, in continuation order, in Japanese
// notation: the move as KI2 files write it, with the mover's mark ("1. ▲７六歩", "2. △同　歩",
// "35. ▲５八金左"), or a result by the word of KIF files ("81. 投了").
void GetJapaneseContinuationList(const GameRecord& record, std::vector<std::string>& list);
