#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "format/text/textscan.h"
#include "format/text/utf8.h"
#include "model/gamerecord.h"
#include "model/gameresult.h"
#include "model/piece.h"
#include "model/position.h"
#include "model/square.h"

// The vocabulary of the Japanese record formats (KIF and KI2): numerals, squares, piece names,
// side marks, result words, the names of the start positions, and the move text that both
// formats share ("７六歩", "同　銀", "５八金左上成"). Every text here is UTF-8.

// 1..9 for an ASCII or full-width digit, else 0.
int DigitValue(char32_t c);
// 1..9 for the kanji numerals 一..九, else 0.
int KanjiDigitValue(char32_t c);
// A run of ASCII or full-width digits at `pos` (moved past it) as a number; nothing when there
// is no digit or the number exceeds `limit`.
std::optional<long long> ReadNumber(std::string_view text, std::size_t& pos,
                                    long long limit = 1'000'000'000);
// A count in kanji numerals, 一 to 九十九 ("十八"), or in digits; nothing for anything else.
std::optional<int> ParseCount(std::string_view text);
// The count in kanji numerals: 1 to 99.
std::string KanjiCount(int count);

// "７六": the full-width file digit and the kanji rank.
std::string JapaneseSquare(Square sq);
std::string_view FullWidthDigit(int digit);  // 1..9
std::string_view KanjiDigit(int digit);      // 1..9

// The name a record writes for the piece's kind and promotion (the side bits are ignored):
// 玉 飛 龍 角 馬 金 銀 成銀 桂 成桂 香 成香 歩 と.
std::string_view JapanesePieceName(PieceCode piece);
// The one-character name of a board diagram: the promoted silver, knight and lance are 全 圭 杏.
std::string_view DiagramPieceName(PieceCode piece);
// The kind with its promotion flag (RuleOf) for a piece name, any of the above or 王 and 竜;
// -1 when `name` names no piece.
int PieceOfName(std::string_view name);
// The kind for the one-character name of a piece in hand (飛 角 金 銀 桂 香 歩 玉); -1 otherwise.
int HandKindOfName(char32_t c);

// The side marks: ▲ for Black and △ for White, which code page 932 holds. Readers also take
// ▼ and ☗ for Black and ▽ and ☖ for White.
inline constexpr std::string_view BlackMark = "▲";
inline constexpr std::string_view WhiteMark = "△";
std::string_view SideMark(int side);
// Black or White for a mark, else 0.
int SideOfMark(char32_t c);

// The word of a result in a KIF move line: 投了, 中断, 千日手, 封じ手, ... The formats'
// descriptions know no word for a draw nor for the move limit: 引き分け and 最大手数 are written
// for them.
std::string_view KifResultWord(GameResult result);
std::optional<GameResult> ResultOfKifWord(std::string_view word);

// The summary line after a line of play that ends in a result, one wording per result, with
// `moves` the moves played before it and the sides named 先手/後手 or, with `handicapLabels`,
// 下手/上手: "まで64手で後手の勝ち", "まで31手で詰み", "まで80手で千日手", "まで52手で封じ手", ...
std::string SummaryText(GameResult result, int moves, int sideToMove, bool handicapLabels);
// The result a summary line gives (the text after "まで" and its number of moves, e.g.
// "手で後手の勝ち"; also the shorter wordings "手詰", "手で詰" and "手で投了"), when the sides it
// names fit `sideToMove`; nothing otherwise.
std::optional<GameResult> ResultOfSummary(std::string_view rest, int sideToMove);

// The named start positions: the handicaps by their 手合割 name (平手, 香落ち, 右香落ち, 角落ち,
// 飛車落ち, 飛香落ち, 二枚落ち, 三枚落ち, 四枚落ち, 五枚落ち, 左五枚落ち, 六枚落ち, 左七枚落ち,
// 右七枚落ち, 八枚落ち, 十枚落ち) and 詰将棋, the start of a problem: White's king on 5a, every
// other piece in White's hand, Black to move.
inline constexpr std::string_view ProblemStartName = "詰将棋";
std::optional<Position> StartPositionOfName(std::string_view name);
// The name of a start position that is exactly one of the named ones, or nothing.
std::optional<std::string_view> NameOfStartPosition(const Position& start);
Position ProblemStartPosition();

// The move text of KIF and KI2 before KIF's origin: the destination (or 同, the destination of
// the move before), the piece as it stood before the move, and the marks that follow it.
struct JapaneseMoveText {
    enum class Side : std::uint8_t { None, Right, Left, Straight };  // 右 左 直
    enum class Motion : std::uint8_t { None, Up, Sideways, Down };   // 上 寄 引
    bool same = false;  // 同: `to` is still to be filled in from the move before
    Square to;
    int piece = 0;  // kind with its promotion flag
    Side side = Side::None;
    Motion motion = Motion::None;
    bool promote = false;     // 成
    bool notPromote = false;  // 不成
    bool drop = false;        // 打
};

// Reads a move text at `pos` of `text`, moving `pos` past it. It ends at a blank, a '(', a side
// mark or the end of the text. False, with `error` set and `pos` where the fault lies, when it
// is no move text ("unknown piece 竜王").
bool ReadJapaneseMoveText(std::string_view text, std::size_t& pos, JapaneseMoveText& move,
                          std::string& error);

// What a move without its marks looks like in messages: "▲７六歩", "△２二角成", "▲５五角打".
std::string PlainMoveText(const MoveNode& node, int sideToMove);
