#include "model/gamerecord.h"

#include <utility>
#include <vector>

ContinuationCell::~ContinuationCell() {
    // Each cell owns the next: unlink them one at a time instead of letting the destructors
    // nest once per cell.
    std::unique_ptr<ContinuationCell> rest = std::move(next);
    while (rest)
        rest = std::move(rest->next);
}

MoveNode::~MoveNode() {
    if (!firstChild) return;
    // Move every descendant into a work list and destroy each one only after its own
    // continuations were taken away, so no destructor nests once per move or per level.
    std::vector<std::unique_ptr<MoveNode>> pending;
    auto detachChildren = [&pending](MoveNode& node) {
        std::unique_ptr<ContinuationCell> cell = std::move(node.firstChild);
        node.lastChild = nullptr;
        node.childCount = 0;
        while (cell) {
            pending.push_back(std::move(cell->node));
            cell = std::move(cell->next);
        }
    };
    detachChildren(*this);
    while (!pending.empty()) {
        std::unique_ptr<MoveNode> node = std::move(pending.back());
        pending.pop_back();
        detachChildren(*node);
    }
}

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

long long CountMoves(const MoveNode& node) {
    long long count = 0;
    std::vector<const MoveNode*> pending{&node};
    while (!pending.empty()) {
        const MoveNode* next = pending.back();
        pending.pop_back();
        for (const ContinuationCell* cell = next->firstChild.get(); cell; cell = cell->next.get()) {
            ++count;
            pending.push_back(cell->node.get());
        }
    }
    return count;
}

GameRecord::GameRecord() : root_(std::make_unique<MoveNode>()), current_(root_.get()) {}

GameRecord::~GameRecord() = default;

void GameRecord::Reset() {
    root_ = std::make_unique<MoveNode>();
    current_ = root_.get();
    title.clear();
    black.clear();
    white.clear();
    position_.SetStartPosition();
}

void GameRecord::GoToTop() {
    current_ = root_.get();
    position_.SetStartPosition();
}

bool GameRecord::GoForward(int index) {
    MoveNode* child = current_->Continuation(index);
    if (!child) return false;
    current_ = child;
    Play(position_, child->move);
    return true;
}

bool GameRecord::GoBack() {
    if (!current_->parent) return false;
    TakeBack(position_, current_->move);
    current_ = current_->parent;
    return true;
}

bool GameRecord::FindContinuation(const Move& move, int& index) const {
    int i = 0;
    for (const ContinuationCell* cell = current_->firstChild.get(); cell;
         cell = cell->next.get(), ++i) {
        if (SameMove(cell->node->move, move)) {
            index = i;
            return true;
        }
    }
    return false;
}

int GameRecord::AddContinuation(const Move& move) {
    if (!::IsLegal(position_, move)) return 0;
    auto node = std::make_unique<MoveNode>();
    node->move = move;
    node->move.captured = position_.Cell(move.to);
    node->number = current_->number + 1;
    node->parent = current_;

    auto cell = std::make_unique<ContinuationCell>();
    cell->node = std::move(node);
    ContinuationCell* added = cell.get();
    if (current_->lastChild)
        current_->lastChild->next = std::move(cell);
    else
        current_->firstChild = std::move(cell);
    current_->lastChild = added;
    return ++current_->childCount;
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

    std::unique_ptr<ContinuationCell>& link = previous ? previous->next : current_->firstChild;
    std::unique_ptr<ContinuationCell> removed = std::move(link);
    link = std::move(removed->next);
    if (current_->lastChild == cell) current_->lastChild = previous;
    --current_->childCount;
    return true;  // `removed` takes the child's whole subtree with it
}

void GameRecord::SaveSnapshot(PositionSnapshot& snapshot) const {
    snapshot.sideToMove = position_.sideToMove;
    snapshot.current = current_;
    snapshot.hands = position_.hands;
    snapshot.board = position_.board;
}

void GameRecord::RestoreSnapshot(const PositionSnapshot& snapshot) {
    position_.sideToMove = snapshot.sideToMove;
    current_ = snapshot.current;
    position_.hands = snapshot.hands;
    position_.board = snapshot.board;
}
