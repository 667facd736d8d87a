#pragma once

#include <cstdint>

class GameRecord;
class MoveNode;
struct ContinuationCell;

// Continuations taken out of a record's tree with everything below them (a deleted variation,
// the moves after a position), owned until they are put back where they came from or dropped,
// which frees their nodes. Nothing is copied either way, so a line of a million moves comes
// and goes at once. A handle must not outlive its record; after the record is reset it frees
// nothing, the reset having freed every node.
class DetachedLines {
  public:
    DetachedLines() = default;
    DetachedLines(DetachedLines&& other) noexcept;
    DetachedLines& operator=(DetachedLines&& other) noexcept;
    ~DetachedLines();

    bool Empty() const { return first_ == nullptr; }
    int Count() const { return count_; }

  private:
    friend class GameRecord;
    void Release();

    GameRecord* record_ = nullptr;
    const MoveNode* from_ = nullptr;  // the node whose continuations they were
    ContinuationCell* first_ = nullptr;
    ContinuationCell* last_ = nullptr;
    int count_ = 0;
    std::uint64_t generation_ = 0;  // the record's, when they were taken
};
