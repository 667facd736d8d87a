#include <gtest/gtest.h>

#include <QSignalSpy>
#include <array>
#include <functional>
#include <vector>

#include "document/zelkandoc.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

const Move kP7f = StartMove("7g7f");
const Move kP2f = StartMove("2g2f");
const Move kP3d = StartMove("3c3d");
const Move kP8d = StartMove("8c8d");
const Move kP1d = StartMove("1c1d");
const Move kP1f = StartMove("1g1f");

// Seven moves, root current, not modified:
//   root: P-7f P-3d P-2f (main line); P-2f P-8d P-7f; P-5f
void BuildTree(CZelkanDoc& doc) {
    for (const Move& move : {kP7f, kP3d, kP2f})
        ASSERT_TRUE(doc.AddMove(move));
    doc.GoTop();
    for (const Move& move : {kP2f, kP8d, kP7f})
        ASSERT_TRUE(doc.AddMove(move));
    doc.GoTop();
    ASSERT_TRUE(doc.AddMove(StartMove("5g5f")));
    doc.GoTop();
    doc.SetModifiedFlag(false);
}

const MoveNode* NodeAt(const GameRecord& record, const std::vector<int>& path) {
    const MoveNode* node = &record.Root();
    for (int index : path)
        node = node->Continuation(index);
    return node;
}

// Each command from a given node with a given continuation chosen: what it answers, where it
// leaves the current node and the choice, how often it announces an update, and how many moves
// the record then holds (a changed count must set the modified flag).
TEST(DocumentCommands, EachCommandMovesChoosesAnnouncesAndModifiesAsItShould) {
    using Command = std::function<bool(CZelkanDoc&)>;
    const Command forward = [](CZelkanDoc& doc) { return doc.GoForward(); };
    const Command back = [](CZelkanDoc& doc) { return doc.GoBackward(); };
    const Command top = [](CZelkanDoc& doc) { return doc.GoTop(), true; };
    const Command end = [](CZelkanDoc& doc) { return doc.GoEnd(), true; };
    const Command erase = [](CZelkanDoc& doc) { return doc.DeleteVariation(); };
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
        int updates;
        long long moves;
    } cases[] = {
        {{}, 2, forward, true, {2}, 0, 1, 7},
        {{2}, 1, forward, false, {2}, 1, 0, 7},  // nothing follows: the choice stays
        {{}, 1, end, true, {1, 0, 0}, 0, 1, 7},  // the chosen one, then its main line
        {{}, 7, end, true, {}, 0, 1, 7},         // nothing to follow: still announces
        {{}, 2, back, false, {}, 0, 0, 7},       // at the root: still resets the choice
        {{0, 0, 0}, 1, back, true, {0, 0}, 0, 1, 7},
        {{1, 0, 0}, 1, top, true, {}, 0, 1, 7},
        {{}, 2, play(kP2f), true, {1}, 0, 1, 7},  // follows an equal continuation
        {{}, 1, play(kP1d), false, {}, 1, 0, 7},  // nothing to follow
        {{}, 1, add(kP1f), true, {3}, 0, 1, 8},
        {{}, 2, add(kP1d), false, {}, 2, 0, 7},  // White out of turn
        {{}, 1, erase, true, {}, 0, 1, 4},       // the chosen variation, all three moves
        {{2}, 0, erase, false, {2}, 0, 0, 7},
        {{}, 3, erase, false, {}, 3, 0, 7},
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
        QSignalSpy updates(&doc, &CZelkanDoc::updated);
        QSignalSpy choices(&doc, &CZelkanDoc::selectionChanged);

        EXPECT_EQ(c.command(doc), c.answer);
        EXPECT_EQ(&doc.Record().Current(), NodeAt(doc.Record(), c.to));
        EXPECT_EQ(doc.SelectedVariation(), c.choiceAfter);
        EXPECT_EQ(choices.count(), c.choice == c.choiceAfter ? 0 : 1);
        EXPECT_EQ(updates.count(), c.updates);
        EXPECT_EQ(CountMoves(doc.Record().Root()), c.moves);
        EXPECT_EQ(doc.IsModified(), c.moves != 7);
    }
}

// The setters compare bytes: the same name in another case or another encoding is another text.
// The comment is the current node's.
TEST(DocumentTexts, EachSetterStoresAndModifiesOnlyWhenTheBytesDiffer) {
    for (int field = 0; field < 4; ++field) {
        SCOPED_TRACE(field);
        ScriptedPrompter prompter;
        CZelkanDoc doc(prompter);
        ASSERT_TRUE(doc.AddMove(kP7f));
        doc.SetModifiedFlag(false);
        QSignalSpy updates(&doc, &CZelkanDoc::updated);
        const auto set = [&](const std::string& text) {
            const std::array setters{&CZelkanDoc::SetGameTitle, &CZelkanDoc::SetBlackPlayer,
                                     &CZelkanDoc::SetWhitePlayer, &CZelkanDoc::SetComment};
            (doc.*setters[field])(text);
            const bool modified = doc.IsModified();
            doc.SetModifiedFlag(false);
            return modified;
        };
        EXPECT_FALSE(set(""));
        EXPECT_TRUE(set("jos\xc3\xa9"));
        EXPECT_TRUE(set("Jos\xc3\xa9"));
        EXPECT_FALSE(set("Jos\xc3\xa9"));
        EXPECT_TRUE(set("Jos\xe9"));

        std::string texts[4];
        doc.GetGameInfo(texts[0], texts[1], texts[2]);
        texts[3] = doc.Record().Current().Comment();
        for (int other = 0; other < 4; ++other)
            EXPECT_EQ(texts[other], other == field ? "Jos\xe9" : "");
        EXPECT_EQ(doc.Record().Root().Comment(), "");
        EXPECT_EQ(updates.count(), 0);
    }
}

TEST(DocumentFlags, NewDocumentStartsEmptyAndUntitled) {
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    ASSERT_TRUE(doc.OnOpenDocument(TestData("document/club-final.esn")));
    doc.GoEnd();
    doc.SelectVariation(1);
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    QSignalSpy titles(&doc, &CZelkanDoc::titleChanged);
    QSignalSpy modified(&doc, &CZelkanDoc::modifiedChanged);

    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.Record().Root().ChildCount(), 0);
    EXPECT_EQ(doc.Record().Title(), "");
    EXPECT_EQ(doc.SelectedVariation(), 0);
    EXPECT_EQ(updates.count(), 1);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), "Untitled");

    // Title, modified flag and piece style are announced only when they change.
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(titles.count(), 1);
    ASSERT_EQ(modified.count(), 2);
    EXPECT_FALSE(modified.at(1).at(0).toBool());
    QSignalSpy styles(&doc, &CZelkanDoc::pieceStyleChanged);
    doc.SetJapanesePieces(true);
    doc.SetJapanesePieces(false);
    EXPECT_EQ(styles.count(), 1);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
