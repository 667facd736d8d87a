#include <gtest/gtest.h>

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QUrl>
#include <QWindow>

#include "app/commandids.h"
#include "app/variationsbar.h"
#include "viewtesting.h"

namespace {

struct ExpectedItem {
    const char* menu;
    const char* text;  // nullptr for a separator
    int id;
    QList<QKeySequence> keys;
    const char* statusTip;
    const char* toolTip;  // nullptr where the item has none of its own
};

const QKeySequence Key(QKeyCombination keys) {
    return QKeySequence(keys);
}

std::vector<ExpectedItem> ExpectedMenus() {
    return {
        {"&File",
         "&New\tCtrl+N",
         57600,
         {Key(Qt::CTRL | Qt::Key_N)},
         "Create a new document",
         "New"},
        {"&File",
         "&Open...\tCtrl+O",
         57601,
         {Key(Qt::CTRL | Qt::Key_O)},
         "Open an existing document",
         "Open"},
        {"&File",
         "&Save\tCtrl+S",
         57603,
         {Key(Qt::CTRL | Qt::Key_S)},
         "Save the active document",
         "Save"},
        {"&File", "Save &As...", 57604, {}, "Save the active document with a new name", "Save As"},
        {"&File", nullptr, 0, {}, nullptr, nullptr},
        {"&File", "Recent File", 57616, {}, "Open this document", nullptr},
        {"&File", nullptr, 0, {}, nullptr, nullptr},
        {"&File", "E&xit", 57665, {}, "Quit the application; prompts to save documents", "Exit"},
        {"&Edit",
         "&Undo\tCtrl+Z",
         57643,
         {Key(Qt::CTRL | Qt::Key_Z), Key(Qt::ALT | Qt::Key_Backspace)},
         "Undo the last action",
         "Undo"},
        {"&Edit", nullptr, 0, {}, nullptr, nullptr},
        {"&Edit",
         "Cu&t\tCtrl+X",
         57635,
         {Key(Qt::CTRL | Qt::Key_X), Key(Qt::SHIFT | Qt::Key_Delete)},
         "Cut the selection and put it on the Clipboard",
         "Cut"},
        {"&Edit",
         "&Copy\tCtrl+C",
         57634,
         {Key(Qt::CTRL | Qt::Key_C), Key(Qt::CTRL | Qt::Key_Insert)},
         "Copy the selection and put it on the Clipboard",
         "Copy"},
        {"&Edit",
         "&Paste\tCtrl+V",
         57637,
         {Key(Qt::CTRL | Qt::Key_V), Key(Qt::SHIFT | Qt::Key_Insert)},
         "Insert Clipboard contents",
         "Paste"},
        {"&Edit", "Delete\tDel", 57632, {}, "Deletes the selection", "Delete"},
        {"&Move",
         "&Top\tCtrl+Home",
         130,
         {Key(Qt::CTRL | Qt::Key_Home)},
         "Move to the top of the tree",
         "Top"},
        {"&Move",
         "&End\tCtrl+End",
         133,
         {Key(Qt::CTRL | Qt::Key_End)},
         "Move to the end of this variation",
         "End"},
        {"&Move", nullptr, 0, {}, nullptr, nullptr},
        {"&Move",
         "&Forward\tCtrl+Right",
         131,
         {Key(Qt::CTRL | Qt::Key_Right)},
         "Move forward one move",
         "Forward"},
        {"&Move",
         "&Backward\tCtrl+Left",
         132,
         {Key(Qt::CTRL | Qt::Key_Left)},
         "Move back one move",
         "Back"},
        {"&Move", nullptr, 0, {}, nullptr, nullptr},
        {"&Move", "Delete", 134, {}, "Delete the selected variation", "Delete"},
        {"&Options", "&Japanese Pieces", 135, {}, "Use Japanese pieces", "Japanese Pieces"},
        {"&Options",
         "&International Pieces",
         136,
         {},
         "Use International pieces",
         "International Pieces"},
        {"&Options", nullptr, 0, {}, nullptr, nullptr},
        {"&Options", "&Rotate Board", 137, {}, "Rotate the board", "Rotate Board"},
        {"&Help",
         "&About Marlock...",
         57664,
         {},
         "Display program information, version number and copyright",
         "About"},
    };
}

// Sends a drag of the file over the widget and drops it there.
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
    return drop.isAccepted();
}

}  // namespace

