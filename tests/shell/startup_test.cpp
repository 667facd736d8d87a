#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "app/aboutdlg.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/prompter.h"
#include "app/recentfilelist.h"
#include "app/zelkanapp.h"
#include "app/zelkandoc.h"
#include "shelltesting.h"

namespace {

const QByteArray ShortRecord = "[TITLE Short game]\r\n[BLACK Hana]\r\n[WHITE Tomas]\r\n1. P-7f\r\n";

CZelkanApp& App() {
    return *static_cast<CZelkanApp*>(QCoreApplication::instance());
}

QString ShownTitle(const QWidget& window) {
    return window.windowHandle() ? window.windowHandle()->title() : QString();
}

bool AnyVisibleWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()) return true;
    return false;
}

QStringList VisibleMenuTexts(const QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions())
        if (!action->isSeparator() && action->isVisible()) texts << action->text();
    return texts;
}

// Each test starts the program afresh with its own settings and a scripted prompter.
class StartUp : public ::testing::Test {
  protected:
    void SetUp() override {
        auto prompter = std::make_unique<ScriptedPrompter>();
        m_prompter = prompter.get();
        App().SetPrompter(std::move(prompter));
        App().SetDesktopRegistration(false, false);
    }
    void TearDown() override { App().ExitInstance(); }

    QString Record(const QString& name, const QByteArray& bytes = ShortRecord) {
        return WriteTextFile(m_files.filePath(name), bytes);
    }
    bool Start(const QStringList& files = {}) {
        return App().InitInstance(QStringList{QStringLiteral("marlock")} + files);
    }

    TemporarySettings m_settings;
    QTemporaryDir m_files;
    ScriptedPrompter* m_prompter = nullptr;
};

TEST_F(StartUp, WithoutAFileShowsANewRecord) {
    ASSERT_TRUE(Start());
    CMainFrame* frame = App().MainFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    EXPECT_EQ(ShownTitle(*frame), QStringLiteral("Untitled - Marlock"));
    EXPECT_TRUE(App().Document()->GetPathName().isEmpty());
    EXPECT_FALSE(App().Document()->CanGoForward());
    EXPECT_FALSE(App().Document()->IsModified());
    EXPECT_TRUE(m_prompter->asked.isEmpty());
    EXPECT_TRUE(App().RecentFiles()->Entries().isEmpty());
}

TEST_F(StartUp, OpensTheFileNamed) {
    const QString path = Record(QStringLiteral("short.esn"));
    ASSERT_TRUE(Start({path}));
    CMainFrame* frame = App().MainFrame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    EXPECT_EQ(ShownTitle(*frame), QStringLiteral("short.esn - Marlock"));
    EXPECT_EQ(App().Document()->GetPathName(), path);
    EXPECT_TRUE(App().Document()->CanGoForward()) << "the record's move was read";
    EXPECT_FALSE(App().Document()->IsModified());
    EXPECT_EQ(App().RecentFiles()->Entries(), QStringList{path});
}

// A file that cannot be opened ends the program with the reason, and with no window left.
TEST_F(StartUp, AFileThatCannotBeOpenedEndsTheProgram) {
    const QString missing = m_files.filePath(QStringLiteral("missing.esn"));
    testing::internal::CaptureStderr();
    const bool started = Start({missing});
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_FALSE(started);
    EXPECT_EQ(App().ExitStatus(), 1);
    EXPECT_EQ(App().MainFrame(), nullptr);
    EXPECT_FALSE(AnyVisibleWindow());
    ASSERT_EQ(m_prompter->asked.size(), 1);
    const QString message = m_prompter->asked.front();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot open %1: ").arg(missing)))
        << message.toStdString();
    EXPECT_GT(message.size(), QStringLiteral("Cannot open %1: ").arg(missing).size())
        << "the reason is given";
    EXPECT_EQ(errors, "marlock: " + message.toStdString() + "\n");
}

TEST_F(StartUp, AnswersHelpVersionAndUsageErrors) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Start({QStringLiteral("--version")}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Marlock 1.1\n");
    EXPECT_EQ(App().ExitStatus(), 0);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(Start({QStringLiteral("--help")}));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("FILE"), std::string::npos);
    EXPECT_EQ(App().ExitStatus(), 0);

    for (const QStringList& wrong :
         {QStringList{QStringLiteral("--bogus")},
          QStringList{QStringLiteral("a.esn"), QStringLiteral("b.esn")}}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Start(wrong));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("marlock: "), std::string::npos);
        EXPECT_EQ(App().ExitStatus(), 2);
        EXPECT_EQ(App().MainFrame(), nullptr);
    }
    EXPECT_TRUE(m_prompter->asked.isEmpty());
}

TEST_F(StartUp, ParsesTheCommandLine) {
    using Action = CommandLineInfo::Action;
    const auto parse = [](QStringList args) {
        args.prepend(QStringLiteral("marlock"));
        return CZelkanApp::ParseCommandLine(args);
    };
    EXPECT_EQ(parse({}).action, Action::NewDocument);
    const CommandLineInfo open = parse({QStringLiteral("game.esn")});
    EXPECT_EQ(open.action, Action::OpenFile);
    EXPECT_EQ(open.file, QStringLiteral("game.esn"));
    // A file whose name starts with a dash, after "--".
    const CommandLineInfo dashed = parse({QStringLiteral("--"), QStringLiteral("-x.esn")});
    EXPECT_EQ(dashed.action, Action::OpenFile);
    EXPECT_EQ(dashed.file, QStringLiteral("-x.esn"));
    EXPECT_EQ(parse({QStringLiteral("-v")}).action, Action::ShowVersion);
    EXPECT_EQ(parse({QStringLiteral("-h")}).action, Action::ShowHelp);
}

