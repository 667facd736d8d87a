#include <gtest/gtest.h>

#include <sstream>

#include "esn/notation.h"
#include "esn/reader.h"
#include "esntestsupport.h"

namespace {

// Reads a text that must read without an error.
std::unique_ptr<GameRecord> Read(const std::string& text) {
    ReadOutcome outcome = ReadText(text);
    EXPECT_FALSE(outcome.error) << "read stopped with " << outcome.error->message << " at "
                                << outcome.error->line << ":" << outcome.error->column;
    return std::move(outcome.record);
}

// Reads a text that must stop with `message` at the given line and column.
std::unique_ptr<GameRecord> ReadFailing(const std::string& text, const std::string& message,
                                        int line, int column) {
    ReadOutcome outcome = ReadText(text);
    EXPECT_TRUE(outcome.error) << "no error for: " << text;
    if (outcome.error) {
        EXPECT_EQ(outcome.error->message, message) << text;
        EXPECT_EQ(outcome.error->line, line) << text;
        EXPECT_EQ(outcome.error->column, column) << text;
    }
    return std::move(outcome.record);
}

// The short texts of the moves from the root down to the current node.
std::string PathToCurrent(const GameRecord& record) {
    std::string text;
    for (const MoveNode* node = &record.Current(); node->parent; node = node->parent)
        text = MoveText(node->move) + (text.empty() ? "" : " ") + text;
    return text;
}

const MoveNode& Child(const MoveNode& node, int index) {
    return *node.Continuation(index);
}

}  // namespace

TEST(Reader, EmptyInputGivesAnEmptyRecordAndResetsTheOldOne) {
    for (const char* text : {"", " \r\n\t\r\n", "12. 13. ...\xff\x80 ]]"}) {
        auto record = Read(text);
        EXPECT_EQ(record->Root().childCount, 0);
        EXPECT_EQ(record->title, "");
        EXPECT_EQ(record->Root().comment, "");
    }

    GameRecord record;
    record.title = "old";
    record.SetCurrentComment("old comment");
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    std::istringstream in("[BLACK new]");
    ReadESN(record, in);
    EXPECT_EQ(record.title, "");
    EXPECT_EQ(record.black, "new");
    EXPECT_EQ(record.Root().comment, "");
    EXPECT_EQ(record.Root().childCount, 0);
    EXPECT_EQ(record.GetPosition(), Position());
}

TEST(Reader, MovesNeedNoSpacingAndMoveNumbersAreFiller) {
    auto record = Read("[TITLE A game]1. P-7f2. P-3d");
    EXPECT_EQ(record->title, "A game");
    EXPECT_EQ(MainLineText(*record), "P-7f P-3d");

    record = Read("1.P-7f 2.P-3d 3.P-2f");
    EXPECT_EQ(MainLineText(*record), "P-7f P-3d P-2f");
    EXPECT_EQ(Child(Child(Child(record->Root(), 0), 0), 0).number, 3);
    // The numbers in the file mean nothing: the tree counts the plies.
    record = Read("99. P-7f 5 P-3d\xe2\x80\xa6 7.P-2f");
    EXPECT_EQ(Child(Child(record->Root(), 0), 0).number, 2);
    // After reading, the record shows the starting position at the root.
    EXPECT_EQ(&record->Current(), &record->Root());
    EXPECT_EQ(record->GetPosition(), Position());
}

TEST(Reader, AcceptsEveryFormOfMoveText) {
    // Case does not matter anywhere in a move; the separator is not checked against captures.
    for (const char* text : {"p-7f", "P-7F", "P-7f", "Px7f", "PX7f", "P7g7f", "P7g-7f", "p7gx7F"}) {
        auto record = Read(text);
        EXPECT_EQ(MainLineText(*record), "P-7f") << text;
    }
    // Long form with and without separator; short form resolved against the position.
    EXPECT_EQ(MainLineText(*Read("S3i4h")), "S3i-4h");
    EXPECT_EQ(MainLineText(*Read("S-4h")), "S3i-4h");
    EXPECT_EQ(MainLineText(*Read("S4h")), "S3i-4h");
    // Both golds reach 5h; the first in rank-major order, 4i, is taken.
    EXPECT_EQ(MainLineText(*Read("G-5h")), "G4i-5h");
    // A second square cut short after its digit is not an error: the digit is lost.
    EXPECT_EQ(MainLineText(*Read("S4h5 P-3d")), "S3i-4h P-3d");
    // The apostrophe also marks a drop; a capture with '-' is still a capture.
    auto record = Read("P-7f P-3d B8h-2b+ S3ax2b B*4e B'5e");
    EXPECT_EQ(MainLineText(*record), "P-7f P-3d B8hx2b+ S3ax2b B*4e B*5e");
    const MoveNode& bishopTakes = Child(Child(Child(record->Root(), 0), 0), 0);
    EXPECT_EQ(bishopTakes.move.captured, White + Bishop);
    EXPECT_TRUE(bishopTakes.move.promote);
    // A '+' straight after a move is read as its promotion.
    record = Read("P-7f P-3d B8hx2b+ P-9d +B2bx3a");
    EXPECT_EQ(MainLineText(*record), "P-7f P-3d B8hx2b+ P-9d +B2bx3a");
}

