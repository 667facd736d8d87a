#include "format/esn/esnwriter.h"

#include <charconv>
#include <cstring>
#include <vector>

#include "format/esn/esnreader.h"
#include "format/esn/notation.h"
#include "format/usi/sfen.h"
#include "model/moverules.h"

namespace {

// The first continuation cell from `cell` on that holds a move: a record file has no place for
// results, so the walk below leaves them out and the first move among the continuations is the
// main line.
const ContinuationCell* SkipResults(const ContinuationCell* cell) {
    while (cell && cell->node->IsResult())
        cell = cell->next.get();
    return cell;
}

// Walks a record in the order its file lists the moves: a node's main-line move and its
// comment, then each variation of that move complete, then the main line goes on. The position
// before every visited move is kept up to date with Play and TakeBack, and the open lines sit
// on an explicit stack, so neither a long line nor deep nesting grows the call stack.
template <class Visitor>
class FileOrderWalk {
  public:
    FileOrderWalk(Visitor& visitor, const Position& start) : visitor_(visitor), position_(start) {}

    void Run(const MoveNode& root) {
        BeginLine(root, root);
        while (!lines_.empty()) {
            Line& line = lines_.back();
            if (line.variation) {
                const MoveNode& first = *line.variation->node;
                line.variation = SkipResults(line.variation->next.get());
                const MoveNode& branchPoint = *line.node;
                visitor_.OpenVariation();
                visitor_.VisitMove(first, position_);
                Play(position_, first.move);
                if (!BeginLine(first, branchPoint)) visitor_.CloseVariation();
                continue;
            }
            // Every variation of the last main-line move is written: the main line goes on.
            const MoveNode& next = *SkipResults(line.node->FirstChild())->node;
            Play(position_, next.move);
            line.node = &next;
            if (const ContinuationCell* main = SkipResults(next.FirstChild())) {
                visitor_.VisitMove(*main->node, position_);
                line.variation = SkipResults(main->next.get());
                continue;
            }
            TakeBackTo(next, *line.base);
            lines_.pop_back();
            if (!lines_.empty()) visitor_.CloseVariation();
        }
    }

  private:
    // One open line: `node` is its last move played on the position, whose main-line
    // continuation has been visited and whose variations are visited from `variation` on;
    // `base` is where the line branched off, taken back to when the line ends.
    struct Line {
        const MoveNode* node;
        const ContinuationCell* variation;
        const MoveNode* base;
    };

    // Starts the line below `node`, whose move is played. Answers false when there is none.
    bool BeginLine(const MoveNode& node, const MoveNode& base) {
        const ContinuationCell* main = SkipResults(node.FirstChild());
        if (!main) {
            TakeBackTo(node, base);
            return false;
        }
        visitor_.VisitMove(*main->node, position_);
        lines_.push_back({&node, SkipResults(main->next.get()), &base});
        return true;
    }

    void TakeBackTo(const MoveNode& node, const MoveNode& base) {
        for (const MoveNode* n = &node; n != &base; n = n->Parent())
            TakeBack(position_, n->move);
    }

    Visitor& visitor_;
    Position position_;
    std::vector<Line> lines_;
};

// Collects output in a block and appends it to the caller's text a block at a time, so that
// the many short lines cost one append each block rather than one each.
class BlockOutput {
  public:
    explicit BlockOutput(std::string& out) : out_(out) {}
    ~BlockOutput() { Flush(); }

    void Put(const char* text, std::size_t length) {
        if (length > Capacity - used_) {
            Flush();
            if (length > Capacity) {
                out_.append(text, length);
                return;
            }
        }
        std::memcpy(block_ + used_, text, length);
        used_ += length;
    }
    void Put(const std::string& text) { Put(text.data(), text.size()); }
    void Put(char c) { Put(&c, 1); }

    // Room for at least `length` bytes written in place with Commit.
    char* Reserve(std::size_t length) {
        if (length > Capacity - used_) Flush();
        return block_ + used_;
    }
    void Commit(char* end) { used_ = static_cast<std::size_t>(end - block_); }

    void Flush() {
        out_.append(block_, used_);
        used_ = 0;
    }