TEST_F(FrameTest, MenusMatchTheCommandTable) {
    const std::vector<ExpectedItem> expected = ExpectedMenus();
    std::size_t next = 0;
    QStringList titles;
    for (QAction* menuAction : frame->menuBar()->actions()) {
        QMenu* menu = menuAction->menu();
        ASSERT_NE(menu, nullptr);
        titles.append(menu->title());
        for (QAction* item : menu->actions()) {
            ASSERT_LT(next, expected.size());
            const ExpectedItem& want = expected[next++];
            const std::string where = want.text ? want.text : "separator";
            EXPECT_EQ(menu->title(), QString::fromUtf8(want.menu)) << where;
            if (want.text == nullptr) {
                EXPECT_TRUE(item->isSeparator()) << where << " after item " << next - 1;
                continue;
            }
            EXPECT_EQ(item->text(), QString::fromUtf8(want.text));
            EXPECT_EQ(item->data().toInt(), want.id) << where;
            EXPECT_EQ(item->shortcuts(), want.keys) << where;
            EXPECT_EQ(item->statusTip(), QString::fromUtf8(want.statusTip)) << where;
            if (want.toolTip != nullptr) {
                EXPECT_EQ(item->toolTip(), QString::fromUtf8(want.toolTip)) << where;
            }
            EXPECT_EQ(frame->ActionById(want.id), item) << where;
        }
    }
    EXPECT_EQ(next, expected.size());
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Move", "&Options", "&Help"}));
    EXPECT_EQ(frame->FileMenu()->title(), QStringLiteral("&File"));
    // There is no menu to hide the bars.
    EXPECT_EQ(frame->createPopupMenu(), nullptr);
}

TEST_F(FrameTest, ToolBarHoldsTheButtonsOfTheTable) {
    const std::vector<int> expected = {57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 130,  132,
                                       -1,    131,   133,   0, 134,   0,     137,   0, 57664};
    const QList<QAction*> entries = frame->ToolBar()->actions();
    ASSERT_EQ(entries.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QAction* entry = entries[static_cast<qsizetype>(i)];
        if (expected[i] == -1) {
            EXPECT_NE(frame->ToolBar()->widgetForAction(entry), nullptr);
        } else if (expected[i] == 0) {
            EXPECT_TRUE(entry->isSeparator()) << i;
        } else {
            EXPECT_EQ(entry, frame->ActionById(expected[i])) << i;
            // The picture comes from the strip, and the menus show none.
            EXPECT_FALSE(entry->icon().isNull()) << i;
            EXPECT_FALSE(entry->isIconVisibleInMenu()) << i;
        }
    }
}

