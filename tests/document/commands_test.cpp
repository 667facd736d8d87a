#include <gtest/gtest.h>

#include <QSignalSpy>
#include <functional>
#include <vector>

#include "document/zelkandoc.h"
#include "format/recordio.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

const Move kP7f = StartMove("7g7f");
const Move kP2f = StartMove("2g2f");
const Move kP3d = StartMove("3c3d");
const Move kP8d = StartMove("8c8d");
const Move kP1d = StartMove("1c1d");
const Move kP1f = StartMove("1g1f");

// Seven moves, root current, not modified, no history:
//   root: P-7f P-3d P-2f (main line); P-2f P-8d P-7f; P-5f
void BuildTree(CZelkanDoc& doc) {
    ASSERT_TRUE(
        doc.OpenRecordText("1. P-7f\r\n{\r\n1. P-2f\r\n2. P-8d\r\n3. P-7f\r\n}\r\n"
                           "{\r\n1. P-5f\r\n}\r\n2. P-3d\r\n3. P-2f\r\n"));
    doc.SetModifiedFlag(false);
}

const MoveNode* NodeAt(const GameRecord& record, const std::vector<int>& path) {
    const MoveNode* node = &record.Root();
    for (int index : path)
        node = node->Continuation(index);
    return node;
}

std::string EsnBytes(const GameRecord& record) {
    std::string bytes;
    std::string refusal;
    EXPECT_TRUE(WriteRecord(record, FileType(), bytes, refusal)) << refusal;
    return bytes;
}

// Each command from a given node with a given continuation chosen: what it answers, where it
// leaves the current node and the choice, whether it announces a change to the views, how many
// moves the record then holds and whether that is an edit. An edit is undone back to the node,
// the choice and the very bytes it started from, unmodified, and redone to where it ended.
TEST(DocumentCommands, EachCommandMovesChoosesAnnouncesEditsAndUndoesAsItShould) {
    using Command = std::function<bool(CZelkanDoc&)>;
    const Command forward = [](CZelkanDoc& doc) { return doc.GoForward(); };
    const Command back = [](CZelkanDoc& doc) { return doc.GoBackward(); };
    const Command top = [](CZelkanDoc& doc) { return doc.GoTop(), true; };
    const Command end = [](CZelkanDoc& doc) { return doc.GoEnd(), true; };
    const Command erase = [](CZelkanDoc& doc) { return doc.DeleteVariation(); };
    const Command cut = [](CZelkanDoc& doc) { return doc.DeleteMovesAfter(); };
    const Command promote = [](CZelkanDoc& doc) { return doc.PromoteVariation(); };
    const Command up = [](CZelkanDoc& doc) { return doc.MoveVariationUp(); };
    const Command down = [](CZelkanDoc& doc) { return doc.MoveVariationDown(); };
    const auto play = [](Move m) -> Command {
        return [m](CZelkanDoc& d) { return d.PlayExisting(m); };
    };
    const auto add = [](Move m) -> Command { return [m](CZelkanDoc& d) { return d.AddMove(m); }; };
    const struct {
        std::vector<int> from;
        int choice;
        Command command;
        bool answer;
        std::vector<int> to;
        int choiceAfter;
        bool announces;
        long long moves;
        bool edits;
    } cases[] = {
        {{}, 2, forward, true, {2}, 0, true, 7, false},
        {{2}, 1, forward, false, {2}, 1, false, 7, false},  // nothing follows: the choice stays
        {{}, 1, end, true, {1, 0, 0}, 0, true, 7, false},   // the chosen one, then its main line
        {{}, 7, end, true, {}, 0, true, 7, false},          // nothing to follow: still announces
        {{}, 2, back, false, {}, 0, false, 7, false},       // at the root: still resets the choice
        {{0, 0, 0}, 1, back, true, {0, 0}, 0, true, 7, false},
        {{1, 0, 0}, 1, top, true, {}, 0, true, 7, false},
        {{}, 2, play(kP2f), true, {1}, 0, true, 7, false},   // follows an equal continuation
        {{}, 1, play(kP1d), false, {}, 1, false, 7, false},  // nothing to follow
        {{}, 1, add(kP1f), true, {3}, 0, true, 8, true},
        {{}, 2, add(kP1d), false, {}, 2, false, 7, false},  // White out of turn
        {{}, 1, erase, true, {}, 0, true, 4, true},         // the chosen variation, all three moves
        {{2}, 0, erase, false, {2}, 0, false, 7, false},
        {{}, 3, erase, false, {}, 3, false, 7, false},
        {{0}, 1, cut, true, {0}, 0, true, 5, true},
        {{1, 0, 0}, 0, promote, true, {0, 0, 0}, 0, true, 7, true},
        {{2}, 0, up, true, {1}, 0, true, 7, true},
        {{1}, 0, down, true, {2}, 0, true, 7, true},
        {{2}, 0, down, false, {2}, 0, false, 7, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << (&c - cases));
        ScriptedPrompter prompter;
        CZelkanDoc doc(prompter);
        BuildTree(doc);
        for (int index : c.from) {
            doc.SelectVariation(index);
            ASSERT_TRUE(doc.GoForward());
        }
        doc.SelectVariation(c.choice);
        const std::string before = EsnBytes(doc.Record());
        QSignalSpy moves(&doc, &CZelkanDoc::currentNodeChanged);
        QSignalSpy edits(&doc, &CZelkanDoc::nodeChanged);
        QSignalSpy choices(&doc, &CZelkanDoc::selectionChanged);

        EXPECT_EQ(c.command(doc), c.answer);
        EXPECT_EQ(&doc.Record().Current(), NodeAt(doc.Record(), c.to));
        EXPECT_EQ(doc.SelectedVariation(), c.choiceAfter);
        EXPECT_EQ(choices.count(), c.choice == c.choiceAfter ? 0 : 1);
        EXPECT_EQ(moves.count() + edits.count() > 0, c.announces);
        EXPECT_EQ(CountMoves(doc.Record().Root()), c.moves);
        EXPECT_EQ(doc.IsModified(), c.edits);
        EXPECT_EQ(doc.CanUndo(), c.edits);
        if (!c.edits) continue;

        const std::string after = EsnBytes(doc.Record());
        doc.Undo();
        EXPECT_EQ(EsnBytes(doc.Record()), before);
        EXPECT_EQ(&doc.Record().Current(), NodeAt(doc.Record(), c.from));
        EXPECT_EQ(doc.SelectedVariation(), c.choice);
        EXPECT_FALSE(doc.IsModified());
        doc.Redo();
        EXPECT_EQ(EsnBytes(doc.Record()), after);
        EXPECT_EQ(&doc.Record().Current(), NodeAt(doc.Record(), c.to));
        EXPECT_EQ(doc.SelectedVariation(), 0);
        EXPECT_TRUE(doc.IsModified());
    }
}

