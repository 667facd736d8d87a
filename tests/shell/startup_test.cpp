#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
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

TEST_F(StartUp, AnswersTheVersionAndUsageErrors) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Start({QStringLiteral("--version")}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Marlock 1.1\n");
    EXPECT_EQ(App().ExitStatus(), 0);
    for (const QStringList& wrong : {QStringList{"--bogus"}, QStringList{"a.esn", "b.esn"}}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Start(wrong));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("marlock: "), std::string::npos);
        EXPECT_EQ(App().ExitStatus(), 2);
        EXPECT_EQ(App().MainFrame(), nullptr);
    }
    EXPECT_TRUE(m_prompter->asked.isEmpty());
}

// Opens and saves go to the top of the list, which the next run shows in the File menu; an
// entry that no longer opens is removed.
TEST_F(StartUp, RecentFilesAcrossRuns) {
    const QString first = Record(QStringLiteral("first.esn"));
    const QString second = Record(QStringLiteral("second.esn"));
    ASSERT_TRUE(Start({first}));
    ASSERT_TRUE(Start({second}));
    const QString saved = m_files.filePath(QStringLiteral("third.esn"));
    App().MainFrame()->SetSaveFileChooser([saved](const QString&) { return saved; });
    ASSERT_TRUE(App().MainFrame()->OnFileSaveAs());

    ASSERT_TRUE(Start());
    QStringList texts;
    for (QAction* action : App().MainFrame()->FileMenu()->actions())
        if (!action->isSeparator() && action->isVisible()) texts << action->text();
    const qsizetype at = texts.indexOf(QStringLiteral("&1 ") + CRecentFileList::DisplayName(saved));
    ASSERT_GE(at, 0) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(texts[at + 1], QStringLiteral("&2 ") + CRecentFileList::DisplayName(second));
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

// Start-up registers the running program in the session's XDG data folder, leaving alone what
// the user already has there.
TEST_F(StartUp, AddsTheMissingDesktopFilesForTheUser) {
    QTemporaryDir data;
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    const QByteArray oldDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", m_files.path().toLocal8Bit());
    const QString mime = data.filePath(QStringLiteral("mime/packages/marlock-esn.xml"));
    WriteTextFile(mime, "the user's");

    App().SetDesktopRegistration(true, false);
    ASSERT_TRUE(Start());
    const QString exec = DesktopExecLine(QCoreApplication::applicationFilePath());
    EXPECT_TRUE(ReadFile(data.filePath(QStringLiteral("applications/marlock.desktop")))
                    .contains("\nExec=" + exec.toUtf8() + " %f\n"));
    EXPECT_EQ(ReadFile(mime), QByteArray("the user's"));
    for (const char* size : {"32x32", "64x64"}) {
        for (const char* icon : {"apps/marlock.png", "mimetypes/application-x-esn-record.png"}) {
            const QString path = QStringLiteral("%1/icons/hicolor/%2/%3")
                                     .arg(data.path(), QLatin1String(size), QLatin1String(icon));
            EXPECT_FALSE(QImage(path).isNull()) << path.toStdString();
        }
    }
    qputenv("XDG_DATA_HOME", oldHome);
    qputenv("XDG_DATA_DIRS", oldDirs);
}

}  // namespace
