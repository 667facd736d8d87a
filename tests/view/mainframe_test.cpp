#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextCursor>
#include <QUrl>
#include <QWindow>

#include "app/variationsbar.h"
#include "board/boardwnd.h"
#include "view/commandids.h"
#include "view/movelist.h"
#include "viewtesting.h"

namespace {

using Answer = Prompter::Answer;

// Drags the file over the widget and drops it there, then lets the frame open it.
bool DropFile(QWidget* target, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(path);
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

QPoint StoredPosition() {
    QSettings settings;
    return {settings.value(QStringLiteral("Window/x")).toInt(),
            settings.value(QStringLiteral("Window/y")).toInt()};
}

}  // namespace

// The accelerator keys come before the focused field's own use of them; other keys do not. On
// the board and in the move list the arrows, Home and End step without Ctrl.
TEST_F(FrameTest, MoveKeysActWhereverTheFocusIs) {
    OpenGame(SampleGame);
    const std::vector<std::pair<Qt::Key, int>> steps = {{Qt::Key_End, 3},
                                                        {Qt::Key_Home, 0},
                                                        {Qt::Key_Right, 1},
                                                        {Qt::Key_Right, 2},
                                                        {Qt::Key_Left, 1}};
    const std::pair<QWidget*, Qt::KeyboardModifiers> places[] = {
        {View().TitleEdit(), Qt::ControlModifier},
        {View().CommentEdit(), Qt::ControlModifier},
        {frame->ToolBar()->ComboBox(), Qt::ControlModifier},
        {&View(), Qt::NoModifier},
        {frame->MoveList(), Qt::NoModifier},
        {frame->MoveList(), Qt::ControlModifier}};
    for (const auto& [field, modifiers] : places) {
        const std::string name = field->objectName().toStdString();
        Trigger(ID_MOVE_TOP);
        field->setFocus();
        for (const auto& [key, ply] : steps) {
            QTest::keyClick(field, key, modifiers);
            EXPECT_EQ(Ply(), ply) << name;
        }
        EXPECT_TRUE(field->hasFocus()) << name;
    }
    EXPECT_FALSE(doc.IsModified());

    QLineEdit* title = View().TitleEdit();
    title->setFocus();
    QTest::keyClick(title, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(title->selectedText(), QStringLiteral("Spring match"));
    QTest::keyClick(title, Qt::Key_Home);
    EXPECT_EQ(Ply(), 1) << "a plain key in a field is the field's";
}

// Tab leaves the comment box (Ctrl+Tab types a tab there) and reaches the variations list,
// which Alt+Down opens; the board shows a frame while the keys act on it.
TEST_F(FrameTest, TabReachesTheListAndTheBoardShowsTheFocus) {
    OpenGame(SampleGame);
    QPlainTextEdit* comment = View().CommentEdit();
    comment->setFocus();
    comment->moveCursor(QTextCursor::End);
    QTest::keyClick(comment, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(doc.Record().Current().Comment(), "Before the first move\t");
    QTest::keyClick(comment, Qt::Key_Tab);
    QComboBox* list = frame->ToolBar()->ComboBox();
    EXPECT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(list->view()->isVisible());
    list->hidePopup();  // it hands the keys back to the board

    const auto edge = [this] { return View().Board()->grab().toImage().pixelColor(0, 0); };
    EXPECT_EQ(edge(), View().palette().color(QPalette::Highlight));
    comment->setFocus();
    EXPECT_EQ(edge(), QColor(198, 198, 198));
}

TEST_F(FrameTest, SaveQuestionGuardsNewOpenAndClose) {
    const QString other = WriteFile(QStringLiteral("other.esn"), SampleGame);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    prompter.answers = {Answer::Cancel, Answer::Cancel, Answer::Cancel};
    Trigger(ID_FILE_NEW);
    EXPECT_FALSE(frame->OpenDocumentFile(other));
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompter.asked, QStringList(3, QStringLiteral("Save changes to Untitled?")));
    EXPECT_EQ(doc.Record().Title(), "Draft");

    // Yes on an untitled record asks for a name: no name cancels, a name saves and goes on.
    QStringList suggested;
    QString name;
    frame->SetSaveFileChooser([&](const QString& offered, FileType&) {
        suggested.append(offered);
        return name;
    });
    prompter.answers = {Answer::Yes, Answer::Yes};
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(doc.Record().Title(), "Draft");
    name = dir.filePath(QStringLiteral("draft.esn"));
    EXPECT_TRUE(frame->OpenDocumentFile(other));
    EXPECT_EQ(suggested, QStringList(2, QStringLiteral("Untitled")));
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_EQ(doc.Record().Title(), "Spring match");

    // No throws the changes away.
    View().TitleEdit()->setText(QStringLiteral("Changed"));
    prompter.asked.clear();
    prompter.answers = {Answer::No};
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(prompter.asked, QStringList{QStringLiteral("Save changes to other.esn?")});
    EXPECT_EQ(doc.Record().Title(), "");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FrameTest, FileCommandsAskForANameOnlyWhenTheyNeedOne) {
    const QString path = OpenGame(SampleGame);
    View().BlackEdit()->setText(QStringLiteral("Dana"));
    QStringList suggested;
    const QString copy = dir.filePath(QStringLiteral("odd[*].esn"));
    frame->SetSaveFileChooser([&](const QString& offered, FileType&) {
        suggested.append(offered);
        return copy;
    });
    Trigger(ID_FILE_SAVE);
    EXPECT_TRUE(suggested.isEmpty());
    EXPECT_FALSE(doc.IsModified());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("[BLACK Dana]"));
    Trigger(ID_FILE_SAVE_AS);
    EXPECT_EQ(suggested, QStringList{path});
    // The title bar shows the record's name, marked while modified, and a name that holds Qt's
    // modified mark as written.
    EXPECT_EQ(frame->windowHandle()->title(), QStringLiteral("odd[*].esn - Marlock"));
    View().WhiteEdit()->setText(QStringLiteral("Carol"));
    EXPECT_EQ(frame->windowHandle()->title(), QStringLiteral("odd[*].esn* - Marlock"));

    // No answer opens nothing.
    QString chosen;
    frame->SetOpenFileChooser([&](const QString&) { return chosen; });
    Trigger(ID_FILE_OPEN);
    EXPECT_EQ(doc.GetPathName(), copy);
    prompter.answers = {Answer::No};
    chosen = WriteFile(QStringLiteral("chosen.esn"), "[TITLE Chosen]\r\n");
    Trigger(ID_FILE_OPEN);
    EXPECT_EQ(View().TitleEdit()->text(), QStringLiteral("Chosen"));
}

// A file dropped anywhere on the window, even over a text field, is opened after the question
// to save the record.
TEST_F(FrameTest, DroppedFileOpensAfterTheSaveQuestion) {
    ShowActive();
    const QString path = WriteFile(QStringLiteral("dropped.esn"), SampleGame);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    prompter.answers = {Answer::Cancel, Answer::No};
    EXPECT_TRUE(DropFile(View().TitleEdit(), path));
    EXPECT_EQ(doc.Record().Title(), "Draft");
    EXPECT_TRUE(DropFile(View().CommentEdit(), path));
    EXPECT_EQ(prompter.asked, QStringList(2, QStringLiteral("Save changes to Untitled?")));
    EXPECT_EQ(doc.GetPathName(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(View().TitleEdit()->text(), QStringLiteral("Spring match"));
}

TEST_F(FrameTest, WindowPositionAndSizeAreKeptBetweenRuns) {
    const auto restart = [&](int x, int y) {
        frame.reset();
        QSettings settings;
        settings.setValue(QStringLiteral("Window/x"), x);
        settings.setValue(QStringLiteral("Window/y"), y);
        settings.sync();
        frame = std::make_unique<CMainFrame>(doc, prompter);
        return frame->pos();
    };
    EXPECT_EQ(frame->size(), frame->sizeHint()) << "the first run fits the board at its smallest";
    EXPECT_EQ(restart(120, 80), QPoint(120, 80));
    EXPECT_EQ(restart(-30, -4), QPoint(-30, -4)) << "partly off the screen is kept";
    EXPECT_NE(restart(100000, 80).x(), 100000);
    EXPECT_NE(restart(50, -5000).y(), -5000);
    // The title bar, as wide as the frame, must touch some screen.
    const QList<QRect> screens = {QRect(0, 0, 800, 600), QRect(800, 0, 1024, 768)};
    EXPECT_TRUE(CMainFrame::IsPositionOnScreen({1500, 700}, 700, 20, screens));
    EXPECT_TRUE(CMainFrame::IsPositionOnScreen({-690, -19}, 700, 20, screens));
    EXPECT_FALSE(CMainFrame::IsPositionOnScreen({-700, 0}, 700, 20, screens));

    // Written at every close request, also one the user then cancels.
    frame->move(140, 90);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    prompter.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(StoredPosition(), QPoint(140, 90));
    frame->move(-25, 60);
    frame->resize(780, 560);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(StoredPosition(), QPoint(-25, 60));
    restart(-25, 60);
    EXPECT_EQ(frame->size(), QSize(780, 560)) << "the size is kept too";
}

// The options, the size of board pictures and whether the move list shows (at first it does)
// are remembered the moment they are chosen, and the next run starts with them.
TEST_F(FrameTest, OptionsAreRememberedForTheNextRun) {
    EXPECT_TRUE(Action(ID_VIEW_MOVE_LIST).isChecked());
    const int chosen[] = {ID_OPTIONS_JAPANESE_NOTATION, ID_OPTIONS_INTERNATIONAL,
                          ID_OPTIONS_PICTURE_3X, ID_VIEW_MOVE_LIST};
    for (int id : chosen)
        Trigger(id);
    Trigger(ID_OPTIONS_ROTATE);
    frame.reset();
    CZelkanDoc next(prompter);
    const CMainFrame again(next, prompter);
    for (int id : chosen)
        EXPECT_EQ(again.ActionById(id)->isChecked(), id != ID_VIEW_MOVE_LIST) << id;
    EXPECT_TRUE(next.IsJapaneseNotation());
    EXPECT_FALSE(next.IsJapanesePieces());
    EXPECT_EQ(again.View()->Board()->BottomSide(), White);
    EXPECT_TRUE(again.MoveList()->parentWidget()->isHidden());
}

// After start-up, New and Open the view has the keyboard focus, as after a click on the board:
// the first keys typed never become the title.
TEST_F(FrameTest, TheViewHasTheFocusAfterStartUpNewAndOpen) {
    ShowActive();
    EXPECT_EQ(QApplication::focusWidget(), &View());
    View().TitleEdit()->setFocus();
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(QApplication::focusWidget(), &View());
    View().TitleEdit()->setFocus();
    OpenGame(SampleGame);
    EXPECT_EQ(QApplication::focusWidget(), &View());
    QTest::keyClicks(QApplication::focusWidget(), "abc");
    EXPECT_EQ(doc.Record().Title(), "Spring match");
    EXPECT_FALSE(doc.IsModified());
}

// The list's prompt shows while the pointer rests on it and goes when the pointer leaves, or
// when a variation was picked with the mouse; "Ready" stands where the prompts stand.
TEST_F(FrameTest, TheStatusBarPromptsForTheListAndSaysReadyInThePromptsPlace) {
    OpenGame(SampleGame);
    QStatusBar& bar = *frame->statusBar();
    // The first column holding dark pixels of the bar's text.
    const auto textStart = [&bar] {
        const QImage image = bar.grab().toImage();
        for (int x = 0; x < image.width() / 2; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qGray(image.pixel(x, y)) < 96) return x;
        return -1;
    };
    const QImage ready = bar.grab().toImage();
    const int readyStart = textStart();
    QComboBox* list = frame->ToolBar()->ComboBox();
    QTest::mouseMove(list, list->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.currentMessage(), QStringLiteral("Select an available variation"));
    const int promptStart = textStart();
    QTest::mouseMove(View().Board(), QPoint(200, 200));
    QCoreApplication::processEvents();
    EXPECT_TRUE(bar.grab().toImage() == ready) << "the prompt stays";
    EXPECT_GE(readyStart, 0);
    EXPECT_EQ(readyStart, promptStart);

    QTest::mouseMove(list, list->rect().center());
    QTest::mouseClick(list, Qt::LeftButton, {}, list->rect().center());
    ASSERT_TRUE(list->view()->isVisible());
    // On X11 the open list holds the pointer: the box hears nothing of it leaving, and its prompt
    // stays up.
    list->setAttribute(Qt::WA_UnderMouse, true);
    QStatusTipEvent prompt(list->statusTip());
    QCoreApplication::sendEvent(list, &prompt);
    // The list takes no release of the button as a choice until a double click's time is over.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect second = list->view()->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(doc.SelectedVariation(), 1);
    EXPECT_EQ(bar.currentMessage(), QStringLiteral("Ready"));
}
