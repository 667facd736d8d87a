#include "cli/treewalk.h"

#include "format/esn/notation.h"
#include "model/moverules.h"

PreorderWalk::PreorderWalk(const MoveNode& root, const Position& start)
    : node_(&root), position_(start) {}

bool PreorderWalk::Next() {
    if (const ContinuationCell* first = node_->FirstChild()) {
        cells_.push_back(first);
        path_.push_back(0);
        node_ = first->node.get();
        PlayNode(position_, *node_);
        return true;
    }
    // A leaf: climb until a node on the path has a further continuation.
    while (!cells_.empty()) {
        TakeBackNode(position_, *node_);
        const ContinuationCell* sibling = cells_.back()->next.get();
        if (sibling) {
            cells_.back() = sibling;
            ++path_.back();
            node_ = sibling->node.get();
            PlayNode(position_, *node_);
            return true;
        }
        cells_.pop_back();
        path_.pop_back();
        node_ = node_->Parent();
    }
    return false;
}

std::string PreorderWalk::MoveTextOfNode() {
    if (cells_.empty()) return {};
    if (node_->IsResult()) return ResultLabel(*node_->Result());
    TakeBack(position_, node_->move);
    std::string text = MoveTextOn(position_, node_->move);
    Play(position_, node_->move);
    return text;
}

bool FollowPath(const MoveNode& root, const Position& start, const std::vector<int>& path,
                const MoveNode*& node, Position& before, Position& after, std::string& why) {
    node = &root;
    before = start;
    after = start;
    for (std::size_t step = 0; step < path.size(); ++step) {
        const MoveNode* next = path[step] >= 0 ? node->Continuation(path[step]) : nullptr;
        if (!next) {
            why = "the node after " + std::to_string(step) + " step(s) of the path has " +
                  std::to_string(node->ChildCount()) + " continuation(s), so index " +
                  std::to_string(path[step]) + " does not exist";
            return false;
        }
        before = after;
        PlayNode(after, *next);
        node = next;
    }
    return true;
}
