#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/soundness.h"

// Why a record file could not be read. `message` is exactly one of "Misphrased move.",
// "Unresolvable move.", "Illegal move." and "Unterminated comment."; line (counting line feeds
// from 1) and column (counting bytes from 1) locate the first byte of the item in which reading
// stopped: the '+' or letter that starts the move, or the '[' of the bracket text.
struct ESNLoadError {
    std::string message;
    int line = 0;
    int column = 0;
};

// What a reader skipped or bent on purpose, and where, as a reading error says it: "'second
// line' is no CSA statement; the line is kept as a comment" at line 4, column 1. A notice about
// the file as a whole has line 0.
struct ReadNotice {
    int line = 0;
    int column = 0;
    std::string text;
    friend bool operator==(const ReadNotice&, const ReadNotice&) = default;
};

// The error of a file in which nothing is recognised: no header, no start position, no move.
inline constexpr std::string_view NoGameRecordText = "the file holds no game record";

// The error of a move time of MoveTimeLimitMs or more, naming the node of ply `ply`: "the time
// of move 12 is 100 days or more".
inline std::string TimeTooLongText(int ply, bool result) {
    const std::string node = !result   ? "move " + std::to_string(ply)
                             : ply > 1 ? "the result after move " + std::to_string(ply - 1)
                                       : "the result before the first move";
    return "the time of " + node + " is 100 days or more";
}

// Every rule the start position breaks but a record can hold, each as a notice at that place.
inline void AddStartNotices(std::vector<ReadNotice>& notices, const Position& start, int line,
                            int column) {
    for (const PositionProblem& problem : PositionProblems(start))
        if (!IsRefusal(problem)) notices.push_back({line, column, ProblemText(problem)});
}
