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

}  // namespace

// Each Copy Record As command copies the record as its format's Unicode type writes it, after
// the question when the format cannot keep everything; Paste Record reads the text back,
// recognised by its format, as a new, untitled and modified record.
TEST_F(FrameTest, EachFormatCopiedPastesBackAsANewRecord) {
    const struct {
        int id;
        RecordFormat format;
        const char* question;
    } copies[] = {
        {ID_EDIT_COPY_ESN, RecordFormat::Esn, nullptr},
        {ID_EDIT_COPY_KIF, RecordFormat::Kif, nullptr},
        {ID_EDIT_COPY_KI2, RecordFormat::Ki2, nullptr},
        {ID_EDIT_COPY_CSA, RecordFormat::Csa, "CSA cannot keep 3 variations. Copy anyway?"},
        {ID_EDIT_COPY_JKF, RecordFormat::Jkf, nullptr},
        {ID_EDIT_COPY_USI, RecordFormat::Usi,
         "USI cannot keep 3 variations, 2 comments and 3 header lines. Copy anyway?"},
    };
    for (const auto& copy : copies) {
        SCOPED_TRACE(copy.id);
        OpenGame(SampleGame);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        prompter.asked.clear();
        prompter.answers = {Answer::No, Answer::Yes};
        Trigger(copy.id);
        if (copy.question) {
            EXPECT_EQ(prompter.asked, QStringList{copy.question});
            EXPECT_EQ(Clipboard(), QStringLiteral("before")) << "No copies nothing";
            Trigger(copy.id);
        }
        prompter.answers.clear();
        // The best a copy in that format can give back: the library's own round trip.
        const FileType type = *ClipboardType(copy.format);
        std::string bytes, refusal;
        GameRecord expected;
        ASSERT_TRUE(WriteRecord(doc.Record(), type, bytes, refusal));
        ASSERT_FALSE(ReadRecord(expected, bytes, type).error);

        Trigger(ID_EDIT_PASTE_RECORD);
        std::string why;
        EXPECT_TRUE(SameRecord(doc.Record(), expected, &why)) << why;
        EXPECT_EQ(doc.GetFileType().format, copy.format);
        EXPECT_EQ(doc.GetTitle(), "Untitled");
        EXPECT_TRUE(doc.IsModified());
        doc.SetModifiedFlag(false);
    }

    // ESN texts in an older character set are copied as the fields show them, line by line.
    OpenGame(LegacyGame);
    const QString title = View().TitleEdit()->text();
    Trigger(ID_EDIT_COPY_ESN);
    Trigger(ID_EDIT_PASTE_RECORD);
    EXPECT_EQ(View().TitleEdit()->text(), title);
    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(View().CommentEdit()->toPlainText(), QStringLiteral("\u201cquoted\u201d\nnext"));
}

// Copy Position: SFEN of the position shown, which pastes as a record starting there; Copy
// Position As Diagram: its KIF board diagram.
TEST_F(FrameTest, CopyPositionAsSfenAndAsDiagram) {
    OpenGame(SampleGame);
    Trigger(ID_MOVE_FORWARD);
    const Position shown = doc.Record().GetPosition();
    Trigger(ID_EDIT_COPY_DIAGRAM);
    const QStringList lines = Clipboard().split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.contains(QStringLiteral("| ・ ・ 歩 ・ ・ ・ ・ ・ ・|六")));
    EXPECT_TRUE(lines.contains(QStringLiteral("後手番")));
    // The key works in a text field too.
    QTest::keyClick(View().TitleEdit(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Clipboard(),
              QStringLiteral("lnsgkgsnl/1r5b1/ppppppppp/9/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL w - 2"));
    Trigger(ID_EDIT_PASTE_RECORD);
    EXPECT_EQ(doc.Record().StartPosition(), shown);
    EXPECT_EQ(doc.GetFileType().format, RecordFormat::Sfen);
}

// What cannot be pasted or copied is said: text that is no record changes nothing, a record
// that stops at an error keeps what was read, a text the format cannot hold is not copied.
// Ctrl+Shift+V pastes a record even from a text field.
TEST_F(FrameTest, PasteAndCopySayWhatGoesWrong) {
    OpenGame(SampleGame);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    for (const char* text : {"", "Dear Ann, see you at the club.", "{\"a\": 1}"}) {
        prompter.asked.clear();
        QApplication::clipboard()->setText(QString::fromUtf8(text));
        Trigger(ID_EDIT_PASTE_RECORD);
        EXPECT_EQ(prompter.asked, QStringList{"The clipboard holds no game record."}) << text;
        EXPECT_EQ(doc.Record().Title(), "Draft");
    }

    QApplication::clipboard()->setText(QStringLiteral("1. P-7f\n2. P-3d\n3. R2h-2c\n"));
    QPlainTextEdit* comment = View().CommentEdit();
    comment->setFocus();
    prompter.asked.clear();
    prompter.answers = {Answer::Cancel, Answer::No};
    QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc.Record().Title(), "Draft");
    QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(prompter.asked, QStringList({"Save changes to game.esn?", "Save changes to game.esn?",
                                           "Error : Illegal move. (line 3, column 4)"}));
    EXPECT_EQ(CountMoves(doc.Record().Root()), 2);
    EXPECT_EQ(doc.GetTitle(), "Untitled");

    View().TitleEdit()->setText(QStringLiteral("Final [round 2]"));
    prompter.asked.clear();
    Trigger(ID_EDIT_COPY_ESN);
    EXPECT_EQ(prompter.asked,
              QStringList{"Cannot copy the record as ESN: The title holds ']', which would end its "
                          "brackets early in a record file."});
    EXPECT_EQ(Clipboard(), QStringLiteral("1. P-7f\n2. P-3d\n3. R2h-2c\n"));
}
