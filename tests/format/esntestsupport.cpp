#include "esntestsupport.h"

#include <cstdlib>
#include <random>
#include <vector>

#include "bench/recordgen.h"
#include "format/esnreader.h"
#include "format/esnwriter.h"
#include "model/moverules.h"

TextReading ReadText(const std::string& text) {
    TextReading outcome{std::make_unique<GameRecord>(), std::nullopt};
    try {
        ReadESN(*outcome.record, text);
    } catch (const ESNLoadError& error) {
        outcome.error = error;
    }
    return outcome;
}

std::string WriteText(const GameRecord& record) {
    return WriteESN(record);
}

namespace {

Square ParseSquare(const std::string& text, std::size_t at) {
    return SquareAt(text.at(at + 1) - 'a', text.at(at) - '1');
}

}  // namespace

Move MoveOn(const GameRecord& record, const std::string& text) {
    Move move;
    if (text.size() >= 4 && text[1] == '*') {
        move.drop = 1;
        move.piece = record.SideToMove() + KindOfLetter(text[0]);
        move.to = ParseSquare(text, 2);
        return move;
    }
    move.from = ParseSquare(text, 0);
    move.to = ParseSquare(text, 2);
    move.piece = record.Cell(move.from);
    move.promote = text.size() > 4 && text[4] == '+';
    return move;
}

bool PlayNew(GameRecord& record, const std::string& text) {
    const int count = record.AddContinuation(MoveOn(record, text));
    return count > 0 && record.GoForward(count - 1);
}

bool PlayLine(GameRecord& record, const std::string& moves) {
    std::size_t start = 0;
    while (start < moves.size()) {
        std::size_t end = moves.find(' ', start);
        if (end == std::string::npos) end = moves.size();
        if (end > start && !PlayNew(record, moves.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}

namespace {

// Texts the record file holds unchanged: no ']' and no keyword at the start of a comment, but
// line ends, brackets, braces and bytes above 127 are all allowed.
const char* const kTexts[] = {
    "Quiet start",
    "Line one\r\nline two",
    "{not a variation} and [half a bracket",
    "\xe7\xa7\xbb\xe5\x8b\x95 and \xa9 1998",
    "title in lower case",
    " TITLE after a blank",
    "12. P-7f as text",
    "x",
};

const char* PickText(std::mt19937& random) {
    return kTexts[random() % std::size(kTexts)];
}

}  // namespace

void FillRandomRecord(GameRecord& record, unsigned seed, int moves) {
    std::mt19937 random(seed);
    record.Reset();
    if (random() % 2) record.title = PickText(random);
    if (random() % 2) record.black = PickText(random);
    if (random() % 2) record.white = PickText(random);
    for (int added = 0; added < moves;) {
        const unsigned action = random() % 100;
        if (action < 8) {
            // Back up a few moves so the next move starts a variation there.
            for (unsigned back = 1 + random() % 6; back > 0 && record.GoBack(); --back) {
            }
            continue;
        }
        if (action < 14) {
            record.SetCurrentComment(PickText(random));
            continue;
        }
        Move move;
        if (!RandomLegalMove(record.GetPosition(), random, move)) {
            record.GoBack();
            continue;
        }
        const int count = record.AddContinuation(move);
        record.GoForward(count - 1);
        ++added;
    }
    record.GoToTop();
}

int CountMoves(const GameRecord& record) {
    return static_cast<int>(CountMoves(record.Root()));
}
