#include <gtest/gtest.h>

#include <QSignalSpy>

#include "app/prompter.h"
#include "app/zelkandoc.h"
#include "model/moverules.h"
#include "model/position.h"
#include "tests/document/documenttesting.h"

namespace {

const Move kP7f = PawnStep(Black, 7, 'g', 'f');
const Move kP2f = PawnStep(Black, 2, 'g', 'f');
const Move kP5f = PawnStep(Black, 5, 'g', 'f');
const Move kP3d = PawnStep(White, 3, 'c', 'd');
const Move kP8d = PawnStep(White, 8, 'c', 'd');

// The document holds this tree, root current, not modified:
//   root: P-7f (main line), P-2f, P-5f
//   P-7f: P-3d (main line) then P-2f then P-8d; P-8d as a variation
//   P-2f: P-8d then P-7f
class CommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(doc.AddMove(kP7f));
        ASSERT_TRUE(doc.AddMove(kP3d));
        ASSERT_TRUE(doc.AddMove(kP2f));
        ASSERT_TRUE(doc.AddMove(kP8d));
        doc.GoTop();
        ASSERT_TRUE(doc.GoForward());
        ASSERT_TRUE(doc.AddMove(kP8d));
        doc.GoTop();
        ASSERT_TRUE(doc.AddMove(kP2f));
        ASSERT_TRUE(doc.AddMove(kP8d));
        ASSERT_TRUE(doc.AddMove(kP7f));
        doc.GoTop();
        ASSERT_TRUE(doc.AddMove(kP5f));
        doc.GoTop();
        doc.SetModifiedFlag(false);
    }

    const MoveNode& Current() const { return doc.m_record.Current(); }
    const MoveNode& Root() const { return doc.m_record.Root(); }

    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
};

TEST_F(CommandsTest, ForwardEntersTheChosenContinuationAndChoosesTheMainLineAgain) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.m_selectedVariation = 2;
    EXPECT_TRUE(doc.GoForward());
    EXPECT_TRUE(SameMove(Current().move, kP5f));
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_EQ(updates.count(), 1);

    // P-5f has no continuation: nothing moves, the choice stays, nothing is redrawn.
    doc.m_selectedVariation = 1;
    EXPECT_FALSE(doc.GoForward());
    EXPECT_TRUE(SameMove(Current().move, kP5f));
    EXPECT_EQ(doc.m_selectedVariation, 1);
    EXPECT_EQ(updates.count(), 1);

    // Nor does a choice beyond the list.
    doc.GoTop();
    updates.clear();
    doc.m_selectedVariation = 3;
    EXPECT_FALSE(doc.GoForward());
    EXPECT_EQ(&Current(), &Root());
    EXPECT_EQ(doc.m_selectedVariation, 3);
    EXPECT_EQ(updates.count(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CommandsTest, EndFollowsTheChosenContinuationThenItsMainLine) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.m_selectedVariation = 1;
    doc.GoEnd();
    // P-2f, then P-8d and P-7f below it.
    EXPECT_EQ(Current().number, 3);
    EXPECT_TRUE(SameMove(Current().move, kP7f));
    EXPECT_TRUE(SameMove(Current().parent->parent->move, kP2f));
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_EQ(updates.count(), 1);

    Position expected;
    Play(expected, Current().parent->parent->move);
    Play(expected, Current().parent->move);
    Play(expected, Current().move);
    EXPECT_EQ(doc.m_record.GetPosition(), expected);
}

TEST_F(CommandsTest, EndWithNothingToFollowStillAnnouncesAnUpdate) {
    doc.m_selectedVariation = 2;
    doc.GoEnd();
    ASSERT_EQ(Current().childCount, 0);

    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.m_selectedVariation = 4;
    doc.GoEnd();
    EXPECT_TRUE(SameMove(Current().move, kP5f));
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_EQ(updates.count(), 1);

    // A choice beyond the list moves nothing either, and still announces.
    doc.GoTop();
    updates.clear();
    doc.m_selectedVariation = 7;
    doc.GoEnd();
    EXPECT_EQ(&Current(), &Root());
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_EQ(updates.count(), 1);
}

