#include "format/kif/kifrecordreader.h"

#include <algorithm>
#include <utility>

#include "format/kif/japaneseheader.h"
#include "format/kif/japanesenotation.h"
#include "format/kif/kiflines.h"
#include "model/headerline.h"
#include "model/moverules.h"
#include "model/soundness.h"

namespace {

constexpr std::string_view OtherHandicap = "その他";
std::string PieceName(PieceCode piece) {
    return std::string(JapanesePieceName(piece));
}

// Why the rules refuse a move, in the words of the record's notation.
std::string IllegalMoveReason(const Position& pos, const Move& move) {
    const std::string to = JapaneseSquare(move.to);
    const int side = pos.sideToMove;
    if (move.drop) {
        if (pos.HandCount(side, KindOf(move.piece)) <= 0)
            return "no " + PieceName(move.piece) + " in hand";
        if (pos.Cell(move.to) != 0) return "cannot drop on " + to + ": it is taken";
        if (MustPromote(pos, move))
            return "a " + PieceName(move.piece) + " dropped on " + to + " could never move";
        return "a second unpromoted 歩 on file " + std::string(FullWidthDigit(move.to.file + 1));
    }
    const std::string from = JapaneseSquare(move.from);
    const PieceCode standing = pos.Cell(move.from);
    if (standing == 0) return "no piece on " + from;
    if (OwnerOf(standing) != side) return "the piece on " + from + " is the opponent's";
    if (OwnerOf(pos.Cell(move.to)) == side) return "cannot move onto the own piece on " + to;
    const Move plain(move.from, move.to, move.piece);
    Move promoted = plain;
    promoted.promote = 1;
    if (!IsLegalBoardMove(pos, plain) && !IsLegalBoardMove(pos, promoted))
        return "the " + PieceName(standing) + " on " + from + " cannot move to " + to;
    if (move.promote) return "the " + PieceName(standing) + " cannot promote on this move";
    return "the " + PieceName(standing) + " must promote at " + to;
}

}  // namespace

std::optional<TextEncoding> KifDeclaredEncoding(std::string_view firstLine) {
    if (!firstLine.starts_with("#")) return std::nullopt;
    const std::size_t key = firstLine.find("encoding=");
    if (key == std::string_view::npos) return std::nullopt;
    std::string_view name = firstLine.substr(key + std::string_view("encoding=").size());
    name = name.substr(0, name.find_first_of(" \t"));
    return EncodingFromName(name);
}

bool HandicapLineSays(std::string_view value, const Position& start) {
    const std::string_view name = TrimBlanks(value);
    if (name.empty()) return true;
    const auto named = StartPositionOfName(name);
    return named && *named == start;
}

void KifRecordReader::Read(RecordText& text, ReadReport& report) {
    record_.Reset();
    report_ = &report;
    lines_.assign(1, OpenLine{{}, 1});
    if (!ReadLines(text)) {
        FlushNotes();
        return;
    }
    record_.GoToTop();
}

bool KifRecordReader::ReadLines(RecordText& text) {
    bool inMoves = false;
    for (TextLine line; text.NextLine(line);) {
        sawText_ = sawText_ || !TrimBlanks(line.text).empty();
        bool read = true;
        if (inMoves) {
            read = ReadBodyLine(line);
        } else if (IsMoveLine(line.text)) {
            inMoves = true;
            read = FinishPreamble(&line) && ReadMoveLine(line);
        } else {
            read = ReadPreambleLine(line);
        }
        if (!read) return false;
    }
    // Bytes that do not decode before any move (a binary file) give no start to go on from;
    // after a byte that does not decode, only the whole lines before it are read.
    if (text.Failure()) {
        report_->error = text.Failure();
        return false;
    }
    if (!inMoves) {
        if (sawText_ && !recognised_) {
            report_->error = ReadError{std::string(NoGameRecordText), 1, 1};
            return false;
        }
        if (!FinishPreamble(nullptr)) return false;
    }
    FlushNotes();
    return true;
}

bool KifRecordReader::Fail(const TextLine& line, std::size_t offset, std::string message) {
    FlushNotes();
    if (!report_->error)
        report_->error =
            ReadError{std::move(message), line.number, CharacterColumn(line.text, offset)};
    return false;
}

bool KifRecordReader::ReadPreambleLine(const TextLine& line) {
    const KifLine kind = ClassifyKifLine(line.text);
    recognised_ = recognised_ || kind.kind == KifLineKind::Diagram ||
                  kind.kind == KifLineKind::MoveColumns || line.text.starts_with("#KIF") ||
                  (kind.kind == KifLineKind::Header &&
                   (IsReservedJapaneseLabel(kind.label) || kind.label == JapaneseHandicapLabel));
    switch (kind.kind) {
        case KifLineKind::Comment:
            // Also a header line "commented out" with '*': it is the start's comment then.
            AppendCommentLine(kind.value);
            break;
        case KifLineKind::Bookmark:
            ReadBookmark(kind.value);
            break;
        case KifLineKind::Diagram:
            return ReadDiagramLine(line);
        case KifLineKind::Header:
            ReadHeaderLine(line, kind.label, kind.value);
            break;
        case KifLineKind::Other:
            // A line such as 盤面反転 (the board shown turned): kept as a label without value.
            AddJapaneseHeader(record_, TrimBlanks(line.text), "");
            break;
        case KifLineKind::Blank:
        case KifLineKind::Hash:
        case KifLineKind::MoveColumns:
        case KifLineKind::Summary:
        case KifLineKind::Variation:  // before the first move there is nothing to vary
            break;
    }
    return true;
}

