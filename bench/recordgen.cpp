#include "bench/recordgen.h"

#include <array>
#include <string>
#include <vector>

#include "model/moverules.h"

namespace {

// Sets the promotion flag the way a player would: always when forced, mostly when allowed.
void ChoosePromotion(const Position& position, std::mt19937& rng, Move& move) {
    move.promote = 0;
    if (MustPromote(position, move))
        move.promote = 1;
    else if (MayPromote(position, move))
        move.promote = rng() % 4 != 0;
}

// A random candidate: a piece of the side to move (on the board or, now and then, from its
// hand) to a random square. Most candidates are illegal; the caller tries again.
bool RandomCandidate(const Position& position, std::mt19937& rng, Move& move) {
    const int side = position.sideToMove;
    move = Move{};
    move.to = SquareAt(static_cast<int>(rng() % 9), static_cast<int>(rng() % 9));
    if (rng() % 4 == 0) {
        const PieceType kind = static_cast<PieceType>(rng() % KindCount);
        if (position.HandCount(side, kind) == 0) return false;
        move.piece = side | kind;
        move.drop = 1;
        return true;
    }
    const int cell = static_cast<int>(rng() % CellCount);
    const PieceCode code = position.board[static_cast<std::size_t>(cell)];
    if (code == 0 || OwnerOf(code) != side) return false;
    move.from = SquareAt(cell / BoardSize, cell % BoardSize);
    move.piece = code;
    ChoosePromotion(position, rng, move);
    return true;
}

// Every legal move, for the rare position where sampling finds nothing.
std::vector<Move> AllLegalMoves(const Position& position) {
    std::vector<Move> moves;
    const int side = position.sideToMove;
    for (int to = 0; to < CellCount; ++to) {
        Move move;
        move.to = SquareAt(to / BoardSize, to % BoardSize);
        for (PieceType kind = 0; kind < KindCount; ++kind) {
            move.piece = side | kind;
            move.drop = 1;
            move.promote = 0;
            if (IsLegal(position, move)) moves.push_back(move);
        }
        move.drop = 0;
        for (int from = 0; from < CellCount; ++from) {
            const PieceCode code = position.board[static_cast<std::size_t>(from)];
            if (code == 0 || OwnerOf(code) != side) continue;
            move.from = SquareAt(from / BoardSize, from % BoardSize);
            move.piece = code;
            for (int promote = 0; promote < 2; ++promote) {
                move.promote = promote;
                if (IsLegal(position, move)) moves.push_back(move);
            }
        }
    }
    return moves;
}

bool IsInteresting(const Position& position, const Move& move) {
    return move.drop || move.promote || position.Cell(move.to) != 0;
}

void PlayOn(GameRecord& record, const Move& move) {
    const int count = record.AddContinuation(move);
    record.GoForward(count - 1);
}

std::string RandomComment(std::mt19937& rng) {
    static const std::array<const char*, 6> comments = {
        "Good move.",
        "Forced.",
        "A quiet move that keeps the pressure on the king's side.",
        "Better was the drop on the file next to the king.",
        "Dubious!",
        "Both sides have used most of their time here, and the position is balanced.",
    };
    return comments[rng() % comments.size()];
}

}  // namespace

bool RandomLegalMove(const Position& position, std::mt19937& rng, Move& move) {
    // Gather a few legal candidates, then prefer one that captures, drops or promotes.
    std::array<Move, 6> found{};
    std::size_t count = 0;
    for (int tries = 0; tries < 4000 && count < found.size(); ++tries) {
        Move candidate;
        if (RandomCandidate(position, rng, candidate) && IsLegal(position, candidate))
            found[count++] = candidate;
    }
    if (count == 0) {
        const std::vector<Move> all = AllLegalMoves(position);
        if (all.empty()) return false;
        move = all[rng() % all.size()];
        return true;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (IsInteresting(position, found[i]) && rng() % 3 != 0) {
            move = found[i];
            return true;
        }
    }
    move = found[rng() % count];
    return true;
}

void BuildMainLine(GameRecord& record, int moves, std::uint32_t seed) {
    std::mt19937 rng(seed);
    record.Reset();
    Move move;
    for (int i = 0; i < moves && RandomLegalMove(record.GetPosition(), rng, move); ++i)
        PlayOn(record, move);
    record.GoToTop();
}

void BuildBushyTree(GameRecord& record, int nodes, std::uint32_t seed) {
    std::mt19937 rng(seed);
    record.Reset();
    struct Line {
        PositionSnapshot from;
        int length;
    };
    // Lines still to be played, each from the node where it branches off. Taken last-in
    // first-out, so variations nest inside variations.
    std::vector<Line> pending;
    int added = 0;
    Move move;
    while (added < nodes) {
        if (pending.empty()) {
            record.GoToTop();
            PositionSnapshot top;
            record.SaveSnapshot(top);
            pending.push_back({top, 1 + nodes / 8});
        }
        Line line = pending.back();
        pending.pop_back();
        record.RestoreSnapshot(line.from);
        for (int i = 0; i < line.length && added < nodes; ++i) {
            if (rng() % 16 == 0) {
                PositionSnapshot branch;
                record.SaveSnapshot(branch);
                pending.push_back({branch, 1 + static_cast<int>(rng() % 30)});
            }
            if (!RandomLegalMove(record.GetPosition(), rng, move)) break;
            PlayOn(record, move);
            ++added;
            if (rng() % 8 == 0) record.SetCurrentComment(RandomComment(rng));
        }
    }
    record.GoToTop();
}

void BuildNestedVariations(GameRecord& record, int levels, std::uint32_t seed) {
    std::mt19937 rng(seed);
    record.Reset();
    Move mainLine;
    Move variation;
    for (int level = 0; level < levels; ++level) {
        const Position& position = record.GetPosition();
        if (!RandomLegalMove(position, rng, mainLine)) break;
        // The variation needs a move of its own; a few tries find one that differs.
        int tries = 0;
        do {
            if (!RandomLegalMove(position, rng, variation)) break;
        } while (SameMove(mainLine, variation) && ++tries < 50);
        record.AddContinuation(mainLine);
        PlayOn(record, variation);
    }
    record.GoToTop();
}

void TimeEveryMove(GameRecord& record) {
    record.GoToTop();
    std::vector<int> next{0};  // per level: the continuation to enter next
    std::uint32_t seconds = 7;
    while (!next.empty()) {
        if (!record.GoForward(next.back())) {
            // Every continuation of this node is done: back to its parent's next one.
            next.pop_back();
            if (next.empty()) break;
            record.GoBack();
            ++next.back();
            continue;
        }
        seconds = seconds * 1103515245u + 12345u;
        record.SetCurrentTime(static_cast<std::int64_t>(1 + (seconds >> 8) % 600) * 1000);
        next.push_back(0);
    }
    record.GoToTop();
}
