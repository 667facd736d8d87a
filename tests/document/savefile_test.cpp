#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cerrno>

#include "app/prompter.h"
#include "app/zelkandoc.h"
#include "model/moverules.h"
#include "tests/document/documenttesting.h"

namespace {

// Writes through to the file until `budget` bytes have gone, then fails as a full disk does.
class FullDiskBuffer : public SaveFileBuffer {
  public:
    FullDiskBuffer(int fd, std::size_t budget) : SaveFileBuffer(fd), m_budget(budget) {}

  protected:
    int WriteBytes(const char* data, std::size_t size) override {
        const std::size_t allowed = std::min(size, m_budget);
        if (allowed > 0 && SaveFileBuffer::WriteBytes(data, allowed) != 0) return EIO;
        m_budget -= allowed;
        return allowed < size ? ENOSPC : 0;
    }

  private:
    std::size_t m_budget;
};

// A document whose saves run out of disk after `budget` bytes.
class FullDiskDocument : public CZelkanDoc {
  public:
    using CZelkanDoc::CZelkanDoc;
    std::size_t budget = 0;

  protected:
    std::unique_ptr<SaveFileBuffer> MakeSaveBuffer(int fd) override {
        return std::make_unique<FullDiskBuffer>(fd, budget);
    }
};

const Move kP7f = PawnStep(Black, 7, 'g', 'f');
const Move kP3d = PawnStep(White, 3, 'c', 'd');
const Move kP2f = PawnStep(Black, 2, 'g', 'f');
const Move kP8d = PawnStep(White, 8, 'c', 'd');

const QByteArray kOldFile = "[TITLE Old file]\r\n1. P-5f\r\n";

// Builds the club final: a title, a root comment and a variation at move 2.
void BuildClubFinal(CZelkanDoc& doc) {
    doc.SetGameTitle("Club final");
    doc.SetComment("Quiet start");
    ASSERT_TRUE(doc.AddMove(kP7f));
    ASSERT_TRUE(doc.AddMove(kP3d));
    doc.SetComment("The usual reply");
    ASSERT_TRUE(doc.AddMove(kP2f));
    ASSERT_TRUE(doc.GoBackward());
    ASSERT_TRUE(doc.GoBackward());
    ASSERT_TRUE(doc.AddMove(kP8d));
}

const QByteArray kClubFinalText =
    "[TITLE Club final]\r\n"
    "[Quiet start]\r\n"
    "1. P-7f\r\n"
    "2. P-3d\r\n"
    "[The usual reply]\r\n"
    "{\r\n"
    "2. P-8d\r\n"
    "}\r\n"
    "3. P-2f\r\n";

class SaveFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Every name in the folder, hidden ones included: a left-over temporary file shows here.
    QStringList FolderEntries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
    ScriptedPrompter prompter;
};

TEST_F(SaveFileTest, WritesTheRecordAndTakesTheNewPath) {
    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    const MoveNode* current = &doc.m_record.Current();
    const Position position = doc.m_record.GetPosition();
    doc.m_selectedVariation = 1;
    QSignalSpy titles(&doc, &CZelkanDoc::titleChanged);
    QSignalSpy updates(&doc, &CZelkanDoc::updated);

    const QString path = folder.filePath("club.esn");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadBytes(path), kClubFinalText);
    EXPECT_TRUE(prompter.asked.isEmpty()) << prompter.asked.join('|').toStdString();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "club.esn");
    EXPECT_EQ(titles.count(), 1);
    EXPECT_EQ(updates.count(), 0);
    EXPECT_EQ(&doc.m_record.Current(), current);
    EXPECT_EQ(doc.m_record.GetPosition(), position);
    EXPECT_EQ(doc.m_selectedVariation, 1);
    EXPECT_EQ(FolderEntries(), QStringList{"club.esn"});

    CZelkanDoc reread(prompter);
    ASSERT_TRUE(reread.OnOpenDocument(path));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(reread.m_record.title, "Club final");
    EXPECT_EQ(reread.m_record.Root().comment, "Quiet start");
    EXPECT_EQ(reread.m_record.Root().Continuation(0)->childCount, 2);
}

TEST_F(SaveFileTest, AFreshRecordGivesAnEmptyFile) {
    CZelkanDoc doc(prompter);
    const QString path = folder.filePath("fresh.esn");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(ReadBytes(path), QByteArray());
}

TEST_F(SaveFileTest, ReplacingAFileKeepsItsPermissions) {
    const QString path = folder.filePath("shared.esn");
    ASSERT_TRUE(WriteBytes(path, kOldFile));
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadUser |
                             QFileDevice::WriteUser;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));

    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadBytes(path), kClubFinalText);
    EXPECT_EQ(QFile::permissions(path), permissions);
}

