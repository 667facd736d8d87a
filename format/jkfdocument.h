#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/piece.h"

// The content of a JKF file as its JSON gives it, before anything is checked against the game:
// only what a record uses, kept small (a long record has a million moves), each part with the
// byte offset in the text where it begins so that a fault found later can say where it stands.
// Unknown members are skipped; members of the wrong type, squares off the board, unknown piece
// codes and boards that are not 9 x 9 are faults already here.

// The letters of "relative", JKF's form of the marks that tell apart two pieces that could make
// a move: left, straight (choku), right; up, sideways (yoru), down (hiku); and drop (utsu).
enum RelativeMark : std::uint8_t {
    MarkLeft = 1,
    MarkStraight = 2,
    MarkRight = 4,
    MarkUp = 8,
    MarkSideways = 16,
    MarkDown = 32,
    MarkDrop = 64,
};

struct JkfMove {
    std::size_t offset = 0;
    std::int8_t color = -1;            // 0 Black, 1 White, -1 not given
    std::int8_t fromX = 0, fromY = 0;  // file and rank 1..9; 0 when not given
    std::int8_t toX = 0, toY = 0;
    std::int8_t piece = -1;  // kind with PromotedFlag, no side; -1 not given
    std::int8_t capture = -1;
    std::int8_t promote = -1;   // 1 promotes, 0 declines, -1 not given
    bool same = false;          // the destination is the previous move's
    std::uint8_t relative = 0;  // RelativeMark bits
};

// One element of a line: a move or a special (or, first in the main line, the start), with its
// time, its comments and the lines that are alternatives to it.
struct JkfElement {
    std::size_t offset = 0;
    bool hasMove = false;
    JkfMove move;
    std::int32_t special = -1;   // index into JkfDocument::specials
    std::int64_t timeMs = -1;    // the time the move took ("now"); -1 when not given
    std::int32_t comments = -1;  // index into JkfDocument::comments
    std::int32_t forks = -1;     // index into JkfDocument::forks
};

struct JkfLine {
    std::size_t offset = 0;
    std::vector<JkfElement> elements;
};

struct JkfSpecial {
    std::size_t offset = 0;
    std::string name;
};

// "initial": a preset name, and for "OTHER" the position.
struct JkfInitial {
    std::size_t offset = 0;
    std::string preset;
    std::size_t presetOffset = 0;
    bool hasData = false;
    std::size_t dataOffset = 0;
    int color = -1;
    // board[x - 1][y - 1] is square (x, y): a piece code with its side, or 0.
    std::array<std::array<PieceCode, 9>, 9> board{};
    // hands[0] is Black's, hands[1] White's: counts by kind.
    std::array<std::array<int, KindCount>, 2> hands{};
};

struct JkfHeaderEntry {
    std::size_t offset = 0;
    std::string label;
    std::string value;
};

struct JkfDocument {
    std::vector<JkfHeaderEntry> header;  // in file order; a label given twice is kept twice
    std::optional<JkfInitial> initial;
    std::vector<JkfLine> lines;  // lines[0] is "moves", when the file has it
    bool hasMoves = false;
    std::vector<JkfSpecial> specials;
    std::vector<std::vector<std::string>> comments;
    std::vector<std::vector<std::int32_t>> forks;  // line indices, in order
};

// Why the JSON text does not give a JKF document, and the byte offset where that was found.
struct JkfFault {
    std::string message;
    std::size_t offset = 0;
};

// Parses the UTF-8 text. The JSON is read by the library's event interface, which keeps no
// call stack per level, and the document is built without recursion: 100,000 nested forks
// are fine.
std::optional<JkfFault> ParseJkfDocument(std::string_view text, JkfDocument& document);
