#include "format/jkf/jkfwriter.h"

#include <boost/json/serialize.hpp>

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "format/csa/csacodes.h"
#include "format/jkf/jkfpresets.h"
#include "format/kif/japaneseheader.h"
#include "format/kif/ki2move.h"
#include "format/text/bufferpages.h"
#include "format/text/textencoding.h"
#include "format/text/textscan.h"
#include "format/text/utf8.h"
#include "model/moverules.h"

namespace {

// A text as a JSON string, escaped by the JSON library.
void AppendJsonText(std::string& out, std::string_view utf8) {
    out += boost::json::serialize(boost::json::string_view(utf8.data(), utf8.size()));
}

// {"x":7,"y":6}
void AppendSquare(std::string& out, Square sq) {
    out += "{\"x\":";
    out += static_cast<char>('1' + sq.file);
    out += ",\"y\":";
    out += static_cast<char>('1' + sq.rank);
    out += '}';
}

// A time as JKF gives it: minutes and seconds (hours too when there are any, and always for a
// running total). Fractions of a second have no place.
void AppendClock(std::string& out, std::int64_t ms, bool withHours) {
    const std::int64_t seconds = ms / 1000;
    const bool hours = withHours || seconds >= 3600;
    out += '{';
    if (hours) {
        out += "\"h\":";
        AppendDecimal(out, seconds / 3600);
        out += ',';
    }
    out += "\"m\":";
    AppendDecimal(out, hours ? seconds / 60 % 60 : seconds / 60);
    out += ",\"s\":";
    AppendDecimal(out, seconds % 60);
    out += '}';
}

// The comment's lines, split where the record joins them (CR LF); a lone CR or LF stays inside
// its line, which a JSON text holds as well.
void AppendComments(std::string& out, const std::string& comment) {
    const std::string text = RecordTextAsUtf8(comment);
    out += "\"comments\":[";
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        AppendJsonText(out, std::string_view(text).substr(start, end - start));
        out += ',';
    }
    AppendJsonText(out, std::string_view(text).substr(start));
    out += ']';
}

// The letters of "relative" for a move: the marks that KI2 writes to tell it from the same
// piece's moves from other squares, and 打 for a drop that a board piece could make as well.
std::string RelativeLetters(const Position& before, const Move& move) {
    static constexpr std::pair<char32_t, char> Letters[] = {
        {U'左', 'L'}, {U'直', 'C'}, {U'右', 'R'}, {U'上', 'U'},
        {U'寄', 'M'}, {U'引', 'D'}, {U'打', 'H'},
    };
    const std::string text = Ki2Marks(before, move);
    std::string letters;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = NextCharacter(text, at);
        for (const auto& [mark, letter] : Letters)
            if (c == mark) letters += letter;
    }
    return letters;
}

// The first continuation of a node that has others: its element carries them as forks.
bool HasForks(const MoveNode& node) {
    return node.Parent() && node.Parent()->ChildCount() > 1 &&
           node.Parent()->FirstChild()->node.get() == &node;
}

// Two times added, saturating: a node's time is bounded, but no sum of them may wrap.
std::int64_t AddTimes(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? INT64_MAX : sum;
}

// Writes the tree as the file's text. The lines are written with an explicit stack of open
// lines and open fork lists, so a deep tree costs no call stack.
class JkfWriter {
  public:
    explicit JkfWriter(const GameRecord& record)
        : record_(record), position_(record.StartPosition()) {}

    std::string Write();

  private:
    // The position is kept by playing each move as its element is written and taking a line's
    // moves back when it ends; an element with forks is played only after them, as they branch
    // off before it.
    struct Frame {
        bool forks = false;                      // a list of fork lines, else one line
        const MoveNode* next = nullptr;          // a line's node to write next
        const MoveNode* branch = nullptr;        // where a line branches off
        const MoveNode* last = nullptr;          // a line's last node played
        const ContinuationCell* cell = nullptr;  // a fork list's next line
        int side = Black;                        // to move before `next` / at the branch point
        std::array<std::int64_t, 2> totals{};    // each side's time so far: Black, White
        bool first = true;
        const MoveNode* waiting = nullptr;  // the element written last, waiting for its forks
    };

