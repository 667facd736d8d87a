#include "format/jkf/jkfreader.h"

#include <boost/json/basic_parser_impl.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "format/csa/csacodes.h"
#include "format/jkf/eventrelay.h"
#include "format/jkf/jkfpresets.h"
#include "format/kif/japaneseheader.h"
#include "format/kif/japanesenotation.h"
#include "format/kif/ki2move.h"
#include "model/moverules.h"
#include "model/soundness.h"

namespace {

namespace json = boost::json;

constexpr long long LargestTimePart = 1'000'000'000;  // a billion hours, minutes or seconds
constexpr int LargestHandCount = 40;                  // the whole set

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

std::uint8_t RelativeMarks(std::string_view letters) {
    std::uint8_t marks = 0;
    for (char c : letters) {
        const std::string_view all = "LCRUMDH";
        const std::size_t at = all.find(c);
        // A letter nobody defined tells nothing about the move.
        if (at != std::string_view::npos) marks |= static_cast<std::uint8_t>(1 << at);
    }
    return marks;
}

// The members the reader knows, by name; Other for any other.
enum class Key : std::uint8_t {
    Other,
    Header,
    Initial,
    Moves,
    Preset,
    Data,
    Color,
    Board,
    Hands,
    Kind,
    Move,
    Time,
    Special,
    Comments,
    Forks,
    From,
    To,
    Piece,
    Capture,
    Promote,
    Same,
    Relative,
    X,
    Y,
    Now,
    Total,
    Hours,
    Minutes,
    Seconds,
};

// A name of up to eight bytes as one number, its first byte lowest.
constexpr std::uint64_t Packed(std::string_view name) {
    std::uint64_t word = 0;
    for (std::size_t i = name.size(); i-- > 0;)
        word = word << 8 | static_cast<unsigned char>(name[i]);
    return word;
}

// Packing drops trailing zero bytes: the length tells "x" from "x\u0000".
constexpr Key SizedAs(std::string_view name, std::string_view known, Key key) {
    return name.size() == known.size() ? key : Key::Other;
}

// Asked for every key of the file: one number against all the known names at once.
Key KeyOf(std::string_view name) {
    if (name.size() > 8) return Key::Other;
    switch (Packed(name)) {
        case Packed("header"):
            return SizedAs(name, "header", Key::Header);
        case Packed("initial"):
            return SizedAs(name, "initial", Key::Initial);
        case Packed("moves"):
            return SizedAs(name, "moves", Key::Moves);
        case Packed("preset"):
            return SizedAs(name, "preset", Key::Preset);
        case Packed("data"):
            return SizedAs(name, "data", Key::Data);
        case Packed("color"):
            return SizedAs(name, "color", Key::Color);
        case Packed("board"):
            return SizedAs(name, "board", Key::Board);
        case Packed("hands"):
            return SizedAs(name, "hands", Key::Hands);
        case Packed("kind"):
            return SizedAs(name, "kind", Key::Kind);
        case Packed("move"):
            return SizedAs(name, "move", Key::Move);
        case Packed("time"):
            return SizedAs(name, "time", Key::Time);
        case Packed("special"):
            return SizedAs(name, "special", Key::Special);
        case Packed("comments"):
            return SizedAs(name, "comments", Key::Comments);
        case Packed("forks"):
            return SizedAs(name, "forks", Key::Forks);
        case Packed("from"):
            return SizedAs(name, "from", Key::From);
        case Packed("to"):
            return SizedAs(name, "to", Key::To);
        case Packed("piece"):
            return SizedAs(name, "piece", Key::Piece);
        case Packed("capture"):
            return SizedAs(name, "capture", Key::Capture);
        case Packed("promote"):
            return SizedAs(name, "promote", Key::Promote);
        case Packed("same"):
            return SizedAs(name, "same", Key::Same);
        case Packed("relative"):
            return SizedAs(name, "relative", Key::Relative);
        case Packed("x"):
            return SizedAs(name, "x", Key::X);
        case Packed("y"):
            return SizedAs(name, "y", Key::Y);
        case Packed("now"):
            return SizedAs(name, "now", Key::Now);
        case Packed("total"):
            return SizedAs(name, "total", Key::Total);
        case Packed("h"):
            return SizedAs(name, "h", Key::Hours);
        case Packed("m"):
            return SizedAs(name, "m", Key::Minutes);
        case Packed("s"):
            return SizedAs(name, "s", Key::Seconds);
        default:
            return Key::Other;
    }
}

// A scalar value of any JSON type.
struct Scalar {
    enum class Type : std::uint8_t { Null, Bool, Integer, Float, String } type = Type::Null;
    bool boolean = false;
    long long integer = 0;
    double number = 0;
    std::string_view text;

    bool IsNumber() const { return type == Type::Integer || type == Type::Float; }
    bool IsIntegerIn(long long low, long long high) const {
        return type == Type::Integer && integer >= low && integer <= high;
    }
};

// An event of the parser as the reader takes it: where it starts in the text, a scalar's value,
// and the key it is the value of. Millions of them cross between threads, so they hold no
// copies: texts are given by where they are and their sizes.
struct JkfEvent {
    enum class Type : std::uint8_t { OpenObject, OpenArray, Close, Scalar };
    Type type = Type::Close;
    Scalar::Type scalar = Scalar::Type::Null;
    bool boolean = false;
    std::size_t size = 0;
    std::size_t keySize = 0;
    std::size_t start = 0;
    const char* text = nullptr;     // a string's
    const char* keyText = nullptr;  // null when the value is not a member's
    union {
        long long integer = 0;
        double number;
    };

    void SetText(std::string_view name) {
        text = name.data();
        size = name.size();
    }
    std::string_view View() const { return {text, size}; }
    std::string_view KeyView() const { return {keyText, keySize}; }
    Scalar Value() const {
        Scalar value;
        value.type = scalar;
        value.boolean = boolean;
        if (scalar == Scalar::Type::Integer) value.integer = integer;
        if (scalar == Scalar::Type::Float) value.number = number;
        value.text = View();
        return value;
    }
};

// Where each event starts in the text. The library does not say: each is found after where the
// one before ended, past the blanks, colons and commas between them.
class EventPlaces {
  public:
    EventPlaces(std::string_view text, std::size_t from) : text_(text), end_(from) {}

