#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "document/zelkandoc.h"
#include "format/recordcompare.h"
#include "format/recordio.h"
#include "format/textencoding.h"
#include "model/handicap.h"
#include "tests/document/documenttesting.h"
#include "tests/support/scriptedprompter.h"

namespace {

using Answer = Prompter::Answer;

// A title, a comment before the first move and a variation at move 2.
const std::string ClubGameEsn =
    "[TITLE Club final]\r\n[Quiet start]\r\n1. P-7f\r\n2. P-3d\r\n{\r\n2. P-8d\r\n}\r\n";
// A two-piece handicap game, White first, with comments, move times, a variation at move 2 and
// Black's resignation.
const std::string HandicapKif =
    "手合割：二枚落ち\r\n上手：白石\r\n下手：青木\r\n手数----指手---------消費時間--\r\n"
    "*上手の一手目から\r\n   1 ６二銀(71)   ( 0:05/00:00:05)\r\n"
    "   2 ７六歩(77)   ( 0:03/00:00:03)+\r\n*角道を開ける\r\n"
    "   3 ５四歩(53)   ( 0:02/00:00:07)\r\n   4 投了         ( 0:01/00:00:04)\r\n"
    "\r\n変化：2手\r\n   2 ２六歩(27)   ( 0:04/00:00:04)\r\n";
// Two games in one CSA file, the first ended by resignation.
const std::string TwoGamesCsa =
    "'CSA encoding=UTF-8\r\nV3.0\r\nN+Ann\r\nN-Bob\r\nPI\r\n+\r\n+7776FU\r\n-3334FU\r\n"
    "%TORYO\r\n/\r\nPI\r\n+\r\n+2726FU\r\n";
const std::string EvenJkf =
    "{\"header\": {}, \"moves\": [{}, {\"move\": {\"from\": {\"x\": 7, \"y\": 7}, "
    "\"to\": {\"x\": 7, \"y\": 6}, \"piece\": \"FU\"}}]}\n";
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
        {"handicap.kifu", HandicapKif, RecordFormat::Kif, 4},
        {"handicap.csa", HandicapKif, RecordFormat::Kif, 4},
        {"even.kif", EvenJkf, RecordFormat::Jkf, 1},
        {"even", EvenJkf, RecordFormat::Jkf, 1},
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

    // What a reader leaves out on purpose is said once.
    ASSERT_TRUE(doc.OnOpenDocument(Write("games.jkf", TwoGamesCsa)));
    EXPECT_EQ(doc.GetFileType(), *FileTypeForName("csa"));
    EXPECT_EQ(prompter.asked, QStringList{"The file holds 2 records; only the first was read (1 "
                                          "record after line 10 left out)."});
    prompter.asked.clear();

    const QString cut = Write("cut.usi", "position startpos moves 7g7f 3c3x\n");
    ASSERT_TRUE(doc.OnOpenDocument(cut));
    EXPECT_EQ(CountMoves(doc.Record().Root()), 1);
    EXPECT_FALSE(doc.OnSaveDocument(cut));
    EXPECT_EQ(prompter.asked, QStringList({"Error : unknown move 3c3x (line 1, column 30)",
                                           "cut.usi was read only in part. Saving replaces it "
                                           "with what was read. Save anyway?"}));
}

// Save As writes the type given; a type that cannot keep everything asks first, and No leaves
// the file and the document as they were.
TEST_F(FormatsTest, SaveKeepsTheTypeAndAsksBeforeLeavingThingsOut) {
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

// Save writes the format and character set the file was read in, whatever its name; a text
// that Shift_JIS cannot hold is refused before anything is written.
TEST_F(FormatsTest, KifKeepsItsCharacterSetAndRefusesWhatItCannotHold) {
    const std::string shiftJis = EncodeFromUtf8(HandicapKif, TextEncoding::Cp932).bytes;
    const QString path = Write("handicap.esn", shiftJis);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.GetFileType(), *FileTypeForName("kif"));
    EXPECT_EQ(doc.Record().StartPosition(), HandicapPosition(Handicap::TwoPieces));
    EXPECT_EQ(doc.Record().black, "青木");

    doc.SetComment("☗ first");
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_TRUE(prompter.asked.last().startsWith("Cannot save " + path + ": The comment"));
    EXPECT_TRUE(prompter.asked.last().endsWith("save as .kifu to keep it"));
    EXPECT_EQ(ReadBytes(path).toStdString(), shiftJis);
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
