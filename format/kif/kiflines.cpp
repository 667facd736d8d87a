#include "format/kif/kiflines.h"

#include "format/kif/japaneseheader.h"
#include "format/kif/japanesenotation.h"
#include "format/text/textlines.h"
#include "model/piece.h"

namespace {

constexpr std::string_view FullWidthColon = "：";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The colon that ends a header label: the first full-width or ASCII colon.
std::size_t HeaderColon(std::string_view text, std::size_t& length) {
    const std::size_t ascii = text.find(':');
    const std::size_t wide = text.find(FullWidthColon);
    if (wide < ascii) {
        length = FullWidthColon.size();
        return wide;
    }
    length = 1;
    return ascii;
}

// "  ９ ８ ７ ６ ５ ４ ３ ２ １": the file numbers above a board diagram.
bool IsFileNumberLine(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (!StartsWith(trimmed, "９")) return false;
    for (std::size_t pos = 0; pos < trimmed.size();) {
        const char32_t c = NextCharacter(trimmed, pos);
        if (!IsBlank(c) && DigitValue(c) == 0) return false;
    }
    return true;
}

bool IsDiagramLine(std::string_view text) {
    std::string_view pieces;
    if (HandsLineSide(text, pieces) != 0) return true;
    if (StartsWith(text, "|") || StartsWith(text, "+-") || StartsWith(text, "手数＝")) return true;
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed == "先手番" || trimmed == "後手番" || trimmed == "下手番" || trimmed == "上手番")
        return true;
    return IsFileNumberLine(text);
}

}  // namespace

KifLine ClassifyKifLine(std::string_view text) {
    KifLine line;
    if (TrimBlanks(text).empty()) {
        line.kind = KifLineKind::Blank;
        return line;
    }
    switch (text.front()) {
        case '#':
            line.kind = KifLineKind::Hash;
            return line;
        case '*':
            line.kind = KifLineKind::Comment;
            line.value = text.substr(1);
            return line;
        case '&':
            line.kind = KifLineKind::Bookmark;
            line.value = text.substr(1);
            return line;
        default:
            break;
    }
    if (StartsWith(text, "変化")) {
        line.kind = KifLineKind::Variation;
    } else if (StartsWith(text, "まで")) {
        line.kind = KifLineKind::Summary;
    } else if (StartsWith(text, "手数-")) {
        line.kind = KifLineKind::MoveColumns;
    } else if (IsDiagramLine(text)) {
        line.kind = KifLineKind::Diagram;
    } else {
        std::size_t colonLength = 0;
        const std::size_t colon = HeaderColon(text, colonLength);
        const std::string_view label = colon == std::string_view::npos
                                           ? std::string_view()
                                           : TrimBlanks(text.substr(0, colon));
        if (!label.empty()) {
            line.kind = KifLineKind::Header;
            line.label = label;
            line.value = text.substr(colon + colonLength);
        }
    }
    return line;
}

bool IsKifMoveLine(std::string_view text) {
    // The file numbers above a diagram, "  ９ ８ ７ …", also begin with a number and a blank.
    if (IsFileNumberLine(text)) return false;
    std::size_t pos = SkipBlanks(text, 0);
    if (!ReadNumber(text, pos)) return false;
    return IsBlank(CharacterAt(text, pos));
}

bool IsKi2MoveLine(std::string_view text) {
    return SideOfMark(CharacterAt(text, SkipBlanks(text, 0))) != 0;
}

long long VariationPly(std::string_view text) {
    if (!StartsWith(text, "変化")) return -1;
    std::size_t pos = SkipBlanks(text, std::string_view("変化").size());
    if (StartsWith(text.substr(pos), FullWidthColon))
        pos += FullWidthColon.size();
    else if (StartsWith(text.substr(pos), ":"))
        ++pos;
    pos = SkipBlanks(text, pos);
    const auto ply = ReadNumber(text, pos);
    if (!ply) return -1;
    pos = SkipBlanks(text, pos);
    if (!StartsWith(text.substr(pos), "手")) return -1;
    if (!TrimBlanks(text.substr(pos + std::string_view("手").size())).empty()) return -1;
    return *ply;
}

int HandsLineSide(std::string_view text, std::string_view& pieces) {
    struct Prefix {
        std::string_view text;
        int side;
    };
    constexpr Prefix Prefixes[] = {
        {"先手の持駒", Black}, {"下手の持駒", Black}, {"後手の持駒", White}, {"上手の持駒", White}};
    for (const Prefix& prefix : Prefixes) {
        if (!StartsWith(text, prefix.text)) continue;
        std::string_view rest = text.substr(prefix.text.size());
        if (StartsWith(rest, FullWidthColon))
            rest.remove_prefix(FullWidthColon.size());
        else if (StartsWith(rest, ":"))
            rest.remove_prefix(1);
        else
            return 0;
        pieces = rest;
        return prefix.side;
    }
    return 0;
}

namespace {

// A numbered line whose number is followed by a Japanese move or result, not by letters.
bool HoldsKifMove(std::string_view text) {
    std::size_t pos = SkipBlanks(text, 0);
    if (!ReadNumber(text, pos)) return false;
    pos = SkipBlanks(text, pos);
    const char32_t first = CharacterAt(text, pos);
    return first >= 0x80 || (first >= U'1' && first <= U'9');
}

}  // namespace

KifFlavour DetectKifFlavour(std::string_view text) {
    constexpr std::size_t Prefix = 4096;
    if (text.size() > Prefix) {
        // Whole lines only.
        const std::size_t end = text.rfind('\n', Prefix);
        text = text.substr(0, end == std::string_view::npos ? Prefix : end + 1);
    }
    bool japanese = false;
    LineSplitter splitter(text);
    for (TextLine line; splitter.Next(line);) {
        if (IsKifMoveLine(line.text) && HoldsKifMove(line.text)) return KifFlavour::Kif;
        if (IsKi2MoveLine(line.text)) return KifFlavour::Ki2;
        const KifLine kind = ClassifyKifLine(line.text);
        japanese = japanese || kind.kind == KifLineKind::MoveColumns ||
                   kind.kind == KifLineKind::Diagram ||
                   (kind.kind == KifLineKind::Header &&
                    (IsReservedJapaneseLabel(kind.label) || kind.label == JapaneseHandicapLabel));
    }
    return japanese ? KifFlavour::Kif : KifFlavour::None;
}
