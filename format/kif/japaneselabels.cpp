#include "format/kif/japaneselabels.h"

#include <optional>

#include "format/kif/japanesenotation.h"
#include "format/kif/ki2move.h"

void GetJapaneseContinuationList(const GameRecord& record, std::vector<std::string>& list) {
    const MoveNode& current = record.Current();
    list.clear();
    list.reserve(static_cast<std::size_t>(current.ChildCount()));
    // 同 names the square of the move just played.
    std::optional<Square> previousDestination;
    if (current.Parent() && !current.IsResult()) previousDestination = current.move.to;
    const std::string number = std::to_string(current.number + 1) + ". ";
    for (const ContinuationCell* cell = current.FirstChild(); cell; cell = cell->next.get()) {
        const MoveNode& node = *cell->node;
        list.push_back(number + (node.IsResult() ? std::string(KifResultWord(*node.Result()))
                                                 : Ki2MoveText(record.GetPosition(), node.move,
                                                               previousDestination)));
    }
}
