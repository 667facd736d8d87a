#include "format/losses.h"

#include <vector>

#include "format/csa/csacodes.h"
#include "format/csa/csawriter.h"
#include "format/esn/esnwriter.h"
#include "format/jkf/jkfpresets.h"
#include "format/kif/japaneseheader.h"
#include "format/usi/usi.h"

namespace {

// Visits every node of the tree, the root included, with an explicit work list.
template <class Visit>
void ForEachNode(const MoveNode& root, Visit visit) {
    std::vector<const MoveNode*> pending{&root};
    while (!pending.empty()) {
        const MoveNode* node = pending.back();
        pending.pop_back();
        visit(*node);
        for (const ContinuationCell* cell = node->FirstChild(); cell; cell = cell->next.get())
            pending.push_back(cell->node.get());
    }
}

// The first continuation of `node` that holds a move: the main line, in a format that leaves
// results out.
const MoveNode* FirstMoveContinuation(const MoveNode& node) {
    for (const ContinuationCell* cell = node.FirstChild(); cell; cell = cell->next.get())
        if (!cell->node->IsResult()) return cell->node.get();
    return nullptr;
}

struct LossItem {
    long long count;
    const char* singular;
    const char* plural;
    bool articleWhenOne;  // "the result" rather than "1 result" in the program's question
};

// The kinds in the order they are listed, as "N things".
std::vector<std::string> LossPhrases(const RecordLosses& losses, bool inWords) {
    const LossItem items[] = {
        {losses.moves, "move", "moves", false},
        {losses.variations, "variation", "variations", false},
        {losses.comments, "comment", "comments", false},
        {losses.results, "result", "results", true},
        {losses.moveTimes, "move time", "move times", false},
        {losses.bookmarks, "bookmark", "bookmarks", false},
        {losses.headerLines, "header line", "header lines", false},
    };
    std::vector<std::string> phrases;
    for (const LossItem& item : items) {
        if (item.count <= 0) continue;
        if (inWords && item.count == 1 && item.articleWhenOne)
            phrases.push_back(std::string("the ") + item.singular);
        else
            phrases.push_back(std::to_string(item.count) + ' ' +
                              (item.count == 1 ? item.singular : item.plural));
    }
    if (losses.startPosition) phrases.push_back("the start position");
    return phrases;
}

}  // namespace

bool RecordLosses::Any() const {
    return moves > 0 || variations > 0 || comments > 0 || results > 0 || moveTimes > 0 ||
           bookmarks > 0 || headerLines > 0 || startPosition;
}

RecordLosses CountRecordContents(const GameRecord& record) {
    RecordLosses contents;
    ForEachNode(record.Root(), [&contents](const MoveNode& node) {
        contents.comments += !node.Comment().empty();
        contents.bookmarks += !node.Bookmark().empty();
        contents.moveTimes += node.TimeMs().has_value();
        contents.results += node.IsResult();
        long long moves = 0;
        for (const ContinuationCell* cell = node.FirstChild(); cell; cell = cell->next.get())
            moves += !cell->node->IsResult();
        if (moves > 1) contents.variations += moves - 1;
    });
    contents.headerLines = static_cast<long long>(record.HeaderLines().size());
    contents.startPosition = !(record.StartPosition() == Position());
    return contents;
}

long long MainLineMoves(const GameRecord& record) {
    long long count = 0;
    for (const MoveNode* node = FirstMoveContinuation(record.Root()); node;
         node = FirstMoveContinuation(*node))
        ++count;
    return count;
}

long long TitleAndPlayers(const GameRecord& record) {
    return !record.Title().empty() + !record.BlackPlayer().empty() + !record.WhitePlayer().empty();
}

long long CommentsOnResults(const GameRecord& record) {
    long long count = 0;
    ForEachNode(record.Root(), [&count](const MoveNode& node) {
        count += node.IsResult() && !node.Comment().empty();
    });
    return count;
}

std::string ListLosses(const RecordLosses& losses) {
    std::string text;
    for (const std::string& phrase : LossPhrases(losses, false)) {
        if (!text.empty()) text += ", ";
        text += phrase;
    }
    return text;
}

std::string ListLossesInWords(const RecordLosses& losses) {
    const std::vector<std::string> phrases = LossPhrases(losses, true);
    std::string text;
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        if (i > 0) text += i + 1 == phrases.size() ? " and " : ", ";
        text += phrases[i];
    }
    return text;
}

