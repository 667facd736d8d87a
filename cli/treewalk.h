#pragma once

#include <string>
#include <vector>

#include "model/gamerecord.h"
#include "model/position.h"

// Visits the tree in preorder (a node, then each continuation's subtree in continuation order),
// starting at the root with the record's start position, and keeps the position after the visited
// node's move by playing and taking back moves along the way, so no position is ever rebuilt or
// copied. Deep lines and deeply nested variations cost no stack.
class PreorderWalk {
  public:
    PreorderWalk(const MoveNode& root, const Position& start);

    // Steps to the next node; false when the whole tree has been visited.
    bool Next();

    const MoveNode& Node() const { return *node_; }
    // The continuation indices from the root to the node; empty at the root.
    const std::vector<int>& Path() const { return path_; }
    // The position after the node's move.
    const Position& After() const { return position_; }
    // The node's move as a record file writes it, judged on the position before it; a result's
    // label; empty at the root.
    std::string MoveTextOfNode();

  private:
    const MoveNode* node_;
    Position position_;
    std::vector<int> path_;
    std::vector<const ContinuationCell*> cells_;  // the cell holding each node on the path
};

// The ply of the position after the node: a result closes the position of the move before it.
inline int PlyOfPosition(const MoveNode& node) {
    return node.IsResult() && node.Parent() ? node.Parent()->number : node.number;
}

// Follows continuation indices from the root, whose position is `start`. On success `node` is the
// node reached, `before` the position before its move and `after` the position after it; otherwise
// `why` says which index does not exist.
bool FollowPath(const MoveNode& root, const Position& start, const std::vector<int>& path,
                const MoveNode*& node, Position& before, Position& after, std::string& why);
