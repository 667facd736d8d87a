#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <cmath>

#include "app/commandids.h"
#include "app/commandtable.h"
#include "board/boardwnd.h"
#include "viewtesting.h"

namespace {

QLabel* LabelWithText(const CZelkanView& view, const QString& text) {
    for (QLabel* label : view.findChildren<QLabel*>()) {
        if (label->text() == text) return label;
    }
    return nullptr;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

}  // namespace

TEST_F(FrameTest, ViewIsSizedFromTheDefaultFont) {
    const QFontMetrics metrics(QApplication::font());
    const int a = metrics.averageCharWidth();
    const int h = static_cast<int>(std::trunc(1.5 * (metrics.height() + metrics.leading())));
    ASSERT_GT(a, 0);

    EXPECT_EQ(View().size(), QSize(448 + 40 * a, 352));
    EXPECT_EQ(View().InfoWidth(), 40 * a);
    EXPECT_EQ(View().Board()->geometry(), QRect(0, 0, 448, 352));
    EXPECT_EQ(View().TitleEdit()->geometry(), QRect(448 + 8 * a, 0, 32 * a, h));
    EXPECT_EQ(View().BlackEdit()->geometry(), QRect(448 + 8 * a, h, 32 * a, h));
    EXPECT_EQ(View().WhiteEdit()->geometry(), QRect(448 + 8 * a, 2 * h, 32 * a, h));
    EXPECT_EQ(View().CommentEdit()->geometry(), QRect(448, 3 * h, 40 * a, 352 - 3 * h));
    for (const char* text : {"Title", "Black", "White"}) {
        QLabel* label = LabelWithText(View(), QString::fromUtf8(text));
        ASSERT_NE(label, nullptr) << text;
        EXPECT_EQ(label->width(), 8 * a);
        EXPECT_EQ(label->height(), h);
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    }
    EXPECT_EQ(LabelWithText(View(), QStringLiteral("White"))->pos(), QPoint(448, 2 * h));
    EXPECT_EQ(View().TitleEdit()->textMargins().left(), 8);
    EXPECT_EQ(View().TitleEdit()->textMargins().right(), 8);

    // The frame is fixed at the size that fits the view, and stays so after an open.
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    OpenGame(SampleGame);
    ShowActive();
    EXPECT_EQ(View().size(), QSize(448 + 40 * a, 352));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(FrameTest, RefreshShowsTheRecordAndEmptiesTheUndoBuffers) {
    OpenGame(SampleGame);
    ShowActive();
    EXPECT_EQ(View().TitleEdit()->text(), QStringLiteral("Spring match"));
    EXPECT_EQ(View().BlackEdit()->text(), QStringLiteral("Ann"));
    EXPECT_EQ(View().WhiteEdit()->text(), QStringLiteral("Bob"));
    EXPECT_EQ(View().CommentEdit()->toPlainText(), QStringLiteral("Before the first move"));

    View().TitleEdit()->setFocus();
    QTest::keyClick(View().TitleEdit(), Qt::Key_End);
    QTest::keyClicks(View().TitleEdit(), "!");
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    View().CommentEdit()->setFocus();
    QTest::keyClicks(View().CommentEdit(), "?");
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));

    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(View().CommentEdit()->toPlainText(), QStringLiteral("Main line"));
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    View().TitleEdit()->setFocus();
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_EQ(View().TitleEdit()->text(), QStringLiteral("Spring match!"));
}

TEST_F(FrameTest, TypingMarksTheRecordModifiedAndStoresTheWholeText) {
    OpenGame(SampleGame);
    ShowActive();
    ASSERT_FALSE(doc.IsModified());
    View().TitleEdit()->setFocus();
    QTest::keyClick(View().TitleEdit(), Qt::Key_End);
    QTest::keyClick(View().TitleEdit(), Qt::Key_X);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_record.title, "Spring matchx");

    // Typing the old text back leaves the record modified.
    QTest::keyClick(View().TitleEdit(), Qt::Key_Backspace);
    EXPECT_EQ(doc.m_record.title, "Spring match");
    EXPECT_TRUE(doc.IsModified());

    // A comment is stored as UTF-8 with the file's line ends.
    Trigger(ID_MOVE_END);
    View().CommentEdit()->setFocus();
    QTest::keyClicks(View().CommentEdit(), "ab");
    QTest::keyClick(View().CommentEdit(), Qt::Key_Return);
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
    QApplication::sendEvent(View().CommentEdit(), &accented);
    EXPECT_EQ(doc.m_record.Current().comment, "ab\r\n\xc3\xa9");
}

