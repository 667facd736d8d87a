#include "format/esn/esnreader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "format/text/loaderror.h"
#include "format/usi/sfen.h"
#include "model/moverules.h"

namespace {

constexpr int EndOfInput = -1;

const char* const MisphrasedMove = "Misphrased move.";
const char* const UnresolvableMove = "Unresolvable move.";
const char* const IllegalMove = "Illegal move.";
const char* const UnterminatedComment = "Unterminated comment.";

bool IsLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
int UpperCase(int c) {
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}
bool IsSeparator(int c) {
    return c == '-' || c == 'x' || c == 'X';
}
bool IsDropMark(int c) {
    return c == '*' || c == '\'';
}

// The bytes that start an item: a letter or '+' (a move), '[', '{' and '}'. Every other byte
// is filler. A table, because the reader asks this of every byte between items.
constexpr std::array<bool, 256> ItemStarts = [] {
    std::array<bool, 256> starts{};
    for (int c = 'A'; c <= 'Z'; ++c)
        starts[c] = starts[c - 'A' + 'a'] = true;
    starts['+'] = starts['['] = starts['{'] = starts['}'] = true;
    return starts;
}();

bool StartsItem(int c) {
    return c != EndOfInput && ItemStarts[static_cast<unsigned char>(c)];
}

// The value of a header tag: the text without its keyword and the byte after it, whatever
// that byte is, so "[TITLEx]" gives an empty title.
std::string HeaderValue(const std::string& text) {
    constexpr std::size_t KeywordAndBlank = 6;
    return text.size() > KeywordAndBlank ? text.substr(KeywordAndBlank) : std::string();
}

bool BeginsWith(const std::string& text, const char* keyword) {
    return text.compare(0, 5, keyword) == 0;
}

// Reads the bytes of a record file one at a time into a record. Open variations are kept on an
// explicit stack instead of one call level each, so the nesting depth of the file cannot
// exhaust the call stack.
class ESNReader {
  public:
    ESNReader(GameRecord& record, std::string_view bytes, std::vector<ReadNotice>* notices)
        : record_(record), bytes_(bytes), notices_(notices) {}

    // Reads items up to the end of the input or a '}' outside every variation; false, with
    // Error() set, where an item cannot be read.
    bool ReadSequence();
    const std::optional<ReadError>& Error() const { return error_; }

  private:
    // The node that was current when a variation opened, with how many variations opened
    // there in a row: a run of "{{{" costs one entry, not one per brace.
    struct OpenVariation {
        const MoveNode* node;
        std::size_t count;
    };

    // Takes the next byte of the input into the current character.
    void Take() {
        ch_ = offset_ < bytes_.size() ? static_cast<unsigned char>(bytes_[offset_]) : EndOfInput;
        ++offset_;
        if (ch_ == '\n' && line_ < std::numeric_limits<int>::max()) {
            ++line_;
            lastLineFeed_ = offset_;
        }
    }
    bool SkipToToken();
    bool ReadComment(std::string& text);
    bool ReadMove(Move& move);
    bool ReadSquare(Square& sq);
    bool ReadSquareOrFail(Square& sq);
    bool ResolveOrFail(Move& move);
    bool ResolveOrigin(Move& move) const;

    void MarkItemStart();
    // Sets the error at the item being read; answers false.
    bool Fail(const char* message);

    bool ReadAndPlayMove();
    void ApplyBracketText(std::string& text);
    bool SetStartPositionFrom(const std::string& text);
    void OpenVariationHere();
    void CloseInnermostVariation();
    void EnterChild(const MoveNode& child);

