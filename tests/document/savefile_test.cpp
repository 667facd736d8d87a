#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "document/zelkandoc.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

const QByteArray kOldFile = "[TITLE Old file]\r\n1. P-5f\r\n";

// A title, a root comment and a variation at move 2.
void BuildClubFinal(CZelkanDoc& doc) {
    doc.SetGameTitle("Club final");
    doc.SetComment("Quiet start");
    ASSERT_TRUE(doc.AddMove(StartMove("7g7f")));
    ASSERT_TRUE(doc.AddMove(StartMove("3c3d")));
    ASSERT_TRUE(doc.GoBackward());
    ASSERT_TRUE(doc.AddMove(StartMove("8c8d")));
}

TEST(SaveFile, WritesTheRecordKeepsThePlaceAndTakesTheNewPath) {
    QTemporaryDir folder;
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    const MoveNode* current = &doc.Record().Current();
    doc.SelectVariation(1);
    QSignalSpy titles(&doc, &CZelkanDoc::titleChanged);
    QSignalSpy updates(&doc, &CZelkanDoc::currentNodeChanged);

    const QString name = "club.esn";
    ASSERT_TRUE(doc.OnSaveDocument(folder.filePath(name)));
    EXPECT_EQ(ReadBytes(folder.filePath(name)), ClubFinalEsn);
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), name);
    EXPECT_EQ(titles.count(), 1);
    EXPECT_EQ(updates.count(), 0);
    EXPECT_EQ(&doc.Record().Current(), current);
    EXPECT_EQ(doc.SelectedVariation(), 1);
}

// The message names the file and says why; the document stays modified and keeps its name.
// A text the format cannot hold is refused before anything is written.
TEST(SaveFile, AFailedOrRefusedSaveSaysWhyAndKeepsTheChanges) {
    QTemporaryDir folder;
    const QString missing = folder.filePath("no-such-folder/club.esn");
    const QString existing = folder.filePath("club.esn");
    ASSERT_TRUE(WriteBytes(existing, kOldFile));
    const struct {
        QString path;
        std::string title;
        QString reason;
    } failures[] = {
        {missing, "Club final", QString::fromLocal8Bit(std::strerror(ENOENT))},
        {existing, "Final [round 2]",
         "The title holds ']', which would end its brackets early in a record file."},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.reason.toStdString());
        ScriptedPrompter prompter;
        CZelkanDoc doc(prompter);
        BuildClubFinal(doc);
        doc.SetGameTitle(failure.title);
        EXPECT_FALSE(doc.OnSaveDocument(failure.path));
        EXPECT_EQ(doc.LastFileError(), failure.reason);
        EXPECT_EQ(prompter.asked,
                  QStringList{"Cannot save " + QDir::toNativeSeparators(failure.path) + ": " +
                              failure.reason});
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetTitle(), "Untitled");
        EXPECT_EQ(ReadBytes(existing), kOldFile);
    }
}

TEST(SaveFile, APartlyReadFileIsReplacedOnlyWhenTheUserAgrees) {
    QTemporaryDir folder;
    const QString path = folder.filePath("cut.esn");
    const QByteArray cutShort = "1. P-7f\r\n2. P-3d\r\n3. R2h-2c\r\n4. P-4d\r\n";
    ASSERT_TRUE(WriteBytes(path, cutShort));
    const QString link = folder.filePath("link.esn");
    ASSERT_TRUE(QFile::link(path, link));
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    const QStringList question{
        "cut.esn was read only in part. Saving replaces it with what was read. Save anyway?"};

    // The same file under any name asks; No leaves it alone.
    for (const QString& sameFile : {path, folder.path() + "/./cut.esn", link}) {
        SCOPED_TRACE(sameFile.toStdString());
        prompter.asked.clear();
        prompter.answers = {Prompter::Answer::No};
        EXPECT_FALSE(doc.OnSaveDocument(sameFile));
        EXPECT_EQ(prompter.asked, question);
        EXPECT_EQ(ReadBytes(path), cutShort);
        EXPECT_TRUE(doc.LastFileError().isEmpty());
    }

    prompter.asked.clear();
    prompter.answers = {Prompter::Answer::Yes};
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(prompter.asked, question);
    EXPECT_EQ(ReadBytes(path), "1. P-7f\r\n2. P-3d\r\n");
    EXPECT_FALSE(doc.WasReadInPart());
    // Once saved the file holds all of the record: no more questions.
    prompter.asked.clear();
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_TRUE(prompter.asked.isEmpty());

    // Saved under another name, a partly read record asks nothing.
    ASSERT_TRUE(WriteBytes(path, cutShort));
    ASSERT_TRUE(doc.OnOpenDocument(path));
    prompter.asked.clear();
    EXPECT_TRUE(doc.OnSaveDocument(folder.filePath("copy.esn")));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(ReadBytes(path), cutShort);
    EXPECT_FALSE(doc.WasReadInPart());
}

}  // namespace