TEST_F(FrameTest, OpeningAndSteppingNeverModifyTheRecord) {
    for (const std::string& game : {SampleGame, LegacyGame}) {
        OpenGame(game);
        ShowActive();
        const std::string title = doc.m_record.title;
        const std::string black = doc.m_record.black;
        const std::string rootComment = doc.m_record.Root().comment;
        EXPECT_FALSE(doc.IsModified());
        for (int id : {ID_MOVE_FORWARD, ID_MOVE_FORWARD, ID_MOVE_BACK, ID_MOVE_END, ID_MOVE_TOP}) {
            Trigger(id);
            EXPECT_FALSE(doc.IsModified()) << id;
        }
        Trigger(ID_FILE_NEW);
        EXPECT_FALSE(doc.IsModified());
        OpenGame(game);
        EXPECT_EQ(doc.m_record.title, title);
        EXPECT_EQ(doc.m_record.black, black);
        EXPECT_EQ(doc.m_record.Root().comment, rootComment);
    }
}

TEST_F(FrameTest, OlderTextsShowDecodedAndKeepTheirBytesUntilEdited) {
    OpenGame(LegacyGame);
    ShowActive();
    EXPECT_EQ(View().TitleEdit()->text(), QString::fromUtf8("Café ") + QChar(0x81) + QChar(0x8D) +
                                              QChar(0x8F) + QChar(0x90) + QChar(0x9D));
    EXPECT_EQ(View().BlackEdit()->text(), QStringLiteral("Ann") + QChar(0xA0) + "Lee");
    EXPECT_EQ(View().CommentEdit()->toPlainText(),
              QStringLiteral("line one\nline two\nline three"));

    // Steps through the comment with the bare line feed, then back.
    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(View().CommentEdit()->toPlainText(), QString::fromUtf8("“quoted”\nnext"));
    Trigger(ID_MOVE_TOP);
    EXPECT_EQ(doc.m_record.Root().comment, "line one\nline two\rline three");
    EXPECT_EQ(doc.m_record.black, "Ann\xa0Lee");
    EXPECT_FALSE(doc.IsModified());

    // Typing in a field stores that field, and only that one, as UTF-8.
    View().BlackEdit()->setFocus();
    QTest::keyClick(View().BlackEdit(), Qt::Key_End);
    QTest::keyClick(View().BlackEdit(), Qt::Key_S);
    EXPECT_EQ(doc.m_record.black, "Ann\xc2\xa0Lees");
    EXPECT_EQ(doc.m_record.title, "Caf\xe9 \x81\x8d\x8f\x90\x9d");
    View().CommentEdit()->setFocus();
    View().CommentEdit()->moveCursor(QTextCursor::End);
    QTest::keyClick(View().CommentEdit(), Qt::Key_Period);
    EXPECT_EQ(doc.m_record.Root().comment, "line one\r\nline two\r\nline three.");
    // Undoing the typing gives back the very bytes the record had.
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(doc.m_record.Root().comment, "line one\nline two\rline three");
    View().BlackEdit()->setFocus();
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(doc.m_record.black, "Ann\xa0Lee");
}

TEST_F(FrameTest, LongHeaderValuesAreEditedWhole) {
    const std::string longTitle(40000, 'x');
    OpenGame("[TITLE " + longTitle + "]\r\n");
    ShowActive();
    EXPECT_EQ(View().TitleEdit()->text().size(), 40000);
    View().TitleEdit()->setFocus();
    QTest::keyClick(View().TitleEdit(), Qt::Key_End);
    QTest::keyClick(View().TitleEdit(), Qt::Key_Y);
    EXPECT_EQ(doc.m_record.title, longTitle + "y");
}

TEST_F(FrameTest, PasteOnlyIntoTheCommentBoxWithTextOnTheClipboard) {
    OpenGame(SampleGame);
    ShowActive();
    QApplication::clipboard()->setText(QStringLiteral("pasted"));

    for (QLineEdit* edit : {View().TitleEdit(), View().BlackEdit(), View().WhiteEdit()}) {
        edit->setFocus();
        EXPECT_FALSE(Enabled(ID_EDIT_PASTE)) << edit->objectName().toStdString();
        // The key does nothing there either.
        const QString before = edit->text();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), before);
    }
    View().CommentEdit()->setFocus();
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    QTest::keyClick(View().CommentEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(View().CommentEdit()->toPlainText(), QStringLiteral("pastedBefore the first move"));

    QApplication::clipboard()->clear();
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(picture);
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
}

