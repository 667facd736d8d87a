#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "document/zelkandoc.h"
#include "format/recordcompare.h"
#include "format/recordio.h"
#include "format/text/textencoding.h"
#include "model/handicap.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

using Answer = Prompter::Answer;

const QByteArray EvenJkf =
    "{\"header\": {}, \"moves\": [{}, {\"move\": {\"from\": {\"x\": 7, \"y\": 7}, "
    "\"to\": {\"x\": 7, \"y\": 6}, \"piece\": \"FU\"}}]}\n";
const QByteArray EvenUsi = "position startpos moves 7g7f 3c3d\n";
const QByteArray ProblemSfen = "sfen 4k4/9/4P4/9/9/9/9/9/9 b G2r2b3g4s4n4l17p 1\n";
// A two-piece handicap game in code page 932, with a comment, times and a resignation.
const QByteArray HandicapKif = ReadBytes(TestData("kif/handicap.kif"));

class FormatsTest : public ::testing::Test {
  protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    CZelkanDoc doc{prompter};
};

// The extension names the format unless the contents plainly hold another; the contents
// decide when it names none. What a reader leaves out on purpose is said once.
TEST_F(FormatsTest, OpenFindsTheFormatByExtensionOrContents) {
    const struct {
        const char* name;
        const QByteArray& bytes;
        RecordFormat format;
        long long moves;
    } files[] = {
        {"club.usi", ClubFinalEsn, RecordFormat::Esn, 3},
        {"handicap.csa", HandicapKif, RecordFormat::Kif, 10},
        {"even.kif", EvenJkf, RecordFormat::Jkf, 1},
        {"even", EvenJkf, RecordFormat::Jkf, 1},
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

    ASSERT_TRUE(doc.OnOpenDocument(Write("games.jkf", ReadBytes(TestData("csa/three-games.csa")))));
    EXPECT_EQ(doc.GetFileType(), *FileTypeForName("csa2"));
    EXPECT_EQ(prompter.asked,
              QStringList{"Line 8, column 1: the file holds 3 records; only the first was read (2 "
                          "records after line 8 left out)."});
}

// Save As writes the type given; a type that cannot keep everything asks first, and No leaves
// the file and the document as they were.
TEST_F(FormatsTest, SaveKeepsTheTypeAndAsksBeforeLeavingThingsOut) {
    ASSERT_TRUE(doc.OnOpenDocument(Write("club.esn", ClubFinalEsn)));
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
    EXPECT_EQ(ReadBytes(asUsi), EvenUsi);
    EXPECT_EQ(doc.GetTitle(), "club.usi");
    EXPECT_EQ(doc.GetFileType(), *FileTypeForName("usi"));
    EXPECT_FALSE(doc.IsModified());
}

// Save writes the format and character set the file was read in, whatever its name; a text
// that Shift_JIS cannot hold is refused before anything is written.
TEST_F(FormatsTest, KifKeepsItsCharacterSetAndRefusesWhatItCannotHold) {
    const QString path = Write("handicap.esn", HandicapKif);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.GetFileType(), *FileTypeForName("kif"));
    EXPECT_EQ(doc.Record().StartPosition(), HandicapPosition(Handicap::TwoPieces));
    EXPECT_EQ(doc.Record().BlackPlayer(), "赤井");

    doc.SetComment("☗ first");
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_TRUE(prompter.asked.last().startsWith("Cannot save " + path + ": The comment"));
    EXPECT_TRUE(prompter.asked.last().endsWith("save as .kifu to keep it"));
    EXPECT_EQ(ReadBytes(path), HandicapKif);
    EXPECT_TRUE(doc.IsModified());

    doc.SetComment("▲ first");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::string saved = ReadBytes(path).toStdString();
    EXPECT_FALSE(IsUtf8(saved));
    GameRecord readBack;
    ASSERT_FALSE(ReadRecord(readBack, saved, *FileTypeForName("kif")).error);
    EXPECT_TRUE(SameRecord(readBack, doc.Record()));
}

}  // namespace
