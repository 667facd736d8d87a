#pragma once

#include <string_view>

// The kinds of line that KIF and KI2 files share, told apart by their first characters: the
// reader goes by them, and the writer asks them whether a header line it writes reads back as
// itself. Move lines are told by the two predicates below, which a reader asks first.
enum class KifLineKind {
    Blank,        // empty, or blanks only
    Hash,         // "#…": skipped, wherever it stands (the first one may declare the encoding)
    Comment,      // "*…": a comment line on the position before it
    Bookmark,     // "&name"
    Variation,    // "変化：N手"
    Summary,      // "まで64手で後手の勝ち"
    MoveColumns,  // "手数----指手---------消費時間--"
    Diagram,      // a line of a board diagram: hands, file numbers, frame, rank, side to move
    Header,       // "LABEL：VALUE" (full-width or ASCII colon)
    Other,        // anything else: before the first move, a header label without a value
};

struct KifLine {
    KifLineKind kind = KifLineKind::Other;
    std::string_view label;  // of a header line, without blanks around it
    std::string_view value;  // of a header line, as it stands; the text of a comment or bookmark
};

KifLine ClassifyKifLine(std::string_view text);

// "   1 ７六歩(77)": blanks, a number, a blank.
bool IsKifMoveLine(std::string_view text);
// "▲７六歩    △３四歩": blanks, then a side mark.
bool IsKi2MoveLine(std::string_view text);

// The ply number of a "変化：N手" line, or -1 when the line does not give one.
long long VariationPly(std::string_view text);

// The board diagram's line of one side's pieces in hand: "先手の持駒：" (or 後手, 下手, 上手).
// Answers the side (Black or White) and the text after the colon; 0 when it is no such line.
int HandsLineSide(std::string_view text, std::string_view& pieces);

// What the first lines of a file's text look like: KIF (a numbered move line, or before any
// move the column line "手数----指手--" or Japanese header lines), KI2 (a move line with a side
// mark before any numbered one), or neither. Cheap: looks at the first 4 KiB only.
enum class KifFlavour { None, Kif, Ki2 };
KifFlavour DetectKifFlavour(std::string_view text);
