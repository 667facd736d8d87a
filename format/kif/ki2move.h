#pragma once

#include <optional>
#include <string>

#include "format/kif/japanesenotation.h"
#include "model/move.h"
#include "model/position.h"

// KI2 names a move by its destination and piece alone; when more than one piece of that kind
// could go there, marks say which: 上 寄 引 by the way it moves, 右 左 直 by where it stood, 打
// for a drop that a board piece could also make. Directions are the mover's own.
//
// The rules of the notation never judge check, but the programs that write it count only the
// pieces whose move is legal with check. So the writer counts those (all pieces when the move
// itself leaves its king in check), and the reader, when the marks leave more than one piece,
// keeps the ones whose move does not leave their own king in check.

// The KI2 text of `move` played on `before`, with the mover's mark: "▲７六歩", "△同　銀",
// "▲５八金右", "▲５八銀左上", "▲５八金打", "▲３三桂左成", "▲２四銀不成". 同 stands for the
// destination when it is `previousDestination`, the destination of the move before. For a move
// whose piece may promote, 成 or 不成 is always written.
std::string Ki2MoveText(const Position& before, const Move& move,
                        std::optional<Square> previousDestination = std::nullopt);

// The marks alone that Ki2MoveText writes after the piece: "右", "左上", "打"; empty for most
// moves, which no other piece could make.
std::string Ki2Marks(const Position& before, const Move& move);

// The move a move text stands for when the side to move plays it on `pos` (the destination of
// 同 already filled in). A text without 打 is a board move when a piece on the board can make
// it (a drop only when none can, or only by leaving its king in check). False, with `error`
// ("no piece can move to ５五", "ambiguous move ５八金: 2 pieces can go there", "the 歩 must
// promote at ２一"), when no single move fits. The move returned is not checked for legality
// beyond the movement of its piece.
bool ResolveJapaneseMove(const Position& pos, const JapaneseMoveText& text, Move& move,
                         std::string& error);
