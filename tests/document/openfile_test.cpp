#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "app/prompter.h"
#include "app/zelkandoc.h"
#include "tests/document/documenttesting.h"

namespace {

QString Data(const char* name) {
    return QString::fromStdString(DataFile(name));
}

// A document holding unsaved work, as the user left it before opening.
class OpenFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(doc.AddMove(PawnStep(Black, 5, 'g', 'f')));
        doc.SetComment("my own note");
        doc.SetPathName("/records/mine.esn");
        doc.m_selectedVariation = 1;
    }

    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
};

TEST_F(OpenFileTest, AGoodFileReplacesTheRecordAndStartsAtTheTop) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    ASSERT_TRUE(doc.OnOpenDocument(Data("club-final.esn")));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(doc.m_record.title, "Club final");
    EXPECT_EQ(CountMoves(doc.m_record.Root()), 6);
    EXPECT_EQ(&doc.m_record.Current(), &doc.m_record.Root());
    EXPECT_EQ(doc.m_record.GetPosition(), Position());
    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.WasReadInPart());
    EXPECT_EQ(doc.GetPathName(), QDir::cleanPath(Data("club-final.esn")));
    EXPECT_EQ(updates.count(), 1);
}

TEST_F(OpenFileTest, AReadingErrorIsShownAndWhatWasReadIsKept) {
    const struct {
        const char* name;
        const char* message;
        int movesRead;     // every node of the tree but the root
        Move currentMove;  // where reading stopped
        int currentPly;
        const char* title;
    } files[] = {
        {"illegal-move.esn", "Illegal move.", 2, PawnStep(White, 3, 'c', 'd'), 2, "Cut short"},
        {"misphrased-move.esn", "Misphrased move.", 1, PawnStep(Black, 7, 'g', 'f'), 1, ""},
        {"unresolvable-move.esn", "Unresolvable move.", 3, PawnStep(White, 3, 'c', 'd'), 2, ""},
        {"unterminated-comment.esn", "Unterminated comment.", 1, PawnStep(Black, 7, 'g', 'f'), 1,
         ""},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        prompter.asked.clear();
        QSignalSpy updates(&doc, &CZelkanDoc::updated);
        ASSERT_TRUE(doc.OnOpenDocument(Data(file.name)));
        EXPECT_EQ(prompter.asked, QStringList{QString("Error : ") + file.message});
        EXPECT_EQ(CountMoves(doc.m_record.Root()), file.movesRead);
        EXPECT_EQ(doc.m_record.Current().number, file.currentPly);
        EXPECT_TRUE(SameMove(doc.m_record.Current().move, file.currentMove));
        EXPECT_EQ(doc.m_record.title, file.title);
        EXPECT_TRUE(doc.WasReadInPart());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.GetTitle(), file.name);
        EXPECT_EQ(updates.count(), 1);

        // A good file afterwards is read whole.
        ASSERT_TRUE(doc.OnOpenDocument(Data("club-final.esn")));
        EXPECT_FALSE(doc.WasReadInPart());
    }
}

TEST_F(OpenFileTest, AFileThatCannotBeReadLeavesEverythingAsItWas) {
    QTemporaryDir folder;
    const std::pair<QString, QString> failures[] = {
        {folder.filePath("no-such-record.esn"), "The file does not exist."},
        {folder.filePath("no-such-folder/record.esn"), "The file does not exist."},
        {folder.path(), "It is a folder, not a file."},
        // Reading a terminal or a pipe would wait for input forever.
        {"/dev/null", "It is not a regular file."},
        // The kernel answers every read of this regular file at offset 0 with an I/O error.
        {"/proc/self/mem", QString::fromLocal8Bit(std::strerror(EIO)) + '.'},
    };
    for (const auto& [path, reason] : failures) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(doc.OnOpenDocument(path));
        EXPECT_EQ(doc.LastFileError(), reason);
        EXPECT_EQ(doc.m_record.Current().Comment(), "my own note");
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), "/records/mine.esn");
        EXPECT_TRUE(prompter.asked.isEmpty());
    }
}

}  // namespace