namespace {

bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// A record file keeps the header's three texts, comments and variations; results, times,
// bookmarks and further header lines have no place in it.
RecordLosses EsnLosses(const GameRecord& record) {
    RecordLosses losses = CountRecordContents(record);
    losses.variations = 0;
    losses.comments = CommentsOnResults(record);
    losses.startPosition = false;
    return losses;
}

// The line holds the start, the main line's moves and the result closing it, nothing else.
RecordLosses UsiLosses(const GameRecord& record) {
    RecordLosses losses = CountRecordContents(record);
    losses.results -= !UsiClosingWord(record).empty();
    losses.headerLines += TitleAndPlayers(record);
    losses.startPosition = false;
    return losses;
}

// The file holds the start position and nothing else.
RecordLosses SfenLosses(const GameRecord& record) {
    RecordLosses losses = CountRecordContents(record);
    losses.moves = MainLineMoves(record);
    losses.headerLines += TitleAndPlayers(record);
    losses.startPosition = false;
    return losses;
}

// Only a move time with a fraction of a second loses something: KIF writes whole seconds.
RecordLosses KifLosses(const GameRecord& record) {
    RecordLosses losses;
    ForEachNode(record.Root(), [&](const MoveNode& node) {
        if (const auto time = node.TimeMs()) losses.moveTimes += *time % 1000 != 0;
    });
    return losses;
}

// KI2 has no place for times, not even the time a player took to resign.
RecordLosses Ki2Losses(const GameRecord& record) {
    RecordLosses losses;
    losses.moveTimes = CountRecordContents(record).moveTimes;
    return losses;
}

// Everything off the main line (its variations with the comments, times and results in them),
// bookmarks, header lines without a CSA form and texts cut at a line break; version 2.2 also
// the fractions of seconds and the move limit as a result.
RecordLosses CsaLosses(const GameRecord& record, const FileType& type) {
    const bool wholeSeconds = type.version == CsaVersion22;
    RecordLosses losses;
    struct Visit {
        const MoveNode* node;
        bool mainLine;
    };
    std::vector<Visit> pending{{&record.Root(), true}};
    while (!pending.empty()) {
        const auto [node, mainLine] = pending.back();
        pending.pop_back();
        losses.bookmarks += !node->Bookmark().empty();
        if (!mainLine) {
            losses.comments += !node->Comment().empty();
            losses.moveTimes += node->TimeMs().has_value();
            losses.results += node->IsResult();
        } else {
            // CSA has no special for a sealed move, and 2.2 none for the move limit: both are
            // written as an interruption.
            losses.results += node->Result() == GameResult::Sealed ||
                              (wholeSeconds && node->Result() == GameResult::MaxMoves);
            losses.moveTimes += wholeSeconds && node->TimeMs() && *node->TimeMs() % 1000 != 0;
        }
        int index = 0;
        for (const ContinuationCell* cell = node->FirstChild(); cell;
             cell = cell->next.get(), ++index) {
            losses.variations += index > 0 && !cell->node->IsResult();
            pending.push_back({cell->node.get(), mainLine && index == 0});
        }
    }
    for (const HeaderLine& line : record.HeaderLines())
        losses.headerLines += !CsaKeepsHeaderLine(line);
    for (const std::string* text : {&record.Title(), &record.BlackPlayer(), &record.WhitePlayer()})
        losses.headerLines += HoldsLineBreak(*text);
    return losses;
}

// A header line that JKF writes under a label that reads back as another part of the record.
bool ReadsBackAsOther(const HeaderLine& line, const Position& start) {
    if (line.key == HeaderKey::Handicap) return JkfHandicapNameMatches(line.value, start);
    return !IsSharedHeaderKey(line.key) && IsReservedJapaneseLabel(line.key);
}

// Bookmarks, the fractions of seconds of move times, and header lines that would read back as
// something else (a line of its own under a label the header gives a meaning, a handicap name
// the start position already says).
RecordLosses JkfLosses(const GameRecord& record) {
    RecordLosses losses;
    ForEachNode(record.Root(), [&](const MoveNode& node) {
        losses.bookmarks += !node.Bookmark().empty();
        losses.moveTimes += node.TimeMs() && *node.TimeMs() % 1000 != 0;
        // A sealed move has no special: it is written as an interruption.
        losses.results += node.Result() == GameResult::Sealed;
    });
    for (const HeaderLine& line : record.HeaderLines())
        losses.headerLines += ReadsBackAsOther(line, record.StartPosition());
    return losses;
}

}  // namespace

RecordLosses FormatLosses(const GameRecord& record, const FileType& type) {
    switch (type.format) {
        case RecordFormat::Esn:
            return EsnLosses(record);
        case RecordFormat::Usi:
            return UsiLosses(record);
        case RecordFormat::Sfen:
            return SfenLosses(record);
        case RecordFormat::Kif:
            return KifLosses(record);
        case RecordFormat::Ki2:
            return Ki2Losses(record);
        case RecordFormat::Csa:
            return CsaLosses(record, type);
        case RecordFormat::Jkf:
            return JkfLosses(record);
    }
    return {};
}
