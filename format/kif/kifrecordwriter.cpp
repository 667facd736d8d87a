#include "format/kif/kifrecordwriter.h"

#include "format/text/utf8.h"

#include <algorithm>

#include "format/kif/japaneseheader.h"
#include "format/kif/japanesenotation.h"
#include "format/kif/kifdiagram.h"
#include "format/kif/kiflines.h"
#include "format/kif/kifrecordreader.h"

namespace {

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Whether `line` reads back as the header line `label`/`value`, and as nothing else.
bool ReadsBackAs(std::string_view line, std::string_view label, std::string_view value) {
    if (IsKifMoveLine(line) || IsKi2MoveLine(line)) return false;
    const KifLine read = ClassifyKifLine(line);
    if (read.kind == KifLineKind::Other) return value.empty() && TrimBlanks(line) == label;
    return read.kind == KifLineKind::Header && read.label == label && read.value == value;
}

// The lines of a comment: split at CR LF, LF or a lone CR.
std::vector<std::string_view> CommentLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::string Capitalized(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

}  // namespace

void KifText::AppendRecordText(std::string_view text, Owner owner, const MoveNode* node,
                               std::string_view header) {
    const std::size_t begin = text_.size();
    text_ += text;
    if (!text.empty()) spans_.push_back({begin, text_.size(), owner, node, std::string(header)});
}

std::string KifText::Describe(Owner owner, const MoveNode* node, std::string_view header) const {
    const auto ofNode = [&](std::string_view what) {
        if (!node || !node->Parent()) return std::string(what) + " before the first move";
        return std::string(what) + " of move " + std::to_string(node->number) + " " +
               PlainMoveText(*node, MoverOf(record_, *node));
    };
    switch (owner) {
        case Owner::Title:
            return "the title";
        case Owner::BlackName:
            return "Black's name";
        case Owner::WhiteName:
            return "White's name";
        case Owner::HeaderLabel:
            return "the label of the header line " + std::string(header);
        case Owner::HeaderValue:
            return "the header line " + std::string(header);
        case Owner::Comment:
            return ofNode("the comment");
        case Owner::Bookmark:
            return ofNode("the bookmark");
    }
    return "the record";
}

bool KifText::Encode(TextEncoding encoding, std::string& bytes, std::string& refusal) const {
    if (encoding == TextEncoding::Utf8) {
        bytes = text_;
        return true;
    }
    EncodedText encoded = EncodeFromUtf8(text_, encoding);
    if (!encoded.refused) {
        bytes = std::move(encoded.bytes);
        return true;
    }
    const Unencodable& bad = *encoded.refused;
    const auto span =
        std::upper_bound(spans_.begin(), spans_.end(), bad.offset,
                         [](std::size_t offset, const Span& s) { return offset < s.begin; });
    std::string where;
    if (span != spans_.begin() && bad.offset < std::prev(span)->end) {
        const Span& owner = *std::prev(span);
        where = Describe(owner.owner, owner.node, owner.header);
    } else {
        where = "line " + std::to_string(bad.position.line) + " of the file";
    }
    refusal = Capitalized(where) + " holds " + bad.character + ", which " +
              std::string(EncodingName(encoding)) + " cannot hold; save as ." +
              (format_ == "KI2" ? "ki2u" : "kifu") + " to keep it";
    return false;
}

int DisplayWidth(std::string_view text) {
    int width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            width += 1;
        else if (!IsContinuationByte(c))
            width += 2;
    }
    return width;
}

int MoverOf(const GameRecord& record, const MoveNode& node) {
    const int first = record.StartPosition().sideToMove;
    return node.number % 2 == 1 ? first : OtherSide(first);
}

namespace {

bool WriteHeaderLine(const JapaneseHeaderLine& line, KifText::Owner owner, KifText& out,
                     std::string& refusal) {
    const std::string what = out.Describe(owner, nullptr, line.label);
    if (HoldsLineBreak(line.label) || HoldsLineBreak(line.value)) {
        refusal = Capitalized(what) + " holds a line break, which a header line cannot hold";
        return false;
    }
    const bool own = owner == KifText::Owner::HeaderValue && !SharedKeyOfJapaneseLabel(line.label);
    const std::string withColon = line.label + "：" + line.value;
    const bool bare = line.value.empty() && !IsReservedJapaneseLabel(line.label) &&
                      ReadsBackAs(line.label, line.label, line.value);
    if ((own && IsReservedJapaneseLabel(line.label)) ||
        (!bare && !ReadsBackAs(withColon, line.label, line.value))) {
        refusal = Capitalized(what) + " would not read back as the same header line";
        return false;
    }
    const auto labelOwner =
        owner == KifText::Owner::HeaderValue ? KifText::Owner::HeaderLabel : owner;
    out.AppendRecordText(line.label, labelOwner, nullptr, line.label);
    if (!bare) {
        out.Append("：");
        out.AppendRecordText(line.value, owner, nullptr, line.label);
    }
    out.EndLine();
    return true;
}

}  // namespace