TEST(Reader, ReadsHeaderTagsAndCommentsByTheirFirstBytes) {
    auto record = Read("[TITLE]");
    EXPECT_EQ(record->title, "");
    record = Read("[TITLE x][TITLEx]");  // a later tag replaces the value
    EXPECT_EQ(record->title, "");
    record = Read("[TITLE  x]");  // only the one byte after the keyword is dropped
    EXPECT_EQ(record->title, " x");
    record = Read("[TITLE:x]");
    EXPECT_EQ(record->title, "x");

    record = Read("[title x]");
    EXPECT_EQ(record->title, "");
    EXPECT_EQ(record->Root().comment, "title x");
    record = Read("[ TITLE x]");
    EXPECT_EQ(record->Root().comment, " TITLE x");

    record = Read(
        "1. P-7f 2. P-3d 3. P-2f 4. P-4d 5. P-2e 6. P-4e 7. P-2d 8. Px2d 9. Rx2d 10. R-4b\r\n"
        "[BLACK Player A]{2. P-8d [WHITE Player B]}[first]\r\n[second]");
    EXPECT_EQ(record->black, "Player A");
    EXPECT_EQ(record->white, "Player B");
    EXPECT_EQ(CountMoves(*record), 11);
    const MoveNode* tenth = &record->Root();
    for (int i = 0; i < 10; ++i)
        tenth = tenth->Continuation(0);
    EXPECT_EQ(tenth->comment, "second");  // the later comment replaces the earlier

    // A comment keeps every byte but ']' as it stands, line ends included; [] changes nothing.
    record = Read("P-7f [a {b} [c\r\n\xff d][]");
    EXPECT_EQ(Child(record->Root(), 0).comment, "a {b} [c\r\n\xff d");
}

TEST(Reader, CommentsBelongToTheNodeCurrentWhenRead) {
    auto record = Read("[before]1. P-7f [after 1]{[at the root again]1. P-2f [after 1b]}2. P-3d");
    const MoveNode& root = record->Root();
    // The first comment inside a variation comes after its '{' took the move back.
    EXPECT_EQ(root.comment, "at the root again");
    EXPECT_EQ(Child(root, 0).comment, "after 1");
    EXPECT_EQ(Child(root, 1).comment, "after 1b");
    EXPECT_EQ(ContinuationTexts(Child(root, 0)), "P-3d");
}

TEST(Reader, VariationsAddContinuationsInFileOrder) {
    auto record = Read("1. P-7f {1. P-2f} {1. P-5f} 2. P-3d");
    EXPECT_EQ(ContinuationTexts(record->Root()), "P-7f P-2f P-5f");
    EXPECT_EQ(ContinuationTexts(Child(record->Root(), 0)), "P-3d");

    // Nested: a variation of the variation's second move, then the main line goes on.
    record = Read("1. P-7f 2. P-3d {2. P-8d 3. P-2f {3. P-6f 4. P-8e} 4. P-8e} 3. P-2f");
    const MoveNode& first = Child(record->Root(), 0);
    EXPECT_EQ(ContinuationTexts(first), "P-3d P-8d");
    EXPECT_EQ(ContinuationTexts(Child(first, 1)), "P-2f P-6f");
    EXPECT_EQ(ContinuationTexts(Child(Child(first, 1), 0)), "P-8e");
    EXPECT_EQ(ContinuationTexts(Child(Child(first, 1), 1)), "P-8e");
    EXPECT_EQ(ContinuationTexts(Child(first, 0)), "P-2f");

    // A variation of a variation's first move: its '}' returns to that first move, not to the
    // main line, so P-2e finds the pawn that P-2f moved.
    record = Read("1. P-7f {1. P-2f {1. P-5f} 2. P-8d 3. P-2e} 2. P-3d");
    EXPECT_EQ(ContinuationTexts(record->Root()), "P-7f P-2f P-5f");
    EXPECT_EQ(ContinuationTexts(Child(record->Root(), 1)), "P-8d");
    EXPECT_EQ(ContinuationTexts(Child(Child(record->Root(), 1), 0)), "P-2e");
    EXPECT_EQ(ContinuationTexts(Child(record->Root(), 0)), "P-3d");

    // A variation that repeats the main-line move is not merged with it.
    record = Read("1. P-7f {1. P-7f 2. P-3d}");
    EXPECT_EQ(ContinuationTexts(record->Root()), "P-7f P-7f");

    // A '{' before any move takes nothing back: its moves start from the root too.
    record = Read("{1. P-2f 2. P-8d} 1. P-7f");
    EXPECT_EQ(ContinuationTexts(record->Root()), "P-2f P-7f");
    EXPECT_EQ(ContinuationTexts(Child(record->Root(), 0)), "P-8d");
    record = Read("{{{}}} {} 1. P-7f }");
    EXPECT_EQ(ContinuationTexts(record->Root()), "P-7f");
}

