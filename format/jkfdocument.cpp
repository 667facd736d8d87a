#include "format/jkfdocument.h"

#include <cmath>
#include <iterator>
#include <nlohmann/json.hpp>

#include "format/csacodes.h"

namespace {

using Json = nlohmann::json;

// Hands the text to the JSON library one character at a time and leaves behind how far it has
// read, so that each event the library reports can be placed in the text.
class TrackedIterator {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedIterator(const char* at, const char** reached) : at_(at), reached_(reached) {}

    reference operator*() const { return *at_; }
    TrackedIterator& operator++() {
        *reached_ = ++at_;
        return *this;
    }
    TrackedIterator operator++(int) {
        TrackedIterator before = *this;
        ++*this;
        return before;
    }
    friend bool operator==(const TrackedIterator& a, const TrackedIterator& b) {
        return a.at_ == b.at_;
    }

  private:
    const char* at_;
    const char** reached_;
};

// A scalar value of any JSON type.
struct Scalar {
    enum class Type { Null, Bool, Integer, Float, String } type = Type::Null;
    bool boolean = false;
    long long integer = 0;
    double number = 0;
    std::string* text = nullptr;

    bool IsNumber() const { return type == Type::Integer || type == Type::Float; }
    bool IsIntegerIn(long long low, long long high) const {
        return type == Type::Integer && integer >= low && integer <= high;
    }
};

constexpr long long LargestTimePart = 1'000'000'000;  // a billion hours, minutes or seconds
constexpr int LargestHandCount = 40;                  // the whole set

std::uint8_t RelativeMarks(const std::string& letters) {
    std::uint8_t marks = 0;
    for (char c : letters) {
        switch (c) {
            case 'L':
                marks |= MarkLeft;
                break;
            case 'C':
                marks |= MarkStraight;
                break;
            case 'R':
                marks |= MarkRight;
                break;
            case 'U':
                marks |= MarkUp;
                break;
            case 'M':
                marks |= MarkSideways;
                break;
            case 'D':
                marks |= MarkDown;
                break;
            case 'H':
                marks |= MarkDrop;
                break;
            default:
                break;  // a letter nobody defined: it tells nothing about the move
        }
    }
    return marks;
}

// Builds the document from the library's events. Each open object or array is a frame on an
// explicit stack, so nesting costs no call stack.
class JkfEvents final : public nlohmann::json_sax<Json> {
  public:
    JkfEvents(std::string_view text, const char* const* reached, JkfDocument& document)
        : text_(text), reached_(reached), document_(document) {}

    std::optional<JkfFault> fault;

    bool null() override { return OnScalar(Scalar{}); }
    bool boolean(bool value) override {
        Scalar scalar{Scalar::Type::Bool};
        scalar.boolean = value;
        return OnScalar(scalar);
    }
    bool number_integer(number_integer_t value) override {
        Scalar scalar{Scalar::Type::Integer};
        scalar.integer = value;
        return OnScalar(scalar);
    }
    bool number_unsigned(number_unsigned_t value) override {
        Scalar scalar{Scalar::Type::Integer};
        scalar.integer =
            value > 0x7fffffffffffffffULL ? 0x7fffffffffffffffLL : static_cast<long long>(value);
        return OnScalar(scalar);
    }
    bool number_float(number_float_t value, const string_t&) override {
        Scalar scalar{Scalar::Type::Float};
        scalar.number = value;
        return OnScalar(scalar);
    }
    bool string(string_t& value) override {
        Scalar scalar{Scalar::Type::String};
        scalar.text = &value;
        return OnScalar(scalar);
    }
    bool binary(binary_t&) override { return Fail("binary data has no place in JKF"); }
    bool key(string_t& name) override {
        Start();
        key_ = std::move(name);
        return true;
    }
    bool start_object(std::size_t) override;
    bool end_object() override { return End(); }
    bool start_array(std::size_t) override;
    bool end_array() override { return End(); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::json::exception& error) override;

