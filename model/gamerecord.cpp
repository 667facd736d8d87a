#include "model/gamerecord.h"

#include <utility>

#include "model/soundness.h"

// A record's memory is mostly its nodes and cells: keep them from growing unnoticed.
static_assert(sizeof(void*) != 8 || sizeof(MoveNode) + sizeof(ContinuationCell) == 64);

namespace {

// The text of every note a node does not have.
const std::string& NoText() {
    static const std::string empty;
    return empty;
}

}  // namespace

const MoveNode* MoveNode::Continuation(int index) const {
    if (index < 0) index = 0;
    const ContinuationCell* cell = firstChild.get();
    for (; cell && index > 0; --index)
        cell = cell->next.get();
    return cell ? cell->node.get() : nullptr;
}

MoveNode* MoveNode::Continuation(int index) {
    return const_cast<MoveNode*>(std::as_const(*this).Continuation(index));
}

const std::string& MoveNode::Comment() const {
    return notes_ ? notes_->comment : NoText();
}

const std::string& MoveNode::Bookmark() const {
    return notes_ ? notes_->bookmark : NoText();
}

void PlayNode(Position& pos, const MoveNode& node) {
    if (node.Parent() && !node.IsResult()) Play(pos, node.move);
}

void TakeBackNode(Position& pos, const MoveNode& node) {
    if (node.Parent() && !node.IsResult()) TakeBack(pos, node.move);
}

long long CountMoves(const MoveNode& node) {
    long long count = 0;
    std::vector<const MoveNode*> pending{&node};
    while (!pending.empty()) {
        const MoveNode* next = pending.back();
        pending.pop_back();
        for (const ContinuationCell* cell = next->FirstChild(); cell; cell = cell->next.get()) {
            if (cell->node->IsResult()) continue;
            ++count;
            pending.push_back(cell->node.get());
        }
    }
    return count;
}

GameRecord::GameRecord() = default;

GameRecord::~GameRecord() = default;

void GameRecord::Reset() {
    // Nodes and cells need no destructors: giving back the pools' blocks frees the whole tree.
    nodes_.Clear();
    cells_.Clear();
    notes_.clear();
    freeNotes_.clear();
    root_.firstChild = nullptr;
    root_.lastChild = nullptr;
    root_.childCount = 0;
    root_.notes_ = nullptr;
    current_ = &root_;
    title.clear();
    black.clear();
    white.clear();
    headerLines.clear();
    start_ = Position();
    position_ = start_;
}

bool GameRecord::SetStartPosition(const Position& start) {
    if (root_.firstChild || !IsSound(start)) return false;
    start_ = start;
    GoToTop();
    return true;
}

void GameRecord::GoToTop() {
    current_ = &root_;
    position_ = start_;
}

bool GameRecord::GoForward(int index) {
    MoveNode* child = current_->Continuation(index);
    if (!child) return false;
    current_ = child;
    PlayNode(position_, *child);
    return true;
}

bool GameRecord::GoBack() {
    if (!current_->parent) return false;
    TakeBackNode(position_, *current_);
    current_ = current_->parent;
    return true;
}

bool GameRecord::FindContinuation(const Move& move, int& index) const {
    int i = 0;
    for (const ContinuationCell* cell = Current().firstChild.get(); cell;
         cell = cell->next.get(), ++i) {
        if (!cell->node->IsResult() && SameMove(cell->node->move, move)) {
            index = i;
            return true;
        }
    }
    return false;
}

MoveNode& GameRecord::AppendChild() {
    MoveNode* node = nodes_.New();
    node->number = current_->number + 1;
    node->parent = current_;
    ContinuationCell* cell = cells_.New();
    cell->node = node;
    if (current_->lastChild)
        current_->lastChild->next = cell;
    else
        current_->firstChild = cell;
    current_->lastChild = cell;
    ++current_->childCount;
    return *node;
}

