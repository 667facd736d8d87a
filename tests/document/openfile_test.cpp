#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <vector>

#include "app/prompter.h"
#include "app/zelkandoc.h"
#include "model/moverules.h"
#include "tests/document/documenttesting.h"

namespace {

QString Data(const char* name) {
    return QString::fromStdString(DataFile(name));
}

// A document holding one modified move with a comment, as the user left it before opening.
class OpenFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(doc.AddMove(PawnStep(Black, 5, 'g', 'f')));
        doc.SetComment("my own note");
        doc.SetGameTitle("Unsaved work");
    }

    void ExpectUnsavedWorkKept() {
        EXPECT_EQ(doc.m_record.title, "Unsaved work");
        EXPECT_EQ(doc.m_record.Current().comment, "my own note");
        EXPECT_EQ(doc.m_record.Current().number, 1);
        EXPECT_EQ(doc.m_record.Root().childCount, 1);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_TRUE(doc.GetPathName().isEmpty());
        EXPECT_EQ(doc.GetTitle(), "Untitled");
        EXPECT_TRUE(prompter.asked.isEmpty()) << prompter.asked.join('|').toStdString();
    }

    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
};

TEST_F(OpenFileTest, AGoodFileReplacesTheRecordAndStartsAtTheTop) {
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    QSignalSpy titles(&doc, &CZelkanDoc::titleChanged);
    doc.m_selectedVariation = 1;
    ASSERT_TRUE(doc.OnOpenDocument(Data("club-final.esn")));

    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(doc.m_record.title, "Club final");
    EXPECT_EQ(doc.m_record.black, "Player A");
    EXPECT_EQ(doc.m_record.white, "Player B");
    const MoveNode& root = doc.m_record.Root();
    EXPECT_EQ(&doc.m_record.Current(), &root);
    EXPECT_EQ(doc.m_record.GetPosition(), Position());
    EXPECT_EQ(root.comment, "Quiet start");
    ASSERT_EQ(root.childCount, 1);
    const MoveNode* reply = root.Continuation(0)->Continuation(0);
    EXPECT_EQ(reply->comment, "The usual reply");
    ASSERT_EQ(root.Continuation(0)->childCount, 2);
    EXPECT_TRUE(
        SameMove(root.Continuation(0)->Continuation(1)->move, PawnStep(White, 8, 'c', 'd')));

    EXPECT_EQ(doc.m_selectedVariation, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.WasReadInPart());
    EXPECT_EQ(doc.GetPathName(), QDir::cleanPath(Data("club-final.esn")));
    EXPECT_EQ(doc.GetTitle(), "club-final.esn");
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), "club-final.esn");
    EXPECT_EQ(updates.count(), 1);

    doc.GoEnd();
    EXPECT_EQ(doc.m_record.Current().number, 4);
}

TEST_F(OpenFileTest, AnEmptyFileGivesAnEmptyRecord) {
    QTemporaryDir folder;
    const QString path = folder.filePath("empty.esn");
    ASSERT_TRUE(WriteBytes(path, QByteArray()));
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.m_record.title, "");
    EXPECT_EQ(doc.m_record.Root().childCount, 0);
    EXPECT_EQ(doc.m_record.Root().comment, "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.WasReadInPart());
}

struct BrokenFile {
    const char* name;
    const char* message;
    int movesRead;     // every node of the tree but the root
    int currentPly;    // where reading stopped
    Move currentMove;  // the move of that node
};

class BrokenFileTest : public OpenFileTest, public ::testing::WithParamInterface<BrokenFile> {};

TEST_P(BrokenFileTest, ShowsTheErrorAndKeepsWhatWasRead) {
    const BrokenFile& file = GetParam();
    QSignalSpy updates(&doc, &CZelkanDoc::updated);
    ASSERT_TRUE(doc.OnOpenDocument(Data(file.name)));

    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked.at(0).toStdString(), std::string("Error : ") + file.message);
    EXPECT_EQ(CountMoves(doc.m_record.Root()), file.movesRead);
    EXPECT_EQ(doc.m_record.Current().number, file.currentPly);
    EXPECT_TRUE(SameMove(doc.m_record.Current().move, file.currentMove));
    EXPECT_TRUE(doc.WasReadInPart());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), QString::fromLatin1(file.name));
    EXPECT_EQ(updates.count(), 1);
    // The unsaved work before the open is gone: the partial record replaced it.
    EXPECT_NE(doc.m_record.title, "Unsaved work");

    // Reading a good file afterwards clears the partly-read state.
    ASSERT_TRUE(doc.OnOpenDocument(Data("club-final.esn")));
    EXPECT_FALSE(doc.WasReadInPart());
}

