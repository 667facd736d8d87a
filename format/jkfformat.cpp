#include "format/jkfformat.h"

#include <vector>

#include "format/japaneseheader.h"
#include "format/jkf.h"

namespace {

void ReadJkfRecord(GameRecord& record, std::string_view bytes, ReadOutcome& outcome) {
    ReadJkf(record, bytes, outcome);
}

bool WriteJkfRecord(const GameRecord& record, const FileType&, std::string& bytes,
                    std::string& refusal) {
    return WriteJkf(record, bytes, refusal);
}

// A header line that JKF writes under a label that reads back as another part of the record.
bool ReadsBackAsOther(const HeaderLine& line, const Position& start) {
    if (line.key == HeaderKey::Handicap) return JkfHandicapNameMatches(line.value, start);
    return !IsSharedHeaderKey(line.key) && IsReservedJapaneseLabel(line.key);
}

}  // namespace

RecordLosses JkfLosses(const GameRecord& record, const FileType&) {
    RecordLosses losses;
    std::vector<const MoveNode*> pending{&record.Root()};
    while (!pending.empty()) {
        const MoveNode* node = pending.back();
        pending.pop_back();
        losses.bookmarks += !node->Bookmark().empty();
        losses.moveTimes += node->TimeMs() && *node->TimeMs() % 1000 != 0;
        // A sealed move has no special: it is written as an interruption.
        losses.results += node->Result() == GameResult::Sealed;
        for (const ContinuationCell* cell = node->FirstChild(); cell; cell = cell->next.get())
            pending.push_back(cell->node.get());
    }
    for (const HeaderLine& line : record.HeaderLines())
        losses.headerLines += ReadsBackAsOther(line, record.StartPosition());
    return losses;
}

const FormatHandler JkfFormat{RecordFormat::Jkf, &LooksLikeJkf, &ReadJkfRecord, &WriteJkfRecord,
                              &JkfLosses};
