#include "model/nodepath.h"

#include <algorithm>

void NodePath::Push(int index, int count) {
    if (count <= 0) return;
    if (!runs_.empty() && runs_.back().index == index)
        runs_.back().count += count;
    else
        runs_.push_back({index, count});
    length_ += count;
}

void NodePath::Pop() {
    if (runs_.empty()) return;
    if (--runs_.back().count == 0) runs_.pop_back();
    --length_;
}

void NodePath::Clear() {
    runs_.clear();
    length_ = 0;
}

int NodePath::CommonLength(const NodePath& other) const {
    int common = 0;
    for (std::size_t i = 0; i < runs_.size() && i < other.runs_.size(); ++i) {
        const Run& a = runs_[i];
        const Run& b = other.runs_[i];
        if (a.index != b.index) break;
        common += std::min(a.count, b.count);
        if (a.count != b.count) break;
    }
    return common;
}