INSTANTIATE_TEST_SUITE_P(FourErrors, BrokenFileTest,
                         ::testing::Values(BrokenFile{"illegal-move.esn", "Illegal move.", 2, 2,
                                                      PawnStep(White, 3, 'c', 'd')},
                                           BrokenFile{"misphrased-move.esn", "Misphrased move.", 1,
                                                      1, PawnStep(Black, 7, 'g', 'f')},
                                           BrokenFile{"unresolvable-move.esn", "Unresolvable move.",
                                                      3, 2, PawnStep(White, 3, 'c', 'd')},
                                           BrokenFile{"unterminated-comment.esn",
                                                      "Unterminated comment.", 1, 1,
                                                      PawnStep(Black, 7, 'g', 'f')}));

TEST_F(OpenFileTest, TheHeaderReadBeforeAnErrorIsKept) {
    ASSERT_TRUE(doc.OnOpenDocument(Data("illegal-move.esn")));
    EXPECT_EQ(doc.m_record.title, "Cut short");
    EXPECT_EQ(doc.m_record.Current().comment, "");
    Position expected;
    Play(expected, doc.m_record.Root().Continuation(0)->move);
    Play(expected, doc.m_record.Current().move);
    EXPECT_EQ(doc.m_record.GetPosition(), expected);
}

TEST_F(OpenFileTest, AMissingFileLeavesTheRecordAsItWas) {
    QTemporaryDir folder;
    EXPECT_FALSE(doc.OnOpenDocument(folder.filePath("no-such-record.esn")));
    EXPECT_EQ(doc.LastFileError(), "The file does not exist.");
    ExpectUnsavedWorkKept();

    EXPECT_FALSE(doc.OnOpenDocument(folder.filePath("no-such-folder/record.esn")));
    EXPECT_EQ(doc.LastFileError(), "The file does not exist.");
    ExpectUnsavedWorkKept();
}

TEST_F(OpenFileTest, AFolderIsNotOpened) {
    QTemporaryDir folder;
    EXPECT_FALSE(doc.OnOpenDocument(folder.path()));
    EXPECT_EQ(doc.LastFileError(), "It is a folder, not a file.");
    ExpectUnsavedWorkKept();
}

TEST_F(OpenFileTest, ADeviceIsNotOpened) {
    // Reading a terminal or a pipe would wait for input forever.
    EXPECT_FALSE(doc.OnOpenDocument("/dev/null"));
    EXPECT_EQ(doc.LastFileError(), "It is not a regular file.");
    ExpectUnsavedWorkKept();
}

TEST_F(OpenFileTest, AFileThatFailsWhileBeingReadLeavesTheRecordAsItWas) {
    // The kernel answers every read of this regular file at offset 0 with an I/O error.
    EXPECT_FALSE(doc.OnOpenDocument("/proc/self/mem"));
    EXPECT_EQ(doc.LastFileError(), QString::fromLocal8Bit(std::strerror(EIO)) + '.');
    ExpectUnsavedWorkKept();
}

TEST_F(OpenFileTest, AFailedOpenAfterAGoodOneKeepsThePath) {
    ASSERT_TRUE(doc.OnOpenDocument(Data("club-final.esn")));
    EXPECT_FALSE(doc.OnOpenDocument(Data("missing.esn")));
    EXPECT_EQ(doc.GetTitle(), "club-final.esn");
    EXPECT_EQ(doc.m_record.title, "Club final");
}

TEST_F(OpenFileTest, AnUnreadableFileSaysPermissionDenied) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    QTemporaryDir folder;
    const QString path = folder.filePath("locked.esn");
    ASSERT_TRUE(WriteBytes(path, "1. P-7f\r\n"));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.LastFileError(), "Permission denied.");
    ExpectUnsavedWorkKept();
}

}  // namespace