    bool InText(json::string_view part) const {
        return part.data() >= text_.data() &&
               part.data() + part.size() <= text_.data() + text_.size();
    }
    // An item of `length` characters: a bracket, true, false or null.
    std::size_t Item(std::size_t length) {
        const std::size_t start = NextItem();
        end_ = start + length;
        return start;
    }
    // A key or a string; `whole` when the parser gave it in one part.
    std::size_t String(json::string_view last, bool whole) {
        if (whole && InText(last)) {  // the usual case: the text itself, no escapes
            const auto start = static_cast<std::size_t>(last.data() - text_.data()) - 1;
            end_ = start + last.size() + 2;
            return start;
        }
        // Escapes or parts: the closing quote is the first one no backslash escapes.
        const std::size_t start = NextItem();
        std::size_t at = start + 1;
        while (at < text_.size() && text_[at] != '"')
            at += text_[at] == '\\' ? 2 : 1;
        end_ = std::min(at + 1, text_.size());
        return start;
    }
    // A number; `text` is its own characters when the parser gives them.
    std::size_t Number(json::string_view text) {
        if (InText(text) && !text.empty()) {
            const auto start = static_cast<std::size_t>(text.data() - text_.data());
            end_ = start + text.size();
            return start;
        }
        const std::size_t start = NextItem();
        std::size_t at = start;
        while (at < text_.size() &&
               std::string_view("+-.0123456789eE").find(text_[at]) != std::string_view::npos)
            ++at;
        end_ = at;
        return start;
    }

  private:
    std::size_t NextItem() const {
        std::size_t at = end_;
        while (at < text_.size()) {
            const char c = text_[at];
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t' && c != ':' && c != ',') break;
            ++at;
        }
        return at;
    }

    std::string_view text_;
    std::size_t end_;
};

// The library parser's handler: makes the reader's events, with their places, and puts them into
// `sink`, which hands them to the reader, at once or on another thread. The sink keeps what a
// string in parts was put together into while its event waits.
template <class Sink>
class JkfEventMaker {
  public:
    static constexpr std::size_t max_object_size = std::size_t(-1);
    static constexpr std::size_t max_array_size = std::size_t(-1);
    static constexpr std::size_t max_key_size = std::size_t(-1);
    static constexpr std::size_t max_string_size = std::size_t(-1);

    JkfEventMaker(std::string_view text, std::size_t from, Sink& sink)
        : places_(text, from), sink_(sink) {}

    bool on_document_begin(json::error_code&) { return true; }
    bool on_document_end(json::error_code&) { return true; }
    bool on_object_begin(json::error_code&) { return Bracket(JkfEvent::Type::OpenObject); }
    bool on_object_end(std::size_t, json::error_code&) { return Bracket(JkfEvent::Type::Close); }
    bool on_array_begin(json::error_code&) { return Bracket(JkfEvent::Type::OpenArray); }
    bool on_array_end(std::size_t, json::error_code&) { return Bracket(JkfEvent::Type::Close); }
    bool on_key_part(json::string_view part, std::size_t, json::error_code&) {
        partial_.append(part.data(), part.size());
        return true;
    }
    // A key goes with the event of its value.
    bool on_key(json::string_view last, std::size_t, json::error_code&) {
        const bool whole = partial_.empty();
        places_.String(last, whole);
        if (!whole || !places_.InText(last)) {
            keyStore_ = std::move(partial_);
            keyStore_.append(last.data(), last.size());
            partial_.clear();
            key_ = keyStore_;
        } else {
            key_ = std::string_view(last.data(), last.size());
        }
        keyWaits_ = true;
        return true;
    }
    bool on_string_part(json::string_view part, std::size_t, json::error_code&) {
        partial_.append(part.data(), part.size());
        return true;
    }
    bool on_string(json::string_view last, std::size_t, json::error_code&) { return String(last); }
    bool on_number_part(json::string_view, json::error_code&) { return true; }
    bool on_int64(std::int64_t value, json::string_view text, json::error_code&) {
        return Integer(value, text);
    }
    bool on_uint64(std::uint64_t value, json::string_view text, json::error_code&) {
        return Integer(
            value > 0x7fffffffffffffffULL ? 0x7fffffffffffffffLL : static_cast<long long>(value),
            text);
    }
    bool on_double(double value, json::string_view text, json::error_code&) {
        NewScalar(places_.Number(text), Scalar::Type::Float).number = value;
        return sink_.Added();
    }
    bool on_bool(bool value, json::error_code&) {
        NewScalar(places_.Item(value ? 4 : 5), Scalar::Type::Bool).boolean = value;
        return sink_.Added();
    }
    bool on_null(json::error_code&) {
        NewScalar(places_.Item(4), Scalar::Type::Null);
        return sink_.Added();
    }
    bool on_comment_part(json::string_view, json::error_code&) { return true; }
    bool on_comment(json::string_view, json::error_code&) { return true; }

  private:
    // Each event is filled in where the sink keeps it: one built apart and copied over would
    // cost a stall of the processor per event.
    JkfEvent& New(JkfEvent::Type type, std::size_t start) {
        const bool kept = keyWaits_ && !places_.InText(key_);
        const std::string_view key = kept ? sink_.Keep(keyStore_) : key_;
        JkfEvent& event = sink_.Add();
        event.type = type;
        event.start = start;
        if (keyWaits_) {
            event.keyText = key.data();
            event.keySize = key.size();
            keyWaits_ = false;
        }
        return event;
    }
    JkfEvent& NewScalar(std::size_t start, Scalar::Type type) {
        JkfEvent& event = New(JkfEvent::Type::Scalar, start);
        event.scalar = type;
        return event;
    }
    bool Bracket(JkfEvent::Type type) {
        New(type, places_.Item(1));
        return sink_.Added();
    }
    bool Integer(long long value, json::string_view text) {
        NewScalar(places_.Number(text), Scalar::Type::Integer).integer = value;
        return sink_.Added();
    }
    bool String(json::string_view last) {
        const bool whole = partial_.empty();
        const std::size_t start = places_.String(last, whole);
        if (whole && places_.InText(last)) {
            NewScalar(start, Scalar::Type::String)
                .SetText(std::string_view(last.data(), last.size()));
            return sink_.Added();
        }
        partial_.append(last.data(), last.size());
        NewScalar(start, Scalar::Type::String).SetText(sink_.Keep(partial_));
        const bool taken = sink_.Added();
        partial_.clear();
        return taken;
    }