TEST_F(FrameTest, AcceleratorsActWhileATextFieldHasTheFocus) {
    OpenGame(SampleGame);
    ShowActive();
    QWidget* list = frame->ToolBar()->ComboBox();
    for (QWidget* field : {static_cast<QWidget*>(View().TitleEdit()),
                           static_cast<QWidget*>(View().CommentEdit()), list}) {
        const std::string name = field->objectName().toStdString();
        Trigger(ID_MOVE_TOP);
        field->setFocus();
        ASSERT_TRUE(field->hasFocus()) << name;

        frame->RunUpdatePass();
        QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(Ply(), 3) << name;
        frame->RunUpdatePass();
        QTest::keyClick(field, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(Ply(), 0) << name;
        frame->RunUpdatePass();
        QTest::keyClick(field, Qt::Key_Right, Qt::ControlModifier);
        EXPECT_EQ(Ply(), 1) << name;
        frame->RunUpdatePass();
        QTest::keyClick(field, Qt::Key_Right, Qt::ControlModifier);
        EXPECT_EQ(Ply(), 2) << name;
        frame->RunUpdatePass();
        QTest::keyClick(field, Qt::Key_Left, Qt::ControlModifier);
        EXPECT_EQ(Ply(), 1) << name;
        EXPECT_TRUE(field->hasFocus()) << name;
    }
    EXPECT_EQ(View().TitleEdit()->text(), QStringLiteral("Spring match"));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FrameTest, OtherKeysStayWithTheField) {
    OpenGame(SampleGame);
    ShowActive();
    QLineEdit* title = View().TitleEdit();
    title->setFocus();
    QTest::keyClick(title, Qt::Key_End);
    QTest::keyClick(title, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(title->selectedText(), QStringLiteral("Spring match"));
    QTest::keyClick(title, Qt::Key_Delete);
    EXPECT_EQ(doc.m_record.title, "");
    EXPECT_EQ(Ply(), 0);
}

// The title bar shows the record's name and the program's, nothing more, modified or not.
TEST_F(FrameTest, TitleShowsTheRecordsNameAndTheProgram) {
    ShowActive();
    const auto shown = [&] { return frame->windowHandle()->title().toStdString(); };
    EXPECT_EQ(shown(), "Untitled - Marlock");
    OpenGame(SampleGame, QStringLiteral("spring.esn"));
    EXPECT_EQ(shown(), "spring.esn - Marlock");
    View().WhiteEdit()->setText(QStringLiteral("Carol"));
    ASSERT_TRUE(doc.IsModified());
    EXPECT_EQ(shown(), "spring.esn - Marlock");
    // A name that holds Qt's modified mark is shown as written.
    OpenGame(SampleGame, QStringLiteral("odd[*].esn"));
    View().WhiteEdit()->setText(QStringLiteral("Dana"));
    EXPECT_EQ(shown(), "odd[*].esn - Marlock");
}

TEST_F(FrameTest, StatusBarShowsReadyUnderThePrompts) {
    ShowActive();
    EXPECT_EQ(frame->ReadyLabel()->text(), QStringLiteral("Ready"));
    EXPECT_TRUE(frame->ReadyLabel()->isVisible());
    Action(ID_MOVE_TOP).showStatusText(frame.get());
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Move to the top of the tree"));
    EXPECT_FALSE(frame->ReadyLabel()->isVisible());
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(frame.get(), &leave);
    EXPECT_TRUE(frame->ReadyLabel()->isVisible());

    // Without a window system that reports the lock keys the indicators stay blank.
    QStringList indicators;
    for (QLabel* label : frame->statusBar()->findChildren<QLabel*>()) {
        if (label != frame->ReadyLabel()) indicators.append(label->text());
    }
    EXPECT_EQ(indicators, QStringList({"", "", ""}));
}

TEST_F(FrameTest, SaveQuestionGuardsNewOpenAndClose) {
    const QString other = WriteFile(QStringLiteral("other.esn"), SampleGame);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    ASSERT_TRUE(doc.IsModified());

    prompter.answers = {Prompter::Answer::Cancel};
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(prompter.asked, QStringList({"Save changes to Untitled?"}));
    EXPECT_EQ(doc.m_record.title, "Draft");
    prompter.answers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(frame->OpenDocumentFile(other));
    EXPECT_EQ(doc.m_record.title, "Draft");
    prompter.answers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(frame->close());

    // Yes on an untitled record saves it under a chosen name; cancelling that choice cancels.
    prompter.answers = {Prompter::Answer::Yes};
    QString suggested;
    frame->SetSaveFileChooser([&](const QString& name) {
        suggested = name;
        return QString();
    });
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(suggested, QStringLiteral("Untitled"));
    EXPECT_EQ(doc.m_record.title, "Draft");

    const QString saved = dir.filePath(QStringLiteral("draft.esn"));
    frame->SetSaveFileChooser([&](const QString&) { return saved; });
    QSignalSpy savedSpy(frame.get(), &CMainFrame::documentSaved);
    prompter.answers = {Prompter::Answer::Yes};
    EXPECT_TRUE(frame->OpenDocumentFile(other));
    EXPECT_EQ(savedSpy.count(), 1);
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(doc.m_record.title, "Spring match");

    // No throws the changes away.
    View().TitleEdit()->setText(QStringLiteral("Changed"));
    prompter.asked.clear();
    prompter.answers = {Prompter::Answer::No};
    Trigger(ID_FILE_NEW);
    EXPECT_EQ(prompter.asked, QStringList({"Save changes to other.esn?"}));
    EXPECT_EQ(doc.m_record.title, "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Marlock"));
}

TEST_F(FrameTest, SaveWritesToTheRecordsFileAndSaveAsAsksForAName) {
    const QString path = OpenGame(SampleGame);
    View().BlackEdit()->setText(QStringLiteral("Dana"));
    int asked = 0;
    frame->SetSaveFileChooser([&](const QString&) {
        ++asked;
        return dir.filePath(QStringLiteral("copy.esn"));
    });
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(doc.IsModified());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("[BLACK Dana]"));

    Trigger(ID_FILE_SAVE_AS);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(doc.GetPathName(), dir.filePath(QStringLiteral("copy.esn")));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("copy.esn - Marlock"));
}

TEST_F(FrameTest, FailedOpenSaysWhyAndKeepsTheRecord) {
    OpenGame(SampleGame);
    Trigger(ID_MOVE_FORWARD);
    QSignalSpy failed(frame.get(), &CMainFrame::openFailed);
    QSignalSpy opened(frame.get(), &CMainFrame::documentOpened);
    const QString missing = dir.filePath(QStringLiteral("missing.esn"));
    EXPECT_FALSE(frame->OpenDocumentFile(missing));
    ASSERT_EQ(prompter.asked.size(), 1);
    const QString prefix =
        QStringLiteral("Cannot open %1: ").arg(QDir::toNativeSeparators(missing));
    EXPECT_TRUE(prompter.asked[0].startsWith(prefix)) << prompter.asked[0].toStdString();
    EXPECT_GT(prompter.asked[0].size(), prefix.size());
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(doc.m_record.title, "Spring match");
    EXPECT_EQ(Ply(), 1);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("game.esn - Marlock"));
}