void KifRecordReader::ReadHeaderLine(const TextLine& line, std::string_view label,
                                     std::string_view value) {
    if (label == JapaneseHandicapLabel) {
        handicapLine_ = KeptLine{line.number, std::string(line.text)};
        handicapName_ = TrimBlanks(value);
    }
    AddJapaneseHeader(record_, label, value);
}

bool KifRecordReader::ReadDiagramLine(const TextLine& line) {
    std::string error;
    std::size_t offset = 0;
    const bool hadBoard = diagram_.HasBoard();
    if (!diagram_.ReadLine(line.text, error, offset)) return Fail(line, offset, error);
    if (!hadBoard && diagram_.HasBoard())
        firstDiagramLine_ = KeptLine{line.number, std::string(line.text)};
    return true;
}

// The start position: the board diagram's when there is one, else the named handicap's (the
// last 手合割 line's), else the initial position. A 手合割 line that names the start anyway is
// dropped (the writer derives it); one that says something else (その他 over a diagram) stays a
// header line.
bool KifRecordReader::FinishPreamble(const TextLine* firstMove) {
    Position start;
    if (diagram_.HasBoard()) {
        if (const int ranks = diagram_.RanksRead(); ranks != BoardSize) {
            return Fail(firstDiagramLine_.View(), 0,
                        "the board diagram has " + std::to_string(ranks) +
                            (ranks == 1 ? " rank" : " ranks") + " instead of nine");
        }
        start = diagram_.position();
    } else if (handicapLine_ && !handicapName_.empty()) {
        const std::size_t at = handicapLine_->text.find(handicapName_);
        if (const auto named = StartPositionOfName(handicapName_))
            start = *named;
        else if (handicapName_ == OtherHandicap)
            return Fail(handicapLine_->View(), at, "a 手合割 of その他 needs a board diagram");
        else
            return Fail(handicapLine_->View(), at, "unknown handicap " + handicapName_);
    }
    record_.RemoveHeaderLinesIf([&start](const HeaderLine& line) {
        return line.key == HeaderKey::Handicap && HandicapLineSays(line.value, start);
    });
    const TextLine where = diagram_.HasBoard() ? firstDiagramLine_.View()
                           : handicapLine_     ? handicapLine_->View()
                           : firstMove         ? *firstMove
                                               : TextLine{{}, 1, 0};
    if (std::string refusal = RefusalText(start); !refusal.empty())
        return Fail(where, 0, "the start position is impossible: " + refusal);
    record_.SetStartPosition(start);
    AddStartNotices(report_->notices, start, where.number, 1);
    report_->startKnown = true;
    return true;
}

bool KifRecordReader::ReadBodyLine(const TextLine& line) {
    if (IsMoveLine(line.text)) return ReadMoveLine(line);
    const KifLine kind = ClassifyKifLine(line.text);
    switch (kind.kind) {
        case KifLineKind::Comment:
            AppendCommentLine(kind.value);
            break;
        case KifLineKind::Bookmark:
            ReadBookmark(kind.value);
            break;
        case KifLineKind::Variation:
            return ReadVariationLine(line);
        case KifLineKind::Summary:
            FlushNotes();
            return ReadSummaryLine(line);
        case KifLineKind::Header:
            // Some programs put a header line such as 終了日時 after the moves; a 手合割 there
            // comes too late to set the start.
            if (kind.label != JapaneseHandicapLabel ||
                !HandicapLineSays(kind.value, record_.StartPosition()))
                AddJapaneseHeader(record_, kind.label, kind.value);
            break;
        case KifLineKind::Other:
            return Fail(line, SkipBlanks(line.text, 0),
                        "a line that is no move, comment, bookmark or variation");
        case KifLineKind::Blank:
        case KifLineKind::Hash:
        case KifLineKind::MoveColumns:
        case KifLineKind::Diagram:  // a diagram printed among the moves shows what they give
            break;
    }
    return true;
}