TEST(Reader, BraceOutsideVariationsEndsReadingAndOpenVariationsCloseSilently) {
    auto record = Read("1. P-7f } 2. P-3d [not read");
    EXPECT_EQ(CountMoves(*record), 1);

    record = Read("1. P-7f {1. P-2f } } 2. Q-3d");
    EXPECT_EQ(ContinuationTexts(record->Root()), "P-7f P-2f");
    EXPECT_EQ(CountMoves(*record), 2);

    record = Read("1. P-7f {1. P-2f {1. P-5f 2. P-5d");
    EXPECT_EQ(ContinuationTexts(record->Root()), "P-7f P-2f P-5f");
    EXPECT_EQ(CountMoves(*record), 4);
    EXPECT_EQ(&record->Current(), &record->Root());
    EXPECT_EQ(record->GetPosition(), Position());
}

TEST(Reader, MisphrasedMovesStopAtTheFirstByteOfTheMove) {
    for (const char* text : {"Q-5e", "P-0e", "P-5j", "P-5", "P", "+", "+Q-5e", "+ P-4c", "P -7f",
                             "P*", "P*5", "S4", "hello"}) {
        auto record = ReadFailing(text, "Misphrased move.", 1, 1);
        EXPECT_EQ(record->Root().childCount, 0) << text;
    }
    // The line counts line feeds; the column counts bytes, so a two-byte character counts twice.
    ReadFailing("1. P-7f\r\n2. P-3d\n3. \xc3\xa9 P-2x", "Misphrased move.", 3, 7);
    ReadFailing("1. P-7f\r\n\r\n  2. P-3d X", "Misphrased move.", 3, 11);
    // In "S4h 5g" the move ends after 4h and the 'g' after the filler 5 starts a new move.
    auto record = ReadFailing("1. S4h 5g\r\n", "Misphrased move.", 1, 9);
    EXPECT_EQ(MainLineText(*record), "S3i-4h");
    EXPECT_EQ(PathToCurrent(*record), "S3i-4h");
}

TEST(Reader, UnresolvableAndIllegalMovesKeepWhatWasReadBefore) {
    auto record = ReadFailing("[TITLE t]\r\n1. P-7f\r\n2. P-5e", "Unresolvable move.", 3, 4);
    EXPECT_EQ(record->title, "t");
    EXPECT_EQ(PathToCurrent(*record), "P-7f");
    EXPECT_EQ(record->SideToMove(), White);

    // No pawn of the side to move stands behind 5e; a piece on the wrong square is illegal.
    ReadFailing("P-5e", "Unresolvable move.", 1, 1);
    ReadFailing("1. G5i-5h", "Illegal move.", 1, 4);
    // A king cannot promote; a forced promotion cannot be left out.
    ReadFailing("1. K-5h+", "Illegal move.", 1, 4);
    record = ReadFailing("P-1f P-9d P-1e P-9e P-1d P-9f Px1c P-5d P-1b P-5e Px1a", "Illegal move.",
                         1, 51);
    EXPECT_EQ(record->Current().number, 10);
    // A '+' after a move is its promotion, so the next move then needs a filler byte first.
    record = ReadFailing("P-7f+B8h-2b", "Illegal move.", 1, 1);
    EXPECT_EQ(record->Root().childCount, 0);

    // The third move of a variation: the variation's first two moves stay, the second is
    // current, and the position is the one after it.
    record = ReadFailing("1. P-7f 2. P-3d {2. P-8d 3. P-2f 4. B2bx8h}", "Illegal move.", 1, 37);
    EXPECT_EQ(PathToCurrent(*record), "P-7f P-8d P-2f");
    EXPECT_EQ(record->SideToMove(), White);
    EXPECT_EQ(record->Cell(SquareAt(5, 1)), Black + Pawn);
    EXPECT_EQ(ContinuationTexts(Child(record->Root(), 0)), "P-3d P-8d");
}

TEST(Reader, UnterminatedCommentKeepsEverythingBeforeTheBracket) {
    auto record = ReadFailing("[WHITE w]\r\n1. P-7f [fine]\r\n{1. P-2f [never\r\nclosed",
                              "Unterminated comment.", 3, 10);
    EXPECT_EQ(record->white, "w");
    EXPECT_EQ(Child(record->Root(), 0).comment, "fine");
    EXPECT_EQ(Child(record->Root(), 1).comment, "");
    EXPECT_EQ(PathToCurrent(*record), "P-2f");
    ReadFailing("[", "Unterminated comment.", 1, 1);
}