int GameRecord::AddContinuation(const Move& move) {
    if (current_->IsResult() || !::IsLegal(position_, move)) return 0;
    MoveNode& node = AppendChild();
    node.move = move;
    node.move.captured = static_cast<std::uint8_t>(move.drop ? 0 : position_.Cell(move.to));
    return current_->childCount;
}

int GameRecord::AddResult(GameResult result) {
    if (current_->IsResult()) return 0;
    if (static_cast<int>(result) >= GameResultCount) return 0;
    MoveNode& node = AppendChild();
    NotesOf(node).result = result;
    return current_->childCount;
}

bool GameRecord::DeleteContinuation(int index) {
    if (index < 0) index = 0;
    ContinuationCell* previous = nullptr;
    ContinuationCell* cell = current_->firstChild.get();
    for (; cell && index > 0; --index) {
        previous = cell;
        cell = cell->next.get();
    }
    if (!cell) return false;

    if (previous)
        previous->next = cell->next;
    else
        current_->firstChild = cell->next;
    if (current_->lastChild == cell) current_->lastChild = previous;
    --current_->childCount;
    DeleteSubtree(cell);
    return true;
}

// Gives back the cell, its node and everything below it, with an explicit work list: neither
// a long line nor deep nesting grows the call stack.
void GameRecord::DeleteSubtree(ContinuationCell* top) {
    std::vector<ContinuationCell*> pending{top};
    while (!pending.empty()) {
        ContinuationCell* cell = pending.back();
        pending.pop_back();
        MoveNode* node = cell->node.get();
        for (ContinuationCell* c = node->firstChild.get(); c; c = c->next.get())
            pending.push_back(c);
        if (node->notes_) {
            *node->notes_ = NodeNotes();
            freeNotes_.push_back(node->notes_);
        }
        nodes_.Delete(node);
        cells_.Delete(cell);
    }
}

NodeNotes& GameRecord::NotesOf(MoveNode& node) {
    if (!node.notes_) {
        if (freeNotes_.empty()) {
            node.notes_ = &notes_.emplace_back();
        } else {
            node.notes_ = freeNotes_.back();
            freeNotes_.pop_back();
        }
    }
    return *node.notes_;
}

void GameRecord::DropNotesIfEmpty(MoveNode& node) {
    if (!node.notes_ || !node.notes_->Empty()) return;
    *node.notes_ = NodeNotes();  // gives back the texts' memory too
    freeNotes_.push_back(node.notes_);
    node.notes_ = nullptr;
}

void GameRecord::SetCurrentComment(std::string comment) {
    if (comment.empty() && !current_->notes_) return;
    NotesOf(*current_).comment = std::move(comment);
    DropNotesIfEmpty(*current_);
}

void GameRecord::SetCurrentBookmark(std::string name) {
    if (name.empty() && !current_->notes_) return;
    NotesOf(*current_).bookmark = std::move(name);
    DropNotesIfEmpty(*current_);
}

bool GameRecord::SetCurrentTime(std::optional<std::int64_t> milliseconds) {
    if (!current_->parent || (milliseconds && *milliseconds < 0)) return false;
    if (!milliseconds && !current_->notes_) return true;
    NotesOf(*current_).timeMs = milliseconds;
    DropNotesIfEmpty(*current_);
    return true;
}

void GameRecord::SaveSnapshot(PositionSnapshot& snapshot) const {
    snapshot.sideToMove = position_.sideToMove;
    snapshot.current = current_;
    snapshot.hands = position_.hands;
    snapshot.board = position_.board;
}

void GameRecord::RestoreSnapshot(const PositionSnapshot& snapshot) {
    position_.sideToMove = snapshot.sideToMove;
    // The snapshot holds a node of this record, which the record may change.
    current_ = const_cast<MoveNode*>(snapshot.current);
    position_.hands = snapshot.hands;
    position_.board = snapshot.board;
}