TEST_F(CommandsTest, BackwardResetsTheChoiceEvenWhenItCannotMove) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.m_selectedVariation = 2;
    EXPECT_FALSE(doc.GoBackward());
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_EQ(updates.count(), 0);
    EXPECT_FALSE(doc.CanGoBack());

    doc.GoEnd();
    updates.clear();
    doc.m_selectedVariation = 1;
    EXPECT_TRUE(doc.GoBackward());
    EXPECT_EQ(Current().number, 3);
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_EQ(updates.count(), 1);
    EXPECT_TRUE(doc.CanGoBack());
}

TEST_F(CommandsTest, TopRebuildsTheStartingPositionAndAlwaysAnnounces) {
    doc.m_selectedVariation = 1;
    doc.GoEnd();
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.m_selectedVariation = 1;
    doc.GoTop();
    EXPECT_EQ(&Current(), &Root());
    EXPECT_EQ(doc.m_record.GetPosition(), Position());
    EXPECT_EQ(doc.m_selectedVariation, 0);
    doc.GoTop();
    EXPECT_EQ(updates.count(), 2);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CommandsTest, DeleteRemovesTheChosenVariationWithItsSubtree) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    QSignalSpy modified(&doc, &CZelkanDoc::modifiedChanged);
    const Position before = doc.m_record.GetPosition();
    doc.m_selectedVariation = 1;
    EXPECT_TRUE(doc.DeleteVariation());

    EXPECT_EQ(&Current(), &Root());
    EXPECT_EQ(doc.m_record.GetPosition(), before);
    ASSERT_EQ(Root().childCount, 2);
    EXPECT_TRUE(SameMove(Root().Continuation(0)->move, kP7f));
    EXPECT_TRUE(SameMove(Root().Continuation(1)->move, kP5f));
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(updates.count(), 1);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.at(0).at(0).toBool());
}

TEST_F(CommandsTest, DeleteOfAMissingContinuationChangesNothing) {
    doc.m_selectedVariation = 2;
    doc.GoForward();
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    EXPECT_FALSE(doc.CanGoForward());
    EXPECT_FALSE(doc.DeleteVariation());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(updates.count(), 0);

    doc.GoTop();
    doc.m_selectedVariation = 3;
    EXPECT_FALSE(doc.DeleteVariation());
    EXPECT_EQ(Root().childCount, 3);
    EXPECT_EQ(doc.m_selectedVariation, 3);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CommandsTest, AMoveEqualToAContinuationIsFollowedWithoutModifying) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.m_selectedVariation = 2;
    EXPECT_TRUE(doc.PlayExisting(kP2f));
    EXPECT_TRUE(SameMove(Current().move, kP2f));
    EXPECT_EQ(Current().parent, &Root());
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_EQ(updates.count(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Root().childCount, 3);

    // A move that is not there is left to AddMove.
    doc.m_selectedVariation = 1;
    EXPECT_FALSE(doc.PlayExisting(PawnStep(White, 1, 'c', 'd')));
    EXPECT_EQ(Current().parent, &Root());
    EXPECT_EQ(doc.m_selectedVariation, 1);
    EXPECT_EQ(updates.count(), 1);
}

TEST_F(CommandsTest, ANewMoveBecomesTheLastVariationAndModifies) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.m_selectedVariation = 1;
    const Move p1f = PawnStep(Black, 1, 'g', 'f');
    EXPECT_TRUE(doc.AddMove(p1f));
    ASSERT_EQ(Root().childCount, 4);
    EXPECT_EQ(&Current(), Root().Continuation(3));
    EXPECT_TRUE(SameMove(Current().move, p1f));
    EXPECT_EQ(Current().number, 1);
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(updates.count(), 1);

    // Where nothing follows, a new move becomes the main line.
    const Move p3d = PawnStep(White, 3, 'c', 'd');
    EXPECT_TRUE(doc.AddMove(p3d));
    EXPECT_EQ(Current().parent->childCount, 1);
    EXPECT_EQ(Current().parent->Continuation(0), &Current());
}

TEST_F(CommandsTest, AnIllegalMoveChangesNothing) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.m_selectedVariation = 2;
    const Move pawnTwoSquares = PawnStep(Black, 1, 'g', 'e');
    EXPECT_FALSE(doc.AddMove(pawnTwoSquares));
    const Move whiteOutOfTurn = PawnStep(White, 1, 'c', 'd');
    EXPECT_FALSE(doc.AddMove(whiteOutOfTurn));
    EXPECT_EQ(Root().childCount, 3);
    EXPECT_EQ(&Current(), &Root());
    EXPECT_EQ(doc.m_selectedVariation, 2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(updates.count(), 0);
}