// Opens and saves go to the top of the list, which the next run shows in the File menu; an
// entry that no longer opens is removed.
TEST_F(StartUp, RecentFilesAcrossRuns) {
    const QString first = Record(QStringLiteral("first.esn"));
    const QString second = Record(QStringLiteral("second.esn"));
    ASSERT_TRUE(Start({first}));
    App().ExitInstance();
    ASSERT_TRUE(Start({second}));
    const QString saved = m_files.filePath(QStringLiteral("third.esn"));
    App().MainFrame()->SetSaveFileChooser([saved](const QString&) { return saved; });
    ASSERT_TRUE(App().MainFrame()->OnFileSaveAs());
    App().ExitInstance();

    ASSERT_TRUE(Start());
    const QMenu* file = App().MainFrame()->FileMenu();
    const QStringList texts = VisibleMenuTexts(*file);
    const qsizetype firstEntry =
        texts.indexOf(QStringLiteral("&1 ") + CRecentFileList::DisplayName(saved));
    ASSERT_GE(firstEntry, 0) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(texts[firstEntry + 1], QStringLiteral("&2 ") + CRecentFileList::DisplayName(second));
    EXPECT_EQ(texts[firstEntry + 2], QStringLiteral("&3 ") + CRecentFileList::DisplayName(first));

    // The second entry's file is gone: choosing it says so and drops it from the list.
    ASSERT_TRUE(QFile::remove(second));
    QAction* entry = App().RecentFiles()->EntryAction(1);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->data().toInt(), ID_FILE_MRU_FILE1 + 1);
    entry->trigger();
    ASSERT_EQ(m_prompter->asked.size(), 1);
    EXPECT_TRUE(m_prompter->asked.front().startsWith(QStringLiteral("Cannot open ") + second));
    EXPECT_EQ(App().RecentFiles()->Entries(), (QStringList{saved, first}));
    EXPECT_TRUE(App().Document()->GetPathName().isEmpty()) << "the record is as it was";

    // The first entry opens its record.
    App().RecentFiles()->EntryAction(1)->trigger();
    EXPECT_EQ(App().Document()->GetPathName(), first);
    EXPECT_EQ(App().RecentFiles()->Entries(), (QStringList{first, saved}));
}

void DropFile(QWidget* target, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
}

// A file dropped on a modified record is opened only after the question to save it.
TEST_F(StartUp, ADroppedFileAsksToSaveFirst) {
    const QString original = Record(QStringLiteral("original.esn"));
    const QString dropped = Record(QStringLiteral("dropped.esn"));
    ASSERT_TRUE(Start({original}));
    CZelkanDoc* doc = App().Document();
    doc->SetGameTitle("Edited title");
    ASSERT_TRUE(doc->IsModified());

    m_prompter->answers = {Prompter::Answer::Cancel};
    DropFile(App().MainFrame(), dropped);
    ASSERT_EQ(m_prompter->asked, QStringList{QStringLiteral("Save changes to original.esn?")});
    EXPECT_EQ(doc->GetPathName(), original) << "cancelled: the edited record stays";
    EXPECT_TRUE(doc->IsModified());

    m_prompter->asked.clear();
    m_prompter->answers = {Prompter::Answer::No};
    DropFile(App().MainFrame(), dropped);
    EXPECT_EQ(m_prompter->asked, QStringList{QStringLiteral("Save changes to original.esn?")});
    EXPECT_EQ(doc->GetPathName(), dropped);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(App().RecentFiles()->Entries(), (QStringList{dropped, original}));
    QFile file(original);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ShortRecord) << "No means the original file is untouched";
}

TEST_F(StartUp, TheAboutCommandShowsTheAboutBox) {
    ASSERT_TRUE(Start());
    QAction* about = App().MainFrame()->ActionById(ID_APP_ABOUT);
    ASSERT_NE(about, nullptr);
    QString shownTitle;
    bool wasAboutBox = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        wasAboutBox = qobject_cast<CAboutDlg*>(modal) != nullptr;
        if (modal) {
            shownTitle = modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    about->trigger();  // returns once the box is closed
    EXPECT_TRUE(wasAboutBox);
    EXPECT_EQ(shownTitle, QStringLiteral("About Marlock"));
}

TEST_F(StartUp, AddsTheMissingDesktopFilesForTheUser) {
    QTemporaryDir data;
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    const QByteArray oldDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", m_files.path().toLocal8Bit());
    const QString entry = data.filePath(QStringLiteral("applications/marlock.desktop"));
    WriteTextFile(data.filePath(QStringLiteral("mime/packages/marlock-esn.xml")), "the user's");

    App().SetDesktopRegistration(true, false);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(QFile::exists(entry));
    QFile mime(data.filePath(QStringLiteral("mime/packages/marlock-esn.xml")));
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    EXPECT_EQ(mime.readAll(), QByteArray("the user's"));

    qputenv("XDG_DATA_HOME", oldHome);
    qputenv("XDG_DATA_DIRS", oldDirs);
}

}  // namespace
