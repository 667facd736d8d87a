#include "format/kif/kifdiagram.h"

#include "format/kif/japanesenotation.h"
#include "format/kif/kiflines.h"

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Frame = "+---------------------------+";
constexpr std::string_view FileNumbers = "  ９ ８ ７ ６ ５ ４ ３ ２ １";
// The order in which a hand is written: the king (only after a capture) and then by value.
constexpr PieceType HandOrder[] = {King, Rook, Bishop, Gold, Silver, Knight, Lance, Pawn};

bool Fail(std::string& error, std::size_t& errorOffset, std::string message, std::size_t offset) {
    error = std::move(message);
    errorOffset = offset;
    return false;
}

// The piece of a diagram cell without its side: one character, or -1.
int CellPiece(char32_t c) {
    switch (c) {
        case U'玉':
        case U'王':
            return King;
        case U'飛':
            return Rook;
        case U'龍':
        case U'竜':
            return PromotedFlag | Rook;
        case U'角':
            return Bishop;
        case U'馬':
            return PromotedFlag | Bishop;
        case U'金':
            return Gold;
        case U'銀':
            return Silver;
        case U'全':
            return PromotedFlag | Silver;
        case U'桂':
            return Knight;
        case U'圭':
            return PromotedFlag | Knight;
        case U'香':
            return Lance;
        case U'杏':
            return PromotedFlag | Lance;
        case U'歩':
            return Pawn;
        case U'と':
            return PromotedFlag | Pawn;
        default:
            return -1;
    }
}

bool IsCountCharacter(char32_t c) {
    return DigitValue(c) != 0 || c == U'0' || c == U'０' || KanjiDigitValue(c) != 0 || c == U'十';
}

std::string HandText(const Position& pos, int side) {
    std::string text;
    for (const PieceType kind : HandOrder) {
        const int count = pos.HandCount(side, kind);
        if (count <= 0) continue;
        text += DiagramPieceName(kind);
        if (count > 1) text += KanjiCount(count);
        text += "　";
    }
    return text.empty() ? std::string("なし") : text;
}

}  // namespace

Position KifDiagramReader::EmptyPosition() {
    Position pos;
    pos.board.fill(0);
    return pos;
}

bool KifDiagramReader::ReadLine(std::string_view text, std::string& error,
                                std::size_t& errorOffset) {
    std::string_view pieces;
    if (const int side = HandsLineSide(text, pieces))
        return ReadHands(side, text, text.size() - pieces.size(), error, errorOffset);
    if (text.starts_with("|")) return ReadRank(text, error, errorOffset);
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed == "後手番" || trimmed == "上手番") position_.sideToMove = White;
    if (trimmed == "先手番" || trimmed == "下手番") position_.sideToMove = Black;
    // The frame, the file numbers and "手数＝N" (moves played before the diagram; our plies
    // count from the start) carry nothing to keep.
    return true;
}

bool KifDiagramReader::ReadRank(std::string_view text, std::string& error,
                                std::size_t& errorOffset) {
    if (ranks_ == BoardSize)
        return Fail(error, errorOffset, "the board diagram has more than nine ranks", 0);
    std::size_t pos = 1;
    for (int column = 0; column < BoardSize; ++column) {
        const std::size_t cellStart = pos;
        const char32_t mark = NextCharacter(text, pos);
        const std::size_t nameStart = pos;
        const char32_t name = NextCharacter(text, pos);
        if (mark == U'|' || mark == 0)
            return Fail(error, errorOffset, "the rank has fewer than nine squares", cellStart);
        const int side = mark == U'v' || mark == U'V' ? White : Black;
        const bool markFits = mark == U' ' || mark == U'\u3000' || side == White;
        if (!markFits) {
            return Fail(error, errorOffset,
                        "unknown square " + std::string(text.substr(cellStart, pos - cellStart)) +
                            " in the board diagram",
                        cellStart);
        }
        if (name == U'・') continue;
        const int piece = CellPiece(name);
        if (piece < 0) {
            return Fail(error, errorOffset,
                        "unknown piece " + std::string(text.substr(nameStart, pos - nameStart)) +
                            " in the board diagram",
                        nameStart);
        }
        // The diagram shows file 9 on the left: the first cell is file 9.
        position_.Cell(Square(ranks_, BoardSize - 1 - column)) = side | piece;
    }
    if (CharacterAt(text, pos) != U'|')
        return Fail(error, errorOffset, "the rank has more than nine squares", pos);
    ++ranks_;
    return true;
}

bool KifDiagramReader::ReadHands(int side, std::string_view text, std::size_t start,
                                 std::string& error, std::size_t& errorOffset) {
    for (int kind = 0; kind < KindCount; ++kind)
        position_.HandCount(side, kind) = 0;
    std::size_t pos = SkipBlanks(text, start);
    if (TrimBlanks(text.substr(pos)) == "なし") return true;
    while (pos < text.size()) {
        const std::size_t entryStart = pos;
        const char32_t name = NextCharacter(text, pos);
        const int kind = HandKindOfName(name);
        if (kind < 0) {
            return Fail(error, errorOffset,
                        "unknown piece " + std::string(text.substr(entryStart, pos - entryStart)) +
                            " in hand",
                        entryStart);
        }
        const std::size_t countStart = pos;
        for (std::size_t next = pos; IsCountCharacter(NextCharacter(text, next));)
            pos = next;
        int count = 1;
        if (pos > countStart) {
            const auto parsed = ParseCount(text.substr(countStart, pos - countStart));
            if (!parsed || *parsed == 0) {
                return Fail(
                    error, errorOffset,
                    "unreadable count " + std::string(text.substr(countStart, pos - countStart)),
                    countStart);
            }
            count = *parsed;
        }
        position_.HandCount(side, kind) += count;
        // Entries are parted by full-width or ASCII blanks, or by nothing at all.
        pos = SkipBlanks(text, pos);
    }
    return true;
}

std::string KifDiagramText(const Position& pos) {
    std::string text;
    text.reserve(1024);
    text += "後手の持駒：" + HandText(pos, White);
    text += LineEnd;
    text += FileNumbers;
    text += LineEnd;
    text += Frame;
    text += LineEnd;
    for (int rank = 0; rank < BoardSize; ++rank) {
        text += '|';
        for (int file = BoardSize - 1; file >= 0; --file) {
            const PieceCode piece = pos.Cell(rank, file);
            if (piece == 0) {
                text += " ・";
                continue;
            }
            text += OwnerOf(piece) == White ? 'v' : ' ';
            text += DiagramPieceName(piece);
        }
        text += '|';
        text += KanjiDigit(rank + 1);
        text += LineEnd;
    }
    text += Frame;
    text += LineEnd;
    text += "先手の持駒：" + HandText(pos, Black);
    text += LineEnd;
    if (pos.sideToMove == White) {
        text += "後手番";
        text += LineEnd;
    }
    return text;
}
