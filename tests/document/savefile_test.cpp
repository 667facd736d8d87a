#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cerrno>
#include <limits>

#include "app/prompter.h"
#include "app/zelkandoc.h"
#include "tests/document/documenttesting.h"

namespace {

constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

// A document whose saves write `budget` bytes of the file, then fail as a full disk does.
class FullDiskDocument : public CZelkanDoc {
  public:
    using CZelkanDoc::CZelkanDoc;
    std::size_t budget = kNoLimit;

  protected:
    int WriteSaveBytes(int fd, std::string_view bytes) override {
        if (bytes.size() <= budget) return CZelkanDoc::WriteSaveBytes(fd, bytes);
        const int error = CZelkanDoc::WriteSaveBytes(fd, bytes.substr(0, budget));
        return error != 0 ? error : ENOSPC;
    }
};

const QByteArray kOldFile = "[TITLE Old file]\r\n1. P-5f\r\n";

// A title, a root comment and a variation at move 2.
void BuildClubFinal(CZelkanDoc& doc) {
    doc.SetGameTitle("Club final");
    doc.SetComment("Quiet start");
    ASSERT_TRUE(doc.AddMove(PawnStep(Black, 7, 'g', 'f')));
    ASSERT_TRUE(doc.AddMove(PawnStep(White, 3, 'c', 'd')));
    ASSERT_TRUE(doc.GoBackward());
    ASSERT_TRUE(doc.AddMove(PawnStep(White, 8, 'c', 'd')));
}

const QByteArray kClubFinalText =
    "[TITLE Club final]\r\n[Quiet start]\r\n1. P-7f\r\n2. P-3d\r\n{\r\n2. P-8d\r\n}\r\n";

// Every name in a folder, hidden ones included: a left-over temporary file shows here.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(SaveFile, WritesTheRecordKeepsThePlaceAndTakesTheNewPath) {
    QTemporaryDir folder;
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    const MoveNode* current = &doc.m_record.Current();
    doc.m_selectedVariation = 1;
    QSignalSpy titles(&doc, &CZelkanDoc::titleChanged);
    QSignalSpy updates(&doc, &CZelkanDoc::updated);

    // The longest name a file may have still leaves room for the temporary file's.
    const QString name = QString(251, 'n') + ".esn";
    ASSERT_TRUE(doc.OnSaveDocument(folder.filePath(name)));
    EXPECT_EQ(ReadBytes(folder.filePath(name)), kClubFinalText);
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), name);
    EXPECT_EQ(titles.count(), 1);
    EXPECT_EQ(updates.count(), 0);
    EXPECT_EQ(&doc.m_record.Current(), current);
    EXPECT_EQ(doc.m_selectedVariation, 1);

    // Through a link, the file it names is replaced and the document takes the link's name.
    const QString target = folder.filePath("record.esn");
    const QString link = folder.filePath("link.esn");
    ASSERT_TRUE(WriteBytes(target, kOldFile));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(target), kClubFinalText);
    EXPECT_EQ(doc.GetTitle(), "link.esn");
    EXPECT_EQ(Entries(folder.path()), (QStringList{"link.esn", name, "record.esn"}));
}

// Nothing but the message changes: not the old file, not the folder, not the document.
TEST(SaveFile, AFailedOrRefusedSaveLeavesEverythingAsItWas) {
    const struct {
        std::string what;
        std::size_t budget;  // bytes written before the disk is full
        const char* reason;  // null: a text the format cannot hold, described by the program
        std::string title = "";
        std::string comment = "";
    } failures[] = {
        {"the disk fills midway", 40, "The disk is full."},
        {"the disk is full", 0, "The disk is full."},
        {"a missing folder", kNoLimit, "The folder does not exist."},
        {"a folder", kNoLimit, "It is a folder, not a file."},
        {"a read-only folder", kNoLimit, "Permission denied."},
        // The rename could replace it, but the user may not write it.
        {"a read-only file", kNoLimit, "Permission denied."},
        {"a title holding ]", kNoLimit, nullptr, "Final [round 2]"},
        {"a comment holding ]", kNoLimit, nullptr, "Club final", "see note ] here"},
        {"a comment beginning with TITLE", kNoLimit, nullptr, "Club final", "TITLE of the book"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        if (failure.what.starts_with("a read-only") && geteuid() == 0) continue;  // root may
        QTemporaryDir folder;
        QString path = folder.filePath("club.esn");
        if (failure.what == "a missing folder")
            path = folder.filePath("no-such-folder/club.esn");
        else if (failure.what == "a folder")
            ASSERT_TRUE(QDir(folder.path()).mkdir("club.esn"));
        else
            ASSERT_TRUE(WriteBytes(path, kOldFile));
        if (failure.what == "a read-only folder")
            QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (failure.what == "a read-only file") QFile::setPermissions(path, QFileDevice::ReadOwner);
        const QStringList entries = Entries(folder.path());
        const QByteArray old = ReadBytes(path);

        ScriptedPrompter prompter;
        FullDiskDocument doc(prompter);
        BuildClubFinal(doc);
        if (!failure.title.empty()) doc.SetGameTitle(failure.title);
        if (!failure.comment.empty()) doc.SetComment(failure.comment);
        doc.budget = failure.budget;
        EXPECT_FALSE(doc.OnSaveDocument(path));
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        const QString reason = failure.reason ? failure.reason : doc.LastFileError();
        EXPECT_GT(reason.size(), 10);
        EXPECT_EQ(doc.LastFileError(), reason);
        EXPECT_EQ(prompter.asked,
                  QStringList{"Cannot save " + QDir::toNativeSeparators(path) + ": " + reason});
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetTitle(), "Untitled");
        EXPECT_EQ(Entries(folder.path()), entries);
        EXPECT_EQ(ReadBytes(path), old);
    }
}

// Rooks shuttle to and fro: a record file of many read buffers comes back byte for byte.
TEST(SaveFile, ALongGameGoesThroughOpenAndSave) {
    const char* cycle[] = {"R2h-3h", "R8b-7b", "R3h-2h", "R7b-8b"};
    QByteArray text;
    for (int ply = 1; ply <= 20'000; ++ply)
        text += QByteArray::number(ply) + ". " + cycle[(ply - 1) % 4] + "\r\n";
    QTemporaryDir folder;
    ASSERT_TRUE(WriteBytes(folder.filePath("long.esn"), text));
    ScriptedPrompter prompter;
    CZelkanDoc doc(prompter);
    ASSERT_TRUE(doc.OnOpenDocument(folder.filePath("long.esn")));
    ASSERT_TRUE(doc.OnSaveDocument(folder.filePath("copy.esn")));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_TRUE(ReadBytes(folder.filePath("copy.esn")) == text);
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
