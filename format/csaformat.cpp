#include "format/csaformat.h"

#include <utility>
#include <vector>

#include "format/csa.h"

namespace {

int VersionOf(const FileType& type) {
    return type.version == CsaVersion22 ? CsaVersion22 : CsaVersion30;
}

void ReadCsaRecord(GameRecord& record, std::string_view bytes, ReadOutcome& outcome) {
    CsaFileFacts facts;
    const auto tell = [&] {
        outcome.type = FileType{RecordFormat::Csa, facts.encoding, facts.version};
        outcome.notices = std::move(facts.notices);
        outcome.startKnown = facts.startKnown;
    };
    try {
        ReadCsa(record, bytes, facts);
    } catch (...) {
        tell();
        throw;
    }
    tell();
}

bool WriteCsaRecord(const GameRecord& record, const FileType& type, std::string& bytes,
                    std::string& refusal) {
    return WriteCsa(record, VersionOf(type), type.encoding, bytes, refusal);
}

bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

RecordLosses CsaLosses(const GameRecord& record, const FileType& type) {
    const bool wholeSeconds = VersionOf(type) == CsaVersion22;
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

const FormatHandler CsaFormat{RecordFormat::Csa, &LooksLikeCsa, &ReadCsaRecord, &WriteCsaRecord,
                              &CsaLosses};