    void WriteHeader();
    void WriteInitial();
    void WriteMoves();
    void StepLine(Frame& line);
    void WriteElement(const MoveNode& node, Frame& line);
    void WriteMove(const MoveNode& node);
    void Played(Frame& line, const MoveNode& node);

    const GameRecord& record_;
    Position position_;  // before the node written next
    std::string out_;
    std::vector<Frame> stack_;
};

std::string JkfWriter::Write() {
    // About what a move with its time takes, so that a long record's text grows in place.
    constexpr std::size_t BytesPerMove = 160;
    out_.reserve(4096 + BytesPerMove * static_cast<std::size_t>(CountMoves(record_.Root())));
    const FarHalfReady farHalf(out_.data(), out_.capacity());
    out_ += "{\n";
    WriteHeader();
    WriteInitial();
    WriteMoves();
    out_ += "}\n";
    return std::move(out_);
}

void JkfWriter::WriteHeader() {
    std::vector<JapaneseHeaderLine> lines = JapaneseHeaderLines(record_);
    for (JapaneseHeaderLine& player : JapanesePlayerLines(record_))
        lines.push_back(std::move(player));
    out_ += "\"header\":{";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out_ += ',';
        AppendJsonText(out_, lines[i].label);
        out_ += ':';
        AppendJsonText(out_, lines[i].value);
    }
    out_ += "},\n";
}

void JkfWriter::WriteInitial() {
    const Position& start = record_.StartPosition();
    out_ += "\"initial\":{\"preset\":\"";
    if (const auto handicap = MatchHandicap(start)) {
        out_ += JkfPreset(*handicap);
        out_ += "\"},\n";
        return;
    }
    out_ += JkfOtherPreset;
    out_ += "\",\"data\":{\"color\":";
    out_ += start.sideToMove == Black ? '0' : '1';
    out_ += ",\"board\":[";
    for (int x = 0; x < BoardSize; ++x) {
        out_ += x > 0 ? ",[" : "[";
        for (int y = 0; y < BoardSize; ++y) {
            if (y > 0) out_ += ',';
            const PieceCode code = start.Cell(y, x);
            if (code == 0) {
                out_ += "{}";
                continue;
            }
            out_ +=
                OwnerOf(code) == Black ? "{\"color\":0,\"kind\":\"" : "{\"color\":1,\"kind\":\"";
            out_ += CsaCode(code);
            out_ += "\"}";
        }
        out_ += ']';
    }
    out_ += "],\"hands\":[";
    for (int side : {Black, White}) {
        out_ += side == Black ? "{" : ",{";
        bool first = true;
        for (PieceType kind : {Pawn, Lance, Knight, Silver, Gold, Bishop, Rook, King}) {
            if (kind == King && start.HandCount(side, King) == 0) continue;
            if (!first) out_ += ',';
            first = false;
            out_ += '"';
            out_ += CsaCode(kind);
            out_ += "\":";
            AppendDecimal(out_, start.HandCount(side, kind));
        }
        out_ += '}';
    }
    out_ += "]}},\n";
}

void JkfWriter::WriteMoves() {
    const MoveNode& root = record_.Root();
    out_ += "\"moves\":[\n{";
    if (!root.Comment().empty()) AppendComments(out_, root.Comment());
    out_ += '}';
    Frame main;
    main.next = root.Continuation(0);
    main.branch = main.last = &root;
    main.side = record_.StartPosition().sideToMove;
    main.first = false;
    stack_.push_back(main);
    while (!stack_.empty()) {
        Frame& top = stack_.back();
        if (!top.forks) {
            StepLine(top);
            continue;
        }
        if (!top.cell) {
            out_ += ']';
            stack_.pop_back();
            continue;
        }
        if (!top.first) out_ += ",\n";
        top.first = false;
        out_ += '[';
        Frame line;
        line.next = top.cell->node.get();
        line.branch = line.last = line.next->Parent();
        line.side = top.side;
        line.totals = top.totals;
        top.cell = top.cell->next.get();
        stack_.push_back(line);  // `top` is not used after this
    }
    out_ += '\n';
}