  private:
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
        Kind kind;
        std::size_t offset = 0;
        std::int32_t count = 0;  // items begun so far, in an array
        std::int32_t which = 0;  // from 0 / to 1; now 0 / total 1; board file; hand's side
        std::int32_t line = -1;  // of a line, an element and what is inside an element
        std::int32_t element = -1;
        std::int32_t depth = 0;    // of a skipped value's own nesting
        std::int8_t x = 0, y = 0;  // of a square
        std::int8_t color = -1;    // of a board square
        std::int8_t piece = -1;
    };

    bool OnScalar(const Scalar& value);
    bool ScalarInInitial(Frame& top, const Scalar& value);
    bool ScalarInMove(Frame& top, const Scalar& value);
    bool ScalarInClock(Frame& top, const Scalar& value);
    bool OpenInObject(Frame& top, bool array);
    bool End();
    bool EndSquare(const Frame& frame);
    void Push(Kind kind);
    void Push(Kind kind, const Frame& from);
    bool Skip();

    JkfElement& ElementOf(const Frame& frame) {
        return document_.lines[frame.line].elements[frame.element];
    }
    bool Fail(std::string message) { return FailAt(std::move(message), start_); }
    bool FailAt(std::string message, std::size_t offset) {
        fault = JkfFault{std::move(message), offset};
        return false;
    }
    bool WrongType(const char* what) { return Fail(Quoted(key_) + " " + what); }

    // The offset where the item now reported begins: after what the previous one ended with,
    // the blanks, colons and commas between them.
    void Start() {
        constexpr std::string_view Between = " \t\r\n:,";
        std::size_t at = end_;
        while (at < text_.size() && Between.find(text_[at]) != std::string_view::npos)
            ++at;
        start_ = at;
        end_ = static_cast<std::size_t>(*reached_ - text_.data());
    }

    std::string_view text_;
    const char* const* reached_;
    JkfDocument& document_;
    std::vector<Frame> frames_;
    std::string key_;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
};

void JkfEvents::Push(Kind kind) {
    Push(kind, Frame{kind});
}

void JkfEvents::Push(Kind kind, const Frame& from) {
    Frame frame = from;
    frame.kind = kind;
    frame.offset = start_;
    frame.count = 0;
    frame.depth = 0;
    frames_.push_back(frame);
}

bool JkfEvents::Skip() {
    Push(Kind::Skip);
    return true;
}

bool JkfEvents::start_object(std::size_t) {
    Start();
    if (frames_.empty()) {
        Push(Kind::Root);
        return true;
    }
    Frame& top = frames_.back();
    switch (top.kind) {
        case Kind::Skip:
            ++top.depth;
            return true;
        case Kind::BoardFile: {
            if (top.count == 9) return Fail("a file of the board holds more than nine squares");
            Frame square{Kind::BoardSquare};
            square.x = static_cast<std::int8_t>(top.which + 1);
            square.y = static_cast<std::int8_t>(++top.count);
            Push(Kind::BoardSquare, square);
            return true;
        }
        case Kind::Hands: {
            if (top.count == 2) return Fail("hands holds more than two hands");
            Frame hand{Kind::Hand};
            hand.which = top.count++;
            Push(Kind::Hand, hand);
            return true;
        }
        case Kind::Line: {
            std::vector<JkfElement>& elements = document_.lines[top.line].elements;
            Frame element{Kind::Element};
            element.line = top.line;
            element.element = static_cast<std::int32_t>(elements.size());
            elements.emplace_back().offset = start_;
            Push(Kind::Element, element);
            return true;
        }
        case Kind::Board:
            return Fail("the board holds nine files, each an array of nine squares");
        case Kind::Comments:
            return Fail("comments holds texts");
        case Kind::Forks:
            return Fail("forks holds lines, each an array of moves");
        default:
            return OpenInObject(top, false);
    }
}

bool JkfEvents::start_array(std::size_t) {
    Start();
    if (frames_.empty()) return Fail("a JKF file is one JSON object");
    Frame& top = frames_.back();
    switch (top.kind) {
        case Kind::Skip:
            ++top.depth;
            return true;
        case Kind::Board: {
            if (top.count == 9) return Fail("the board holds more than nine files");
            Frame file{Kind::BoardFile};
            file.which = top.count++;
            Push(Kind::BoardFile, file);
            return true;
        }
        case Kind::Forks: {
            const auto line = static_cast<std::int32_t>(document_.lines.size());
            document_.lines.emplace_back().offset = start_;
            document_.forks[ElementOf(top).forks].push_back(line);
            Frame frame{Kind::Line};
            frame.line = line;
            Push(Kind::Line, frame);
            return true;
        }
        case Kind::Line:
            return Fail("a move element must be an object");
        case Kind::BoardFile:
            return Fail("a square of the board must be an object");
        case Kind::Hands:
            return Fail("a hand must be an object");
        case Kind::Comments:
            return Fail("comments holds texts");
        default:
            return OpenInObject(top, true);
    }
}

