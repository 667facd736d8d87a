#include "format/positiontext.h"

#include "format/kif/kifdiagram.h"
#include "format/kif/kiflines.h"
#include "format/recordio.h"
#include "format/text/textlines.h"
#include "format/usi/asciiwords.h"
#include "format/usi/sfenrecord.h"
#include "format/usi/usi.h"

namespace {

// An SFEN or a USI command read as a record: its start, or where its main line ends.
PositionText ReadAsRecord(std::string_view text, RecordFormat format) {
    GameRecord record;
    const ReadOutcome outcome = ReadRecord(record, text, DefaultFileType(format));
    if (outcome.error) return {std::nullopt, outcome.error->message};
    record.GoToTop();
    while (record.GoForward(0)) {
    }
    return {record.GetPosition(), {}};
}

// The first board diagram among the lines, up to the first move.
PositionText ReadDiagram(std::string_view text) {
    KifDiagramReader diagram;
    LineSplitter lines(text);
    for (TextLine line; lines.Next(line);) {
        if (IsKifMoveLine(line.text) || IsKi2MoveLine(line.text)) break;
        if (ClassifyKifLine(line.text).kind != KifLineKind::Diagram) continue;
        std::string error;
        std::size_t offset = 0;
        if (!diagram.ReadLine(line.text, error, offset)) return {std::nullopt, error};
    }
    if (!diagram.HasBoard()) return {};
    if (diagram.RanksRead() != BoardSize)
        return {std::nullopt,
                "the board diagram has " + std::to_string(diagram.RanksRead()) + " ranks"};
    return {diagram.position(), {}};
}

}  // namespace

PositionText ReadPositionText(std::string_view text) {
    LineSplitter lines(text);
    TextLine first;
    while (lines.Next(first) && IsBlankLine(first.text)) {
    }
    if (!IsBlankLine(first.text)) {
        if (LooksLikeUsi(first)) return ReadAsRecord(text, RecordFormat::Usi);
        if (LooksLikeSfen(first)) return ReadAsRecord(text, RecordFormat::Sfen);
    }
    return ReadDiagram(text);
}
