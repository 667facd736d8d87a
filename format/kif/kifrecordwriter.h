#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/text/textencoding.h"
#include "model/gamerecord.h"

// What KIF and KI2 writing share: the text being built with the place of every record text in
// it, the header part, the notes on a node and the order in which the variation blocks follow
// the main line.

// The file's text as it is built (UTF-8, CR LF line ends). Each text taken from the record is
// remembered with its owner, so that a character the file's character set cannot hold is
// refused naming the field or the move that holds it.
class KifText {
  public:
    enum class Owner : std::uint8_t {
        Title,
        BlackName,
        WhiteName,
        HeaderLabel,
        HeaderValue,
        Comment,
        Bookmark
    };

    KifText(const GameRecord& record, std::string_view format) : record_(record), format_(format) {}

    void Append(std::string_view text) { text_ += text; }
    void Append(char c) { text_ += c; }
    void EndLine() { text_ += "\r\n"; }
    // Appends a text of the record. `node` is the commented node, `header` the header line's
    // label.
    void AppendRecordText(std::string_view text, Owner owner, const MoveNode* node = nullptr,
                          std::string_view header = {});
    std::size_t size() const { return text_.size(); }

    // The file's bytes in `encoding`. False, with `refusal` naming the field or the move, when
    // a character cannot be written in it.
    bool Encode(TextEncoding encoding, std::string& bytes, std::string& refusal) const;

    // What a refusal calls a text of the record: "the comment of move 12 ▲７六歩".
    std::string Describe(Owner owner, const MoveNode* node, std::string_view header) const;

  private:
    struct Span {
        std::size_t begin;
        std::size_t end;
        Owner owner;
        const MoveNode* node;
        std::string header;
    };

    const GameRecord& record_;
    std::string_view format_;  // "KIF" or "KI2", naming the UTF-8 file type to suggest
    std::string text_;
    std::vector<Span> spans_;
};

// Display columns of a text as a fixed-width font shows it: two for a character outside ASCII.
int DisplayWidth(std::string_view text);

// Writes the part before the moves: the encoding line ("#KIF version=2.0 encoding=UTF-8"; none
// for code page 932, which a file without it is taken to be), the header lines, the
// start (手合割 and its name, or the board diagram) and the players. False, with `refusal`, for
// a header line that would not read back as itself (a line break in it, a label with a colon).
bool WriteKifHeader(const GameRecord& record, TextEncoding encoding, KifText& out,
                    std::string& refusal);

// The comment lines ("*…") and the bookmark line ("&…") of a node. False, with `refusal`, for
// a bookmark holding a line break.
bool WriteKifNotes(const MoveNode& node, KifText& out, std::string& refusal);

// The side that made the move of `node` (at a result: the side to move), from its ply.
int MoverOf(const GameRecord& record, const MoveNode& node);

// Walks the record's lines in the order KIF and KI2 write them: the main line, then, from the
// deepest branch point to the shallowest, each later alternative of that ply in continuation
// order, each followed at once by its own variations. The position before each node and both
// sides' time totals are kept up to date by playing and taking back moves, and the blocks still
// to come wait on an explicit stack, so nesting costs no call depth.
class KifLineWalk {
  public:
    explicit KifLineWalk(const GameRecord& record);

    // Goes to the first node of the next block; false when every block was walked.
    bool NextBlock();
    bool InMainLine() const { return mainLine_; }
    // The node of the block that is next, or null after the block's last.
    const MoveNode* Node() const { return node_; }
    // The position before Node().
    const Position& Before() const { return position_; }
    // The time a side has used in the moves before Node() on this path, in milliseconds.
    std::int64_t TotalMs(int side) const { return totals_[side == White ? 1 : 0]; }
    // Plays Node() and goes on to its main continuation.
    void Advance();

  private:
    void ClimbTo(const MoveNode& ancestor);
    void NoteBranches(const MoveNode& node);

    const MoveNode& root_;
    Position position_;
    const MoveNode* at_ = nullptr;  // the node whose position position_ is
    const MoveNode* node_ = nullptr;
    bool started_ = false;
    bool mainLine_ = true;
    std::array<std::int64_t, 2> totals_{};
    std::vector<const MoveNode*> branchPoints_;  // of the block being walked, shallowest first
    std::vector<const MoveNode*> pending_;       // first nodes of the blocks to come, next on top
};
