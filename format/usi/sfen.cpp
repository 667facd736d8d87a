#include "format/usi/sfen.h"

#include <array>
#include <utility>

#include "format/text/textscan.h"
#include "format/usi/handorder.h"
#include "model/soundness.h"

namespace {

char SideLetter(PieceCode code) {
    const char upper = PieceLetter(KindOf(code));
    return OwnerOf(code) == Black ? upper : static_cast<char>(upper - 'A' + 'a');
}

void AppendBoard(std::string& out, const Position& position) {
    for (int rank = 0; rank < BoardSize; ++rank) {
        if (rank > 0) out += '/';
        int empty = 0;
        for (int file = BoardSize - 1; file >= 0; --file) {
            const PieceCode code = position.Cell(rank, file);
            if (code == 0) {
                ++empty;
                continue;
            }
            if (empty > 0) out += static_cast<char>('0' + empty);
            empty = 0;
            if (IsPromoted(code)) out += '+';
            out += SideLetter(code);
        }
        if (empty > 0) out += static_cast<char>('0' + empty);
    }
}

void AppendHand(std::string& out, const Position& position, int side) {
    for (const HeldPiece& held : HeldPieces(position, side, StrongestFirst)) {
        if (held.count > 1) out += std::to_string(held.count);
        out += SideLetter(side | held.kind);
    }
}

}  // namespace

std::string Sfen(const Position& position, int ply) {
    std::string out;
    out.reserve(96);
    AppendBoard(out, position);
    out += position.sideToMove == Black ? " b " : " w ";
    const std::size_t handsStart = out.size();
    AppendHand(out, position, Black);
    AppendHand(out, position, White);
    if (out.size() == handsStart) out += '-';
    out += ' ';
    out += std::to_string(ply + 1);
    return out;
}

namespace {

// SFEN's words are separated by ASCII blanks only: the text may come from an ESN file's bytes.
bool IsAsciiBlank(char c) {
    return c == ' ' || c == '\t';
}

char UpperCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

const char* const KindNames[KindCount] = {"pawns", "lances",  "knights", "silvers",
                                          "golds", "bishops", "rooks",   "kings"};

// The text of one character for a message: printable ASCII as itself, any other byte in hex.
std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > ' ' && byte < 0x7F) return std::string("'") + c + "'";
    static constexpr char Hex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + Hex[byte >> 4] + Hex[byte & 15];
}

// Reads the fields one after the other; the first fault ends the reading with its message.
class SfenParser {
  public:
    explicit SfenParser(std::string_view text) : text_(text) {}

    SfenReading Run() {
        SkipBlanks();
        const std::size_t boardStart = at_;
        position_.board.fill(0);
        if (ReadBoard() && ReadSide() && ReadHands() && ReadMoveNumber()) {
            if (std::string refusal = RefusalText(position_); !refusal.empty())
                Fail(std::move(refusal), boardStart);
        }
        reading_.position = position_;
        reading_.end = end_;
        return std::move(reading_);
    }

  private:
    bool Fail(std::string message, std::size_t offset) {
        reading_.error = SfenError{std::move(message), offset};
        return false;
    }

    bool AtEnd() const { return at_ >= text_.size() || IsAsciiBlank(text_[at_]); }
    char Peek() const { return text_[at_]; }

    void SkipBlanks() {
        while (at_ < text_.size() && IsAsciiBlank(text_[at_]))
            ++at_;
    }

    bool ReadBoard();
    bool ReadRank(int rank);
    bool ReadSide();
    bool ReadHands();
    bool ReadHandPiece(std::array<bool, 16>& seen);
    bool ReadMoveNumber();

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    Position position_;
    SfenReading reading_;
};

bool SfenParser::ReadBoard() {
    if (at_ >= text_.size()) return Fail("no position", at_);
    for (int rank = 0;; ++rank) {
        if (rank == BoardSize) return Fail("the board has more than 9 ranks", at_);
        if (!ReadRank(rank)) return false;
        if (AtEnd()) {
            if (rank + 1 < BoardSize)
                return Fail("the board has " + std::to_string(rank + 1) + " ranks, not 9", at_);
            return true;
        }
        ++at_;  // the '/' that ReadRank stopped at
    }
}