bool WriteKifHeader(const GameRecord& record, TextEncoding encoding, KifText& out,
                    std::string& refusal) {
    // Code page 932 is what a file without the line is taken to be.
    if (encoding != TextEncoding::Cp932) {
        out.Append("#KIF version=2.0 encoding=");
        out.Append(EncodingName(encoding));
        out.EndLine();
    }
    const Position& start = record.StartPosition();
    const auto name = NameOfStartPosition(start);
    const std::vector<JapaneseHeaderLine> header = JapaneseHeaderLines(record);
    for (std::size_t i = 0; i < header.size(); ++i) {
        const JapaneseHeaderLine& line = header[i];
        // What the start says is written from the start itself, below.
        if (line.label == JapaneseHandicapLabel && HandicapLineSays(line.value, start)) continue;
        const bool title = i == 0 && !record.Title().empty();
        if (!WriteHeaderLine(line, title ? KifText::Owner::Title : KifText::Owner::HeaderValue, out,
                             refusal))
            return false;
    }
    // The last 手合割 line gives the start, so the name comes after any other one kept.
    if (name) {
        out.Append(JapaneseHandicapLabel);
        out.Append("：");
        out.Append(*name);
        out.EndLine();
    }
    // A problem's start is drawn as well: 詰将棋 is no handicap other programs know.
    const bool diagram = !name || *name == ProblemStartName;
    if (diagram) out.Append(KifDiagramText(start));
    for (const JapaneseHeaderLine& player : JapanesePlayerLines(record)) {
        const bool black = player.label == "先手" || player.label == "下手";
        if (!WriteHeaderLine(player, black ? KifText::Owner::BlackName : KifText::Owner::WhiteName,
                             out, refusal))
            return false;
    }
    return true;
}

bool WriteKifNotes(const MoveNode& node, KifText& out, std::string& refusal) {
    if (!node.Comment().empty()) {
        const std::string comment = RecordTextAsUtf8(node.Comment());
        for (const std::string_view line : CommentLines(comment)) {
            out.Append('*');
            out.AppendRecordText(line, KifText::Owner::Comment, &node);
            out.EndLine();
        }
    }
    if (!node.Bookmark().empty()) {
        const std::string name = RecordTextAsUtf8(node.Bookmark());
        if (HoldsLineBreak(name)) {
            refusal = Capitalized(out.Describe(KifText::Owner::Bookmark, &node, {})) +
                      " holds a line break, which a bookmark cannot hold";
            return false;
        }
        out.Append('&');
        out.AppendRecordText(name, KifText::Owner::Bookmark, &node);
        out.EndLine();
    }
    return true;
}

KifLineWalk::KifLineWalk(const GameRecord& record)
    : root_(record.Root()), position_(record.StartPosition()), at_(&record.Root()) {}

bool KifLineWalk::NextBlock() {
    if (!started_) {
        started_ = true;
        node_ = root_.FirstChild() ? root_.FirstChild()->node.get() : nullptr;
        if (node_) NoteBranches(*node_);
        return node_ != nullptr;
    }
    // The block just walked is done: its alternatives come next, the deepest on top.
    std::vector<const MoveNode*> alternatives;
    for (const MoveNode* branchPoint : branchPoints_) {
        alternatives.clear();
        for (const ContinuationCell* cell = branchPoint->FirstChild()->next.get(); cell;
             cell = cell->next.get())
            alternatives.push_back(cell->node.get());
        pending_.insert(pending_.end(), alternatives.rbegin(), alternatives.rend());
    }
    branchPoints_.clear();
    if (pending_.empty()) return false;
    const MoveNode* first = pending_.back();
    pending_.pop_back();
    mainLine_ = false;
    ClimbTo(*first->Parent());
    node_ = first;
    return true;
}

void KifLineWalk::Advance() {
    std::int64_t& total = totals_[position_.sideToMove == White ? 1 : 0];
    total = AddTimes(total, node_->TimeMs().value_or(0));
    PlayNode(position_, *node_);
    at_ = node_;
    node_ = node_->FirstChild() ? node_->FirstChild()->node.get() : nullptr;
    if (node_) NoteBranches(*node_);
}

// A node that is its parent's main continuation while others follow it marks a branch point.
void KifLineWalk::NoteBranches(const MoveNode& node) {
    if (node.Parent()->ChildCount() > 1 && node.Parent()->FirstChild()->node.get() == &node)
        branchPoints_.push_back(node.Parent());
}

void KifLineWalk::ClimbTo(const MoveNode& ancestor) {
    while (at_ != &ancestor) {
        TakeBackNode(position_, *at_);
        // A total that reached the largest value stays there.
        std::int64_t& total = totals_[position_.sideToMove == White ? 1 : 0];
        if (total != INT64_MAX) total -= at_->TimeMs().value_or(0);
        at_ = at_->Parent();
    }
}
