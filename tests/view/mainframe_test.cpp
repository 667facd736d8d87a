#include <gtest/gtest.h>

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <QWindow>

#include "app/commandids.h"
#include "app/variationsbar.h"
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

// Each menu item as "text|id|keys|status tip|tool-tip", "-" for a separator.
TEST_F(FrameTest, MenusFollowTheCommandTable) {
    const std::vector<std::string> expected = {
        "&File",
        "&New\tCtrl+N|57600|Ctrl+N|Create a new document|New",
        "&Open...\tCtrl+O|57601|Ctrl+O|Open an existing document|Open",
        "&Save\tCtrl+S|57603|Ctrl+S|Save the active document|Save",
        "Save &As...|57604||Save the active document with a new name|Save As",
        "-",
        "Recent File|57616||Open this document|Recent File",
        "-",
        "E&xit|57665||Quit the application; prompts to save documents|Exit",
        "&Edit",
        "&Undo\tCtrl+Z|57643|Ctrl+Z; Alt+Backspace|Undo the last action|Undo",
        "-",
        "Cu&t\tCtrl+X|57635|Ctrl+X; Shift+Del|Cut the selection and put it on the Clipboard|Cut",
        "&Copy\tCtrl+C|57634|Ctrl+C; Ctrl+Ins|Copy the selection and put it on the Clipboard|Copy",
        "&Paste\tCtrl+V|57637|Ctrl+V; Shift+Ins|Insert Clipboard contents|Paste",
        "Delete\tDel|57632||Deletes the selection|Delete",
        "&Move",
        "&Top\tCtrl+Home|130|Ctrl+Home|Move to the top of the tree|Top",
        "&End\tCtrl+End|133|Ctrl+End|Move to the end of this variation|End",
        "-",
        "&Forward\tCtrl+Right|131|Ctrl+Right|Move forward one move|Forward",
        "&Backward\tCtrl+Left|132|Ctrl+Left|Move back one move|Back",
        "-",
        "Delete|134||Delete the selected variation|Delete",
        "&Options",
        "&Japanese Pieces|135||Use Japanese pieces|Japanese Pieces",
        "&International Pieces|136||Use International pieces|International Pieces",
        "-",
        "&Rotate Board|137||Rotate the board|Rotate Board",
        "&Help",
        "&About Marlock...|57664||Display program information, version number and copyright|About",
    };
    std::vector<std::string> shown;
    for (const QAction* menu : frame->menuBar()->actions()) {
        shown.push_back(menu->text().toStdString());
        for (const QAction* item : menu->menu()->actions()) {
            const QStringList parts = {item->text(), QString::number(item->data().toInt()),
                                       QKeySequence::listToString(item->shortcuts()),
                                       item->statusTip(), item->toolTip()};
            shown.push_back(item->isSeparator() ? "-" : parts.join(QChar(u'|')).toStdString());
        }
    }
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FILE1)) << "the placeholder stands greyed";
    EXPECT_EQ(frame->createPopupMenu(), nullptr) << "no menu hides the bars";
}

TEST_F(FrameTest, ToolBarHoldsTheButtonsAndTheVariationsList) {
    // 0 stands for a separator, -1 for the variations list.
    const std::vector<int> expected = {57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 130,  132,
                                       -1,    131,   133,   0, 134,   0,     137,   0, 57664};
    std::vector<int> shown;
    for (QAction* entry : frame->ToolBar()->actions()) {
        const bool list = frame->ToolBar()->widgetForAction(entry) == frame->ToolBar()->ComboBox();
        shown.push_back(list ? -1 : entry->data().toInt());
        EXPECT_TRUE(shown.back() <= 0 || !entry->icon().isNull()) << shown.back();
    }
    EXPECT_EQ(shown, expected);
    const QComboBox* list = frame->ToolBar()->ComboBox();
    EXPECT_EQ(list->toolTip(), QStringLiteral("Variations"));
    EXPECT_EQ(list->statusTip(), QStringLiteral("Select an available variation"));
    EXPECT_EQ(frame->ReadyLabel()->text(), QStringLiteral("Ready"));
}

