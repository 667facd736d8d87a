#include <gtest/gtest.h>

#include <QActionGroup>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "board/boardwnd.h"
#include "view/commandids.h"
#include "viewtesting.h"

TEST_F(FrameTest, TypingStoresTheWholeFieldAndARefreshEmptiesTheUndoBuffer) {
    OpenGame(SampleGame);

    TypeAtEnd(View().TitleEdit(), "!");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Record().Title(), "Spring match!");
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));

    Trigger(ID_MOVE_END);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO)) << "the title was refreshed";

    // A header value longer than a line edit takes by default is edited whole.
    const std::string longTitle(40000, 'x');
    OpenGame("[TITLE " + longTitle + "]\r\n", QStringLiteral("long.esn"));
    TypeAtEnd(View().TitleEdit(), "y");
    EXPECT_EQ(doc.Record().Title(), longTitle + "y");
}

// Showing a record never changes it: older texts keep their very bytes until they are edited.
TEST_F(FrameTest, OpeningAndSteppingNeverModifyTheRecord) {
    OpenGame(LegacyGame);
    for (int id : {ID_MOVE_FORWARD, ID_MOVE_FORWARD, ID_MOVE_BACK, ID_MOVE_END, ID_MOVE_TOP}) {
        Trigger(id);
        EXPECT_FALSE(doc.IsModified()) << id;
    }

    EXPECT_EQ(View().BlackEdit()->text(), QStringLiteral("Ann") + QChar(0xA0) + "Lee");
    EXPECT_EQ(View().CommentEdit()->toPlainText(),
              QStringLiteral("line one\nline two\nline three"));

    // Typing in a field stores that field, and only that one, as UTF-8.
    TypeAtEnd(View().BlackEdit(), "s");
    EXPECT_EQ(doc.Record().BlackPlayer(), "Ann\xc2\xa0Lees");
    EXPECT_EQ(doc.Record().Title(), "Caf\xe9 \x81\x8d");
    View().CommentEdit()->setFocus();
    View().CommentEdit()->moveCursor(QTextCursor::End);
    QTest::keyClick(View().CommentEdit(), Qt::Key_Period);
    EXPECT_EQ(doc.Record().Root().Comment(), "line one\r\nline two\r\nline three.");
    // Undoing the typing gives back the very bytes the record had.
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(doc.Record().Root().Comment(), "line one\nline two\rline three");
}

TEST_F(FrameTest, PasteOnlyIntoTheCommentBoxWithTextOnTheClipboard) {
    OpenGame(SampleGame);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    for (QLineEdit* edit : {View().TitleEdit(), View().BlackEdit(), View().WhiteEdit()}) {
        edit->setFocus();
        EXPECT_FALSE(Enabled(ID_EDIT_PASTE)) << edit->objectName().toStdString();
        // Neither key pastes there: a one-line field would lose the text's line breaks.
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_FALSE(doc.IsModified());
    }
    View().CommentEdit()->setFocus();
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    QTest::keyClick(View().CommentEdit(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(doc.Record().Current().Comment(), "pastedBefore the first move");

    QApplication::clipboard()->clear();
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(picture);
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE)) << "a picture is not text";
}

