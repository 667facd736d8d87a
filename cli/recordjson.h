#pragma once

#include <optional>
#include <ostream>

#include "format/text/loaderror.h"
#include "model/gamerecord.h"

// The record as one JSON object: "title", "black", "white", "header" (the further header lines
// as [key, value] pairs in order), "nodes" and "error". The nodes are listed in preorder (a node,
// then each of its continuations' subtrees in continuation order), the root first, each as
// {"path", "ply", "move", "comment", "sfen", "result", "time"}: "move" is the move as a record
// file writes it (null for the root and for a result), "sfen" the position after it (a result's
// is its parent's), "result" null or the result's keyword, "time" null or the move's time in
// seconds. "error" is null or {"message", "line", "column"} of the reading error.
void WriteRecordJson(std::ostream& stream, const GameRecord& record,
                     const std::optional<ReadError>& error);