    EventPlaces places_;
    Sink& sink_;
    std::string partial_;  // the parts of a key or a string so far
    // The key whose value comes next: in the text, or in keyStore_ when kept.
    std::string_view key_;
    std::string keyStore_;
    bool keyWaits_ = false;
};

// What a move element says about its move, before it is checked against the position.
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

// An element of a line being read: a move or a special with its time and comments, played into
// the record once it is known, and the forks, the lines that are alternatives to it.
struct PendingElement {
    std::size_t offset = 0;
    bool first = false;  // the main line's first element: the start, with comments only
    bool hasMove = false;
    JkfMove move;
    bool hasSpecial = false;
    std::string special;
    std::int64_t timeMs = -1;  // the time the move took ("now"); -1 when not given
    std::string comments;      // its lines joined with CR LF
    int commentLines = 0;
    bool handled = false;     // its move or special was played (a special may add no node)
    bool played = false;      // its move or special is a node of the record
    bool forked = false;      // fork lines were added before it was played
    bool forks = false;       // it has forks
    PositionSnapshot before;  // the record before it, where its forks branch off
};

// A line being read: whether a special ended it.
struct OpenLine {
    std::string endedBy;
};

enum class Kind : std::uint8_t {
    Root,
    Header,
    Initial,
    Data,
    Board,
    BoardFile,
    BoardSquare,
    Hands,
    Hand,
    Line,
    Element,
    Move,
    Square,
    Time,
    Clock,
    Comments,
    Forks,
    Skip,
};

struct Frame {
    Kind kind = Kind::Skip;
    std::int8_t x = 0, y = 0;  // of a square
    std::int8_t color = -1;    // of a board square
    std::int8_t piece = -1;
    std::int32_t count = 0;  // items begun so far, in an array
    std::int32_t which = 0;  // from 0 / to 1; now 0 / total 1; board file; hand's side
    std::int32_t depth = 0;  // of a skipped value's own nesting
    std::size_t offset = 0;
};

// "initial": a preset name, and for "OTHER" the position.
struct JkfInitial {
    std::size_t offset = 0;
    std::string preset;
    std::size_t presetOffset = 0;
    bool hasData = false;
    std::size_t dataOffset = 0;
    int color = -1;
    Position position;  // the board and the hands of "data"
};

// Reads the JSON text event by event into the record, as the library's parser reports them:
// each open object or array is a frame on an explicit stack, so nesting costs no call stack,
// and each element is played as soon as it is known, so a long record costs no copy of its
// moves. The library does not say where an event stands; each is found in the text after where
// the one before ended, past the blanks, colons and commas between them.
class JkfReader {
  public:
    // `deepParser` picks the library's slower parser that keeps no call stack per level, for a
    // file nested deeper than the fast one goes.
    JkfReader(GameRecord& record, std::string_view text, ReadReport& report, bool deepParser)
        : record_(record), text_(text), report_(report), deepParser_(deepParser) {}

    void Read();
    // Whether the fast parser stopped because the file nests deeper than it goes.
    bool TooDeep() const { return tooDeep_; }

    // Takes the parser's next event; false when reading stops there.
    bool Take(const JkfEvent& event);

  private:
    // Runs the library's parser over text_[from, to); false when it stopped.
    bool Parse(std::size_t from, std::size_t to);
    template <class Sink>
    std::size_t RunParser(Sink& sink, std::size_t from, std::size_t to, json::error_code& error);
    bool ParseDeep(std::size_t from, std::size_t to);

    bool Open(bool array);
    bool Close();
    bool OpenInObject(Frame& top, bool array);
    void TakeKey(std::string_view name);
    bool OnScalar(const Scalar& value);
    bool ScalarInInitial(Frame& top, const Scalar& value);
    bool ScalarInMove(Frame& top, const Scalar& value);
    bool ScalarInClock(const Scalar& value);
    bool EndSquare(const Frame& frame);
    Frame& Push(Kind kind);

    bool SetStart();
    bool OtherPosition(Position& start);
    bool BeginElement();
    bool BeginForks();
    bool BeginForkLine();
    bool EndForks();
    bool EndElement();
    bool PlayElement(PendingElement& element);
    bool ResolveMove(const JkfMove& jkf, Move& move);
    bool ResolveWithoutOrigin(const JkfMove& jkf, Square to, Move& move, std::string& error);
    void AddComments(const PendingElement& element, std::string first);
    void DropNamedHandicap();

    bool Fail(std::string message) { return FailAt(std::move(message), start_); }
    bool FailAt(std::string message, std::size_t offset);
    bool WrongType(const char* what) { return Fail(Quoted(key_) + " " + what); }

    bool InText(std::string_view part) const {
        return part.data() >= text_.data() &&
               part.data() + part.size() <= text_.data() + text_.size();
    }

    GameRecord& record_;
    std::string_view text_;
    ReadReport& report_;
    std::vector<Frame> frames_;
    // The elements being read, innermost last: the first openElements_ of these. They are kept
    // for reuse, as clearing one anew for every element would cost more than the rest of it.
    std::vector<PendingElement> elements_;
    std::size_t openElements_ = 0;
    PendingElement& Element() { return elements_[openElements_ - 1]; }
    std::vector<OpenLine> lines_;
    std::string_view key_;  // the last key, in the text or in keyStore_
    std::string keyStore_;
    Key keyId_ = Key::Other;
    std::size_t start_ = 0;  // where the event being taken starts
    std::optional<JkfInitial> initial_;
    bool startSet_ = false;
    bool movesSeen_ = false;
    std::optional<std::size_t> movesLater_;  // where "moves" stands, to read once the start is
    std::size_t movesEnd_ = 0;               // known, when it comes before "initial"
    bool rootOpened_ = false;
    bool failed_ = false;
    bool deepParser_ = false;
    bool tooDeep_ = false;
};

// The fast parser descends a call level for every level of nesting; beyond this many it stops,
// and the file is read again by the parser that keeps its levels on the heap. A few hundred
// nested forks are that deep.
constexpr std::size_t FastParserDepth = 1000;

// From this many bytes of JSON on, the parser runs on a thread of its own beside the reader;
// below it, starting the thread costs more than it saves.
constexpr std::size_t ParseAlongsideFrom = 1 << 20;

// Hands each event to the reader as it is made.
class DirectSink {
  public:
    explicit DirectSink(JkfReader& reader) : reader_(reader) {}

