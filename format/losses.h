#pragma once

#include <string>

#include "format/recordformat.h"
#include "model/gamerecord.h"

// What writing a record in a format leaves out, by kind.
struct RecordLosses {
    long long moves = 0;       // main-line moves, for a format that holds a position only
    long long variations = 0;  // continuations other than the main line, each with its subtree
    long long comments = 0;
    long long results = 0;
    long long moveTimes = 0;
    long long bookmarks = 0;
    long long headerLines = 0;   // further header lines (and title/players where there is no place)
    bool startPosition = false;  // a start other than the initial one that the format cannot hold
    bool Any() const;
};

// What writing the record as `type` leaves out, format by format: the one list of what each
// format cannot keep. ESN keeps the header's three texts, comments and variations; USI the
// start, the main line and the result closing it; SFEN the start alone; KIF everything but
// fractions of seconds; KI2 everything but times; CSA the main line without bookmarks, with
// the header lines it has a form for (version 2.2 also without fractions of seconds and the
// move limit); JKF everything but bookmarks, fractions of seconds and a sealed move.
RecordLosses FormatLosses(const GameRecord& record, const FileType& type);

// Everything of each kind the record holds: the starting point of each format's losses. Counts
// the variations (at every node, the continuations holding a move beyond the first such one,
// wherever they nest), comments, results, move times and bookmarks of the whole tree, the
// further header lines (not the title and players) and whether the start is not the initial
// position; `moves` stays 0.
RecordLosses CountRecordContents(const GameRecord& record);
// The moves of the main line: from the root on, each node's first continuation holding a move.
long long MainLineMoves(const GameRecord& record);
// How many of the title and the two players' names the record holds (0 to 3), for a format
// with no place for them.
long long TitleAndPlayers(const GameRecord& record);
// The comments on result nodes, for a format that leaves results out: they go with them.
long long CommentsOnResults(const GameRecord& record);

// "14 variations, 9 comments" (the tool: "usi: leaves out 14 variations, 9 comments"); empty
// when nothing is lost.
std::string ListLosses(const RecordLosses& losses);
// "12 variations, 3 comments and the result" (the program's question:
// "KIF cannot keep 12 variations, 3 comments and the result. Save anyway?"); empty when nothing
// is lost.
std::string ListLossesInWords(const RecordLosses& losses);
