#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class CMainFrame;
class CRecentFileList;
class CZelkanDoc;
class Prompter;
class QTimer;
class Translations;

// What the command line asks for: `marlock [FILE]`, `--help` or `--version`.
struct CommandLineInfo {
    enum class Action { NewDocument, OpenFile, ShowHelp, ShowVersion, Error };
    Action action = Action::NewDocument;
    QString file;  // OpenFile
    QString text;  // ShowHelp: the help text; Error: what is wrong
};

// The application object: sets up the settings store, the recent-file list, the one document
// and its frame and view, registers the program with the desktop and carries out the command
// line. Exactly one exists; main() calls InitInstance() and then exec().
//
// Test aid: with the environment variable MARLOCK_REPORT_GEOMETRY set, the program prints
// "marlock: board at X,Y" (the board window's top-left corner on the screen) to standard error
// once its window is shown, so that an end-to-end test can click on the squares.
class CZelkanApp : public QApplication {
    Q_OBJECT

  public:
    CZelkanApp(int& argc, char** argv);
    ~CZelkanApp() override;

    static CommandLineInfo ParseCommandLine(const QStringList& arguments);

    // Answers, before the application object exists (it cannot be made without a display),
    // what needs no window: --help and --version always; without a display also a wrong
    // command line, a file that cannot be opened and, for anything else, one line saying that
    // the window cannot be shown. The exit status when the program ends here; nothing when the
    // application object is to take over.
    static std::optional<int> AnswerWithoutWindow(int& argc, char** argv);

    // Start-up with this process's command line, or with `arguments` (the program's name
    // first). True to run the event loop; false to end at once with ExitStatus() (0 after
    // --help and --version, 1 when the file cannot be opened, 2 for a wrong command line),
    // everything having been said on standard output or standard error (and in a message box
    // for a file that cannot be opened, when there is a display) and no window left open.
    bool InitInstance();
    bool InitInstance(const QStringList& arguments);
    int ExitStatus() const { return m_exitStatus; }

    // Closes the frame and drops the document and the recent-file list, so that start-up can
    // run again (tests do).
    void ExitInstance();

    // Runs the About box modally.
    void OnAppAbout();

    // Replaces the message boxes by `prompter` for everything asked or shown from then on
    // (tests do). Ends a running instance first, since its document borrows the old prompter.
    void SetPrompter(std::unique_ptr<Prompter> prompter);
    // Whether start-up adds the desktop files and rebuilds the desktop's caches (default on).
    void SetDesktopRegistration(bool registerFiles, bool refreshCaches);

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CZelkanDoc* Document() const { return m_doc.get(); }
    CRecentFileList* RecentFiles() const { return m_recentFiles.get(); }

  private:
    bool CarryOutCommandLine(const CommandLineInfo& info);
    bool OpenFromCommandLine(const QString& path);
    void ConnectFrame();
    void OnOpenRecentFile(const QString& path);
    bool CanShowMessageBoxes() const;
    void ReportBoardGeometryWhenExposed();

    std::unique_ptr<Prompter> m_prompter;
    bool m_prompterNeedsDisplay = true;
    bool m_registerDesktopFiles = true;
    bool m_refreshDesktopCaches = true;
    int m_exitStatus = 0;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::unique_ptr<CZelkanDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<QTimer> m_geometryReport;
    std::unique_ptr<Translations> m_translations;
};
