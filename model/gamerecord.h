#pragma once

#include <climits>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/blockpool.h"
#include "model/detachedlines.h"
#include "model/gameresult.h"
#include "model/headerline.h"
#include "model/move.h"
#include "model/moverules.h"
#include "model/nodepath.h"
#include "model/position.h"
#include "model/treelink.h"

class MoveNode;

// One entry of a node's ordered list of continuations: the child, and the rest of the list.
struct ContinuationCell {
    TreeLink<MoveNode> node;
    TreeLink<ContinuationCell> next;
};

// What a few nodes carry beyond their move, kept apart from the nodes so that the many nodes
// without any stay small. A node whose one note is its time keeps that in the node itself.
struct NodeNotes {
    std::string comment;
    std::string bookmark;
    std::optional<std::int64_t> timeMs;
    std::optional<GameResult> result;

    bool Empty() const { return comment.empty() && bookmark.empty() && !timeMs && !result; }
};

// A node of the game tree. Most nodes stand for a move: the position after it, its comment and
// its continuations. A result node ends a line instead ("Black resigns"): it changes no
// position, has no continuations and carries no move, and it may stand beside moves as one
// continuation among others. Continuation 0 is the main line; the others are variations, in the
// order they were added. Nodes and cells belong to their record, which allocates and frees
// them; only the record changes them, and everyone else sees them const.
class MoveNode {
  public:
    Move move;       // all zero in the root and in a result
    int number = 0;  // ply number: 0 in the root, parent's + 1 elsewhere (results too)

    MoveNode() = default;
    MoveNode(const MoveNode&) = delete;
    MoveNode& operator=(const MoveNode&) = delete;

    // The number of continuations and the ends of their list.
    int ChildCount() const { return childCount; }
    const ContinuationCell* FirstChild() const { return firstChild.get(); }
    const ContinuationCell* LastChild() const { return lastChild; }
    // Null only in the root.
    const MoveNode* Parent() const { return parent; }

    // The index-th continuation, or null; a negative index means 0.
    const MoveNode* Continuation(int index) const;

    bool IsResult() const { return Notes() && Notes()->result; }
    // The result this node stands for, or nothing for a move or the root.
    std::optional<GameResult> Result() const { return Notes() ? Notes()->result : std::nullopt; }
    // The comment on the position after the move (on the root: before the first move), as
    // bytes exactly as read or typed; empty when there is none.
    const std::string& Comment() const;
    // The name of a bookmark set on this node; empty when there is none.
    const std::string& Bookmark() const;
    // How long the move took, in milliseconds, when the record says.
    std::optional<std::int64_t> TimeMs() const {
        if (notes_ & TimeTag) return static_cast<std::int64_t>(notes_ >> 1);
        return Notes() ? Notes()->timeMs : std::nullopt;
    }

  private:
    friend class GameRecord;
    MoveNode* Continuation(int index);

    static constexpr std::uintptr_t TimeTag = 1;
    NodeNotes* Notes() const {
        return notes_ & TimeTag ? nullptr : reinterpret_cast<NodeNotes*>(notes_);
    }

    int childCount = 0;
    TreeLink<ContinuationCell> firstChild;
    ContinuationCell* lastChild = nullptr;
    MoveNode* parent = nullptr;
    // Null for a node without comment, bookmark, time or result; the address of its notes; or,
    // when its time is its one note, that time shifted left by one with TimeTag set (notes are
    // aligned, so their address never has that bit): a move with a time costs no notes.
    std::uintptr_t notes_ = 0;
};
static_assert(sizeof(std::uintptr_t) == 8, "a time under 100 days needs more than 32 bits");

// Plays the node's move on `pos`; a result (or the root) changes nothing.
void PlayNode(Position& pos, const MoveNode& node);
// Undoes what PlayNode did.
void TakeBackNode(Position& pos, const MoveNode& node);

// Every move of the subtree below `node`, variations included (the node's own move is not
// counted). Results are not moves and are not counted. Never recurses.
long long CountMoves(const MoveNode& node);

// The record's place in the tree, for the reader's nested variations.
struct PositionSnapshot {
    int sideToMove = Black;
    const MoveNode* current = nullptr;
    std::array<int, 16> hands{};
    std::array<PieceCode, CellCount> board{};
};

// Where a continuation stood among its siblings before its line was promoted: the ply number of
// the node and its index then.
struct BranchPlace {
    int ply;
    int index;
};

// A move's time is under 100 days.
inline constexpr std::int64_t MoveTimeLimitMs = 100LL * 24 * 60 * 60 * 1000;

// A running total of times plus one more, staying at the largest value instead of wrapping
// round: however many moves a line has, its totals never overflow.
inline std::int64_t AddTimes(std::int64_t total, std::int64_t time) {
    std::int64_t sum = 0;
    return __builtin_add_overflow(total, time, &sum) ? INT64_MAX : sum;
}

// One game: the header, the start position, the tree of moves and the position after the
// current node's move.
class GameRecord {
  public:
    GameRecord();
    GameRecord(const GameRecord&) = delete;
    GameRecord& operator=(const GameRecord&) = delete;
    ~GameRecord();