// Typing a word is one step; leaving the field ends it. Typing and taking it back is no step.
TEST(DocumentTexts, AFieldsChangesJoinOneStepUntilTheFieldIsLeft) {
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    ASSERT_TRUE(doc.AddMove(kP7f));
    doc.SetModifiedFlag(false);
    for (const char* title : {"C", "Cl", "Club"})
        doc.SetGameTitle(title);
    EXPECT_EQ(doc.UndoName(), "Edit Title");
    doc.SetComment("a");
    doc.SetComment("ab");
    doc.EndTextEdit();
    doc.SetComment("abc");

    const auto texts = [&doc] {
        return doc.Record().Title() + "|" + doc.Record().Current().Comment();
    };
    doc.Undo();
    EXPECT_EQ(texts(), "Club|ab");
    doc.Undo();
    EXPECT_EQ(texts(), "Club|");
    doc.Undo();
    EXPECT_EQ(texts(), "|");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.UndoName(), "Add Move");
    for (int i = 0; i < 3; ++i)
        doc.Redo();
    EXPECT_EQ(texts(), "Club|abc");

    // After a save a change starts a step of its own, and one taken back leaves none.
    doc.SetModifiedFlag(false);
    doc.SetWhitePlayer("x");
    EXPECT_TRUE(doc.IsModified());
    doc.SetWhitePlayer("");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.UndoName(), "Edit Comment");
    EXPECT_FALSE(doc.CanRedo());
}

TEST(DocumentFlags, NewDocumentStartsEmptyAndUntitled) {
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    ASSERT_TRUE(doc.OnOpenDocument(TestData("document/club-final.esn")));
    doc.GoEnd();
    doc.SetComment("a step");
    doc.SelectVariation(1);
    QSignalSpy updates(&doc, &CZelkanDoc::recordReplaced);
    QSignalSpy titles(&doc, &CZelkanDoc::titleChanged);
    QSignalSpy modified(&doc, &CZelkanDoc::modifiedChanged);

    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.Record().Root().ChildCount(), 0);
    EXPECT_EQ(doc.Record().Title(), "");
    EXPECT_EQ(doc.SelectedVariation(), 0);
    EXPECT_EQ(updates.count(), 1);
    EXPECT_FALSE(doc.CanUndo());
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), "Untitled");

    // Title and modified flag are announced only when they change.
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(titles.count(), 1);
    ASSERT_EQ(modified.count(), 3);
    EXPECT_FALSE(modified.at(2).at(0).toBool());
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