// Writes the next element of a line, or ends the line.
void JkfWriter::StepLine(Frame& line) {
    if (line.waiting) {
        out_ += '}';
        Played(line, *line.waiting);
        line.waiting = nullptr;
    }
    if (!line.next) {
        for (const MoveNode* node = line.last; node != line.branch; node = node->Parent())
            TakeBackNode(position_, *node);
        out_ += stack_.size() == 1 ? "\n]" : "]";  // the main line's end on a line of its own
        stack_.pop_back();
        return;
    }
    if (!line.first) out_ += ",\n";
    line.first = false;
    const MoveNode& node = *line.next;
    Frame forks;
    forks.forks = true;
    forks.side = line.side;
    forks.totals = line.totals;
    WriteElement(node, line);
    line.next = node.Continuation(0);
    if (!HasForks(node)) {
        out_ += '}';
        Played(line, node);
        return;
    }
    out_ += ",\"forks\":[";  // the element's closing brace comes after the forks
    line.waiting = &node;
    forks.cell = node.Parent()->FirstChild()->next.get();
    stack_.push_back(forks);  // `line` is not used after this
}

void JkfWriter::Played(Frame& line, const MoveNode& node) {
    PlayNode(position_, node);
    line.last = &node;
}

// The element without its closing brace.
void JkfWriter::WriteElement(const MoveNode& node, Frame& line) {
    const int side = line.side;
    out_ += '{';
    if (const auto result = node.Result()) {
        out_ += "\"special\":\"";
        out_ += SpecialName(*result, side, true);
        out_ += '"';
    } else {
        WriteMove(node);
    }
    if (const auto ms = node.TimeMs()) {
        std::int64_t& total = line.totals[side == Black ? 0 : 1];
        total = AddTimes(total, *ms);
        out_ += ",\"time\":{\"now\":";
        AppendClock(out_, *ms, false);
        out_ += ",\"total\":";
        AppendClock(out_, total, true);
        out_ += '}';
    }
    if (!node.Comment().empty()) {
        out_ += ',';
        AppendComments(out_, node.Comment());
    }
    if (!node.IsResult()) line.side = OtherSide(side);
}

void JkfWriter::WriteMove(const MoveNode& node) {
    const Move& move = node.move;
    out_ += OwnerOf(move.piece) == Black ? "\"move\":{\"color\":0" : "\"move\":{\"color\":1";
    if (!move.drop) {
        out_ += ",\"from\":";
        AppendSquare(out_, move.from);
    }
    out_ += ",\"to\":";
    AppendSquare(out_, move.to);
    out_ += ",\"piece\":\"";
    out_ += CsaCode(move.piece);
    out_ += '"';
    const MoveNode& previous = *node.Parent();
    if (previous.Parent() && !previous.IsResult() && previous.move.to == move.to)
        out_ += ",\"same\":true";
    if (MayPromote(position_, move))
        out_ += move.promote ? ",\"promote\":true" : ",\"promote\":false";
    if (move.captured != 0) {
        out_ += ",\"capture\":\"";
        out_ += CsaCode(move.captured);
        out_ += '"';
    }
    if (std::string relative = RelativeLetters(position_, move); !relative.empty()) {
        out_ += ",\"relative\":\"";
        out_ += relative;
        out_ += '"';
    }
    out_ += '}';
}

}  // namespace

std::string WriteJkf(const GameRecord& record) {
    return JkfWriter(record).Write();
}
