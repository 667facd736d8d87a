#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "document/zelkandoc.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

QString Data(const char* name) {
    return TestData("document/") + name;
}

// A document holding unsaved work, as the user left it before opening.
class OpenFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(doc.AddMove(StartMove("5g5f")));
        doc.SetComment("my own note");
        doc.SelectVariation(1);
    }

    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
};

TEST_F(OpenFileTest, AGoodFileReplacesTheRecordAndStartsAtTheTop) {
    QSignalSpy updates(&doc, &CZelkanDoc::recordReplaced);
    ASSERT_TRUE(doc.OnOpenDocument(Data("club-final.esn")));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(doc.Record().Title(), "Club final");
    EXPECT_EQ(CountMoves(doc.Record().Root()), 6);
    EXPECT_EQ(&doc.Record().Current(), &doc.Record().Root());
    EXPECT_EQ(doc.Record().GetPosition(), Position());
    EXPECT_EQ(doc.SelectedVariation(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.WasReadInPart());
    EXPECT_EQ(doc.GetPathName(), QDir::cleanPath(Data("club-final.esn")));
    EXPECT_EQ(updates.count(), 1);
}

TEST_F(OpenFileTest, AReadingErrorIsShownAndWhatWasReadIsKept) {
    const struct {
        const char* name;
        const char* message;  // with the place where reading stopped
        int movesRead;        // every node of the tree but the root
        Move currentMove;     // where reading stopped
        int currentPly;
        const char* title;
    } files[] = {
        {"illegal-move.esn", "Illegal move. (line 4, column 4)", 2, StartMove("3c3d"), 2,
         "Cut short"},
        {"unresolvable-move.esn", "Unresolvable move. (line 5, column 4)", 3, StartMove("3c3d"), 2,
         ""},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        prompter.asked.clear();
        QSignalSpy updates(&doc, &CZelkanDoc::recordReplaced);
        ASSERT_TRUE(doc.OnOpenDocument(Data(file.name)));
        EXPECT_EQ(prompter.asked, QStringList{QString("Error : ") + file.message});
        EXPECT_EQ(CountMoves(doc.Record().Root()), file.movesRead);
        EXPECT_EQ(doc.Record().Current().number, file.currentPly);
        EXPECT_TRUE(SameMove(doc.Record().Current().move, file.currentMove));
        EXPECT_EQ(doc.Record().Title(), file.title);
        EXPECT_TRUE(doc.WasReadInPart());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.GetTitle(), file.name);
        EXPECT_EQ(updates.count(), 1);

        // A good file afterwards is read whole.
        ASSERT_TRUE(doc.OnOpenDocument(Data("club-final.esn")));
        EXPECT_FALSE(doc.WasReadInPart());
    }
}

// Whatever the reason, the open fails with it and the unsaved work stays: a failing stream
// such as a file under /proc, a file too large for memory and a file whose reading stopped
// before its start position was known included.
TEST_F(OpenFileTest, AFileThatCannotBeReadLeavesEverythingAsItWas) {
    QTemporaryDir folder;
    const QString pipe = folder.filePath("pipe.esn");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString huge = folder.filePath("huge.esn");
    ASSERT_TRUE(WriteBytes(huge, ""));
    ASSERT_EQ(::truncate(QFile::encodeName(huge).constData(), off_t{1} << 42), 0);
    const QString list = folder.filePath("list.kif");
    ASSERT_TRUE(WriteBytes(list, "milk\neggs: 12\n"));
    const QString cut = folder.filePath("cut.kifu");
    ASSERT_TRUE(WriteBytes(cut, "後手の持駒：なし\n| ・ ・ ・ ・v玉 ・ ・ ・ ・|一\n"));
    const auto reason = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
    const std::pair<QString, QString> failures[] = {
        {folder.filePath("no-such-folder/record.esn"), reason(ENOENT)},
        {folder.path(), reason(EISDIR)},
        {pipe, "Not a regular file"},
        {"/proc/self/mem", reason(EIO)},
        {huge, reason(ENOMEM)},
        {list, "list.kif holds no game record"},
        {cut, "the board diagram has 1 rank instead of nine (line 2, column 1)"},
    };
    for (const auto& [path, why] : failures) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(doc.OnOpenDocument(path));
        EXPECT_EQ(doc.LastFileError(), why);
        EXPECT_EQ(doc.Record().Current().Comment(), "my own note");
        EXPECT_EQ(doc.SelectedVariation(), 1);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), "");
        EXPECT_TRUE(prompter.asked.isEmpty());
    }
}

}  // namespace
