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
    return Notes() ? Notes()->comment : NoText();
}

const std::string& MoveNode::Bookmark() const {
    return Notes() ? Notes()->bookmark : NoText();
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
    root_.notes_ = 0;
    current_ = &root_;
    path_.Clear();
    pathKnown_ = true;
    ++generation_;
    title.clear();
    black.clear();
    white.clear();
    headerLines.clear();
    start_ = Position();
    position_ = start_;
}

bool GameRecord::SetStartPosition(const Position& start) {
    if (root_.firstChild || !CanHoldPosition(start)) return false;
    start_ = start;
    GoToTop();
    return true;
}

void GameRecord::GoToTop() {
    current_ = &root_;
    position_ = start_;
    path_.Clear();
    pathKnown_ = true;
}

bool GameRecord::GoForward(int index) {
    MoveNode* child = current_->Continuation(index);
    if (!child) return false;
    current_ = child;
    PlayNode(position_, *child);
    if (pathKnown_) path_.Push(index < 0 ? 0 : index);
    return true;
}

bool GameRecord::GoBack() {
    if (!current_->parent) return false;
    TakeBackNode(position_, *current_);
    current_ = current_->parent;
    if (pathKnown_) path_.Pop();
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
    // The detached line is freed at once.
    return !DetachContinuations(index < 0 ? 0 : index, 1).Empty();
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
        FreeNotes(*node);
        nodes_.Delete(node);
        cells_.Delete(cell);
    }
}

NodeNotes& GameRecord::NotesOf(MoveNode& node) {
    if (NodeNotes* notes = node.Notes()) return *notes;
    const std::optional<std::int64_t> time = node.TimeMs();
    NodeNotes* notes = nullptr;
    if (freeNotes_.empty()) {
        notes = &notes_.emplace_back();
    } else {
        notes = freeNotes_.back();
        freeNotes_.pop_back();
    }
    notes->timeMs = time;
    node.notes_ = reinterpret_cast<std::uintptr_t>(notes);
    return *notes;
}

void GameRecord::FreeNotes(MoveNode& node) {
    if (NodeNotes* notes = node.Notes()) {
        *notes = NodeNotes();  // gives back the texts' memory too
        freeNotes_.push_back(notes);
    }
    node.notes_ = 0;
}

void GameRecord::CompactNotes(MoveNode& node) {
    const NodeNotes* notes = node.Notes();
    if (!notes || !notes->comment.empty() || !notes->bookmark.empty() || notes->result) return;
    const std::optional<std::int64_t> time = notes->timeMs;
    FreeNotes(node);
    if (time) node.notes_ = static_cast<std::uintptr_t>(*time) << 1 | MoveNode::TimeTag;
}

void GameRecord::SetCurrentComment(std::string comment) {
    if (comment.empty() && !current_->Notes()) return;
    NotesOf(*current_).comment = std::move(comment);
    CompactNotes(*current_);
}

void GameRecord::SetCurrentBookmark(std::string name) {
    if (name.empty() && !current_->Notes()) return;
    NotesOf(*current_).bookmark = std::move(name);
    CompactNotes(*current_);
}

bool GameRecord::SetCurrentTime(std::optional<std::int64_t> milliseconds) {
    if (!current_->parent) return false;
    if (milliseconds && (*milliseconds < 0 || *milliseconds >= MoveTimeLimitMs)) return false;
    if (NodeNotes* notes = current_->Notes()) {
        notes->timeMs = milliseconds;
        CompactNotes(*current_);
    } else {
        current_->notes_ =
            milliseconds ? static_cast<std::uintptr_t>(*milliseconds) << 1 | MoveNode::TimeTag : 0;
    }
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
    pathKnown_ = false;
    position_.hands = snapshot.hands;
    position_.board = snapshot.board;
}

int GameRecord::IndexOf(const MoveNode& node) {
    int index = 0;
    for (const ContinuationCell* cell = node.parent->firstChild.get(); cell->node.get() != &node;
         cell = cell->next.get())
        ++index;
    return index;
}

const NodePath& GameRecord::CurrentPath() const {
    if (!pathKnown_) {
        std::vector<int> indices;
        for (const MoveNode* node = current_; node->parent; node = node->parent)
            indices.push_back(IndexOf(*node));
        path_.Clear();
        for (auto it = indices.rbegin(); it != indices.rend(); ++it)
            path_.Push(*it);
        pathKnown_ = true;
    }
    return path_;
}