// Reads one rank up to the '/' after it or the end of the board.
bool SfenParser::ReadRank(int rank) {
    const std::size_t start = at_;
    const std::string name = "rank " + std::to_string(rank + 1);
    int files = 0;
    while (!AtEnd() && Peek() != '/') {
        const char c = Peek();
        if (IsDigit(c)) {
            if (c == '0') return Fail("empty-square count 0 in " + name, at_);
            files += c - '0';
            ++at_;
            continue;
        }
        const std::size_t pieceStart = at_;
        const bool promoted = c == '+';
        if (promoted) ++at_;
        if (AtEnd()) return Fail("'+' without a piece in " + name, pieceStart);
        const char letter = Peek();
        const PieceType kind = KindOfLetter(UpperCase(letter));
        if (kind < 0) return Fail("unknown piece letter " + Shown(letter), at_);
        if (promoted && !CanPromote(kind))
            return Fail(std::string("'+") + letter + "': " + KindNames[kind] + " do not promote",
                        pieceStart);
        const int side = letter == UpperCase(letter) ? Black : White;
        // Placed from file 9 down to file 1; a rank running past file 1 is reported below.
        if (files < BoardSize)
            position_.Cell(rank, BoardSize - 1 - files) =
                side | (promoted ? PromotedFlag : 0) | kind;
        ++files;
        ++at_;
    }
    if (files != BoardSize)
        return Fail(name + " has " + std::to_string(files) + (files == 1 ? " file" : " files"),
                    start);
    return true;
}

bool SfenParser::ReadSide() {
    end_ = at_;
    SkipBlanks();
    if (at_ >= text_.size()) return Fail("no side to move", at_);
    const std::size_t start = at_;
    while (!AtEnd())
        ++at_;
    const std::string_view side = text_.substr(start, at_ - start);
    if (side != "b" && side != "w")
        return Fail("the side to move is b or w, not '" + std::string(side) + "'", start);
    position_.sideToMove = side == "b" ? Black : White;
    end_ = at_;
    return true;
}

bool SfenParser::ReadHands() {
    SkipBlanks();
    if (at_ >= text_.size()) return Fail("no pieces in hand ('-' when both hands are empty)", at_);
    if (Peek() == '-') {
        ++at_;
        if (!AtEnd()) return Fail("unexpected " + Shown(Peek()) + " after '-'", at_);
        end_ = at_;
        return true;
    }
    std::array<bool, 16> seen{};
    while (!AtEnd())
        if (!ReadHandPiece(seen)) return false;
    end_ = at_;
    return true;
}

// One kind a side holds: an optional count, then the letter.
bool SfenParser::ReadHandPiece(std::array<bool, 16>& seen) {
    const std::size_t start = at_;
    int count = 1;
    if (IsDigit(Peek())) {
        count = 0;
        while (!AtEnd() && IsDigit(Peek())) {
            // No set holds more than 18 of a kind; a longer number is refused before it
            // could overflow.
            if (at_ - start >= 2) return Fail("the count in hand is too large", start);
            count = count * 10 + (Peek() - '0');
            ++at_;
        }
        if (AtEnd()) return Fail("a count in hand without a piece", start);
    }
    const char letter = Peek();
    const PieceType kind = KindOfLetter(UpperCase(letter));
    if (kind < 0) return Fail("unknown piece letter " + Shown(letter) + " in hand", at_);
    const int side = letter == UpperCase(letter) ? Black : White;
    const int index = Position::HandIndex(side, kind);
    if (seen[index])
        return Fail(std::string(SideName(side)) + "'s " + KindNames[kind] + " listed twice", at_);
    seen[index] = true;
    position_.HandCount(side, kind) = count;
    ++at_;
    return true;
}

// The move number is optional: reading ends before a word that is not one.
bool SfenParser::ReadMoveNumber() {
    std::size_t next = at_;
    while (next < text_.size() && IsAsciiBlank(text_[next]))
        ++next;
    if (next >= text_.size() || !IsDigit(text_[next])) return true;
    at_ = next;
    long long number = 0;
    while (!AtEnd()) {
        if (!IsDigit(Peek())) return Fail("the move number is not a number", next);
        if (number < 1'000'000'000) number = number * 10 + (Peek() - '0');
        ++at_;
    }
    if (number < 1) return Fail("the move number must be 1 or more", next);
    end_ = at_;
    return true;
}

}  // namespace

SfenReading ReadSfen(std::string_view text) {
    return SfenParser(text).Run();
}