  private:
    static constexpr std::size_t Capacity = 1 << 16;
    std::string& out_;
    char block_[Capacity];
    std::size_t used_ = 0;
};

void WriteBracketLine(BlockOutput& out, const std::string& text) {
    out.Put('[');
    out.Put(text);
    out.Put("]\r\n", 3);
}

void WriteHeader(BlockOutput& out, const GameRecord& record) {
    const std::string* values[] = {&record.Title(), &record.BlackPlayer(), &record.WhitePlayer()};
    const char* keywords[] = {"TITLE ", "BLACK ", "WHITE "};
    for (int i = 0; i < 3; ++i) {
        if (values[i]->empty()) continue;
        out.Put('[');
        out.Put(keywords[i], 6);
        out.Put(*values[i]);
        out.Put("]\r\n", 3);
    }
    if (!(record.StartPosition() == Position()))
        WriteBracketLine(out, "SFEN " + Sfen(record.StartPosition(), 0));
}

// Writes the move lines of the tree: the ply number, ". ", the move text, and the comment line.
class NodeWriter {
  public:
    explicit NodeWriter(BlockOutput& out) : out_(out) {}

    void VisitMove(const MoveNode& node, const Position& before) {
        constexpr std::size_t LineCapacity = 16 + 2 + MoveTextCapacity + 2;
        char* const start = out_.Reserve(LineCapacity);
        char* p = std::to_chars(start, start + 16, node.number).ptr;
        *p++ = '.';
        *p++ = ' ';
        p += FormatMoveText(node.move, NeedsOriginSquare(before, node.move), p);
        *p++ = '\r';
        *p++ = '\n';
        out_.Commit(p);
        if (!node.Comment().empty()) WriteBracketLine(out_, node.Comment());
    }
    void OpenVariation() { out_.Put("{\r\n", 3); }
    void CloseVariation() { out_.Put("}\r\n", 3); }

  private:
    BlockOutput& out_;
};

const char* const Keywords[] = {"TITLE", "BLACK", "WHITE"};
const char* const KeywordFields[] = {"the title", "Black's player", "White's player"};

// Why `text`, written inside brackets, would not read back as itself; empty when it would.
std::string TextProblem(const std::string& field, const std::string& text, bool isComment) {
    if (text.find(']') != std::string::npos)
        return field + " holds ']', which would end its brackets early in a record file.";
    if (!isComment) return {};
    for (int i = 0; i < 3; ++i) {
        if (text.compare(0, 5, Keywords[i]) == 0)
            return field + " begins with \"" + Keywords[i] + "\" and would be read back as " +
                   KeywordFields[i] + ".";
    }
    return {};
}

// Finds the first comment, in file order, that the record file cannot hold.
class CommentChecker {
  public:
    void VisitMove(const MoveNode& node, const Position& before) {
        if (!problem.empty() || node.Comment().empty()) return;
        // The field name needs the move text, so build it only when the comment is faulty.
        problem = TextProblem("The comment", node.Comment(), true);
        if (problem.empty()) return;
        problem = TextProblem("The comment of move " + std::to_string(node.number) + ". " +
                                  MoveTextOn(before, node.move),
                              node.Comment(), true);
    }
    void OpenVariation() {}
    void CloseVariation() {}

    std::string problem;
};

}  // namespace

void WriteESN(const GameRecord& record, std::string& out) {
    BlockOutput block(out);
    WriteHeader(block, record);
    const MoveNode& root = record.Root();
    if (!root.Comment().empty()) WriteBracketLine(block, root.Comment());
    NodeWriter writer(block);
    FileOrderWalk<NodeWriter>(writer, record.StartPosition()).Run(root);
}

std::string WriteESN(const GameRecord& record) {
    std::string out;
    WriteESN(record, out);
    return out;
}

std::string FindUnwritableText(const GameRecord& record) {
    const std::string* values[] = {&record.Title(), &record.BlackPlayer(), &record.WhitePlayer()};
    const char* fields[] = {"The title", "Black's player", "White's player"};
    for (int i = 0; i < 3; ++i) {
        std::string problem = TextProblem(fields[i], *values[i], false);
        if (!problem.empty()) return problem;
    }
    const MoveNode& root = record.Root();
    std::string problem = TextProblem("The comment before the first move", root.Comment(), true);
    if (!problem.empty()) return problem;
    // After a start position of its own the record file's first bracket text is that one, and a
    // second stays a comment.
    if (record.StartPosition() == Position() && StartPositionOfTag(root.Comment()))
        return "The comment before the first move would be read back as the start position.";
    CommentChecker checker;
    FileOrderWalk<CommentChecker>(checker, record.StartPosition()).Run(root);
    return checker.problem;
}
