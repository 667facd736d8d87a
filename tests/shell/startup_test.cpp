#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/aboutdlg.h"
#include "app/desktopintegration.h"
#include "app/mainframe.h"
#include "app/recentfilelist.h"
#include "app/zelkanapp.h"
#include "document/zelkandoc.h"
#include "shelltesting.h"
#include "tests/support/scriptedprompter.h"
#include "view/commandids.h"

namespace {

CZelkanApp& App() {
    return *static_cast<CZelkanApp*>(QCoreApplication::instance());
}

QString ShownTitle() {
    QWindow* window = App().MainFrame()->windowHandle();
    return window ? window->title() : QString();
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

    QString Record(const QString& name) {
        return WriteTextFile(m_files.filePath(name), "[TITLE Short game]\r\n1. P-7f\r\n");
    }
    bool Start(const QStringList& files = {}) {
        return App().InitInstance(QStringList{QStringLiteral("marlock")} + files);
    }

    TemporarySettings m_settings;
    QTemporaryDir m_files;
    ScriptedPrompter* m_prompter = nullptr;
};

TEST_F(StartUp, ShowsANewRecordOrTheFileNamed) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(App().MainFrame()));
    EXPECT_EQ(ShownTitle(), QStringLiteral("Untitled - Marlock"));
    EXPECT_FALSE(App().Document()->CanGoForward());
    EXPECT_TRUE(App().RecentFiles()->Entries().isEmpty());
    // The About command shows the About box, modal; the call returns once it is closed.
    QString shownTitle;
    QTimer::singleShot(0, App().MainFrame(), [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (qobject_cast<CAboutDlg*>(modal) == nullptr) return;
        shownTitle = modal->windowTitle();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    App().MainFrame()->ActionById(ID_APP_ABOUT)->trigger();
    EXPECT_EQ(shownTitle, QStringLiteral("About Marlock"));

    const QString path = Record(QStringLiteral("short.esn"));
    ASSERT_TRUE(Start({path}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(App().MainFrame()));
    EXPECT_EQ(ShownTitle(), QStringLiteral("short.esn - Marlock"));
    EXPECT_TRUE(App().Document()->CanGoForward()) << "the record's move was read";
    EXPECT_EQ(App().RecentFiles()->Entries(), QStringList{path});
    EXPECT_TRUE(m_prompter->asked.isEmpty());
}

// A file that cannot be opened ends the program with the reason, and with no window left.
TEST_F(StartUp, AFileThatCannotBeOpenedEndsTheProgram) {
    const QString missing = m_files.filePath(QStringLiteral("missing.esn"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Start({missing}));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(App().ExitStatus(), 1);
    EXPECT_EQ(App().MainFrame(), nullptr);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
    ASSERT_EQ(m_prompter->asked.size(), 1);
    const QString message = m_prompter->asked.front();
    const QString prefix = QStringLiteral("Cannot open %1: ").arg(missing);
    EXPECT_TRUE(message.startsWith(prefix)) << message.toStdString();
    EXPECT_GT(message.size(), prefix.size()) << "the reason is given";
    EXPECT_EQ(errors, "marlock: " + message.toStdString() + "\n");
}

// Opens and saves go to the top of the list, which the next run shows in the File menu in
// place of the greyed "Recent File"; an entry that no longer opens is removed.
TEST_F(StartUp, RecentFilesAcrossRuns) {
    const auto fileMenu = [] {  // the visible entries, a greyed one in brackets
        QStringList texts;
        for (QAction* action : App().MainFrame()->FileMenu()->actions())
            if (!action->isSeparator() && action->isVisible())
                texts << (action->isEnabled() ? action->text() : '(' + action->text() + ')');
        return texts;
    };
    ASSERT_TRUE(Start());
    EXPECT_TRUE(fileMenu().contains(QStringLiteral("(Recent File)")));

    const QString first = Record(QStringLiteral("first.esn"));
    const QString second = Record(QStringLiteral("Black & White.esn"));
    ASSERT_TRUE(Start({first}));
    ASSERT_TRUE(Start({second}));
    const QString saved = m_files.filePath(QStringLiteral("third.esn"));
    App().MainFrame()->SetSaveFileChooser([saved](const QString&, FileType&) { return saved; });
    ASSERT_TRUE(App().MainFrame()->OnFileSaveAs());

    ASSERT_TRUE(Start());
    const QStringList texts = fileMenu();
    const qsizetype at = texts.indexOf(QStringLiteral("&1 ") + CRecentFileList::DisplayName(saved));
    ASSERT_GE(at, 0) << texts.join(QLatin1Char('|')).toStdString();
    // A '&' in a name is doubled so that it shows and marks no key.
    EXPECT_EQ(texts[at + 1],
              "&2 " + CRecentFileList::DisplayName(second).replace('&', QStringLiteral("&&")));
    EXPECT_EQ(texts[at + 2], QStringLiteral("&3 ") + CRecentFileList::DisplayName(first));

    // The second entry's file is gone: choosing it says so and drops it from the list.
    ASSERT_TRUE(QFile::remove(second));
    App().RecentFiles()->EntryAction(1)->trigger();
    ASSERT_EQ(m_prompter->asked.size(), 1);
    EXPECT_TRUE(m_prompter->asked.front().startsWith(QStringLiteral("Cannot open ") + second));
    EXPECT_EQ(App().RecentFiles()->Entries(), (QStringList{saved, first}));
    EXPECT_TRUE(App().Document()->GetPathName().isEmpty()) << "the record is as it was";

    App().RecentFiles()->EntryAction(1)->trigger();
    EXPECT_EQ(App().Document()->GetPathName(), first);
    EXPECT_EQ(App().RecentFiles()->Entries(), (QStringList{first, saved}));
}

// Start-up registers the running program for the user until an installed copy exists, and
// then takes its own registration away again so as not to shadow the install.
TEST_F(StartUp, RegistersTheRunningProgramUntilOneIsInstalled) {
    QTemporaryDir data;
    QTemporaryDir system;
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    const QByteArray oldDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", system.path().toLocal8Bit());
    const QString entry = QStringLiteral("applications/marlock.desktop");
    App().SetDesktopRegistration(true, false);

    ASSERT_TRUE(Start());
    const QString exec = DesktopExecLine(QCoreApplication::applicationFilePath());
    EXPECT_TRUE(ReadFile(data.filePath(entry)).contains("\nExec=" + exec.toUtf8() + " %f\n"));
    const QString icon =
        QStringLiteral("icons/hicolor/64x64/mimetypes/application-x-esn-record.png");
    EXPECT_FALSE(QImage(data.filePath(icon)).isNull());

    WriteTextFile(system.filePath(entry), "installed");
    WriteTextFile(system.filePath(icon), "installed");
    ASSERT_TRUE(Start());
    EXPECT_FALSE(QFileInfo::exists(data.filePath(entry)));
    EXPECT_FALSE(QFileInfo::exists(data.filePath(icon)));
    qputenv("XDG_DATA_HOME", oldHome);
    qputenv("XDG_DATA_DIRS", oldDirs);
}

}  // namespace