// The accelerator keys come before the focused field's own use of them; other keys do not.
TEST_F(FrameTest, MoveKeysActWhileATextFieldHasTheFocus) {
    OpenGame(SampleGame);
    const std::vector<std::pair<Qt::Key, int>> steps = {{Qt::Key_End, 3},
                                                        {Qt::Key_Home, 0},
                                                        {Qt::Key_Right, 1},
                                                        {Qt::Key_Right, 2},
                                                        {Qt::Key_Left, 1}};
    for (QWidget* field :
         {static_cast<QWidget*>(View().TitleEdit()), static_cast<QWidget*>(View().CommentEdit()),
          static_cast<QWidget*>(frame->ToolBar()->ComboBox())}) {
        const std::string name = field->objectName().toStdString();
        Trigger(ID_MOVE_TOP);
        field->setFocus();
        for (const auto& [key, ply] : steps) {
            Press(field, key, Qt::ControlModifier);
            EXPECT_EQ(Ply(), ply) << name;
        }
        EXPECT_TRUE(field->hasFocus()) << name;
    }
    EXPECT_FALSE(doc.IsModified());

    QLineEdit* title = View().TitleEdit();
    title->setFocus();
    Press(title, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(title->selectedText(), QStringLiteral("Spring match"));
}

TEST_F(FrameTest, SaveQuestionGuardsNewOpenAndClose) {
    const QString other = WriteFile(QStringLiteral("other.esn"), SampleGame);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    prompter.answers = {Answer::Cancel, Answer::Cancel, Answer::Cancel};
    Trigger(ID_FILE_NEW);
    EXPECT_FALSE(frame->OpenDocumentFile(other));
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompter.asked, QStringList(3, QStringLiteral("Save changes to Untitled?")));
    EXPECT_EQ(doc.m_record.title, "Draft");

    // Yes on an untitled record asks for a name: no name cancels, a name saves and goes on.
    QStringList suggested;
    QString name;
    frame->SetSaveFileChooser([&](const QString& offered) {
        suggested.append(offered);
        return name;
    });
    prompter.answers = {Answer::Yes, Answer::Yes};
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(doc.m_record.title, "Draft");
    name = dir.filePath(QStringLiteral("draft.esn"));
    EXPECT_TRUE(frame->OpenDocumentFile(other));
    EXPECT_EQ(suggested, QStringList(2, QStringLiteral("Untitled")));
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_EQ(doc.m_record.title, "Spring match");

    // No throws the changes away.
    View().TitleEdit()->setText(QStringLiteral("Changed"));
    prompter.asked.clear();
    prompter.answers = {Answer::No};
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(prompter.asked, QStringList{QStringLiteral("Save changes to other.esn?")});
    EXPECT_EQ(doc.m_record.title, "");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FrameTest, FileCommandsAskForANameOnlyWhenTheyNeedOne) {
    const QString path = OpenGame(SampleGame);
    View().BlackEdit()->setText(QStringLiteral("Dana"));
    QStringList suggested;
    const QString copy = dir.filePath(QStringLiteral("odd[*].esn"));
    frame->SetSaveFileChooser([&](const QString& offered) {
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
    // The title bar shows the record's name, modified or not, and a name that holds Qt's
    // modified mark as written.
    View().WhiteEdit()->setText(QStringLiteral("Carol"));
    EXPECT_EQ(frame->windowHandle()->title(), QStringLiteral("odd[*].esn - Marlock"));

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
    EXPECT_EQ(doc.m_record.title, "Draft");
    EXPECT_TRUE(DropFile(View().CommentEdit(), path));
    EXPECT_EQ(prompter.asked, QStringList(2, QStringLiteral("Save changes to Untitled?")));
    EXPECT_EQ(doc.GetPathName(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(View().TitleEdit()->text(), QStringLiteral("Spring match"));
}

TEST_F(FrameTest, WindowPositionIsKeptBetweenRuns) {
    const auto restart = [&](int x, int y) {
        frame.reset();
        QSettings settings;
        settings.setValue(QStringLiteral("Window/x"), x);
        settings.setValue(QStringLiteral("Window/y"), y);
        settings.sync();
        frame = std::make_unique<CMainFrame>(doc);
        return frame->pos();
    };
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
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(StoredPosition(), QPoint(-25, 60));
}
