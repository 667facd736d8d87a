#include <gtest/gtest.h>

#include <vector>

#include "format/esn/esnreader.h"
#include "format/esn/esnwriter.h"
#include "format/esn/notation.h"
#include "format/recordtesting.h"
#include "model/moverules.h"

namespace {

// The record as written, on one line: "[TITLE t] 1. P-7f {1. P-2f} 2. P-3d".
std::string Outline(const GameRecord& record) {
    std::string text = WriteESN(record);
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.replace(at, 2, " ");
    for (std::size_t at; (at = text.find("{ ")) != std::string::npos;)
        text.erase(at + 1, 1);
    for (std::size_t at; (at = text.find(" }")) != std::string::npos;)
        text.erase(at, 1);
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The short texts of the moves from the root down to the current node; the record's position
// must be the one those moves reach.
std::string PathToCurrent(const GameRecord& record) {
    std::vector<const MoveNode*> path;
    for (const MoveNode* node = &record.Current(); node->Parent(); node = node->Parent())
        path.insert(path.begin(), node);
    std::string text;
    Position position;
    for (const MoveNode* node : path) {
        text += (text.empty() ? "" : " ") + MoveText(node->move);
        Play(position, node->move);
    }
    EXPECT_EQ(record.GetPosition(), position);
    return text;
}

struct ReadCase {
    const char* text;
    const char* outline;    // what was read (kept, on an error), as Outline writes it
    const char* current;    // the moves down to the current node
    const char* stop = "";  // where and why reading stopped; empty: read without an error
};

const ReadCase kCases[] = {
    // Everything but items is filler; move numbers mean nothing, the tree counts the plies.
    {"", "", ""},
    {" \r\n\t\r\n12. 13. ...\xff\x80 ]]", "", ""},
    {"[TITLE A game]1. P-7f2. P-3d", "[TITLE A game] 1. P-7f 2. P-3d", ""},
    {"99. P-7f 5 P-3d\xe2\x80\xa6 7.P-2f", "1. P-7f 2. P-3d 3. P-2f", ""},
    // Case does not matter in a move; the separator is not checked against captures.
    {"p-7f", "1. P-7f", ""},
    {"PX7F", "1. P-7f", ""},
    {"p7gx7F", "1. P-7f", ""},
    {"P7g7f", "1. P-7f", ""},
    // Long form with and without separator; short forms resolved against the position, the
    // first candidate in rank-major order winning; a second square cut short is lost.
    {"S3i4h", "1. S3i-4h", ""},
    {"S-4h", "1. S3i-4h", ""},
    {"S4h", "1. S3i-4h", ""},
    {"G-5h", "1. G4i-5h", ""},
    {"S4h5 P-3d", "1. S3i-4h 2. P-3d", ""},
    // The apostrophe marks a drop too; a capture written with '-' still captures.
    {"P-7f P-3d B8h-2b+ S3ax2b B*4e B'5e", "1. P-7f 2. P-3d 3. B8hx2b+ 4. S3ax2b 5. B*4e 6. B*5e",
     ""},
    {"P-7f P-3d B8hx2b+ P-9d +B2bx3a", "1. P-7f 2. P-3d 3. B8hx2b+ 4. P-9d 5. +B2bx3a", ""},
    // Header tags are known by their first five bytes; the byte after the keyword is dropped.
    {"[TITLE]", "", ""},
    {"[TITLE x][TITLEx]", "", ""},
    {"[TITLE  x]", "[TITLE  x]", ""},
    {"[TITLE:x]", "[TITLE x]", ""},
    {"[title x]", "[title x]", ""},
    {"[ TITLE x]", "[ TITLE x]", ""},
    {"1. P-7f 2. P-3d [BLACK A]{2. P-8d [WHITE B]}[first][second][]",
     "[BLACK A] [WHITE B] 1. P-7f 2. P-3d [second] {2. P-8d}", ""},
    {"P-7f [a {b} [c\r\n\xff d]", "1. P-7f [a {b} [c \xff d]", ""},
    // A comment belongs to the node current when it is read: after a '{', the parent's.
    {"[before]1. P-7f [after 1]{[at the root again]1. P-2f [after 1b]}2. P-3d",
     "[at the root again] 1. P-7f [after 1] {1. P-2f [after 1b]} 2. P-3d", ""},
    // Variations add continuations in file order, nested ones below the move they replace.
    {"1. P-7f {1. P-2f} {1. P-5f} 2. P-3d", "1. P-7f {1. P-2f} {1. P-5f} 2. P-3d", ""},
    {"1. P-7f 2. P-3d {2. P-8d 3. P-2f {3. P-6f 4. P-8e} 4. P-8e} 3. P-2f",
     "1. P-7f 2. P-3d {2. P-8d 3. P-2f {3. P-6f 4. P-8e} 4. P-8e} 3. P-2f", ""},
    {"1. P-7f {1. P-2f {1. P-5f} 2. P-8d 3. P-2e} 2. P-3d",
     "1. P-7f {1. P-2f 2. P-8d 3. P-2e} {1. P-5f} 2. P-3d", ""},
    {"1. P-7f {1. P-7f 2. P-3d}", "1. P-7f {1. P-7f 2. P-3d}", ""},
    // A '{' before any move takes nothing back.
    {"{1. P-2f 2. P-8d} 1. P-7f", "1. P-2f {1. P-7f} 2. P-8d", ""},
    {"{{{}}} {} 1. P-7f", "1. P-7f", ""},
    // A '}' outside every variation ends the reading; open variations close silently.
    {"1. P-7f } 2. P-3d [not read", "1. P-7f", ""},
    {"1. P-7f {1. P-2f } } 2. Q-3d", "1. P-7f {1. P-2f}", ""},
    {"1. P-7f {1. P-2f {1. P-5f 2. P-5d", "1. P-7f {1. P-2f} {1. P-5f 2. P-5d}", ""},

    // A misphrased move stops at its first byte; the column counts bytes, the line line feeds.
    {"Q-5e", "", "", "1:1: Misphrased move."},
    {"P-0e", "", "", "1:1: Misphrased move."},
    {"P-5j", "", "", "1:1: Misphrased move."},
    {"P*5", "", "", "1:1: Misphrased move."},
    {"+ P-4c", "", "", "1:1: Misphrased move."},
    {"P -7f", "", "", "1:1: Misphrased move."},
    {"hello", "", "", "1:1: Misphrased move."},
    {"1. P-7f\r\n2. P-3d\n3. \xc3\xa9 P-2x", "1. P-7f 2. P-3d", "P-7f P-3d",
     "3:7: Misphrased move."},
    // In "S4h 5g" the move ends after 4h; the 'g' after the filler 5 starts a new move.
    {"1. S4h 5g\r\n", "1. S3i-4h", "S3i-4h", "1:9: Misphrased move."},
    {"[TITLE t]\r\n1. P-7f\r\n2. P-5e", "[TITLE t] 1. P-7f", "P-7f", "3:4: Unresolvable move."},
    {"P-5e", "", "", "1:1: Unresolvable move."},
    {"1. G5i-5h", "", "", "1:4: Illegal move."},
    {"1. K-5h+", "", "", "1:4: Illegal move."},  // a king cannot promote
    // A short form leaving out a forced promotion is illegal, not promoted for the writer.
    {"P-1f P-9d P-1e P-9e P-1d P-9f Px1c P-5d P-1b P-5e Px1a",
     "1. P-1f 2. P-9d 3. P-1e 4. P-9e 5. P-1d 6. P-9f 7. Px1c 8. P-5d 9. P-1b 10. P-5e",
     "P-1f P-9d P-1e P-9e P-1d P-9f Px1c P-5d P-1b P-5e", "1:51: Illegal move."},
    // A '+' after a move is its promotion, so a move right after needs a filler byte first.
    {"P-7f+B8h-2b", "", "", "1:1: Illegal move."},
    // An error inside a variation keeps its first moves, the last of them current.
    {"1. P-7f 2. P-3d {2. P-8d 3. P-2f 4. B2bx8h}", "1. P-7f 2. P-3d {2. P-8d 3. P-2f}",
     "P-7f P-8d P-2f", "1:37: Illegal move."},
    {"[WHITE w]\r\n1. P-7f [fine]\r\n{1. P-2f [never\r\nclosed",
     "[WHITE w] 1. P-7f [fine] {1. P-2f}", "P-2f", "3:10: Unterminated comment."},
    {"[", "", "", "1:1: Unterminated comment."},
};

}  // namespace

TEST(Reader, ReadsTheWholeLanguageAndStopsWhereAMoveGoesWrong) {
    for (const ReadCase& c : kCases) {
        SCOPED_TRACE(c.text);
        Reading outcome = Read(c.text);
        EXPECT_EQ(StopText(outcome), c.stop);
        EXPECT_EQ(PathToCurrent(*outcome.record), c.current);
        EXPECT_EQ(Outline(*outcome.record), c.outline);
    }
}

TEST(Reader, StartsFromAnEmptyRecord) {
    GameRecord record;
    record.SetTitle("old");
    record.SetCurrentComment("old comment");
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    ReadESN(record, "[BLACK new]");
    EXPECT_EQ(Outline(record), "[BLACK new]");
    EXPECT_EQ(&record.Current(), &record.Root());
    EXPECT_EQ(record.GetPosition(), Position());
}
