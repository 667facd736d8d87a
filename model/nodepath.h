#pragma once

#include <vector>

// The way from the root to a node: the continuation index taken at each ply. A run of plies
// that take the same index is kept as one entry, so the path to the end of a long main line
// costs a few bytes, however many moves it has.
class NodePath {
  public:
    // The number of plies, which is the node's ply number.
    int Length() const { return length_; }
    bool Empty() const { return length_ == 0; }
    // The index taken at the last ply; 0 for the root's empty path.
    int Last() const { return runs_.empty() ? 0 : runs_.back().index; }
    // True when every index is 0: the node lies on the main line.
    bool IsMainLine() const { return runs_.empty() || (runs_.size() == 1 && runs_[0].index == 0); }

    // One ply further, taking continuation `index`, `count` times.
    void Push(int index, int count = 1);
    // One ply back; nothing at the root.
    void Pop();
    void Clear();

    // The number of plies at the start that both paths share.
    int CommonLength(const NodePath& other) const;
    // Calls visit(index) for every ply from `from` (counted from 0) to the end, in order, until
    // it answers false; answers whether every call answered true.
    template <class Visit>
    bool VisitFrom(int from, Visit visit) const {
        int ply = 0;
        for (const Run& run : runs_) {
            for (int i = from > ply ? from - ply : 0; i < run.count; ++i)
                if (!visit(run.index)) return false;
            ply += run.count;
        }
        return true;
    }

    friend bool operator==(const NodePath&, const NodePath&) = default;

  private:
    struct Run {
        int index;
        int count;
        friend bool operator==(const Run&, const Run&) = default;
    };
    std::vector<Run> runs_;
    int length_ = 0;
};