TEST_F(FrameTest, EditCommandsActOnTheFocusedFieldOnly) {
    OpenGame(SampleGame);
    QLineEdit* title = View().TitleEdit();
    title->setFocus();
    EXPECT_FALSE(Enabled(ID_EDIT_COPY)) << "nothing selected";

    title->setSelection(0, 6);
    QTest::keyClick(title, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Spring"));
    Trigger(ID_EDIT_CUT);
    EXPECT_EQ(doc.Record().Title(), " match");
    QTest::keyClick(title, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(doc.Record().Title(), "Spring match");
    title->setSelection(6, 6);
    Trigger(ID_EDIT_CLEAR);
    EXPECT_EQ(doc.Record().Title(), "Spring");

    // A click on the board takes the focus to the view: there Undo and Redo act on the record,
    // and no other Edit command applies.
    QTest::mouseClick(View().Board(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(title->hasFocus());
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Action(ID_EDIT_UNDO).text(), "&Undo Edit Title\tCtrl+Z");
    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(title->text(), "Spring match");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Action(ID_EDIT_REDO).text(), "Red&o Edit Title\tCtrl+Y");
    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(title->text(), "Spring");

    // Back in the field, Undo is the field's again, and what is typed there is a step of its own.
    TypeAtEnd(title, "s");
    EXPECT_EQ(Action(ID_EDIT_UNDO).text(), "&Undo\tCtrl+Z");
    QTest::mouseClick(View().Board(), Qt::LeftButton, {}, QPoint(5, 5));
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(title->text(), "Spring");
}

// Root: P-7f (P-3d P-2f; P-8d), P-2f, P-5f (P-5d). The Move commands are enabled where they
// apply, and follow every step through the record and every edit.
TEST_F(FrameTest, MoveCommandsAreEnabledWhereTheyApply) {
    OpenGame(SampleGame);
    const struct {
        std::vector<int> path;
        bool forward, back, promote, up, down;
    } cases[] = {
        {{}, true, false, false, false, false},   {{0}, true, true, false, false, true},
        {{1}, false, true, true, true, true},     {{2, 0}, false, true, true, false, false},
        {{0, 1}, false, true, true, true, false},
    };
    for (const auto& c : cases) {
        Trigger(ID_MOVE_TOP);
        for (int index : c.path) {
            doc.SelectVariation(index);
            Trigger(ID_MOVE_FORWARD);
        }
        for (int id : {ID_MOVE_FORWARD, ID_MOVE_END, ID_MOVE_DELETE, ID_MOVE_DELETE_AFTER})
            EXPECT_EQ(Enabled(id), c.forward) << id;
        EXPECT_EQ(Enabled(ID_MOVE_BACK), c.back);
        EXPECT_TRUE(Enabled(ID_MOVE_TOP));
        EXPECT_EQ(Enabled(ID_MOVE_PROMOTE), c.promote);
        EXPECT_EQ(Enabled(ID_MOVE_VARIATION_UP), c.up);
        EXPECT_EQ(Enabled(ID_MOVE_VARIATION_DOWN), c.down);
    }
    Trigger(ID_MOVE_PROMOTE);  // P-8d becomes the main line, and the node its first answer
    EXPECT_FALSE(Enabled(ID_MOVE_PROMOTE));
    EXPECT_FALSE(Enabled(ID_MOVE_VARIATION_UP));
    EXPECT_TRUE(Enabled(ID_MOVE_VARIATION_DOWN));
    EXPECT_EQ(Action(ID_EDIT_UNDO).text(), "&Undo Promote Variation\tCtrl+Z");
    Trigger(ID_EDIT_UNDO);
    EXPECT_TRUE(Enabled(ID_MOVE_PROMOTE));
    EXPECT_FALSE(Enabled(ID_MOVE_VARIATION_DOWN));
}

// The board only reports the move; the view asks whether to promote where that is a choice,
// and drops the move when the record moved on while the question was open.
TEST_F(FrameTest, TheViewAsksAboutPromotion) {
    OpenGame("1. P-7f\r\n2. P-3d\r\n");
    Trigger(ID_MOVE_END);
    CBoardWnd* board = View().Board();
    const auto bishopTo2b = [&](Prompter::Answer answer) {
        prompter.answers = {answer};
        QTest::mouseClick(board, Qt::LeftButton, {}, QPoint(112, 272));  // 8h
        QTest::mouseClick(board, Qt::LeftButton, {}, QPoint(304, 80));   // 2b
    };
    bishopTo2b(Prompter::Answer::Yes);
    EXPECT_EQ(prompter.asked, QStringList{"Promote Piece?"});
    EXPECT_EQ(doc.Record().Cell(Square{1, 1}), Black | PromotedFlag | Bishop);
    Trigger(ID_MOVE_BACK);
    bishopTo2b(Prompter::Answer::No);
    EXPECT_EQ(doc.Record().Cell(Square{1, 1}), Black | Bishop);
    EXPECT_EQ(doc.Record().Current().Parent()->ChildCount(), 2);

    // Another record, even at the same position, is not the one the move was made on.
    Trigger(ID_MOVE_BACK);
    prompter.whileAsking = [this] {
        doc.OpenRecordText(QStringLiteral("1. P-7f\r\n2. P-3d\r\n"));
        doc.GoEnd();
    };
    bishopTo2b(Prompter::Answer::Yes);
    EXPECT_EQ(CountMoves(doc.Record().Root()), 2);
}

// Alt+E opens the Edit menu from the keyboard, and the menu bar takes the focus: the commands
// still follow, and act on, the field the user was in.
TEST_F(FrameTest, TheEditMenuOpenedFromTheKeyboardServesTheFieldThatHadTheFocus) {
    OpenGame(SampleGame);
    QLineEdit* title = View().TitleEdit();
    title->setFocus();
    title->setSelection(0, 6);
    QTest::keyClick(title, Qt::Key_E, Qt::AltModifier);
    QMenu* menu = nullptr;
    for (QObject* object : Action(ID_EDIT_CUT).associatedObjects())
        if (auto* owner = qobject_cast<QMenu*>(object)) menu = owner;
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR})
        EXPECT_TRUE(Enabled(id)) << id;
    QTest::keyClick(menu, Qt::Key_T);  // Cu&t
    EXPECT_EQ(doc.Record().Title(), " match");
}

// A piece picked up on the board stays picked up through a change of piece style; turning the
// board drops it. Neither touches the record, and both survive opening another one. The two
// styles are one choice.
TEST_F(FrameTest, PieceStyleAndRotation) {
    OpenGame(SampleGame);
    CBoardWnd& board = *View().Board();
    const int bottom = board.BottomSide();
    QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(144, 240));  // Black's pawn on 7g
    ASSERT_TRUE(board.IsSelected());
    const QImage japanese = board.Picture();
    Trigger(ID_OPTIONS_INTERNATIONAL);
    QCoreApplication::processEvents();
    EXPECT_NE(board.Picture(), japanese);
    EXPECT_TRUE(board.IsSelected());
    EXPECT_FALSE(Action(ID_OPTIONS_JAPANESE).isChecked());
    EXPECT_TRUE(Action(ID_OPTIONS_INTERNATIONAL).isChecked());

    Trigger(ID_OPTIONS_ROTATE);
    EXPECT_FALSE(board.IsSelected());
    EXPECT_NE(board.BottomSide(), bottom);
    EXPECT_FALSE(doc.IsModified());
    OpenGame(SampleGame, QStringLiteral("other.esn"));
    EXPECT_FALSE(doc.IsJapanesePieces());
    EXPECT_NE(board.BottomSide(), bottom);
    const QActionGroup* styles = Action(ID_OPTIONS_JAPANESE).actionGroup();
    ASSERT_NE(styles, nullptr);
    EXPECT_TRUE(styles->isExclusive());
    EXPECT_EQ(Action(ID_OPTIONS_INTERNATIONAL).actionGroup(), styles);
}
