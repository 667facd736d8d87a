#include "format/losses.h"

#include <vector>

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