    // The header, as bytes exactly as read or typed.
    const std::string& Title() const { return title; }
    const std::string& BlackPlayer() const { return black; }
    const std::string& WhitePlayer() const { return white; }
    void SetTitle(std::string text) { title = std::move(text); }
    void SetBlackPlayer(std::string text) { black = std::move(text); }
    void SetWhitePlayer(std::string text) { white = std::move(text); }
    // The further header lines, in file order.
    const std::vector<HeaderLine>& HeaderLines() const { return headerLines; }
    void AddHeaderLine(HeaderLine line) { headerLines.push_back(std::move(line)); }
    void SetHeaderLines(std::vector<HeaderLine> lines) { headerLines = std::move(lines); }
    template <class Predicate>
    void RemoveHeaderLinesIf(Predicate predicate) {
        std::erase_if(headerLines, predicate);
    }

    // Back to an empty record: empty header, the initial position as the start, a root
    // without continuations.
    void Reset();

    // Makes `start` the position before the first move: a handicap game (White to move), a
    // problem, a position reached elsewhere, also one that breaks a rule of play on purpose.
    // Refused, changing nothing, when no record can hold the position (RefusalText says why) or
    // the root already has continuations; on success the root is current.
    bool SetStartPosition(const Position& start);
    const Position& StartPosition() const { return start_; }

    // Root current and the start position rebuilt from scratch.
    void GoToTop();
    // Enters the index-th continuation (a negative index means 0) and plays its move, if it
    // has one.
    bool GoForward(int index);
    // Takes back the current move, or leaves the current result; false at the root.
    bool GoBack();

    // The index of the first continuation of the current node equal to `move` (SameMove);
    // a result never matches.
    bool FindContinuation(const Move& move, int& index) const;
    // Appends a legal move as the last continuation of the current node, with its captured
    // piece taken from the board; answers the new continuation count, or 0 when the move is
    // illegal or the current node is a result.
    int AddContinuation(const Move& move);
    // Appends a result as the last continuation of the current node; answers the new
    // continuation count, or 0 when the current node is itself a result.
    int AddResult(GameResult result);
    // Removes the index-th continuation (a negative index means 0) with its whole subtree.
    bool DeleteContinuation(int index);

    // The way from the root to the current node, kept up to date as the record walks.
    const NodePath& CurrentPath() const;
    // Makes the node at `path` current, going back to where the two paths part and forward
    // from there. False when the path leads nowhere; the last node it reached is then current.
    bool GoToPath(const NodePath& path);

    // Edits of the current node's continuations, each undone by its counterpart, none copying
    // or visiting the nodes below: the time they take does not grow with the lines they move.
    // Takes `count` continuations from `first` on out of the tree, with everything below them;
    // an empty handle, changing nothing, when there are not that many.
    DetachedLines DetachContinuations(int first, int count);
    // Puts continuations taken from the current node back, as continuations `index` on, and
    // empties the handle. False, changing nothing, when they were taken from another node or
    // the current node has fewer than `index` continuations.
    bool AttachContinuations(int index, DetachedLines& lines);
    // Moves continuation `from` to index `to`, the others keeping their order.
    bool MoveContinuation(int from, int to);
    // Makes the current node's line the main line at every branch up to the root; answers the
    // former place of every node it moved, from the current node up.
    std::vector<BranchPlace> PromoteCurrentLine();
    // Undoes PromoteCurrentLine, with the promoted node current.
    void RestoreBranches(const std::vector<BranchPlace>& places);

    void SaveSnapshot(PositionSnapshot& snapshot) const;
    void RestoreSnapshot(const PositionSnapshot& snapshot);

    const MoveNode& Root() const { return root_; }
    const MoveNode& Current() const { return *current_; }

    // Notes on the current node; an empty text removes the comment or bookmark.
    void SetCurrentComment(std::string comment);
    void SetCurrentBookmark(std::string name);
    // The time the current move took, or none; a result may carry one too (the thinking before
    // resigning). Refused at the root, which has no move, and for a time below 0 or of
    // MoveTimeLimitMs or more, so that no sum of times can overflow.
    bool SetCurrentTime(std::optional<std::int64_t> milliseconds);

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
    friend class DetachedLines;

    MoveNode& AppendChild();
    void DeleteSubtree(ContinuationCell* cell);
    void FreeDetached(DetachedLines& lines);
    // The position of `node` in its parent's continuation list.
    static int IndexOf(const MoveNode& node);
    // Takes `count` cells from index `first` on out of `parent`'s list, linked to each other;
    // false when the list is shorter.
    static bool UnlinkCells(MoveNode& parent, int first, int count, ContinuationCell*& firstCell,
                            ContinuationCell*& lastCell);
    // Puts the linked cells `firstCell` to `lastCell` into `parent`'s list at `index`.
    static void LinkCells(MoveNode& parent, int index, ContinuationCell* firstCell,
                          ContinuationCell* lastCell, int count);
    NodeNotes& NotesOf(MoveNode& node);
    void FreeNotes(MoveNode& node);
    // Gives back notes that hold nothing, or only a time, which the node then keeps itself.
    void CompactNotes(MoveNode& node);

    std::string title;
    std::string black;
    std::string white;
    std::vector<HeaderLine> headerLines;
    Position start_;
    Position position_;
    MoveNode root_;
    MoveNode* current_ = &root_;
    // The current node's path, unless a restored snapshot put the record somewhere else; then
    // found again when asked for.
    mutable NodePath path_;
    mutable bool pathKnown_ = true;
    // Counts the resets, so that lines detached before one free nothing after it.
    std::uint64_t generation_ = 0;
    // Every node but the root and every cell comes from these pools; notes live in a store of
    // their own, with the freed ones kept for reuse.
    BlockPool<MoveNode> nodes_;
    BlockPool<ContinuationCell> cells_;
    std::deque<NodeNotes> notes_;
    std::vector<NodeNotes*> freeNotes_;
};