TEST_F(FrameTest, EditCommandsActOnTheFocusedFieldOnly) {
    OpenGame(SampleGame);
    ShowActive();
    QLineEdit* title = View().TitleEdit();
    title->setFocus();
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));

    title->setSelection(0, 6);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    QTest::keyClick(title, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Spring"));
    EXPECT_EQ(title->text(), QStringLiteral("Spring match"));

    Trigger(ID_EDIT_CUT);
    EXPECT_EQ(title->text(), QStringLiteral(" match"));
    EXPECT_EQ(doc.m_record.title, " match");
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(doc.m_record.title, "Spring match");

    title->setSelection(6, 6);
    Trigger(ID_EDIT_CLEAR);
    EXPECT_EQ(doc.m_record.title, "Spring");

    // A click on the board takes the focus to the view: no Edit command applies there.
    QTest::mouseClick(View().Board(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(title->hasFocus());
    for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
}

// The second keys of the Edit commands act like the first ones, in the focused field only.
TEST_F(FrameTest, SecondEditKeysActLikeTheFirst) {
    OpenGame(SampleGame);
    ShowActive();
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QLineEdit* title = View().TitleEdit();
    title->setFocus();
    frame->RunUpdatePass();
    QTest::keyClick(title, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(title->text().toStdString(), "Spring match") << "no paste in a one-line field";

    QPlainTextEdit* comment = View().CommentEdit();
    comment->setFocus();
    comment->moveCursor(QTextCursor::Start);
    frame->RunUpdatePass();
    QTest::keyClick(comment, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(doc.m_record.Current().comment, "pastedBefore the first move");
    frame->RunUpdatePass();
    QTest::keyClick(comment, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(doc.m_record.Current().comment, "Before the first move");

    QTextCursor cursor = comment->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    comment->setTextCursor(cursor);
    frame->RunUpdatePass();
    QTest::keyClick(comment, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Before"));
    frame->RunUpdatePass();
    QTest::keyClick(comment, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(doc.m_record.Current().comment, " the first move");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Before"));
}

TEST_F(FrameTest, MoveCommandsAreEnabledByThePosition) {
    OpenGame(SampleGame);
    EXPECT_TRUE(Enabled(ID_MOVE_TOP));
    EXPECT_FALSE(Enabled(ID_MOVE_BACK));
    EXPECT_TRUE(Enabled(ID_MOVE_FORWARD));
    Trigger(ID_MOVE_END);
    EXPECT_EQ(Ply(), 3);
    EXPECT_TRUE(Enabled(ID_MOVE_TOP));
    EXPECT_TRUE(Enabled(ID_MOVE_BACK));
    for (int id : {ID_MOVE_FORWARD, ID_MOVE_END, ID_MOVE_DELETE})
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(FrameTest, PieceStyleAndRotationLeaveTheRecordAlone) {
    OpenGame(SampleGame);
    EXPECT_TRUE(Enabled(ID_OPTIONS_JAPANESE));
    EXPECT_TRUE(Action(ID_OPTIONS_JAPANESE).isChecked());
    EXPECT_FALSE(Action(ID_OPTIONS_INTERNATIONAL).isChecked());

    Trigger(ID_OPTIONS_INTERNATIONAL);
    EXPECT_EQ(doc.m_japanesePieces, 0);
    frame->RunUpdatePass();
    EXPECT_FALSE(Action(ID_OPTIONS_JAPANESE).isChecked());
    EXPECT_TRUE(Action(ID_OPTIONS_INTERNATIONAL).isChecked());
    // Choosing the style in use again changes nothing.
    Trigger(ID_OPTIONS_INTERNATIONAL);
    frame->RunUpdatePass();
    EXPECT_TRUE(Action(ID_OPTIONS_INTERNATIONAL).isChecked());

    const int bottom = View().Board()->BottomSide();
    Trigger(ID_OPTIONS_ROTATE);
    EXPECT_NE(View().Board()->BottomSide(), bottom);
    EXPECT_FALSE(doc.IsModified());

    // Both survive opening another record.
    OpenGame(SampleGame, QStringLiteral("other.esn"));
    EXPECT_EQ(doc.m_japanesePieces, 0);
    EXPECT_NE(View().Board()->BottomSide(), bottom);
}

// A piece picked up on the board stays picked up through a change of piece style, and the
// style already in use redraws nothing; turning the board drops the piece.
TEST_F(FrameTest, PieceStyleKeepsAPickedUpPieceAndRotationDropsIt) {
    OpenGame(SampleGame);
    ShowActive();
    CBoardWnd& board = *View().Board();
    QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(144, 240));  // Black's pawn on 7g
    ASSERT_TRUE(board.IsSelected());
    PaintCounter paints(board);
    QCoreApplication::processEvents();
    paints.count = 0;

    Trigger(ID_OPTIONS_JAPANESE);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, 0) << "the pictures in use are not drawn again";
    EXPECT_TRUE(board.IsSelected());

    const QImage japanese = board.Picture();
    Trigger(ID_OPTIONS_INTERNATIONAL);
    QCoreApplication::processEvents();
    EXPECT_GT(paints.count, 0);
    EXPECT_NE(board.Picture(), japanese);
    EXPECT_TRUE(board.IsSelected());

    Trigger(ID_OPTIONS_ROTATE);
    EXPECT_FALSE(board.IsSelected());
    EXPECT_FALSE(doc.IsModified());
}