// An object or array as the value of `key_` inside an object.
bool JkfEvents::OpenInObject(Frame& top, bool array) {
    const std::string& key = key_;
    switch (top.kind) {
        case Kind::Root:
            if (key == "header") {
                if (array) return WrongType("must be an object of texts");
                Push(Kind::Header);
                return true;
            }
            if (key == "initial") {
                if (array) return WrongType("must be an object");
                document_.initial.emplace().offset = start_;
                Push(Kind::Initial);
                return true;
            }
            if (key == "moves") {
                if (!array) return WrongType("must be an array of moves");
                if (document_.hasMoves) return Fail("moves is given twice");
                document_.hasMoves = true;
                Frame line{Kind::Line};
                line.line = static_cast<std::int32_t>(document_.lines.size());
                document_.lines.emplace_back().offset = start_;
                Push(Kind::Line, line);
                return true;
            }
            return Skip();
        case Kind::Header:
            return Fail("header " + key + " is not text");
        case Kind::Initial:
            if (key == "preset") return WrongType("must be a preset's name");
            if (key != "data") return Skip();
            if (array) return WrongType("must be an object");
            document_.initial->hasData = true;
            document_.initial->dataOffset = start_;
            document_.initial->board = {};
            document_.initial->hands = {};
            Push(Kind::Data);
            return true;
        case Kind::Data:
            if (key == "board") {
                if (!array) return WrongType("must be an array of nine files");
                Push(Kind::Board);
                return true;
            }
            if (key == "hands") {
                if (!array) return WrongType("must be an array of two hands");
                Push(Kind::Hands);
                return true;
            }
            if (key == "color") return WrongType("must be 0 (Black) or 1 (White)");
            return Skip();
        case Kind::Element:
            if (key == "move" || key == "time") {
                if (array) return WrongType("must be an object");
                if (key == "move") {
                    JkfElement& element = ElementOf(top);
                    element.hasMove = true;
                    element.move = JkfMove();
                    element.move.offset = start_;
                }
                Push(key == "move" ? Kind::Move : Kind::Time, top);
                return true;
            }
            if (key == "comments" || key == "forks") {
                if (!array) return WrongType("must be an array");
                JkfElement& element = ElementOf(top);
                if (key == "comments") {
                    element.comments = static_cast<std::int32_t>(document_.comments.size());
                    document_.comments.emplace_back();
                } else {
                    element.forks = static_cast<std::int32_t>(document_.forks.size());
                    document_.forks.emplace_back();
                }
                Push(key == "comments" ? Kind::Comments : Kind::Forks, top);
                return true;
            }
            if (key == "special") return WrongType("must be a special's name");
            return Skip();
        case Kind::Move:
            if (key == "from" || key == "to") {
                if (array) return WrongType("must be an object with x and y");
                Frame square = top;
                square.which = key == "to";
                square.x = square.y = 0;
                Push(Kind::Square, square);
                return true;
            }
            if (key == "color" || key == "piece" || key == "capture" || key == "promote" ||
                key == "same" || key == "relative")
                return WrongType("has the wrong type");
            return Skip();
        case Kind::Time:
            if (key == "now" || key == "total") {
                if (array) return WrongType("must be an object of h, m and s");
                Frame clock = top;
                clock.which = key == "total";
                if (key == "now") ElementOf(top).timeMs = 0;
                Push(Kind::Clock, clock);
                return true;
            }
            return Skip();
        case Kind::Hand:
            return WrongType("must be a count of pieces");
        case Kind::BoardSquare:
            if (key == "color" || key == "kind") return WrongType("has the wrong type");
            return Skip();
        case Kind::Square:
            if (key == "x" || key == "y") return WrongType("must be a number from 1 to 9");
            return Skip();
        case Kind::Clock:
            if (key == "h" || key == "m" || key == "s")
                return WrongType("must be a number of hours, minutes or seconds");
            return Skip();
        default:
            return Skip();
    }
}