bool KifRecordReader::ReadVariationLine(const TextLine& line) {
    const long long number = VariationPly(line.text);
    if (number < 0) return Fail(line, 0, "a variation line must read 変化：N手");
    const long long ply = number - numberOffset_;
    if (ply < 1) {
        return Fail(line, 0,
                    "a variation from ply " + std::to_string(number) + " before the first move " +
                        std::to_string(NumberOfPly(1)));
    }
    // The innermost open line that reaches the ply; the lines inside it are done.
    auto reaches = [ply](const OpenLine& open) {
        return !open.nodes.empty() && open.firstPly <= ply && ply <= open.nodes.back()->number;
    };
    const auto found = std::find_if(lines_.rbegin(), lines_.rend(), reaches);
    if (found == lines_.rend()) {
        int longest = 0;
        for (const OpenLine& open : lines_)
            if (!open.nodes.empty()) longest = std::max(longest, open.nodes.back()->number);
        return Fail(line, 0,
                    "a variation from ply " + std::to_string(number) + " but the line has " +
                        std::to_string(NumberOfPly(longest)) + " moves");
    }
    lines_.erase(found.base(), lines_.end());
    const OpenLine& branched = lines_.back();
    const MoveNode* replaced = branched.nodes[static_cast<std::size_t>(ply - branched.firstPly)];
    FlushNotes();
    MoveTo(*replaced->Parent());
    lines_.push_back(OpenLine{{}, static_cast<int>(ply)});
    return true;
}

// Makes `node` current, taking moves back up to the nearest common ancestor and playing the
// ones down to it.
void KifRecordReader::MoveTo(const MoveNode& node) {
    std::vector<const MoveNode*> down;
    const MoveNode* target = &node;
    while (target->number > record_.Current().number) {
        down.push_back(target);
        target = target->Parent();
    }
    while (&record_.Current() != target) {
        if (record_.Current().number == target->number) {
            down.push_back(target);
            target = target->Parent();
        }
        record_.GoBack();
    }
    for (auto it = down.rbegin(); it != down.rend(); ++it) {
        int index = 0;
        for (const ContinuationCell* cell = record_.Current().FirstChild(); cell->node.get() != *it;
             cell = cell->next.get())
            ++index;
        record_.GoForward(index);
    }
}

std::optional<Square> KifRecordReader::PreviousDestination() const {
    const MoveNode& current = record_.Current();
    if (!current.Parent() || current.IsResult()) return std::nullopt;
    return current.move.to;
}

bool KifRecordReader::AddMove(const Move& move, const TextLine& line, std::size_t offset) {
    FlushNotes();
    if (AtResult()) return Fail(line, offset, "a move after the result");
    const int count = record_.AddContinuation(move);
    if (count == 0) return Fail(line, offset, IllegalMoveReason(record_.GetPosition(), move));
    record_.GoForward(count - 1);
    lines_.back().nodes.push_back(&record_.Current());
    return true;
}

bool KifRecordReader::AddResult(GameResult result, const TextLine& line, std::size_t offset) {
    FlushNotes();
    if (AtResult()) return Fail(line, offset, "a result after the result");
    const int count = record_.AddResult(result);
    record_.GoForward(count - 1);
    lines_.back().nodes.push_back(&record_.Current());
    return true;
}

bool KifRecordReader::SetTime(std::int64_t milliseconds, const TextLine& line, std::size_t offset) {
    return record_.SetCurrentTime(milliseconds) ||
           Fail(line, offset, TimeTooLongText(Ply(), AtResult()));
}

bool KifRecordReader::ReadSummaryLine(const TextLine& line) {
    if (AtResult()) return true;
    const std::string_view text = line.text;
    std::size_t pos = std::string_view("まで").size();
    const auto moves = ReadNumber(text, pos);
    const long long played = NumberOfPly(Ply());
    std::string skipped;
    if (!moves) {
        skipped = "the summary line gives no number of moves";
    } else if (*moves != played) {
        skipped = "the summary line counts " + std::to_string(*moves) +
                  " moves, but the line has " + std::to_string(played);
    } else if (const auto result =
                   ResultOfSummary(text.substr(pos), CurrentPosition().sideToMove)) {
        return AddResult(*result, line, 0);
    } else {
        skipped = "the summary line gives no result this line can have";
    }
    report_->notices.push_back({line.number, 1, skipped + "; it is left out"});
    return true;
}

void KifRecordReader::AddNote(std::string_view text) {
    record_.AddHeaderLine({std::string(HeaderKey::Note), std::string(text)});
}

void KifRecordReader::AppendCommentLine(std::string_view text) {
    if (commentStarted_) comment_ += "\r\n";
    comment_ += text;
    commentStarted_ = true;
}

// A node keeps one bookmark: a second one for it stays as a comment line, "&name".
void KifRecordReader::ReadBookmark(std::string_view name) {
    if (name.empty()) return;
    if (bookmark_.empty() && record_.Current().Bookmark().empty()) {
        bookmark_ = name;
        return;
    }
    std::string line = "&";
    line += name;
    AppendCommentLine(line);
}

void KifRecordReader::FlushNotes() {
    if (commentStarted_) {
        const std::string& existing = record_.Current().Comment();
        if (!existing.empty()) comment_.insert(0, existing + "\r\n");
        record_.SetCurrentComment(std::move(comment_));
        comment_.clear();
        commentStarted_ = false;
    }
    if (!bookmark_.empty()) {
        record_.SetCurrentBookmark(std::move(bookmark_));
        bookmark_.clear();
    }
}