    JkfEvent& Add() {
        event_ = JkfEvent();
        return event_;
    }
    bool Added() { return reader_.Take(event_); }
    std::string_view Keep(const std::string& text) { return text; }

  private:
    JkfReader& reader_;
    JkfEvent event_;
};

using DirectEventMaker = JkfEventMaker<DirectSink>;

// The deep parser's handler: hands each event to the event maker, which finds its place in the
// text.
class NestedEvents final : public nlohmann::json_sax<nlohmann::json> {
  public:
    explicit NestedEvents(DirectEventMaker& maker) : maker_(maker) {}

    std::optional<std::pair<std::string, std::size_t>> fault;  // the library's reason, where

    bool null() override { return maker_.on_null(ignored_); }
    bool boolean(bool value) override { return maker_.on_bool(value, ignored_); }
    bool number_integer(number_integer_t value) override {
        return maker_.on_int64(value, {}, ignored_);
    }
    bool number_unsigned(number_unsigned_t value) override {
        return maker_.on_uint64(value, {}, ignored_);
    }
    bool number_float(number_float_t value, const string_t&) override {
        return maker_.on_double(value, {}, ignored_);
    }
    bool string(string_t& value) override {
        return maker_.on_string({value.data(), value.size()}, value.size(), ignored_);
    }
    bool binary(binary_t&) override { return false; }
    bool key(string_t& name) override {
        return maker_.on_key({name.data(), name.size()}, name.size(), ignored_);
    }
    bool start_object(std::size_t) override { return maker_.on_object_begin(ignored_); }
    bool end_object() override { return maker_.on_object_end(0, ignored_); }
    bool start_array(std::size_t) override { return maker_.on_array_begin(ignored_); }
    bool end_array() override { return maker_.on_array_end(0, ignored_); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::json::exception& error) override {
        // The library's text: "[json.exception.parse_error.101] parse error at line 1, column
        // 8: syntax error ..."; the place is given apart, so only the reason is kept.
        std::string reason = error.what();
        const std::size_t place = reason.find("parse error");
        const std::size_t colon = reason.find(": ", place == std::string::npos ? 0 : place);
        if (colon != std::string::npos) reason.erase(0, colon + 2);
        fault.emplace(std::move(reason), position > 0 ? position - 1 : 0);
        return false;
    }