TEST(DocumentTexts, SettersStoreAndModifyOnlyWhenTheBytesDiffer) {
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    QSignalSpy modified(&doc, &CZelkanDoc::modifiedChanged);

    doc.SetGameTitle("");
    doc.SetBlackPlayer("");
    doc.SetWhitePlayer("");
    doc.SetComment("");
    EXPECT_FALSE(doc.IsModified());

    doc.SetGameTitle("Club final");
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    doc.SetGameTitle("Club final");
    EXPECT_FALSE(doc.IsModified());
    doc.SetGameTitle("club final");
    EXPECT_TRUE(doc.IsModified());

    // The same name in two encodings is two different texts.
    doc.SetBlackPlayer("Jos\xc3\xa9");
    doc.SetModifiedFlag(false);
    doc.SetBlackPlayer("Jos\xe9");
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    doc.SetBlackPlayer("Jos\xe9");
    EXPECT_FALSE(doc.IsModified());

    doc.SetWhitePlayer("Player B");
    doc.SetModifiedFlag(false);
    doc.SetWhitePlayer("Player B");
    EXPECT_FALSE(doc.IsModified());

    std::string title, black, white;
    doc.GetGameInfo(title, black, white);
    EXPECT_EQ(title, "club final");
    EXPECT_EQ(black, "Jos\xe9");
    EXPECT_EQ(white, "Player B");
    EXPECT_EQ(updates.count(), 0);
}

TEST(DocumentTexts, TheCommentBelongsToTheCurrentNode) {
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    doc.SetComment("Quiet start");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.AddMove(PawnStep(Black, 7, 'g', 'f')));
    doc.SetModifiedFlag(false);

    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    doc.SetComment("Line one\r\nLine two");
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    doc.SetComment("Line one\r\nLine two");
    EXPECT_FALSE(doc.IsModified());
    doc.SetComment("Line one\nLine two");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(updates.count(), 0);

    EXPECT_EQ(doc.m_record.Current().comment, "Line one\nLine two");
    EXPECT_EQ(doc.m_record.Root().comment, "Quiet start");
}

TEST(DocumentFlags, ModifiedAndTitleAreAnnouncedOnlyWhenTheyChange) {
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    QSignalSpy modified(&doc, &CZelkanDoc::modifiedChanged);
    QSignalSpy titles(&doc, &CZelkanDoc::titleChanged);

    doc.SetModifiedFlag(false);
    EXPECT_EQ(modified.count(), 0);
    doc.SetModifiedFlag();
    doc.SetModifiedFlag(true);
    ASSERT_EQ(modified.count(), 1);
    doc.SetModifiedFlag(false);
    ASSERT_EQ(modified.count(), 2);
    EXPECT_FALSE(modified.at(1).at(0).toBool());

    EXPECT_EQ(doc.GetTitle(), "Untitled");
    doc.SetPathName("/records/club/final.esn");
    EXPECT_EQ(doc.GetTitle(), "final.esn");
    doc.SetPathName("/records/club/final.esn");
    doc.SetPathName("/records/final.esn");
    ASSERT_EQ(titles.count(), 2);
    EXPECT_EQ(titles.at(1).at(0).toString(), "final.esn");
}

TEST(DocumentFlags, PieceStyleOnlyMovesTheCheckMarks) {
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    EXPECT_TRUE(doc.IsJapaneseChecked());
    EXPECT_FALSE(doc.IsInternationalChecked());
    doc.m_japanesePieces = 0;
    EXPECT_FALSE(doc.IsJapaneseChecked());
    EXPECT_TRUE(doc.IsInternationalChecked());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CommandsTest, NewDocumentStartsEmptyAndUntitled) {
    doc.SetGameTitle("Club final");
    doc.SetPathName("/records/final.esn");
    doc.m_selectedVariation = 2;
    doc.GoEnd();
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    QSignalSpy titles(&doc, &CZelkanDoc::titleChanged);

    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(Root().childCount, 0);
    EXPECT_EQ(&Current(), &Root());
    EXPECT_EQ(doc.m_record.title, "");
    EXPECT_EQ(doc.m_record.GetPosition(), Position());
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), "Untitled");
    EXPECT_EQ(updates.count(), 1);
}

}  // namespace
