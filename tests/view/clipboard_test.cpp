#include <gtest/gtest.h>

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "format/recordcompare.h"
#include "format/recordio.h"
#include "view/commandids.h"
#include "view/recordclipboard.h"
#include "viewtesting.h"

namespace {

using Answer = Prompter::Answer;

QString Clipboard() {
    return QApplication::clipboard()->text();
}

// The record as the library reads back what it writes as `type`: what a copy in that format
// can give back at best.
void WrittenAndReadBack(const GameRecord& record, const FileType& type, GameRecord& out) {
    std::string bytes;
    std::string refusal;
    ASSERT_TRUE(WriteRecord(record, type, bytes, refusal)) << refusal;
    ASSERT_FALSE(ReadRecord(out, bytes, type).error);
}

}  // namespace

// Each Copy Record As command copies the record in its format's Unicode type, and Paste Record
// reads that text back, recognised by its format, as a new, untitled and modified record.
TEST_F(FrameTest, EachFormatCopiedPastesBackAsANewRecord) {
    const struct {
        int id;
        RecordFormat format;
        const char* question;  // what the format cannot keep of the game
    } copies[] = {
        {ID_EDIT_COPY_ESN, RecordFormat::Esn, nullptr},
        {ID_EDIT_COPY_USI, RecordFormat::Usi,
         "USI cannot keep 3 variations, 2 comments and 3 header lines. Copy anyway?"},
    };
    for (const auto& copy : copies) {
        SCOPED_TRACE(copy.id);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        OpenGame(SampleGame);
        Trigger(ID_MOVE_FORWARD);
        prompter.asked.clear();
        prompter.answers = {Answer::No};
        Trigger(copy.id);
        if (copy.question) {
            EXPECT_EQ(prompter.asked, QStringList{copy.question});
            EXPECT_EQ(Clipboard(), QStringLiteral("before")) << "No copies nothing";
            prompter.answers = {Answer::Yes};
            Trigger(copy.id);
        }
        prompter.answers.clear();
        const std::optional<FileType> type = ClipboardType(copy.format);
        ASSERT_TRUE(type);
        GameRecord expected;
        WrittenAndReadBack(doc.Record(), *type, expected);

        prompter.asked.clear();
        Trigger(ID_EDIT_PASTE_RECORD);
        EXPECT_TRUE(prompter.asked.isEmpty()) << prompter.asked.join('\n').toStdString();
        std::string why;
        EXPECT_TRUE(SameRecord(doc.Record(), expected, &why)) << why;
        EXPECT_EQ(doc.GetFileType().format, copy.format);
        EXPECT_EQ(doc.GetTitle(), "Untitled");
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(&doc.Record().Current(), &doc.Record().Root());
    }

    // ESN texts in an older character set are copied as the fields show them.
    doc.SetModifiedFlag(false);
    OpenGame(LegacyGame);
    const QString title = View().TitleEdit()->text();
    Trigger(ID_EDIT_COPY_ESN);
    Trigger(ID_EDIT_PASTE_RECORD);
    EXPECT_EQ(View().TitleEdit()->text(), title);
    EXPECT_EQ(View().CommentEdit()->toPlainText(),
              QStringLiteral("line one\nline two\nline three"));
    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(View().CommentEdit()->toPlainText(), QStringLiteral("\u201cquoted\u201d\nnext"));
}

// Copy Position: SFEN of the current position, which pastes as a record starting there; Copy
// Position As Diagram: the KIF board diagram. Both of the position shown, not of the start.
TEST_F(FrameTest, CopyPositionAsSfenAndAsDiagram) {
    OpenGame(SampleGame);
    Trigger(ID_MOVE_FORWARD);
    Trigger(ID_EDIT_COPY_POSITION);
    EXPECT_EQ(Clipboard(),
              QStringLiteral("lnsgkgsnl/1r5b1/ppppppppp/9/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL w - 2"));
    const Position shown = doc.Record().GetPosition();
    Trigger(ID_EDIT_PASTE_RECORD);
    EXPECT_EQ(doc.Record().StartPosition(), shown);
    EXPECT_EQ(doc.GetFileType().format, RecordFormat::Sfen);
    doc.SetModifiedFlag(false);
    OpenGame(SampleGame);
    Trigger(ID_MOVE_FORWARD);
    Trigger(ID_EDIT_COPY_DIAGRAM);
    const QStringList lines = Clipboard().split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.contains(QStringLiteral("| ・ ・ 歩 ・ ・ ・ ・ ・ ・|六")));
    EXPECT_TRUE(lines.contains(QStringLiteral("| 歩 歩 ・ 歩 歩 歩 歩 歩 歩|七")));
    EXPECT_TRUE(lines.contains(QStringLiteral("後手番")));
}

// What cannot be pasted or copied is said, and changes nothing: text that is no record, a
// record with an error (what was read is kept), a cancelled save question, a text that the
// format cannot hold.
TEST_F(FrameTest, PasteAndCopySayWhatGoesWrong) {
    OpenGame(SampleGame);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    for (const char* text : {"", "Dear Ann, see you at the club.", "{\"a\": 1}"}) {
        prompter.asked.clear();
        QApplication::clipboard()->setText(QString::fromUtf8(text));
        Trigger(ID_EDIT_PASTE_RECORD);
        EXPECT_EQ(prompter.asked, QStringList{"The clipboard holds no game record."}) << text;
        EXPECT_EQ(doc.Record().title, "Draft");
    }

    QApplication::clipboard()->setText(QStringLiteral("1. P-7f\n2. P-3d\n3. R2h-2c\n"));
    prompter.asked.clear();
    prompter.answers = {Answer::Cancel};
    Trigger(ID_EDIT_PASTE_RECORD);
    EXPECT_EQ(prompter.asked, QStringList{"Save changes to game.esn?"});
    EXPECT_EQ(doc.Record().title, "Draft");
    prompter.answers = {Answer::No};
    Trigger(ID_EDIT_PASTE_RECORD);
    EXPECT_EQ(prompter.asked.last(), "Error : Illegal move. (line 3, column 4)");
    EXPECT_EQ(CountMoves(doc.Record().Root()), 2);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_TRUE(doc.IsModified());

    View().TitleEdit()->setText(QStringLiteral("Final [round 2]"));
    prompter.asked.clear();
    Trigger(ID_EDIT_COPY_ESN);
    EXPECT_EQ(prompter.asked,
              QStringList{"Cannot copy the record as ESN: The title holds ']', which would end its "
                          "brackets early in a record file."});
    EXPECT_EQ(Clipboard(), QStringLiteral("1. P-7f\n2. P-3d\n3. R2h-2c\n"));
}

// Ctrl+Shift+V and Ctrl+Shift+C act on the record even in a text field, where Ctrl+V still
// pastes text.
TEST_F(FrameTest, RecordKeysActInTheTextFields) {
    OpenGame(SampleGame);
    QPlainTextEdit* comment = View().CommentEdit();
    const QString record = QStringLiteral("[TITLE Pasted]\r\n1. P-2f\r\n");
    QApplication::clipboard()->setText(record);
    comment->setFocus();
    QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(doc.Record().Root().Comment().find("[TITLE Pasted]") != std::string::npos);
    prompter.answers = {Answer::No};
    QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc.Record().title, "Pasted");
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    QTest::keyClick(View().TitleEdit(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Clipboard(),
              QStringLiteral("lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"));
}