bool JkfEvents::End() {
    Start();
    if (frames_.empty()) return true;
    Frame& top = frames_.back();
    if (top.kind == Kind::Skip && top.depth > 0) {
        --top.depth;
        return true;
    }
    const Frame frame = top;
    frames_.pop_back();
    switch (frame.kind) {
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
                document_.initial->board[frame.x - 1][frame.y - 1] =
                    (frame.color == 0 ? Black : White) | frame.piece;
            return true;
        case Kind::Square:
            return EndSquare(frame);
        default:
            return true;
    }
}

bool JkfEvents::EndSquare(const Frame& frame) {
    if (frame.x == 0 || frame.y == 0)
        return FailAt(std::string(frame.which ? "to" : "from") + " needs both x and y",
                      frame.offset);
    JkfMove& move = ElementOf(frame).move;
    (frame.which ? move.toX : move.fromX) = frame.x;
    (frame.which ? move.toY : move.fromY) = frame.y;
    return true;
}

bool JkfEvents::OnScalar(const Scalar& value) {
    Start();
    if (frames_.empty()) return Fail("a JKF file is one JSON object");
    Frame& top = frames_.back();
    const std::string& key = key_;
    switch (top.kind) {
        case Kind::Skip:
            return true;
        case Kind::Root:
            if (key == "header" || key == "initial" || key == "moves")
                return WrongType(key == "moves" ? "must be an array of moves"
                                                : "must be an object");
            return true;
        case Kind::Header:
            if (value.type != Scalar::Type::String) return Fail("header " + key + " is not text");
            document_.header.push_back({start_, key, std::move(*value.text)});
            return true;
        case Kind::Initial:
        case Kind::Data:
        case Kind::BoardSquare:
        case Kind::Hand:
            return ScalarInInitial(top, value);
        case Kind::Element:
            if (key == "special") {
                if (value.type != Scalar::Type::String) return WrongType("must be a text");
                ElementOf(top).special = static_cast<std::int32_t>(document_.specials.size());
                document_.specials.push_back({start_, std::move(*value.text)});
                return true;
            }
            if ((key == "move" || key == "time" || key == "comments" || key == "forks") &&
                value.type != Scalar::Type::Null)
                return WrongType("has the wrong type");
            return true;
        case Kind::Move:
        case Kind::Square:
            return ScalarInMove(top, value);
        case Kind::Time:
            if ((key == "now" || key == "total") && value.type != Scalar::Type::Null)
                return WrongType("must be an object of h, m and s");
            return true;
        case Kind::Clock:
            return ScalarInClock(top, value);
        case Kind::Comments:
            if (value.type != Scalar::Type::String) return Fail("comments holds texts");
            document_.comments[ElementOf(top).comments].push_back(std::move(*value.text));
            return true;
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

bool JkfEvents::ScalarInInitial(Frame& top, const Scalar& value) {
    const std::string& key = key_;
    JkfInitial& initial = *document_.initial;
    switch (top.kind) {
        case Kind::Initial:
            if (key == "preset") {
                if (value.type != Scalar::Type::String) return WrongType("must be a text");
                initial.preset = std::move(*value.text);
                initial.presetOffset = start_;
            } else if (key == "data" && value.type != Scalar::Type::Null) {
                return WrongType("must be an object");
            }
            return true;
        case Kind::Data:
            if (key == "color") {
                if (!value.IsIntegerIn(0, 1)) return WrongType("must be 0 (Black) or 1 (White)");
                initial.color = static_cast<int>(value.integer);
            } else if ((key == "board" || key == "hands") && value.type != Scalar::Type::Null) {
                return WrongType("must be an array");
            }
            return true;
        case Kind::BoardSquare:
            if (key == "color") {
                if (!value.IsIntegerIn(0, 1)) return WrongType("must be 0 (Black) or 1 (White)");
                top.color = static_cast<std::int8_t>(value.integer);
            } else if (key == "kind") {
                const auto piece =
                    value.type == Scalar::Type::String ? PieceOfCsaCode(*value.text) : std::nullopt;
                if (!piece) return WrongType("must be a piece code such as FU or RY");
                top.piece = static_cast<std::int8_t>(*piece);
            }
            return true;
        default: {  // a hand: kind to count
            const auto piece = PieceOfCsaCode(key);
            if (!piece || IsPromoted(*piece)) return Fail(Quoted(key) + " is not a piece in hand");
            if (!value.IsIntegerIn(0, LargestHandCount))
                return WrongType("must be a count of pieces");
            initial.hands[top.which][KindOf(*piece)] = static_cast<int>(value.integer);
            return true;
        }
    }
}

bool JkfEvents::ScalarInMove(Frame& top, const Scalar& value) {
    const std::string& key = key_;
    if (top.kind == Kind::Square) {
        if (key != "x" && key != "y") return true;
        if (!value.IsIntegerIn(1, 9)) return WrongType("must be a number from 1 to 9");
        (key == "x" ? top.x : top.y) = static_cast<std::int8_t>(value.integer);
        return true;
    }
    JkfMove& move = ElementOf(top).move;
    if (value.type == Scalar::Type::Null) return true;  // as if not given
    if (key == "color") {
        if (!value.IsIntegerIn(0, 1)) return WrongType("must be 0 (Black) or 1 (White)");
        move.color = static_cast<std::int8_t>(value.integer);
    } else if (key == "piece" || key == "capture") {
        const auto piece =
            value.type == Scalar::Type::String ? PieceOfCsaCode(*value.text) : std::nullopt;
        if (!piece) return WrongType("must be a piece code such as FU or RY");
        (key == "piece" ? move.piece : move.capture) = static_cast<std::int8_t>(*piece);
    } else if (key == "promote" || key == "same") {
        if (value.type != Scalar::Type::Bool) return WrongType("must be true or false");
        if (key == "promote")
            move.promote = value.boolean ? 1 : 0;
        else
            move.same = value.boolean;
    } else if (key == "relative") {
        if (value.type != Scalar::Type::String) return WrongType("must be a text");
        move.relative = RelativeMarks(*value.text);
    } else if (key == "from" || key == "to") {
        return WrongType("must be an object with x and y");
    }
    return true;
}

bool JkfEvents::ScalarInClock(Frame& top, const Scalar& value) {
    const std::string& key = key_;
    if (key != "h" && key != "m" && key != "s") return true;
    if (!value.IsNumber() || value.number < 0 || value.integer < 0 ||
        (value.type == Scalar::Type::Float &&
         (value.number > LargestTimePart || !std::isfinite(value.number))) ||
        value.integer > LargestTimePart)
        return WrongType("must be a number of hours, minutes or seconds");
    if (top.which != 0) return true;  // the running total is computed, never stored
    const std::int64_t unit = key == "h" ? 3'600'000 : key == "m" ? 60'000 : 1'000;
    std::int64_t& ms = ElementOf(top).timeMs;
    if (value.type == Scalar::Type::Integer)
        ms += value.integer * unit;
    else
        ms += static_cast<std::int64_t>(std::llround(value.number * static_cast<double>(unit)));
    return true;
}

bool JkfEvents::parse_error(std::size_t position, const std::string&,
                            const nlohmann::json::exception& error) {
    // The library's text: "[json.exception.parse_error.101] parse error at line 1, column 8:
    // syntax error ..."; the place is given apart, so only the reason is kept.
    std::string reason = error.what();
    const std::size_t place = reason.find("parse error");
    const std::size_t colon = reason.find(": ", place == std::string::npos ? 0 : place);
    if (colon != std::string::npos) reason.erase(0, colon + 2);
    fault = JkfFault{"not JSON: " + reason, position > 0 ? position - 1 : 0};
    return false;
}

}  // namespace

std::optional<JkfFault> ParseJkfDocument(std::string_view text, JkfDocument& document) {
    document = JkfDocument();
    const char* reached = text.data();
    JkfEvents events(text, &reached, document);
    Json::sax_parse(TrackedIterator(text.data(), &reached),
                    TrackedIterator(text.data() + text.size(), &reached), &events);
    if (events.fault) return events.fault;
    return std::nullopt;
}