bool GameRecord::GoToPath(const NodePath& path) {
    const int common = CurrentPath().CommonLength(path);
    while (current_->number > common)
        GoBack();
    return path.VisitFrom(common, [this](int index) { return GoForward(index); });
}

bool GameRecord::UnlinkCells(MoveNode& parent, int first, int count, ContinuationCell*& firstCell,
                             ContinuationCell*& lastCell) {
    if (first < 0 || count < 1 || first + count > parent.childCount) return false;
    ContinuationCell* previous = nullptr;
    ContinuationCell* cell = parent.firstChild.get();
    for (int i = 0; i < first; ++i) {
        previous = cell;
        cell = cell->next.get();
    }
    firstCell = cell;
    for (int i = 1; i < count; ++i)
        cell = cell->next.get();
    lastCell = cell;

    if (previous)
        previous->next = lastCell->next;
    else
        parent.firstChild = lastCell->next;
    if (parent.lastChild == lastCell) parent.lastChild = previous;
    lastCell->next = nullptr;
    parent.childCount -= count;
    return true;
}

void GameRecord::LinkCells(MoveNode& parent, int index, ContinuationCell* firstCell,
                           ContinuationCell* lastCell, int count) {
    ContinuationCell* previous = nullptr;
    for (int i = 0; i < index; ++i)
        previous = previous ? previous->next.get() : parent.firstChild.get();
    ContinuationCell* next = previous ? previous->next.get() : parent.firstChild.get();
    lastCell->next = next;
    if (previous)
        previous->next = firstCell;
    else
        parent.firstChild = firstCell;
    if (!next) parent.lastChild = lastCell;
    parent.childCount += count;
}

DetachedLines GameRecord::DetachContinuations(int first, int count) {
    DetachedLines lines;
    if (!UnlinkCells(*current_, first, count, lines.first_, lines.last_)) return lines;
    lines.record_ = this;
    lines.from_ = current_;
    lines.count_ = count;
    lines.generation_ = generation_;
    return lines;
}

bool GameRecord::AttachContinuations(int index, DetachedLines& lines) {
    if (lines.Empty() || lines.record_ != this || lines.generation_ != generation_ ||
        lines.from_ != current_ || index < 0 || index > current_->childCount)
        return false;
    LinkCells(*current_, index, lines.first_, lines.last_, lines.count_);
    lines.record_ = nullptr;
    lines.first_ = lines.last_ = nullptr;
    lines.count_ = 0;
    return true;
}

void GameRecord::FreeDetached(DetachedLines& lines) {
    if (lines.generation_ != generation_) return;
    for (ContinuationCell* cell = lines.first_; cell;) {
        ContinuationCell* next = cell->next.get();
        DeleteSubtree(cell);
        cell = next;
    }
}

bool GameRecord::MoveContinuation(int from, int to) {
    if (to < 0 || to >= current_->childCount) return false;
    ContinuationCell* cell = nullptr;
    ContinuationCell* last = nullptr;
    if (!UnlinkCells(*current_, from, 1, cell, last)) return false;
    LinkCells(*current_, to, cell, cell, 1);
    return true;
}

std::vector<BranchPlace> GameRecord::PromoteCurrentLine() {
    std::vector<BranchPlace> places;
    for (MoveNode* node = current_; node->parent; node = node->parent) {
        const int index = IndexOf(*node);
        if (index == 0) continue;
        ContinuationCell* cell = nullptr;
        ContinuationCell* last = nullptr;
        UnlinkCells(*node->parent, index, 1, cell, last);
        LinkCells(*node->parent, 0, cell, cell, 1);
        places.push_back({node->number, index});
    }
    if (!places.empty()) {
        path_.Clear();
        path_.Push(0, current_->number);
        pathKnown_ = true;
    }
    return places;
}

void GameRecord::RestoreBranches(const std::vector<BranchPlace>& places) {
    MoveNode* node = current_;
    for (const BranchPlace& place : places) {
        while (node->parent && node->number > place.ply)
            node = node->parent;
        if (!node->parent || node->number != place.ply ||
            node->parent->firstChild->node.get() != node)
            continue;
        ContinuationCell* cell = nullptr;
        ContinuationCell* last = nullptr;
        UnlinkCells(*node->parent, 0, 1, cell, last);
        if (place.index >= 0 && place.index <= node->parent->childCount)
            LinkCells(*node->parent, place.index, cell, cell, 1);
        else
            LinkCells(*node->parent, 0, cell, cell, 1);
    }
    pathKnown_ = false;
}