TEST_F(FrameTest, FileOpenUsesTheChosenFile) {
    const QString path = WriteFile(QStringLiteral("chosen.esn"), SampleGame);
    QSignalSpy opened(frame.get(), &CMainFrame::documentOpened);
    frame->SetOpenFileChooser([&](const QString&) { return QString(); });
    Trigger(ID_FILE_OPEN);
    EXPECT_EQ(opened.count(), 0);
    frame->SetOpenFileChooser([&](const QString&) { return path; });
    Trigger(ID_FILE_OPEN);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toString(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(View().TitleEdit()->text(), QStringLiteral("Spring match"));
}

TEST_F(FrameTest, DroppedFileOpensAfterTheSaveQuestion) {
    ShowActive();
    const QString path = WriteFile(QStringLiteral("dropped.esn"), SampleGame);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    prompter.answers = {Prompter::Answer::No};
    // Over a text field the file is opened, not its name typed in.
    EXPECT_TRUE(DropFile(View().TitleEdit(), path));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.asked, QStringList({"Save changes to Untitled?"}));
    EXPECT_EQ(doc.GetPathName(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(View().TitleEdit()->text(), QStringLiteral("Spring match"));

    QMimeData text;
    text.setText(QStringLiteral("just text"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(FrameTest, RecentFilePlaceholderStandsGreyedBeforeExit) {
    QAction* placeholder = frame->RecentFilePlaceholder();
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->data().toInt(), ID_FILE_MRU_FILE1);
    frame->RunUpdatePass();
    EXPECT_FALSE(placeholder->isEnabled());
    const QList<QAction*> items = frame->FileMenu()->actions();
    const qsizetype at = items.indexOf(placeholder);
    ASSERT_GT(at, 0);
    EXPECT_TRUE(items[at - 1]->isSeparator());
    EXPECT_TRUE(items[at + 1]->isSeparator());
    EXPECT_EQ(items[at + 2], frame->ActionById(ID_APP_EXIT));
}

class FramePositionTest : public FrameTest {
  protected:
    void Recreate(const QVariant& x, const QVariant& y) {
        frame.reset();
        QSettings settings;
        settings.setValue(QStringLiteral("Window/x"), x);
        settings.setValue(QStringLiteral("Window/y"), y);
        settings.sync();
        frame = std::make_unique<CMainFrame>(doc);
    }
    static QPoint Stored() {
        QSettings settings;
        return {settings.value(QStringLiteral("Window/x"), -1000).toInt(),
                settings.value(QStringLiteral("Window/y"), -1000).toInt()};
    }
};

TEST_F(FramePositionTest, StoredPositionIsReadBeforeShowing) {
    Recreate(120, 80);
    EXPECT_EQ(frame->pos(), QPoint(120, 80));
    // Partly off the screen, to the left or above, is kept.
    Recreate(-30, -4);
    EXPECT_EQ(frame->pos(), QPoint(-30, -4));
}

TEST_F(FramePositionTest, PositionLeavingTheTitleBarOffEveryScreenIsIgnored) {
    Recreate(100000, 80);
    EXPECT_NE(frame->pos().x(), 100000);
    Recreate(50, -5000);
    EXPECT_NE(frame->pos().y(), -5000);

    const QList<QRect> screens = {QRect(0, 0, 800, 600), QRect(800, 0, 1024, 768)};
    EXPECT_TRUE(CMainFrame::IsPositionOnScreen({1500, 700}, 700, 20, screens));
    EXPECT_TRUE(CMainFrame::IsPositionOnScreen({-690, -19}, 700, 20, screens));
    EXPECT_FALSE(CMainFrame::IsPositionOnScreen({-700, 0}, 700, 20, screens));
    EXPECT_FALSE(CMainFrame::IsPositionOnScreen({100, -20}, 700, 20, screens));
    EXPECT_FALSE(CMainFrame::IsPositionOnScreen({100, 620}, 700, 20, screens));
}

TEST_F(FramePositionTest, PositionIsWrittenAtEveryCloseRequest) {
    EXPECT_EQ(Stored(), QPoint(-1000, -1000));
    frame->move(140, 90);
    View().TitleEdit()->setText(QStringLiteral("Draft"));
    prompter.answers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(Stored(), QPoint(140, 90));

    frame->move(-25, 60);
    prompter.answers = {Prompter::Answer::No};
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(Stored(), QPoint(-25, 60));
}
