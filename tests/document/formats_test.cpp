#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "document/zelkandoc.h"
#include "format/recordcompare.h"
#include "format/recordio.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

using Answer = Prompter::Answer;

// A title, a comment before the first move, a variation at move 1 and one at move 2.
const std::string ClubGameEsn =
    "[TITLE Club final]\r\n[Quiet start]\r\n1. P-7f\r\n{\r\n1. P-2f\r\n}\r\n2. P-3d\r\n"
    "{\r\n2. P-8d\r\n}\r\n";
const std::string EvenUsi = "position startpos moves 7g7f 3c3d\n";
const std::string ProblemSfen = "sfen 4k4/9/4P4/9/9/9/9/9/9 b G2r2b3g4s4n4l17p 1\n";

FileType TypeNamed(const char* name) {
    return *FileTypeForName(name);
}

class FormatsTest : public ::testing::Test {
  protected:
    QString Write(const QString& name, const std::string& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, QByteArray::fromStdString(bytes)));
        return path;
    }
    // What the library reads from `bytes` as `type`.
    static void ReadAs(const std::string& bytes, const FileType& type, GameRecord& record) {
        ASSERT_FALSE(ReadRecord(record, bytes, type).error);
    }
    // Whether the file at `path` reads as `type` into the record the document holds.
    ::testing::AssertionResult FileHoldsTheRecord(const QString& path, const FileType& type) {
        GameRecord saved;
        const std::string bytes = ReadBytes(path).toStdString();
        if (const ReadOutcome outcome = ReadRecord(saved, bytes, type); outcome.error)
            return ::testing::AssertionFailure() << "cannot read back: " << outcome.error->message;
        std::string why;
        if (!SameRecord(saved, doc.Record(), &why)) return ::testing::AssertionFailure() << why;
        return ::testing::AssertionSuccess();
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
};

// The extension names the format unless the contents plainly hold another; contents decide
// when the extension names none.
TEST_F(FormatsTest, OpenFindsTheFormatByExtensionOrByContents) {
    const struct {
        const char* name;
        const std::string& bytes;
        RecordFormat format;
    } files[] = {
        {"club.esn", ClubGameEsn, RecordFormat::Esn},
        {"club.usi", ClubGameEsn, RecordFormat::Esn},
        {"club.txt", ClubGameEsn, RecordFormat::Esn},
        {"even.usi", EvenUsi, RecordFormat::Usi},
        {"even.esn", EvenUsi, RecordFormat::Usi},
        {"even", EvenUsi, RecordFormat::Usi},
        {"problem.sfen", ProblemSfen, RecordFormat::Sfen},
        {"problem.usi", ProblemSfen, RecordFormat::Sfen},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        ASSERT_TRUE(doc.OnOpenDocument(Write(file.name, file.bytes)));
        EXPECT_TRUE(prompter.asked.isEmpty()) << prompter.asked.join('\n').toStdString();
        EXPECT_EQ(doc.GetFileType().format, file.format);
        GameRecord expected;
        ReadAs(file.bytes, doc.GetFileType(), expected);
        std::string why;
        EXPECT_TRUE(SameRecord(doc.Record(), expected, &why)) << why;
        EXPECT_GT(CountMoves(doc.Record().Root()) + (file.format == RecordFormat::Sfen), 0);
    }
}

// Save writes the type the record was read in, Save As the type given; a type that cannot keep
// everything asks first, and No leaves file and document as they were.
TEST_F(FormatsTest, SaveKeepsTheTypeAndAsksBeforeLeavingThingsOut) {
    const QString usi = Write("even.usi", EvenUsi);
    ASSERT_TRUE(doc.OnOpenDocument(usi));
    Move move = PawnStep(Black, 2, 'g', 'f');
    ASSERT_TRUE(doc.GoForward() && doc.GoForward() && doc.AddMove(move));
    ASSERT_TRUE(doc.OnSaveDocument(usi));
    EXPECT_EQ(ReadBytes(usi), "position startpos moves 7g7f 3c3d 2g2f\n");
    EXPECT_TRUE(prompter.asked.isEmpty());

    ASSERT_TRUE(doc.OnOpenDocument(Write("club.esn", ClubGameEsn)));
    const QString asUsi = dir.filePath("club.usi");
    const QString question =
        "USI cannot keep 2 variations, 1 comment and 1 header line. Save anyway?";
    for (bool modified : {false, true}) {
        doc.SetModifiedFlag(modified);
        prompter.asked.clear();
        prompter.answers = {Answer::No};
        EXPECT_FALSE(doc.OnSaveDocument(asUsi, TypeNamed("usi")));
        EXPECT_EQ(prompter.asked, QStringList{question});
        EXPECT_FALSE(QFile::exists(asUsi));
        EXPECT_EQ(doc.IsModified(), modified);
        EXPECT_EQ(doc.GetTitle(), "club.esn");
        EXPECT_EQ(doc.GetFileType(), FileType{});
        EXPECT_TRUE(doc.LastFileError().isEmpty());
    }
    prompter.answers = {Answer::Yes};
    ASSERT_TRUE(doc.OnSaveDocument(asUsi, TypeNamed("usi")));
    EXPECT_EQ(ReadBytes(asUsi).toStdString(), EvenUsi);
    EXPECT_EQ(doc.GetTitle(), "club.usi");
    EXPECT_EQ(doc.GetFileType(), TypeNamed("usi"));
    EXPECT_FALSE(doc.IsModified());

    // A type that keeps everything asks nothing: the start position as SFEN.
    ASSERT_TRUE(doc.OnOpenDocument(Write("problem.sfen", ProblemSfen)));
    prompter.asked.clear();
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("problem.esn"), FileType{}));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_TRUE(FileHoldsTheRecord(dir.filePath("problem.esn"), FileType{}));
}

// A reading error in any format is shown with its place and keeps what was read; saving over
// the file then asks first.
TEST_F(FormatsTest, AReadingErrorInAnyFormatKeepsWhatWasRead) {
    const QString path = Write("cut.usi", "position startpos moves 7g7f 3c3x\n");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(prompter.asked, QStringList{"Error : unknown move 3c3x (line 1, column 30)"});
    EXPECT_EQ(CountMoves(doc.Record().Root()), 1);
    EXPECT_TRUE(doc.WasReadInPart());
    prompter.asked.clear();
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(prompter.asked, QStringList{"cut.usi was read only in part. Saving replaces it with "
                                          "what was read. Save anyway?"});
}

}  // namespace
