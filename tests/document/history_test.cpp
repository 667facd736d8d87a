#include <gtest/gtest.h>

#include <QSignalSpy>
#include <random>
#include <string>
#include <vector>

#include "bench/recordgen.h"
#include "document/zelkandoc.h"
#include "format/recordio.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

// The record as ESN and as KIF write it.
std::string See(const CZelkanDoc& doc) {
    std::string esn, kif, refusal;
    EXPECT_TRUE(WriteRecord(doc.Record(), FileType(), esn, refusal)) << refusal;
    EXPECT_TRUE(WriteRecord(doc.Record(), DefaultFileType(RecordFormat::Kif), kif, refusal));
    return esn + kif;
}

// Walks a few random steps through the tree.
void Wander(CZelkanDoc& doc, std::mt19937& random) {
    for (int walk = random() % 4; walk > 0; --walk) {
        const int children = doc.Record().Current().ChildCount();
        if (random() % 3 == 0 || children == 0) {
            doc.GoBackward();
        } else {
            doc.SelectVariation(static_cast<int>(random() % children));
            doc.GoForward();
        }
    }
}

// One random edit where the user stands, which may be refused.
void Edit(CZelkanDoc& doc, std::mt19937& random, int step) {
    const std::string text = "note " + std::to_string(step);
    Move move;
    switch (random() % 9) {
        case 0:
        case 1:
            if (RandomLegalMove(doc.Record().GetPosition(), random, move)) doc.AddMove(move);
            return;
        case 2: {
            std::vector<Move> line;
            Position position = doc.Record().GetPosition();
            while (line.size() < 3 && RandomLegalMove(position, random, move)) {
                line.push_back(move);
                Play(position, move);
            }
            doc.AddVariation(line);
            return;
        }
        case 3:
            doc.SelectVariation(doc.Record().Current().ChildCount() > 1 ? 1 : 0);
            doc.DeleteVariation();
            return;
        case 4:
            doc.DeleteMovesAfter();
            return;
        case 5:
        case 6:
            // From a variation, where there is one.
            if (doc.GoBackward()) {
                doc.SelectVariation(
                    static_cast<int>(random() % doc.Record().Current().ChildCount()));
                doc.GoForward();
            }
            if (random() % 3 == 0)
                doc.PromoteVariation();
            else if (random() % 2)
                doc.MoveVariationUp() || doc.MoveVariationDown();
            else
                doc.MoveVariationDown() || doc.MoveVariationUp();
            return;
        case 7: {
            // Typed in two goes, then the field is left: one step.
            const auto set = random() % 2 ? &CZelkanDoc::SetGameTitle : &CZelkanDoc::SetComment;
            (doc.*set)(text.substr(0, 3));
            (doc.*set)(text);
            doc.EndTextEdit();
            return;
        }
        default:
            doc.AppendToComment(text);
    }
}

// Every random edit is undone to the very record opened and redone to the very record edited,
// step by step, with the modified flag clear exactly at the saved step.
TEST(DocumentHistory, RandomEditsUndoToTheOriginalBytesAndRedoToTheEditedOnes) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        ScriptedPrompter prompter;
        CZelkanDoc doc(prompter);
        ASSERT_TRUE(doc.OnOpenDocument(TestData("document/club-final.esn")));
        std::mt19937 random(seed);
        std::vector<std::string> seen{See(doc)};
        std::size_t saved = 0;
        for (int step = 0; seen.size() < 50; ++step) {
            Wander(doc, random);
            QSignalSpy steps(&doc, &CZelkanDoc::historyChanged);
            Edit(doc, random, step);
            if (steps.isEmpty()) continue;
            if (seen.size() == 20) {
                doc.SetModifiedFlag(false);  // as a save does
                saved = seen.size();
            }
            seen.push_back(See(doc));
            ASSERT_EQ(doc.IsModified(), seen.size() - 1 != saved);
        }
        for (std::size_t i = seen.size() - 1; i > 0; --i) {
            doc.Undo();
            Wander(doc, random);
            ASSERT_EQ(See(doc), seen[i - 1]) << "undone to step " << i - 1;
            ASSERT_EQ(doc.IsModified(), i - 1 != saved);
        }
        EXPECT_FALSE(doc.CanUndo());
        for (std::size_t i = 1; i < seen.size(); ++i) {
            doc.Redo();
            ASSERT_EQ(See(doc), seen[i]) << "redone to step " << i;
            ASSERT_EQ(doc.IsModified(), i != saved);
        }
        EXPECT_FALSE(doc.CanRedo());
    }
}

}  // namespace
