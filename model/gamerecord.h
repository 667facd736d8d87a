#pragma once

#include <memory>
#include <string>

#include "model/move.h"
#include "model/moverules.h"
#include "model/position.h"

struct MoveNode;

// One entry of a node's ordered list of continuations; owns its child and the rest of the list.
struct ContinuationCell {
    std::unique_ptr<MoveNode> node;
    std::unique_ptr<ContinuationCell> next;

    ContinuationCell() = default;
    ContinuationCell(const ContinuationCell&) = delete;
    ContinuationCell& operator=(const ContinuationCell&) = delete;
    // Unlinks the rest of the list one cell at a time, so a long list never recurses.
    ~ContinuationCell();
};

// A position in the game tree: the move that leads to it, its comment and its continuations.
// Continuation 0 is the main line; the others are variations, in the order they were added.
struct MoveNode {
    Move move;            // all zero in the root
    std::string comment;  // the comment on the position after the move
    int number = 0;       // ply number: 0 in the root, parent's + 1 elsewhere
    int childCount = 0;
    std::unique_ptr<ContinuationCell> firstChild;
    ContinuationCell* lastChild = nullptr;
    MoveNode* parent = nullptr;  // null only in the root

    MoveNode() = default;
    MoveNode(const MoveNode&) = delete;
    MoveNode& operator=(const MoveNode&) = delete;
    // Destroys the whole subtree with an explicit work list: never recurses per move or level.
    ~MoveNode();

    // The index-th continuation, or null; a negative index means 0.
    const MoveNode* Continuation(int index) const;
    MoveNode* Continuation(int index);
};

// Every move of the subtree below `node`, variations included (the node's own move is not
// counted). Never recurses.
long long CountMoves(const MoveNode& node);

// The record's place in the tree, for the reader's nested variations.
struct PositionSnapshot {
    int sideToMove = Black;
    MoveNode* current = nullptr;
    std::array<int, 16> hands{};
    std::array<PieceCode, CellCount> board{};
};

// One game: the header, the tree of moves and the position after the current node's move.
class GameRecord {
  public:
    std::string title;
    std::string black;
    std::string white;

    GameRecord();
    GameRecord(const GameRecord&) = delete;
    GameRecord& operator=(const GameRecord&) = delete;
    ~GameRecord();

    // Back to an empty record: empty header, starting position, a root without continuations.
    void Reset();

    // Root current and the starting position rebuilt from scratch.
    void GoToTop();
    // Enters the index-th continuation (a negative index means 0) and plays its move.
    bool GoForward(int index);
    // Takes back the current move; false at the root.
    bool GoBack();

    // The index of the first continuation of the current node equal to `move` (SameMove).
    bool FindContinuation(const Move& move, int& index) const;
    // Appends a legal move as the last continuation of the current node, with its captured
    // piece taken from the board; answers the new continuation count, or 0 when illegal.
    int AddContinuation(const Move& move);
    // Removes the index-th continuation (a negative index means 0) with its whole subtree.
    bool DeleteContinuation(int index);

    void SaveSnapshot(PositionSnapshot& snapshot) const;
    void RestoreSnapshot(const PositionSnapshot& snapshot);

    const MoveNode& Root() const { return *root_; }
    const MoveNode& Current() const { return *current_; }
    void SetCurrentComment(std::string comment) { current_->comment = std::move(comment); }

    // The position after the current node's move, and the rules on it.
    const Position& GetPosition() const { return position_; }
    int SideToMove() const { return position_.sideToMove; }
    PieceCode Cell(Square sq) const { return position_.Cell(sq); }
    PieceCode Cell(int rank, int file) const { return position_.Cell(rank, file); }
    void CopyHands(int out[16]) const { position_.CopyHands(out); }
    bool IsLegal(const Move& move) const { return ::IsLegal(position_, move); }
    bool MustPromote(const Move& move) const { return ::MustPromote(position_, move); }
    bool MayPromote(const Move& move) const { return ::MayPromote(position_, move); }
    bool ResolveOrigin(Move& move) const { return ::ResolveOrigin(position_, move); }

  private:
    Position position_;
    std::unique_ptr<MoveNode> root_;
    MoveNode* current_ = nullptr;
};