    GameRecord& record_;
    std::string_view bytes_;
    std::vector<ReadNotice>* notices_;
    int ch_ = 0;  // the fresh character before the first byte: filler
    // Byte count so far and the byte number of the last line feed, for the column.
    std::size_t offset_ = 0;
    std::size_t lastLineFeed_ = 0;
    int line_ = 1;
    int itemLine_ = 1;
    int itemColumn_ = 1;
    std::vector<OpenVariation> open_;
    std::string text_;
    PositionSnapshot scratch_;
    bool startPositionSet_ = false;
    std::optional<ReadError> error_;
};

bool ESNReader::SkipToToken() {
    while (ch_ != EndOfInput) {
        Take();
        if (StartsItem(ch_)) return true;
    }
    return false;
}

void ESNReader::MarkItemStart() {
    itemLine_ = line_;
    itemColumn_ = static_cast<int>(
        std::min<std::size_t>(offset_ - lastLineFeed_, std::numeric_limits<int>::max()));
}

bool ESNReader::Fail(const char* message) {
    error_ = ReadError{message, itemLine_, itemColumn_};
    return false;
}

bool ESNReader::ReadSequence() {
    if (!SkipToToken()) return true;
    for (;;) {
        // The current character starts an item here.
        if (ch_ == '}') {
            // Outside every variation a '}' ends the reading; the rest of the input is ignored.
            if (open_.empty()) return true;
            CloseInnermostVariation();
            if (!SkipToToken()) return true;
        } else if (ch_ == '[') {
            MarkItemStart();
            if (!ReadComment(text_)) return false;
            ApplyBracketText(text_);
            if (!SkipToToken()) return true;
        } else if (ch_ == '{') {
            OpenVariationHere();
            if (!SkipToToken()) return true;
        } else {
            if (!ReadAndPlayMove()) return false;
            if (!StartsItem(ch_) && !SkipToToken()) return true;
        }
    }
}

bool ESNReader::ReadComment(std::string& text) {
    text.clear();
    Take();
    while (ch_ != EndOfInput) {
        if (ch_ == ']') return true;
        text.push_back(static_cast<char>(ch_));
        Take();
    }
    return Fail(UnterminatedComment);
}

void ESNReader::ApplyBracketText(std::string& text) {
    if (BeginsWith(text, "TITLE"))
        record_.SetTitle(HeaderValue(text));
    else if (BeginsWith(text, "BLACK"))
        record_.SetBlackPlayer(HeaderValue(text));
    else if (BeginsWith(text, "WHITE"))
        record_.SetWhitePlayer(HeaderValue(text));
    else if (!text.empty() && !SetStartPositionFrom(text))
        record_.SetCurrentComment(std::move(text));
}

// The first start position given before the first move sets the record's start; any
// other bracket text, a second one among them, stays a comment, as every bracket text was
// before start positions could be given.
bool ESNReader::SetStartPositionFrom(const std::string& text) {
    if (startPositionSet_ || record_.Current().Parent() || record_.Current().FirstChild())
        return false;
    const std::optional<Position> start = StartPositionOfTag(text);
    if (!start || !record_.SetStartPosition(*start)) return false;
    startPositionSet_ = true;
    if (notices_) AddStartNotices(*notices_, *start, itemLine_, itemColumn_);
    return true;
}

bool ESNReader::ReadSquare(Square& sq) {
    if (ch_ < '1' || ch_ > '9') return false;
    sq.file = ch_ - '1';
    Take();
    const int rank = UpperCase(ch_) - 'A';
    if (rank < 0 || rank >= BoardSize) return false;
    sq.rank = rank;
    return true;
}

bool ESNReader::ReadSquareOrFail(Square& sq) {
    return ReadSquare(sq) || Fail(MisphrasedMove);
}

bool ESNReader::ResolveOrFail(Move& move) {
    return ResolveOrigin(move) || Fail(UnresolvableMove);
}

// The record's ResolveOrigin, with the scan of the board cut short for an unpromoted pawn: it
// moves only straight forward one square, so the one square behind the destination is the
// only candidate the scan could accept, and the answer is the same.
bool ESNReader::ResolveOrigin(Move& move) const {
    if (RuleOf(move.piece) != Pawn) return record_.ResolveOrigin(move);
    const int behind = record_.SideToMove() == Black ? 1 : -1;
    const Square from = SquareAt(move.to.rank + behind, move.to.file);
    if (!IsOnBoard(from) || record_.Cell(from) != move.piece) return false;
    move.from = from;
    move.promote = record_.MustPromote(move);
    return record_.IsLegal(move);
}

// Reads one move for the side to move. On entry the current character is '+' or a letter; on
// return it is the first character after the move.
bool ESNReader::ReadMove(Move& move) {
    move = Move{};
    move.piece = record_.SideToMove();
    if (ch_ == '+') {
        move.piece += PromotedFlag;
        Take();
    }
    const PieceType kind = IsLetter(ch_) ? KindOfLetter(static_cast<char>(UpperCase(ch_))) : -1;
    if (kind < 0) return Fail(MisphrasedMove);
    move.piece += kind;
    Take();

    if (IsDropMark(ch_)) {
        move.drop = 1;
        move.from = SquareAt(0, 0);
        Take();
        if (!ReadSquareOrFail(move.to)) return false;
        Take();
    } else if (IsSeparator(ch_)) {
        Take();
        if (!ReadSquareOrFail(move.to) || !ResolveOrFail(move)) return false;
        Take();
    } else {
        Square first;
        if (!ReadSquareOrFail(first)) return false;
        Take();
        if (IsSeparator(ch_)) Take();
        Square second;
        if (ReadSquare(second)) {
            move.from = first;
            move.to = second;
            Take();
        } else {
            // "S4h" names only the destination; a digit cut short ("S4h5 ") is lost.
            move.to = first;
            if (!ResolveOrFail(move)) return false;
        }
    }
    move.promote = ch_ == '+' ? 1 : 0;
    if (move.promote) Take();
    return true;
}

bool ESNReader::ReadAndPlayMove() {
    MarkItemStart();
    Move move;
    if (!ReadMove(move)) return false;
    const int count = record_.AddContinuation(move);
    if (count == 0) return Fail(IllegalMove);
    // GoForward walks the continuation list: cheap for the few continuations of a usual node,
    // but a node with very many variations would cost time in the square of their number.
    constexpr int ShortWalk = 8;
    if (count <= ShortWalk) {
        record_.GoForward(count - 1);
    } else {
        record_.SaveSnapshot(scratch_);
        EnterChild(*scratch_.current->LastChild()->node);
    }
    return true;
}

// Makes `child`, a continuation of the current node, current and plays its move, without
// walking the continuation list.
void ESNReader::EnterChild(const MoveNode& child) {
    record_.SaveSnapshot(scratch_);
    Position position;
    position.board = scratch_.board;
    position.hands = scratch_.hands;
    position.sideToMove = scratch_.sideToMove;
    Play(position, child.move);
    scratch_.board = position.board;
    scratch_.hands = position.hands;
    scratch_.sideToMove = position.sideToMove;
    scratch_.current = &child;
    record_.RestoreSnapshot(scratch_);
}

// A variation replaces the last move read: take it back so the variation's first move becomes
// a further continuation of that move's parent. At the root nothing is taken back.
void ESNReader::OpenVariationHere() {
    record_.SaveSnapshot(scratch_);
    const MoveNode* node = scratch_.current;
    if (!open_.empty() && open_.back().node == node)
        ++open_.back().count;
    else
        open_.push_back({node, 1});
    record_.GoBack();
}

// Returns to the node and position that were current when the innermost variation opened.
// Every move read inside it lies below that node's parent, so taking back to the parent and
// playing the one move again gives the saved position without keeping a copy of the board
// for every open variation.
void ESNReader::CloseInnermostVariation() {
    const MoveNode& node = *open_.back().node;
    if (--open_.back().count == 0) open_.pop_back();
    const MoveNode* parent = node.Parent();
    if (!parent) {
        record_.GoToTop();
        return;
    }
    while (&record_.Current() != parent && record_.GoBack()) {
    }
    if (parent->FirstChild()->node.get() == &node)
        record_.GoForward(0);
    else
        EnterChild(node);
}

}  // namespace

std::optional<Position> StartPositionOfTag(std::string_view text) {
    constexpr std::string_view Keyword = "SFEN ";
    if (!text.starts_with(Keyword)) return std::nullopt;
    const std::string_view sfen = text.substr(Keyword.size());
    const SfenReading reading = ReadSfen(sfen);
    if (reading.error) return std::nullopt;
    if (sfen.find_first_not_of(" \t", reading.end) != std::string_view::npos) return std::nullopt;
    // The initial position is every record's start already: such a text was, and stays, a
    // comment.
    if (reading.position == Position()) return std::nullopt;
    return reading.position;
}

std::optional<ReadError> ReadESN(GameRecord& record, std::string_view bytes,
                                 std::vector<ReadNotice>* notices) {
    record.Reset();
    ESNReader reader(record, bytes, notices);
    if (!reader.ReadSequence()) return reader.Error();
    record.GoToTop();
    return std::nullopt;
}