TEST_F(SaveFileTest, SavingThroughALinkReplacesTheFileItPointsTo) {
    const QString target = folder.filePath("record.esn");
    const QString link = folder.filePath("link.esn");
    ASSERT_TRUE(WriteBytes(target, kOldFile));
    ASSERT_TRUE(QFile::link(target, link));

    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(target), kClubFinalText);
    EXPECT_EQ(doc.GetTitle(), "link.esn");
}

TEST_F(SaveFileTest, ANameOfTheLongestLengthCanBeSaved) {
    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    const QString name = QString(251, 'n') + ".esn";
    ASSERT_TRUE(doc.OnSaveDocument(folder.filePath(name)));
    EXPECT_EQ(ReadBytes(folder.filePath(name)), kClubFinalText);
    EXPECT_EQ(FolderEntries(), QStringList{name});
}

TEST_F(SaveFileTest, AMissingFolderIsReportedAndNothingChanges) {
    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    QSignalSpy modified(&doc, &CZelkanDoc::modifiedChanged);
    const QString path = folder.filePath("no-such-folder/club.esn");
    EXPECT_FALSE(doc.OnSaveDocument(path));
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked.at(0),
              "Cannot save " + QDir::toNativeSeparators(path) + ": The folder does not exist.");
    EXPECT_EQ(doc.LastFileError(), "The folder does not exist.");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(modified.count(), 0);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_TRUE(FolderEntries().isEmpty());
}

TEST_F(SaveFileTest, AFolderIsNotReplaced) {
    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    ASSERT_TRUE(QDir(folder.path()).mkdir("club.esn"));
    EXPECT_FALSE(doc.OnSaveDocument(folder.filePath("club.esn")));
    EXPECT_EQ(doc.LastFileError(), "It is a folder, not a file.");
    EXPECT_TRUE(QFileInfo(folder.filePath("club.esn")).isDir());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(FolderEntries(), QStringList{"club.esn"});
}

TEST_F(SaveFileTest, AReadOnlyFolderIsReported) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into every folder";
    const QString path = folder.filePath("club.esn");
    ASSERT_TRUE(WriteBytes(path, kOldFile));
    ASSERT_TRUE(
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    EXPECT_FALSE(doc.OnSaveDocument(path));
    QFile::setPermissions(folder.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(doc.LastFileError(), "Permission denied.");
    EXPECT_EQ(ReadBytes(path), kOldFile);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SaveFileTest, AFileTheUserMayNotWriteIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes every file";
    const QString path = folder.filePath("club.esn");
    ASSERT_TRUE(WriteBytes(path, kOldFile));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));

    CZelkanDoc doc(prompter);
    BuildClubFinal(doc);
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(doc.LastFileError(), "Permission denied.");
    EXPECT_EQ(ReadBytes(path), kOldFile);
    EXPECT_EQ(FolderEntries(), QStringList{"club.esn"});
}

// Rook moves to and fro until the record file is well over one write buffer.
void BuildLongGame(CZelkanDoc& doc, int rounds) {
    const Move out = BoardMove(Black, Rook, At(2, 'h'), At(3, 'h'));
    const Move back = BoardMove(Black, Rook, At(3, 'h'), At(2, 'h'));
    const Move whiteOut = BoardMove(White, Rook, At(8, 'b'), At(7, 'b'));
    const Move whiteBack = BoardMove(White, Rook, At(7, 'b'), At(8, 'b'));
    for (int i = 0; i < rounds; ++i) {
        ASSERT_TRUE(doc.AddMove(out));
        ASSERT_TRUE(doc.AddMove(whiteOut));
        ASSERT_TRUE(doc.AddMove(back));
        ASSERT_TRUE(doc.AddMove(whiteBack));
    }
}

TEST_F(SaveFileTest, ASaveFailingMidwayLeavesTheOldFileIntact) {
    const QString path = folder.filePath("long.esn");
    ASSERT_TRUE(WriteBytes(path, kOldFile));

    FullDiskDocument doc(prompter);
    BuildLongGame(doc, 2000);
    const MoveNode* current = &doc.m_record.Current();
    for (std::size_t budget : {std::size_t{100000}, std::size_t{0}}) {
        SCOPED_TRACE(budget);
        prompter.asked.clear();
        doc.budget = budget;
        EXPECT_FALSE(doc.OnSaveDocument(path));
        ASSERT_EQ(prompter.asked.size(), 1);
        EXPECT_EQ(prompter.asked.at(0),
                  "Cannot save " + QDir::toNativeSeparators(path) + ": The disk is full.");
        EXPECT_EQ(ReadBytes(path), kOldFile);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetTitle(), "Untitled");
        EXPECT_EQ(&doc.m_record.Current(), current);
        EXPECT_EQ(FolderEntries(), QStringList{"long.esn"});
    }

    // With room enough the same document saves, all of it.
    doc.budget = 10'000'000;
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.IsModified());
    CZelkanDoc reread(prompter);
    ASSERT_TRUE(reread.OnOpenDocument(path));
    reread.GoEnd();
    EXPECT_EQ(reread.m_record.Current().number, 8000);
}

