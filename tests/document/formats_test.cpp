#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "document/zelkandoc.h"
#include "format/recordio.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

using Answer = Prompter::Answer;

// A title, a comment before the first move and a variation at move 2.
const std::string ClubGameEsn =
    "[TITLE Club final]\r\n[Quiet start]\r\n1. P-7f\r\n2. P-3d\r\n{\r\n2. P-8d\r\n}\r\n";
const std::string EvenUsi = "position startpos moves 7g7f 3c3d\n";
const std::string ProblemSfen = "sfen 4k4/9/4P4/9/9/9/9/9/9 b G2r2b3g4s4n4l17p 1\n";

class FormatsTest : public ::testing::Test {
  protected:
    QString Write(const QString& name, const std::string& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, QByteArray::fromStdString(bytes)));
        return path;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
};

// The extension names the format unless the contents plainly hold another; the contents
// decide when it names none. A reading error in any format shows where, keeps what was read,
// and saving over the file then asks first.
TEST_F(FormatsTest, OpenFindsTheFormatByExtensionOrContents) {
    const struct {
        const char* name;
        const std::string& bytes;
        RecordFormat format;
        long long moves;
    } files[] = {
        {"club.usi", ClubGameEsn, RecordFormat::Esn, 3},
        {"even.usi", EvenUsi, RecordFormat::Usi, 2},
        {"even.esn", EvenUsi, RecordFormat::Usi, 2},
        {"even", EvenUsi, RecordFormat::Usi, 2},
        {"problem.usi", ProblemSfen, RecordFormat::Sfen, 0},
    };
    for (const auto& file : files) {
        ASSERT_TRUE(doc.OnOpenDocument(Write(file.name, file.bytes)));
        EXPECT_EQ(doc.GetFileType().format, file.format) << file.name;
        EXPECT_EQ(CountMoves(doc.Record().Root()), file.moves) << file.name;
    }
    EXPECT_TRUE(prompter.asked.isEmpty());

    const QString cut = Write("cut.usi", "position startpos moves 7g7f 3c3x\n");
    ASSERT_TRUE(doc.OnOpenDocument(cut));
    EXPECT_EQ(CountMoves(doc.Record().Root()), 1);
    EXPECT_FALSE(doc.OnSaveDocument(cut));
    EXPECT_EQ(prompter.asked, QStringList({"Error : unknown move 3c3x (line 1, column 30)",
                                           "cut.usi was read only in part. Saving replaces it "
                                           "with what was read. Save anyway?"}));
}

// Save writes the type the record was read in, Save As the type given. A type that cannot keep
// everything asks first, and No leaves the file and the document as they were.
TEST_F(FormatsTest, SaveKeepsTheTypeAndAsksBeforeLeavingThingsOut) {
    const QString usi = Write("even.usi", EvenUsi);
    ASSERT_TRUE(doc.OnOpenDocument(usi));
    ASSERT_TRUE(doc.GoForward() && doc.GoForward() && doc.AddMove(PawnStep(Black, 2, 'g', 'f')));
    ASSERT_TRUE(doc.OnSaveDocument(usi));
    EXPECT_EQ(ReadBytes(usi), "position startpos moves 7g7f 3c3d 2g2f\n");

    ASSERT_TRUE(doc.OnOpenDocument(Write("club.esn", ClubGameEsn)));
    const QString asUsi = dir.filePath("club.usi");
    for (bool modified : {false, true}) {
        doc.SetModifiedFlag(modified);
        prompter.answers = {Answer::No};
        EXPECT_FALSE(doc.OnSaveDocument(asUsi, *FileTypeForName("usi")));
        EXPECT_EQ(prompter.asked.last(),
                  "USI cannot keep 1 variation, 1 comment and 1 header line. Save anyway?");
        EXPECT_FALSE(QFile::exists(asUsi));
        EXPECT_EQ(doc.IsModified(), modified);
        EXPECT_EQ(doc.GetTitle(), "club.esn");
        EXPECT_EQ(doc.GetFileType(), FileType{});
    }
    prompter.answers = {Answer::Yes};
    ASSERT_TRUE(doc.OnSaveDocument(asUsi, *FileTypeForName("usi")));
    EXPECT_EQ(ReadBytes(asUsi).toStdString(), EvenUsi);
    EXPECT_EQ(doc.GetTitle(), "club.usi");
    EXPECT_EQ(doc.GetFileType(), *FileTypeForName("usi"));
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
