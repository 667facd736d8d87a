#include "model/move.h"

bool SameMove(const Move& a, const Move& b) {
    if (a.piece != b.piece || (a.drop != 0) != (b.drop != 0) ||
        (a.promote != 0) != (b.promote != 0) || !(a.to == b.to))
        return false;
    return a.drop != 0 || a.from == b.from;
}