TEST_F(SaveFileTest, ALongGameGoesThroughSaveAndOpen) {
    const QString path = folder.filePath("long.esn");
    CZelkanDoc doc(prompter);
    BuildLongGame(doc, 25'000);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_GT(QFileInfo(path).size(), 1'000'000);

    // Opening replaces the long record held with the same one read back.
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_TRUE(prompter.asked.isEmpty());
    doc.GoEnd();
    EXPECT_EQ(doc.m_record.Current().number, 100'000);
    EXPECT_EQ(doc.m_record.GetPosition(), Position());
}

TEST_F(SaveFileTest, TextsTheFormatCannotHoldAreRefusedBeforeWriting) {
    const QString path = folder.filePath("club.esn");
    ASSERT_TRUE(WriteBytes(path, kOldFile));

    struct Case {
        const char* what;
        void (*edit)(CZelkanDoc&);
    };
    const Case cases[] = {
        {"a title holding ]", [](CZelkanDoc& doc) { doc.SetGameTitle("Final [round 2]"); }},
        {"a comment holding ]",
         [](CZelkanDoc& doc) {
             doc.GoEnd();
             doc.SetComment("see note ] here");
         }},
        {"a comment beginning with TITLE",
         [](CZelkanDoc& doc) {
             doc.GoEnd();
             doc.SetComment("TITLE of the book");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPrompter ownPrompter;
        CZelkanDoc doc(ownPrompter);
        BuildClubFinal(doc);
        c.edit(doc);
        EXPECT_FALSE(doc.OnSaveDocument(path));
        ASSERT_EQ(ownPrompter.asked.size(), 1);
        const QString prefix = "Cannot save " + QDir::toNativeSeparators(path) + ": ";
        EXPECT_TRUE(ownPrompter.asked.at(0).startsWith(prefix))
            << ownPrompter.asked.at(0).toStdString();
        EXPECT_GT(ownPrompter.asked.at(0).size(), prefix.size() + 10);
        EXPECT_EQ(ownPrompter.asked.at(0).mid(prefix.size()), doc.LastFileError());
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(ReadBytes(path), kOldFile);
        EXPECT_EQ(FolderEntries(), QStringList{"club.esn"});
    }
}

TEST_F(SaveFileTest, APartlyReadFileIsReplacedOnlyWhenTheUserAgrees) {
    const QString path = folder.filePath("cut.esn");
    const QByteArray cutShort = "1. P-7f\r\n2. P-3d\r\n3. R2h-2c\r\n4. P-4d\r\n";
    ASSERT_TRUE(WriteBytes(path, cutShort));
    CZelkanDoc doc(prompter);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_TRUE(doc.WasReadInPart());
    prompter.asked.clear();

    const QString question =
        "cut.esn was read only in part. Saving replaces it with what was read. Save anyway?";
    prompter.answers = {Prompter::Answer::No};
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(prompter.asked, QStringList{question});
    EXPECT_EQ(ReadBytes(path), cutShort);
    EXPECT_TRUE(doc.LastFileError().isEmpty());
    EXPECT_TRUE(doc.WasReadInPart());

    // The same file under another name is still the same file.
    const QString link = folder.filePath("link.esn");
    ASSERT_TRUE(QFile::link(path, link));
    for (const QString& sameFile : {folder.path() + "/./cut.esn", link}) {
        prompter.asked.clear();
        prompter.answers = {Prompter::Answer::No};
        EXPECT_FALSE(doc.OnSaveDocument(sameFile));
        EXPECT_EQ(prompter.asked, QStringList{question});
        EXPECT_EQ(ReadBytes(path), cutShort);
    }

    prompter.asked.clear();
    prompter.answers = {Prompter::Answer::Yes};
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(prompter.asked, QStringList{question});
    EXPECT_EQ(ReadBytes(path), "1. P-7f\r\n2. P-3d\r\n");
    EXPECT_FALSE(doc.WasReadInPart());

    // Once saved the file holds all of the record: no more questions.
    prompter.asked.clear();
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(SaveFileTest, APartlyReadRecordSavedElsewhereAsksNothing) {
    const QString path = folder.filePath("cut.esn");
    const QByteArray cutShort = "1. P-7f\r\n[never closed";
    ASSERT_TRUE(WriteBytes(path, cutShort));
    CZelkanDoc doc(prompter);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    prompter.asked.clear();

    const QString copy = folder.filePath("copy.esn");
    EXPECT_TRUE(doc.OnSaveDocument(copy));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(ReadBytes(copy), "1. P-7f\r\n");
    EXPECT_EQ(ReadBytes(path), cutShort);
    EXPECT_FALSE(doc.WasReadInPart());
    EXPECT_EQ(doc.GetTitle(), "copy.esn");
}

}  // namespace
