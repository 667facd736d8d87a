#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/soundness.h"

// Why a record file could not be read, and where: the one error value of every reader. For
// ESN, `message` is exactly one of "Misphrased move.", "Unresolvable move.", "Illegal move." and
// "Unterminated comment."; line (counting line feeds from 1) and column (counting bytes from 1)
// locate the first byte of the item in which reading stopped: the '+' or letter that starts the
// move, or the '[' of the bracket text. Every other format counts lines ended by CR LF, LF or
// CR, and columns in characters of the decoded text, both from 1. A failure that has no place
// in the file (a character set the system cannot convert) has line 0.
struct ReadError {
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

// What a reader tells besides the record: where it stopped, what it skipped or bent, and
// whether the start position was fixed before it stopped. When it was not (bytes that are no
// text, a start the record cannot hold, a diagram that breaks off, a file in which nothing is
// recognised), what was read is no record of the file. Always true after a reading without an
// error.
struct ReadReport {
    std::optional<ReadError> error;
    std::vector<ReadNotice> notices;
    bool startKnown = false;
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