  private:
    DirectEventMaker& maker_;
    json::error_code ignored_;
};

void JkfReader::Read() {
    frames_.reserve(64);
    if (!Parse(0, text_.size())) return;
    if (!rootOpened_) {
        FailAt("a JKF file is one JSON object", 0);
        return;
    }
    if (!startSet_ && !SetStart()) return;
    if (movesLater_) {
        frames_.assign(1, Frame{Kind::Root});
        movesSeen_ = false;
        keyId_ = Key::Moves;
        key_ = "moves";
        if (!Parse(*movesLater_, movesEnd_)) return;
    }
    DropNamedHandicap();
    record_.GoToTop();
}

bool JkfReader::Parse(std::size_t from, std::size_t to) {
    if (deepParser_) return ParseDeep(from, to);
    json::error_code error;
    std::size_t at = from;
    const bool large = to - from >= ParseAlongsideFrom && std::thread::hardware_concurrency() > 1;
    const bool alongside =
        large && MakeAlongside<JkfEvent>(
                     [&](RelaySink<JkfEvent>& sink) { at += RunParser(sink, from, to, error); },
                     [this](const JkfEvent& event) { return Take(event); });
    if (!alongside) {
        DirectSink sink(*this);
        at += RunParser(sink, from, to, error);
    }
    if (failed_) return false;
    if (error == json::error::too_deep) {
        tooDeep_ = true;
        return false;
    }
    if (!error) {
        while (at < to &&
               (text_[at] == ' ' || text_[at] == '\t' || text_[at] == '\r' || text_[at] == '\n'))
            ++at;
        if (at == to) return true;
        return FailAt("not JSON: text after the JSON value", at);
    }
    const std::string reason = at >= text_.size() ? "the text ends before the JSON value does"
                                                  : error.message() + " at '" + text_[at] + "'";
    return FailAt("not JSON: " + reason, std::min(at, text_.size()));
}

template <class Sink>
std::size_t JkfReader::RunParser(Sink& sink, std::size_t from, std::size_t to,
                                 json::error_code& error) {
    json::parse_options options;
    options.max_depth = FastParserDepth;
    options.allow_invalid_utf8 = true;  // the front hands over UTF-8 only
    json::basic_parser<JkfEventMaker<Sink>> parser(options, text_, from, sink);
    return parser.write_some(false, text_.data() + from, to - from, error);
}

bool JkfReader::ParseDeep(std::size_t from, std::size_t to) {
    DirectSink sink(*this);
    DirectEventMaker maker(text_, from, sink);
    NestedEvents events{maker};
    nlohmann::json::sax_parse(text_.data() + from, text_.data() + to, &events);
    if (failed_) return false;
    if (!events.fault) return true;
    return FailAt("not JSON: " + events.fault->first, from + events.fault->second);
}

bool JkfReader::FailAt(std::string message, std::size_t offset) {
    if (failed_) return false;
    failed_ = true;
    const TextPosition place = PositionAfter(text_.substr(0, std::min(offset, text_.size())));
    report_.error = ReadError{std::move(message), place.line, place.column};
    return false;
}

Frame& JkfReader::Push(Kind kind) {
    Frame& frame = frames_.emplace_back();
    frame.kind = kind;
    frame.offset = start_;
    return frame;
}

bool JkfReader::Take(const JkfEvent& event) {
    start_ = event.start;
    if (event.keyText) TakeKey(event.KeyView());
    switch (event.type) {
        case JkfEvent::Type::OpenObject:
            return Open(false);
        case JkfEvent::Type::OpenArray:
            return Open(true);
        case JkfEvent::Type::Close:
            return Close();
        case JkfEvent::Type::Scalar:
            return OnScalar(event.Value());
    }
    return true;
}

// The key names the value that follows; it is kept until the next key, for the messages.
void JkfReader::TakeKey(std::string_view name) {
    if (InText(name)) {
        key_ = name;
    } else {
        keyStore_.assign(name);
        key_ = keyStore_;
    }
    keyId_ = KeyOf(key_);
}

bool JkfReader::Open(bool array) {
    if (frames_.empty()) {
        if (array || rootOpened_) return Fail("a JKF file is one JSON object");
        rootOpened_ = true;
        Push(Kind::Root);
        return true;
    }
    Frame& top = frames_.back();
    switch (top.kind) {
        case Kind::Skip:
            ++top.depth;
            return true;
        case Kind::BoardFile: {
            if (array) return Fail("a square of the board must be an object");
            if (top.count == 9) return Fail("a file of the board holds more than nine squares");
            const auto x = static_cast<std::int8_t>(top.which + 1);
            const auto y = static_cast<std::int8_t>(++top.count);
            Frame& square = Push(Kind::BoardSquare);
            square.x = x;
            square.y = y;
            return true;
        }
        case Kind::Board: {
            if (!array) return Fail("the board holds nine files, each an array of nine squares");
            if (top.count == 9) return Fail("the board holds more than nine files");
            const std::int32_t which = top.count++;
            Push(Kind::BoardFile).which = which;
            return true;
        }
        case Kind::Hands: {
            if (array) return Fail("a hand must be an object");
            if (top.count == 2) return Fail("hands holds more than two hands");
            const std::int32_t which = top.count++;
            Push(Kind::Hand).which = which;
            return true;
        }
        case Kind::Line:
            if (array) return Fail("a move element must be an object");
            ++top.count;
            Push(Kind::Element);
            return BeginElement();
        case Kind::Forks:
            if (!array) return Fail("forks holds lines, each an array of moves");
            Push(Kind::Line);
            return BeginForkLine();
        case Kind::Comments:
            return Fail("comments holds texts");
        default:
            return OpenInObject(top, array);
    }
}

// An object or array as the value of a member.
bool JkfReader::OpenInObject(Frame& top, bool array) {
    const Key key = keyId_;
    switch (top.kind) {
        case Kind::Root:
            if (key == Key::Header) {
                if (array) return WrongType("must be an object of texts");
                Push(Kind::Header);
                return true;
            }
            if (key == Key::Initial) {
                if (array) return WrongType("must be an object");
                if (initial_) return Fail("initial is given twice");
                initial_.emplace().offset = start_;
                Push(Kind::Initial);
                return true;
            }
            if (key == Key::Moves) {
                if (!array) return WrongType("must be an array of moves");
                if (movesSeen_) return Fail("moves is given twice");
                movesSeen_ = true;
                // The moves wait for the start position when "initial" may still follow.
                if (!initial_ && !movesLater_ && !startSet_) {
                    movesLater_ = start_;
                    Push(Kind::Skip);
                    return true;
                }
                if (!startSet_ && !SetStart()) return false;
                Push(Kind::Line);
                lines_.push_back({});
                return true;
            }
            Push(Kind::Skip);
            return true;
        case Kind::Header:
            return Fail("header " + std::string(key_) + " is not text");
        case Kind::Initial:
            if (key == Key::Preset) return WrongType("must be a preset's name");
            if (key != Key::Data) {
                Push(Kind::Skip);
                return true;
            }
            if (array) return WrongType("must be an object");
            initial_->hasData = true;
            initial_->dataOffset = start_;
            initial_->position.board.fill(0);
            initial_->position.hands.fill(0);
            Push(Kind::Data);
            return true;
        case Kind::Data:
            if (key == Key::Board) {
                if (!array) return WrongType("must be an array of nine files");
                Push(Kind::Board);
                return true;
            }
            if (key == Key::Hands) {
                if (!array) return WrongType("must be an array of two hands");
                Push(Kind::Hands);
                return true;
            }
            if (key == Key::Color) return WrongType("must be 0 (Black) or 1 (White)");
            Push(Kind::Skip);
            return true;
        case Kind::Element:
            if (key == Key::Move || key == Key::Time) {
                if (array) return WrongType("must be an object");
                if (key == Key::Move) {
                    PendingElement& element = Element();
                    element.hasMove = true;
                    element.move = JkfMove();
                    element.move.offset = start_;
                }
                Push(key == Key::Move ? Kind::Move : Kind::Time);
                return true;
            }
            if (key == Key::Comments || key == Key::Forks) {
                if (!array) return WrongType("must be an array");
                Push(key == Key::Comments ? Kind::Comments : Kind::Forks);
                if (key == Key::Comments) return true;
                return BeginForks();
            }
            if (key == Key::Special) return WrongType("must be a special's name");
            Push(Kind::Skip);
            return true;
        case Kind::Move:
            if (key == Key::From || key == Key::To) {
                if (array) return WrongType("must be an object with x and y");
                Push(Kind::Square).which = key == Key::To;
                return true;
            }
            if (key == Key::Color || key == Key::Piece || key == Key::Capture ||
                key == Key::Promote || key == Key::Same || key == Key::Relative)
                return WrongType("has the wrong type");
            Push(Kind::Skip);
            return true;
        case Kind::Time:
            if (key == Key::Now || key == Key::Total) {
                if (array) return WrongType("must be an object of h, m and s");
                if (key == Key::Now) Element().timeMs = 0;
                Push(Kind::Clock).which = key == Key::Total;
                return true;
            }
            Push(Kind::Skip);
            return true;
        case Kind::Hand:
            return WrongType("must be a count of pieces");
        case Kind::BoardSquare:
            if (key == Key::Color || key == Key::Kind) return WrongType("has the wrong type");
            Push(Kind::Skip);
            return true;
        case Kind::Square:
            if (key == Key::X || key == Key::Y) return WrongType("must be a number from 1 to 9");
            Push(Kind::Skip);
            return true;
        case Kind::Clock:
            if (key == Key::Hours || key == Key::Minutes || key == Key::Seconds)
                return WrongType("must be a number of hours, minutes or seconds");
            Push(Kind::Skip);
            return true;
        default:
            Push(Kind::Skip);
            return true;
    }
}

bool JkfReader::Close() {
    if (frames_.empty()) return true;
    Frame& top = frames_.back();
    if (top.kind == Kind::Skip && top.depth > 0) {
        --top.depth;
        return true;
    }
    const Frame frame = top;
    frames_.pop_back();
    switch (frame.kind) {
        case Kind::Skip:
            if (movesLater_ && frames_.size() == 1 && !movesEnd_) movesEnd_ = start_ + 1;
            return true;
        case Kind::Board:
            if (frame.count != 9) return FailAt("the board holds nine files", frame.offset);
            return true;
        case Kind::BoardFile:
            if (frame.count != 9)
                return FailAt("each file of the board holds nine squares", frame.offset);
            return true;
        case Kind::Hands:
            if (frame.count != 2)
                return FailAt("hands holds two hands, Black's and White's", frame.offset);
            return true;
        case Kind::BoardSquare:
            if ((frame.color < 0) != (frame.piece < 0))
                return FailAt("a square holds a piece with both color and kind, or nothing",
                              frame.offset);
            if (frame.piece >= 0)
                initial_->position.Cell(frame.y - 1, frame.x - 1) =
                    (frame.color == 0 ? Black : White) | frame.piece;
            return true;
        case Kind::Square:
            return EndSquare(frame);
        case Kind::Initial:
            return SetStart();
        case Kind::Element:
            return EndElement();
        case Kind::Forks:
            return EndForks();
        case Kind::Line:
            lines_.pop_back();
            return true;
        default:
            return true;
    }
}

bool JkfReader::EndSquare(const Frame& frame) {
    if (frame.x == 0 || frame.y == 0)
        return FailAt(std::string(frame.which ? "to" : "from") + " needs both x and y",
                      frame.offset);
    JkfMove& move = Element().move;
    (frame.which ? move.toX : move.fromX) = frame.x;
    (frame.which ? move.toY : move.fromY) = frame.y;
    return true;
}

bool JkfReader::OnScalar(const Scalar& value) {
    if (frames_.empty()) return Fail("a JKF file is one JSON object");
    Frame& top = frames_.back();
    const Key key = keyId_;
    switch (top.kind) {
        case Kind::Skip:
            return true;
        case Kind::Root:
            if (key == Key::Header || key == Key::Initial || key == Key::Moves)
                return WrongType(key == Key::Moves ? "must be an array of moves"
                                                   : "must be an object");
            return true;
        case Kind::Header:
            if (value.type != Scalar::Type::String)
                return Fail("header " + std::string(key_) + " is not text");
            AddJapaneseHeader(record_, key_, value.text);
            return true;
        case Kind::Initial:
        case Kind::Data:
        case Kind::BoardSquare:
        case Kind::Hand:
            return ScalarInInitial(top, value);
        case Kind::Element:
            if (key == Key::Special) {
                if (value.type != Scalar::Type::String) return WrongType("must be a text");
                PendingElement& element = Element();
                element.hasSpecial = true;
                element.special = std::string(value.text);
                return true;
            }
            if ((key == Key::Move || key == Key::Time || key == Key::Comments ||
                 key == Key::Forks) &&
                value.type != Scalar::Type::Null)
                return WrongType("has the wrong type");
            return true;
        case Kind::Move:
        case Kind::Square:
            return ScalarInMove(top, value);
        case Kind::Time:
            if ((key == Key::Now || key == Key::Total) && value.type != Scalar::Type::Null)
                return WrongType("must be an object of h, m and s");
            return true;
        case Kind::Clock:
            return top.which != 0 || ScalarInClock(value);
        case Kind::Comments: {
            if (value.type != Scalar::Type::String) return Fail("comments holds texts");
            PendingElement& element = Element();
            if (element.commentLines++ > 0) element.comments += "\r\n";
            element.comments += value.text;
            return true;
        }
        case Kind::Line:
            return Fail("a move element must be an object");
        case Kind::Forks:
            return Fail("forks holds lines, each an array of moves");
        case Kind::Board:
            return Fail("the board holds nine files, each an array of nine squares");
        case Kind::BoardFile:
            return Fail("a square of the board must be an object");
        case Kind::Hands:
            return Fail("a hand must be an object");
    }
    return true;
}

bool JkfReader::ScalarInInitial(Frame& top, const Scalar& value) {
    const Key key = keyId_;
    JkfInitial& initial = *initial_;
    switch (top.kind) {
        case Kind::Initial:
            if (key == Key::Preset) {
                if (value.type != Scalar::Type::String) return WrongType("must be a text");
                initial.preset = std::string(value.text);
                initial.presetOffset = start_;
            } else if (key == Key::Data && value.type != Scalar::Type::Null) {
                return WrongType("must be an object");
            }
            return true;
        case Kind::Data:
            if (key == Key::Color) {
                if (!value.IsIntegerIn(0, 1)) return WrongType("must be 0 (Black) or 1 (White)");
                initial.color = static_cast<int>(value.integer);
            } else if ((key == Key::Board || key == Key::Hands) &&
                       value.type != Scalar::Type::Null) {
                return WrongType("must be an array");
            }
            return true;
        case Kind::BoardSquare:
            if (key == Key::Color) {
                if (!value.IsIntegerIn(0, 1)) return WrongType("must be 0 (Black) or 1 (White)");
                top.color = static_cast<std::int8_t>(value.integer);
            } else if (key == Key::Kind) {
                const auto piece =
                    value.type == Scalar::Type::String ? PieceOfCsaCode(value.text) : std::nullopt;
                if (!piece) return WrongType("must be a piece code such as FU or RY");
                top.piece = static_cast<std::int8_t>(*piece);
            }
            return true;
        default: {  // a hand: kind to count
            const auto piece = PieceOfCsaCode(key_);
            if (!piece || IsPromoted(*piece)) return Fail(Quoted(key_) + " is not a piece in hand");
            if (!value.IsIntegerIn(0, LargestHandCount))
                return WrongType("must be a count of pieces");
            initial.position.HandCount(top.which == 0 ? Black : White, KindOf(*piece)) =
                static_cast<int>(value.integer);
            return true;
        }
    }
}

bool JkfReader::ScalarInMove(Frame& top, const Scalar& value) {
    const Key key = keyId_;
    if (top.kind == Kind::Square) {
        if (key != Key::X && key != Key::Y) return true;
        if (!value.IsIntegerIn(1, 9)) return WrongType("must be a number from 1 to 9");
        (key == Key::X ? top.x : top.y) = static_cast<std::int8_t>(value.integer);
        return true;
    }
    JkfMove& move = Element().move;
    if (value.type == Scalar::Type::Null) return true;  // as if not given
    switch (key) {
        case Key::Color:
            if (!value.IsIntegerIn(0, 1)) return WrongType("must be 0 (Black) or 1 (White)");
            move.color = static_cast<std::int8_t>(value.integer);
            return true;
        case Key::Piece:
        case Key::Capture: {
            const auto piece =
                value.type == Scalar::Type::String ? PieceOfCsaCode(value.text) : std::nullopt;
            if (!piece) return WrongType("must be a piece code such as FU or RY");
            (key == Key::Piece ? move.piece : move.capture) = static_cast<std::int8_t>(*piece);
            return true;
        }
        case Key::Promote:
        case Key::Same:
            if (value.type != Scalar::Type::Bool) return WrongType("must be true or false");
            if (key == Key::Promote)
                move.promote = value.boolean ? 1 : 0;
            else
                move.same = value.boolean;
            return true;
        case Key::Relative:
            if (value.type != Scalar::Type::String) return WrongType("must be a text");
            move.relative = RelativeMarks(value.text);
            return true;
        case Key::From:
        case Key::To:
            return WrongType("must be an object with x and y");
        default:
            return true;
    }
}

bool JkfReader::ScalarInClock(const Scalar& value) {
    const Key key = keyId_;
    if (key != Key::Hours && key != Key::Minutes && key != Key::Seconds) return true;
    if (!value.IsNumber() || value.number < 0 || value.integer < 0 ||
        (value.type == Scalar::Type::Float &&
         (value.number > LargestTimePart || !std::isfinite(value.number))) ||
        value.integer > LargestTimePart)
        return WrongType("must be a number of hours, minutes or seconds");
    const std::int64_t unit = key == Key::Hours ? 3'600'000 : key == Key::Minutes ? 60'000 : 1'000;
    std::int64_t& ms = Element().timeMs;
    if (value.type == Scalar::Type::Integer)
        ms += value.integer * unit;
    else
        ms += static_cast<std::int64_t>(std::llround(value.number * static_cast<double>(unit)));
    return true;
}

// The start position: the preset's, or the board and hands of "data"; the initial position
// when the file has no "initial".
bool JkfReader::SetStart() {
    startSet_ = true;
    Position start;
    std::size_t where = 0;
    if (initial_) {
        const JkfInitial& initial = *initial_;
        where = initial.offset;
        if (initial.preset == JkfOtherPreset || (initial.preset.empty() && initial.hasData)) {
            if (!OtherPosition(start)) return false;
        } else if (const auto handicap = HandicapOfJkfPreset(initial.preset)) {
            start = HandicapPosition(*handicap);
        } else if (!initial.preset.empty()) {
            return FailAt("unknown preset '" + initial.preset + "'", initial.presetOffset);
        }
        if (std::string refusal = RefusalText(start); !refusal.empty())
            return FailAt("the start position is impossible: " + refusal, initial.offset);
        record_.SetStartPosition(start);
        const TextPosition place = PositionAfter(text_.substr(0, std::min(where, text_.size())));
        AddStartNotices(report_.notices, start, place.line, place.column);
    }
    report_.startKnown = true;
    DropNamedHandicap();
    return true;
}

bool JkfReader::OtherPosition(Position& start) {
    const JkfInitial& initial = *initial_;
    if (!initial.hasData)
        return FailAt("the preset OTHER needs data: board, hands and color", initial.presetOffset);
    if (initial.color < 0)
        return FailAt("data needs color, the side to move first", initial.dataOffset);
    start = initial.position;
    start.sideToMove = initial.color == 0 ? Black : White;
    return true;
}

// 手合割 is kept only where it says more than the start position itself.
void JkfReader::DropNamedHandicap() {
    const Position& start = record_.StartPosition();
    record_.RemoveHeaderLinesIf([&](const HeaderLine& line) {
        return line.key == HeaderKey::Handicap && JkfHandicapNameMatches(line.value, start);
    });
}

bool JkfReader::BeginElement() {
    OpenLine& line = lines_.back();
    const bool first = lines_.size() == 1 && frames_[frames_.size() - 2].count == 1;
    if (!line.endedBy.empty()) return Fail("a move after " + line.endedBy);
    if (openElements_ == elements_.size()) elements_.emplace_back();
    PendingElement& element = elements_[openElements_++];
    element.offset = start_;
    element.first = first;
    element.hasMove = element.hasSpecial = false;
    element.special.clear();
    element.timeMs = -1;
    element.comments.clear();
    element.commentLines = 0;
    element.handled = element.played = element.forked = element.forks = false;
    return true;
}

// The forks are alternatives to the element: they branch off before it. When its move is known
// already, it is played first, so that it stays the main continuation.
bool JkfReader::BeginForks() {
    PendingElement& element = Element();
    if (element.first)
        return FailAt("the first element of moves is the start: it holds comments only",
                      element.offset);
    element.forks = true;
    record_.SaveSnapshot(element.before);
    if (element.hasMove || element.hasSpecial) {
        if (!PlayElement(element)) return false;
    } else {
        element.forked = true;
    }
    return true;
}

bool JkfReader::BeginForkLine() {
    record_.RestoreSnapshot(Element().before);
    lines_.push_back({});
    return true;
}

bool JkfReader::EndForks() {
    PendingElement& element = Element();
    record_.RestoreSnapshot(element.before);
    if (element.played) record_.GoForward(0);
    return true;
}

bool JkfReader::EndElement() {
    PendingElement& element = Element();
    bool done = true;
    if (element.first) {
        if (element.hasMove || element.hasSpecial)
            done = FailAt("the first element of moves is the start: it holds comments only",
                          element.offset);
        else
            AddComments(element, {});
    } else if (!element.handled) {
        done = PlayElement(element);
    } else {
        const MoveNode& node = record_.Current();
        if (element.played && element.timeMs >= 0 && !record_.SetCurrentTime(element.timeMs))
            done = FailAt(TimeTooLongText(node.number, node.IsResult()), element.offset);
        else
            AddComments(element, {});
    }
    --openElements_;
    return done;
}

// Plays the element's move or special into the record, with its time and comments when they
// are known.
bool JkfReader::PlayElement(PendingElement& element) {
    element.handled = true;
    element.played = true;
    std::string first;
    if (element.hasMove) {
        Move move;
        if (!ResolveMove(element.move, move)) return false;
        const int count = record_.AddContinuation(move);
        if (element.forked) record_.MoveContinuation(count - 1, 0);
        record_.GoForward(element.forked ? 0 : count - 1);
    } else if (element.hasSpecial) {
        const SpecialMeaning meaning = MeaningOfSpecial(element.special, record_.SideToMove());
        if (meaning.result) {
            const int count = record_.AddResult(*meaning.result);
            if (element.forked) record_.MoveContinuation(count - 1, 0);
            record_.GoForward(element.forked ? 0 : count - 1);
            lines_.back().endedBy = element.special;
        } else {
            element.played = false;  // nothing in the record: its comments go on the node before
        }
        if (meaning.keepNameAsComment) first = '%' + element.special;
    } else {
        return FailAt("a move element holds neither a move nor a special", element.offset);
    }
    const MoveNode& node = record_.Current();
    if (element.played && element.timeMs >= 0 && !record_.SetCurrentTime(element.timeMs))
        return FailAt(TimeTooLongText(node.number, node.IsResult()), element.offset);
    element.timeMs = -1;
    AddComments(element, std::move(first));
    element.comments.clear();
    element.commentLines = 0;
    return true;
}

void JkfReader::AddComments(const PendingElement& element, std::string first) {
    std::string comment = std::move(first);
    if (element.commentLines > 0) {
        if (!comment.empty()) comment += "\r\n";
        comment += element.comments;
    }
    if (comment.empty()) return;
    const std::string& existing = record_.Current().Comment();
    record_.SetCurrentComment(existing.empty() ? comment : existing + "\r\n" + comment);
}

std::string SquareDigits(Square sq) {
    return {static_cast<char>('1' + sq.file), static_cast<char>('1' + sq.rank)};
}

bool JkfReader::ResolveMove(const JkfMove& jkf, Move& move) {
    const int side = record_.SideToMove();
    const MoveNode& previous = record_.Current();
    const bool afterMove = previous.Parent() && !previous.IsResult();
    const auto fail = [&](const std::string& message) { return FailAt(message, jkf.offset); };
    if (jkf.color >= 0 && (jkf.color == 0 ? Black : White) != side)
        return fail(std::string("color says ") + SideName(OtherSide(side)) + ", but it is " +
                    SideName(side) + "'s move");
    if (jkf.piece < 0) return fail("the move has no piece");
    if (jkf.same && !afterMove) return fail("same, but no move came before");
    Square to;
    if (jkf.toX > 0)
        to = Square(jkf.toY - 1, jkf.toX - 1);
    else if (jkf.same)
        to = previous.move.to;
    else
        return fail("the move has no destination (to)");
    if (jkf.same && !(to == previous.move.to))
        return fail("same, but the move before went to " + SquareDigits(previous.move.to));

    const std::string_view pieceCode = CsaCode(jkf.piece);
    if (jkf.fromX > 0) {
        const Square from(jkf.fromY - 1, jkf.fromX - 1);
        const PieceCode there = record_.Cell(from);
        const std::string origin = SquareDigits(from);
        if (there == 0) return fail("there is no piece on " + origin);
        if (OwnerOf(there) != side)
            return fail("the piece on " + origin + " is " + SideName(OwnerOf(there)) + "'s");
        if (RuleOf(there) != jkf.piece)
            return fail("the piece on " + origin + " is " + std::string(CsaCode(there)) + ", not " +
                        std::string(pieceCode));
        move = Move(from, to, there, 0, jkf.promote == 1);
    } else if (std::string error; !ResolveWithoutOrigin(jkf, to, move, error)) {
        return fail("the move to " + SquareDigits(to) + " gives no origin (from): " + error);
    }

    if (jkf.capture >= 0) {
        const PieceCode taken = move.drop ? 0 : record_.Cell(to);
        if (taken == 0 || RuleOf(taken) != jkf.capture)
            return fail("capture says " + std::string(CsaCode(jkf.capture)) + ", but " +
                        SquareDigits(to) +
                        (taken == 0 ? " is empty" : " holds " + std::string(CsaCode(taken))));
    }
    if (move.promote && !record_.MayPromote(move))
        return fail("the " + std::string(pieceCode) + " cannot promote on this move");
    if (!record_.IsLegal(move)) return fail("the move is not legal here");
    return true;
}

// A move without an origin: a drop, as JKF writes drops. Records turned from the notation
// without origins (KI2) leave it out of board moves too, and say which piece moves by the
// letters of "relative": a move with such letters, or one that cannot be a drop, is resolved as
// that notation's reader does. False, with `error`, when no single piece fits.
bool JkfReader::ResolveWithoutOrigin(const JkfMove& jkf, Square to, Move& move,
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

}  // namespace

void ReadJkf(GameRecord& record, RecordText& text, ReadReport& report) {
    record.Reset();
    const std::string_view whole = text.Whole();
    if (text.Failure()) {
        report.error = text.Failure();
        return;
    }
    JkfReader reader(record, whole, report, false);
    reader.Read();
    if (reader.TooDeep()) {
        record.Reset();
        report = ReadReport();
        JkfReader(record, whole, report, true).Read();
    }
}

bool LooksLikeJkf(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    // A JSON object with the moves every JKF file has; other JSON (the tool's dump) is not one.
    return first != std::string_view::npos && text[first] == '{' &&
           text.find("\"moves\"", first) != std::string_view::npos;
}
