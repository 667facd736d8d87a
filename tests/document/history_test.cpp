#include <gtest/gtest.h>

#include <QSignalSpy>
#include <random>
#include <string>
#include <vector>

#include "document/zelkandoc.h"
#include "format/recordio.h"
#include "tests/document/documenttesting.h"
#include "tests/support/randomedits.h"
#include "tests/support/scriptedprompter.h"

namespace {

// The record as ESN and as KIF write it.
std::string See(const CZelkanDoc& doc) {
    std::string esn, kif, refusal;
    EXPECT_TRUE(WriteRecord(doc.Record(), FileType(), esn, refusal)) << refusal;
    EXPECT_TRUE(WriteRecord(doc.Record(), DefaultFileType(RecordFormat::Kif), kif, refusal));
    return esn + kif;
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
