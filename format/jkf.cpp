#include "format/jkf.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "format/csacodes.h"
#include "format/japaneseheader.h"
#include "format/japanesenotation.h"
#include "format/jkfdocument.h"
#include "format/ki2move.h"
#include "format/loaderror.h"
#include "format/textlines.h"
#include "model/moverules.h"
#include "model/soundness.h"

namespace {

using OrderedJson = nlohmann::ordered_json;

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view OtherPreset = "OTHER";

struct Preset {
    Handicap handicap;
    std::string_view name;
};

constexpr Preset Presets[] = {
    {Handicap::Even, "HIRATE"},
    {Handicap::Lance, "KY"},
    {Handicap::RightLance, "KY_R"},
    {Handicap::Bishop, "KA"},
    {Handicap::Rook, "HI"},
    {Handicap::RookAndLance, "HIKY"},
    {Handicap::TwoPieces, "2"},
    {Handicap::ThreePieces, "3"},
    {Handicap::FourPieces, "4"},
    {Handicap::FivePieces, "5"},
    {Handicap::LeftFivePieces, "5_L"},
    {Handicap::SixPieces, "6"},
    {Handicap::LeftSevenPieces, "7_L"},
    {Handicap::RightSevenPieces, "7_R"},
    {Handicap::EightPieces, "8"},
    {Handicap::TenPieces, "10"},
};

const Preset& PresetOf(Handicap handicap) {
    return Presets[static_cast<int>(handicap)];
}

std::string SquareDigits(Square sq) {
    return {static_cast<char>('1' + sq.file), static_cast<char>('1' + sq.rank)};
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

// Plays a parsed document into a record. The lines are walked with an explicit list of the
// forks still to play, each with the record's place where it branches off, so neither long
// lines nor deeply nested forks use the call stack.
class JkfPlayer {
  public:
    JkfPlayer(GameRecord& record, const JkfDocument& document, std::string_view text,
              ReadOutcome& outcome)
        : record_(record), document_(document), text_(text), outcome_(outcome) {}

    void Play();

  private:
    struct Fork {
        PositionSnapshot branchPoint;
        std::int32_t line;
    };

    void ReadHeader();
    void SetStart();
    Position OtherPosition(const JkfInitial& initial);
    void PlayStartElement(const JkfElement& element);
    void PlayLine(std::int32_t line, std::size_t first);
    // Plays one element; false when it ended the line with a result.
    bool PlayElement(const JkfElement& element);
    Move ResolveMove(const JkfMove& jkf);
    bool ResolveWithoutOrigin(const JkfMove& jkf, Square to, Move& move, std::string& error);
    void AddComments(const JkfElement& element, std::string first);
    void SetTime(const JkfElement& element);
    [[noreturn]] void Fail(const std::string& message, std::size_t offset);

    GameRecord& record_;
    const JkfDocument& document_;
    std::string_view text_;
    ReadOutcome& outcome_;
    std::vector<Fork> forks_;
};

void JkfPlayer::Play() {
    ReadHeader();
    SetStart();
    if (!document_.hasMoves || document_.lines[0].elements.empty()) return;
    PlayStartElement(document_.lines[0].elements[0]);
    PlayLine(0, 1);
    while (!forks_.empty()) {
        const Fork fork = forks_.back();
        forks_.pop_back();
        record_.RestoreSnapshot(fork.branchPoint);
        PlayLine(fork.line, 0);
    }
}

void JkfPlayer::ReadHeader() {
    for (const JkfHeaderEntry& entry : document_.header)
        AddJapaneseHeader(record_, entry.label, entry.value);
}

void JkfPlayer::SetStart() {
    outcome_.startKnown = !document_.initial;
    if (!document_.initial) return;
    const JkfInitial& initial = *document_.initial;
    Position start;
    if (initial.preset == OtherPreset || (initial.preset.empty() && initial.hasData)) {
        start = OtherPosition(initial);
    } else if (const auto handicap = HandicapOfJkfPreset(initial.preset)) {
        start = HandicapPosition(*handicap);
    } else if (!initial.preset.empty()) {
        Fail("unknown preset '" + initial.preset + "'", initial.presetOffset);
    }
    if (std::string refusal = RefusalText(start); !refusal.empty())
        Fail("the start position is impossible: " + refusal, initial.offset);
    record_.SetStartPosition(start);
    const TextPosition place =
        PositionAfter(text_.substr(0, std::min(initial.offset, text_.size())));
    AddStartNotices(outcome_.notices, start, place.line, place.column);
    outcome_.startKnown = true;

    // 手合割 is kept only where it says more than the start position itself.
    record_.RemoveHeaderLinesIf([&](const HeaderLine& line) {
        return line.key == HeaderKey::Handicap && JkfHandicapNameMatches(line.value, start);
    });
}

Position JkfPlayer::OtherPosition(const JkfInitial& initial) {
    if (!initial.hasData)
        Fail("the preset OTHER needs data: board, hands and color", initial.presetOffset);
    if (initial.color < 0) Fail("data needs color, the side to move first", initial.dataOffset);
    Position start;
    start.board.fill(0);
    start.hands.fill(0);
    for (int x = 0; x < BoardSize; ++x)
        for (int y = 0; y < BoardSize; ++y)
            start.Cell(y, x) = initial.board[x][y];
    for (PieceType kind = 0; kind < KindCount; ++kind) {
        start.HandCount(Black, kind) = initial.hands[0][kind];
        start.HandCount(White, kind) = initial.hands[1][kind];
    }
    start.sideToMove = initial.color == 0 ? Black : White;
    return start;
}

// The first element of "moves" stands for the start: it holds the comments before the first
// move and nothing else.
void JkfPlayer::PlayStartElement(const JkfElement& element) {
    if (element.hasMove || element.special >= 0 || element.forks >= 0)
        Fail("the first element of moves is the start: it holds comments only", element.offset);
    AddComments(element, {});
}

void JkfPlayer::PlayLine(std::int32_t line, std::size_t first) {
    const std::vector<JkfElement>& elements = document_.lines[line].elements;
    const JkfElement* ended = nullptr;
    for (std::size_t i = first; i < elements.size(); ++i) {
        const JkfElement& element = elements[i];
        if (ended) Fail("a move after " + document_.specials[ended->special].name, element.offset);
        // The forks are alternatives to this element: they branch off before it. The last is
        // put on the list first, so they are played, and so listed, in the file's order.
        if (element.forks >= 0) {
            PositionSnapshot branchPoint;
            record_.SaveSnapshot(branchPoint);
            const std::vector<std::int32_t>& lines = document_.forks[element.forks];
            for (auto fork = lines.rbegin(); fork != lines.rend(); ++fork)
                if (!document_.lines[*fork].elements.empty())
                    forks_.push_back({branchPoint, *fork});
        }
        if (!PlayElement(element)) ended = &element;
    }
}

bool JkfPlayer::PlayElement(const JkfElement& element) {
    if (element.hasMove) {
        const Move move = ResolveMove(element.move);
        record_.GoForward(record_.AddContinuation(move) - 1);
        SetTime(element);
        AddComments(element, {});
        return true;
    }
    if (element.special < 0)
        Fail("a move element holds neither a move nor a special", element.offset);
    const std::string& name = document_.specials[element.special].name;
    const SpecialMeaning meaning = MeaningOfSpecial(name, record_.SideToMove());
    if (meaning.result) {
        record_.GoForward(record_.AddResult(*meaning.result) - 1);
        SetTime(element);
    }
    AddComments(element, meaning.keepNameAsComment ? '%' + name : std::string());
    return !meaning.result;
}

void JkfPlayer::SetTime(const JkfElement& element) {
    if (element.timeMs >= 0 && !record_.SetCurrentTime(element.timeMs))
        Fail(TimeTooLongText(record_.Current().number, record_.Current().IsResult()),
             element.offset);
}

void JkfPlayer::AddComments(const JkfElement& element, std::string first) {
    std::string comment = std::move(first);
    if (element.comments >= 0) {
        const std::vector<std::string>& lines = document_.comments[element.comments];
        if (!comment.empty() && !lines.empty()) comment += "\r\n";
        comment += JoinLines(lines);
    }
    if (comment.empty()) return;
    const std::string& existing = record_.Current().Comment();
    record_.SetCurrentComment(existing.empty() ? comment : existing + "\r\n" + comment);
}

Move JkfPlayer::ResolveMove(const JkfMove& jkf) {
    const int side = record_.SideToMove();
    const MoveNode& previous = record_.Current();
    const bool afterMove = previous.Parent() && !previous.IsResult();
    if (jkf.color >= 0 && (jkf.color == 0 ? Black : White) != side)
        Fail(std::string("color says ") + SideName(OtherSide(side)) + ", but it is " +
                 SideName(side) + "'s move",
             jkf.offset);
    if (jkf.piece < 0) Fail("the move has no piece", jkf.offset);
    if (jkf.same && !afterMove) Fail("same, but no move came before", jkf.offset);
    Square to;
    if (jkf.toX > 0)
        to = Square(jkf.toY - 1, jkf.toX - 1);
    else if (jkf.same)
        to = previous.move.to;
    else
        Fail("the move has no destination (to)", jkf.offset);
    if (jkf.same && !(to == previous.move.to))
        Fail("same, but the move before went to " + SquareDigits(previous.move.to), jkf.offset);

    const std::string pieceCode(CsaCode(jkf.piece));
    Move move;
    if (jkf.fromX > 0) {
        const Square from(jkf.fromY - 1, jkf.fromX - 1);
        const PieceCode there = record_.Cell(from);
        const std::string origin = SquareDigits(from);
        if (there == 0) Fail("there is no piece on " + origin, jkf.offset);
        if (OwnerOf(there) != side)
            Fail("the piece on " + origin + " is " + SideName(OwnerOf(there)) + "'s", jkf.offset);
        if (RuleOf(there) != jkf.piece)
            Fail("the piece on " + origin + " is " + std::string(CsaCode(there)) + ", not " +
                     pieceCode,
                 jkf.offset);
        move = Move(from, to, there, 0, jkf.promote == 1);
    } else if (std::string error; !ResolveWithoutOrigin(jkf, to, move, error)) {
        Fail("the move to " + SquareDigits(to) + " gives no origin (from): " + error, jkf.offset);
    }

    if (jkf.capture >= 0) {
        const PieceCode taken = move.drop ? 0 : record_.Cell(to);
        if (taken == 0 || RuleOf(taken) != jkf.capture)
            Fail("capture says " + std::string(CsaCode(jkf.capture)) + ", but " + SquareDigits(to) +
                     (taken == 0 ? " is empty" : " holds " + std::string(CsaCode(taken))),
                 jkf.offset);
    }
    if (move.promote && !record_.MayPromote(move))
        Fail("the " + pieceCode + " cannot promote on this move", jkf.offset);
    if (!record_.IsLegal(move)) Fail("the move is not legal here", jkf.offset);
    return move;
}

// A move without an origin: a drop, as JKF writes drops. Records turned from the notation
// without origins (KI2) leave it out of board moves too, and say which piece moves by the
// letters of "relative": a move with such letters, or one that cannot be a drop, is resolved as
// that notation's reader does. False, with `error`, when no single piece fits.
bool JkfPlayer::ResolveWithoutOrigin(const JkfMove& jkf, Square to, Move& move,
                                     std::string& error) {
    constexpr std::uint8_t BoardMarks =
        MarkLeft | MarkStraight | MarkRight | MarkUp | MarkSideways | MarkDown;
    const Move drop(Square(0, 0), to, record_.SideToMove() | jkf.piece, 1);
    move = drop;
    if (!(jkf.relative & BoardMarks) && ((jkf.relative & MarkDrop) || record_.IsLegal(drop)))
        return true;
    JapaneseMoveText text;
    text.to = to;
    text.piece = jkf.piece;
    text.promote = jkf.promote == 1;
    text.notPromote = jkf.promote == 0;
    text.side = jkf.relative & MarkLeft       ? JapaneseMoveText::Side::Left
                : jkf.relative & MarkRight    ? JapaneseMoveText::Side::Right
                : jkf.relative & MarkStraight ? JapaneseMoveText::Side::Straight
                                              : JapaneseMoveText::Side::None;
    text.motion = jkf.relative & MarkUp         ? JapaneseMoveText::Motion::Up
                  : jkf.relative & MarkSideways ? JapaneseMoveText::Motion::Sideways
                  : jkf.relative & MarkDown     ? JapaneseMoveText::Motion::Down
                                                : JapaneseMoveText::Motion::None;
    return ResolveJapaneseMove(record_.GetPosition(), text, move, error);
}

void JkfPlayer::Fail(const std::string& message, std::size_t offset) {
    const TextPosition place = PositionAfter(text_.substr(0, std::min(offset, text_.size())));
    throw ESNLoadError{message, place.line, place.column};
}

}  // namespace

std::string_view JkfPreset(Handicap handicap) {
    return PresetOf(handicap).name;
}

std::optional<Handicap> HandicapOfJkfPreset(std::string_view preset) {
    for (const Preset& known : Presets)
        if (known.name == preset) return known.handicap;
    return std::nullopt;
}

bool JkfHandicapNameMatches(std::string_view name, const Position& start) {
    const auto named = NameOfStartPosition(start);
    return named && *named == name;
}

void ReadJkf(GameRecord& record, std::string_view bytes, ReadOutcome& outcome) {
    record.Reset();
    const DecodedText decoded = DecodeToUtf8(bytes);
    outcome.type = FileType{RecordFormat::Jkf, decoded.encoding, 0};
    const TextEncoding encoding = decoded.encoding;
    std::string_view text = decoded.text;
    JkfDocument document;
    if (decoded.failure) {
        throw ESNLoadError{
            "a character that is not " + std::string(EncodingName(encoding)) + " text",
            decoded.failure->position.line, decoded.failure->position.column};
    }
    if (const auto fault = ParseJkfDocument(text, document)) {
        const TextPosition place =
            PositionAfter(text.substr(0, std::min(fault->offset, text.size())));
        throw ESNLoadError{fault->message, place.line, place.column};
    }
    JkfPlayer(record, document, text, outcome).Play();
    record.GoToTop();
}

bool LooksLikeJkf(std::string_view bytes) {
    if (bytes.starts_with(ByteOrderMark)) bytes.remove_prefix(ByteOrderMark.size());
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    // A JSON object with the moves every JKF file has; other JSON (the tool's dump) is not one.
    return first != std::string_view::npos && bytes[first] == '{' &&
           bytes.find("\"moves\"", first) != std::string_view::npos;
}

namespace {

std::string JsonText(std::string_view utf8) {
    return OrderedJson(std::string(utf8)).dump();
}

OrderedJson SquareJson(Square sq) {
    return OrderedJson{{"x", sq.file + 1}, {"y", sq.rank + 1}};
}

// A time as JKF gives it: minutes and seconds (hours too when there are any, and always for a
// running total). Fractions of a second have no place.
OrderedJson ClockJson(std::int64_t ms, bool withHours) {
    const std::int64_t seconds = ms / 1000;
    OrderedJson clock = OrderedJson::object();
    if (withHours || seconds >= 3600) clock["h"] = seconds / 3600;
    clock["m"] = withHours || seconds >= 3600 ? seconds / 60 % 60 : seconds / 60;
    clock["s"] = seconds % 60;
    return clock;
}

// The comment's lines, split where the record joins them (CR LF); a lone CR or LF stays inside
// its line, which a JSON text holds as well.
OrderedJson CommentsJson(const std::string& comment) {
    OrderedJson lines = OrderedJson::array();
    const std::string text = RecordTextAsUtf8(comment);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The letters of "relative" for a move: the marks that KI2 writes to tell it from the same
// piece's moves from other squares, and 打 for a drop that a board piece could make as well.
std::string RelativeLetters(const Position& before, const Move& move) {
    static constexpr std::pair<char32_t, char> Letters[] = {
        {U'左', 'L'}, {U'直', 'C'}, {U'右', 'R'}, {U'上', 'U'},
        {U'寄', 'M'}, {U'引', 'D'}, {U'打', 'H'},
    };
    const std::string text = Ki2MoveText(before, move);
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

// Writes the tree as the file's text. The lines are written with an explicit stack of open
// lines and open fork lists, so a deep tree costs no call stack; the library writes each value
// and each small object (a move, a time) but never the nested structure as a whole, which it
// would write by recursion.
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
    OrderedJson ElementJson(const MoveNode& node, Frame& line);
    OrderedJson MoveJson(const MoveNode& node) const;

    void Played(Frame& line, const MoveNode& node);

    const GameRecord& record_;
    Position position_;  // before the node written next
    std::string out_;
    std::vector<Frame> stack_;
};

std::string JkfWriter::Write() {
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
        if (i > 0) out_ += ",";
        out_ += JsonText(lines[i].label);
        out_ += ':';
        out_ += JsonText(lines[i].value);
    }
    out_ += "},\n";
}

void JkfWriter::WriteInitial() {
    const Position& start = record_.StartPosition();
    OrderedJson initial = OrderedJson::object();
    if (const auto handicap = MatchHandicap(start)) {
        initial["preset"] = JkfPreset(*handicap);
    } else {
        initial["preset"] = OtherPreset;
        OrderedJson board = OrderedJson::array();
        for (int x = 0; x < BoardSize; ++x) {
            OrderedJson file = OrderedJson::array();
            for (int y = 0; y < BoardSize; ++y) {
                const PieceCode code = start.Cell(y, x);
                file.push_back(code == 0 ? OrderedJson::object()
                                         : OrderedJson{{"color", OwnerOf(code) == Black ? 0 : 1},
                                                       {"kind", CsaCode(code)}});
            }
            board.push_back(std::move(file));
        }
        OrderedJson hands = OrderedJson::array();
        for (int side : {Black, White}) {
            OrderedJson hand = OrderedJson::object();
            for (PieceType kind : {Pawn, Lance, Knight, Silver, Gold, Bishop, Rook})
                hand[std::string(CsaCode(kind))] = start.HandCount(side, kind);
            if (start.HandCount(side, King) > 0) hand["OU"] = start.HandCount(side, King);
            hands.push_back(std::move(hand));
        }
        initial["data"] = OrderedJson{{"color", start.sideToMove == Black ? 0 : 1},
                                      {"board", std::move(board)},
                                      {"hands", std::move(hands)}};
    }
    out_ += "\"initial\":";
    out_ += initial.dump();
    out_ += ",\n";
}

void JkfWriter::WriteMoves() {
    const MoveNode& root = record_.Root();
    OrderedJson start = OrderedJson::object();
    if (!root.Comment().empty()) start["comments"] = CommentsJson(root.Comment());
    out_ += "\"moves\":[\n";
    out_ += start.dump();
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
    std::string element = ElementJson(node, line).dump();
    line.next = node.Continuation(0);
    if (!HasForks(node)) {
        out_ += element;
        Played(line, node);
        return;
    }
    element.pop_back();  // the closing brace comes after the forks
    out_ += element;
    out_ += ",\"forks\":[";
    line.waiting = &node;
    forks.cell = node.Parent()->FirstChild()->next.get();
    stack_.push_back(forks);  // `line` is not used after this
}

void JkfWriter::Played(Frame& line, const MoveNode& node) {
    PlayNode(position_, node);
    line.last = &node;
}

OrderedJson JkfWriter::ElementJson(const MoveNode& node, Frame& line) {
    OrderedJson element = OrderedJson::object();
    const int side = line.side;
    if (const auto result = node.Result())
        element["special"] = SpecialName(*result, side, true);
    else
        element["move"] = MoveJson(node);
    if (const auto ms = node.TimeMs()) {
        std::int64_t& total = line.totals[side == Black ? 0 : 1];
        total += *ms;
        element["time"] =
            OrderedJson{{"now", ClockJson(*ms, false)}, {"total", ClockJson(total, true)}};
    }
    if (!node.Comment().empty()) element["comments"] = CommentsJson(node.Comment());
    if (!node.IsResult()) line.side = OtherSide(side);
    return element;
}

OrderedJson JkfWriter::MoveJson(const MoveNode& node) const {
    const Move& move = node.move;
    OrderedJson json = OrderedJson::object();
    json["color"] = OwnerOf(move.piece) == Black ? 0 : 1;
    if (!move.drop) json["from"] = SquareJson(move.from);
    json["to"] = SquareJson(move.to);
    json["piece"] = CsaCode(move.piece);
    const MoveNode& previous = *node.Parent();
    if (previous.Parent() && !previous.IsResult() && previous.move.to == move.to)
        json["same"] = true;
    if (MayPromote(position_, move)) json["promote"] = move.promote != 0;
    if (move.captured != 0) json["capture"] = CsaCode(move.captured);
    if (std::string relative = RelativeLetters(position_, move); !relative.empty())
        json["relative"] = std::move(relative);
    return json;
}

}  // namespace

bool WriteJkf(const GameRecord& record, std::string& bytes, std::string& refusal) {
    refusal.clear();
    bytes = JkfWriter(record).Write();
    return true;
}
