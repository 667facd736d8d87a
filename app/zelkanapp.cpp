#include "app/zelkanapp.h"

#include <QAction>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/aboutdlg.h"
#include "app/desktopintegration.h"
#include "app/language.h"
#include "app/mainframe.h"
#include "app/messageboxprompter.h"
#include "app/recentfilelist.h"
#include "app/resources.h"
#include "board/boardwnd.h"
#include "document/zelkandoc.h"
#include "view/commandids.h"
#include "view/zelkanview.h"

// Last: the X11 headers define macros that clash with names in Qt's headers.
#ifdef MARLOCK_HAVE_X11
#include <X11/Xlib.h>
#endif

namespace {

constexpr int UsageErrorStatus = 2;
constexpr int OpenFailedStatus = 1;
constexpr int NoDisplayStatus = 1;

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void PrintUsageError(const QString& text) {
    Print(stderr, QStringLiteral("marlock: %1\nTry 'marlock --help'.\n").arg(text));
}

QString CannotOpenMessage(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

// Why no window can be shown, or nothing when a display is there. A platform the user named
// (QT_QPA_PLATFORM or -platform) is left to Qt, which says itself what is wrong with it.
QString MissingDisplay(const QStringList& arguments) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        arguments.contains(QStringLiteral("-platform")) ||
        arguments.contains(QStringLiteral("--platform")))
        return QString();
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return QString();
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return QStringLiteral("no display (DISPLAY is not set)");
#ifdef MARLOCK_HAVE_X11
    // A stale DISPLAY (a terminal that outlived its X session) would make Qt abort.
    Display* connection = XOpenDisplay(display.constData());
    if (connection == nullptr)
        return QStringLiteral("cannot connect to the display %1")
            .arg(QString::fromLocal8Bit(display));
    XCloseDisplay(connection);
#endif
    return QString();
}

// Opens a record only to learn whether it opens: what reading it says is for the window.
class SilentPrompter : public Prompter {
  public:
    bool AskYesNo(const QString&) override { return false; }
    Answer AskYesNoCancel(const QString&) override { return Answer::Cancel; }
    void ShowMessage(const QString&) override {}
};

// The exit status without a display: the command line's own errors first, then the file's,
// then the window's.
int AnswerWithoutDisplay(const CommandLineInfo& info, const QString& missingDisplay) {
    if (info.action == CommandLineInfo::Action::Error) {
        PrintUsageError(info.text);
        return UsageErrorStatus;
    }
    if (info.action == CommandLineInfo::Action::OpenFile) {
        SilentPrompter prompter;
        CZelkanDoc doc(prompter);
        if (!doc.OnOpenDocument(info.file)) {
            Print(stderr, QStringLiteral("marlock: %1\n")
                              .arg(CannotOpenMessage(info.file, doc.LastFileError())));
            return OpenFailedStatus;
        }
    }
    Print(stderr, QStringLiteral("marlock: Cannot show the window: %1.\n").arg(missingDisplay));
    return NoDisplayStatus;
}

}  // namespace

std::optional<int> CZelkanApp::AnswerWithoutWindow(int& argc, char** argv) {
    // A core application object needs no display, and gives the parser the program's name.
    const QCoreApplication core(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const CommandLineInfo info = ParseCommandLine(arguments);
    if (info.action == CommandLineInfo::Action::ShowHelp ||
        info.action == CommandLineInfo::Action::ShowVersion) {
        Print(stdout, info.text);
        return 0;
    }
    const QString missingDisplay = MissingDisplay(arguments);
    if (missingDisplay.isEmpty()) return std::nullopt;
    return AnswerWithoutDisplay(info, missingDisplay);
}

CZelkanApp::CZelkanApp(int& argc, char** argv)
    : QApplication(argc, argv), m_prompter(std::make_unique<MessageBoxPrompter>()) {}

CZelkanApp::~CZelkanApp() {
    ExitInstance();
}

CommandLineInfo CZelkanApp::ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Marlock, an editor for shogi game records."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("The game record to open, in any format the program reads; a new one "
                       "without it."),
        QStringLiteral("[FILE]"));

    CommandLineInfo info;
    if (!parser.parse(arguments)) {
        info.action = CommandLineInfo::Action::Error;
        info.text = parser.errorText();
    } else if (parser.isSet(help)) {
        info.action = CommandLineInfo::Action::ShowHelp;
        info.text = parser.helpText();
    } else if (parser.isSet(version)) {
        info.action = CommandLineInfo::Action::ShowVersion;
        info.text = QStringLiteral("Marlock " MARLOCK_VERSION "\n");
    } else if (parser.positionalArguments().size() > 1) {
        info.action = CommandLineInfo::Action::Error;
        info.text = QStringLiteral("Only one file can be opened.");
    } else if (parser.positionalArguments().size() == 1) {
        info.action = CommandLineInfo::Action::OpenFile;
        info.file = parser.positionalArguments().front();
    }
    return info;
}

bool CZelkanApp::InitInstance() {
    return InitInstance(arguments());
}

bool CZelkanApp::InitInstance(const QStringList& arguments) {
    ExitInstance();
    m_exitStatus = 0;

    const CommandLineInfo info = ParseCommandLine(arguments);
    switch (info.action) {
        case CommandLineInfo::Action::ShowHelp:
        case CommandLineInfo::Action::ShowVersion:
            Print(stdout, info.text);
            return false;
        case CommandLineInfo::Action::Error:
            PrintUsageError(info.text);
            m_exitStatus = UsageErrorStatus;
            return false;
        default:
            break;
    }

    // Only now is anything set up: --help, --version and usage errors touch nothing.
    // Settings go to ~/.config/Tallowby/Marlock.conf.
    setOrganizationName(QStringLiteral("Tallowby"));
    setApplicationName(QStringLiteral("Marlock"));
    setApplicationVersion(QStringLiteral(MARLOCK_VERSION));
    InitResources();
    // Before any window: everything shown from here on speaks the language of this start.
    m_translations = std::make_unique<Translations>(LanguageOfThisStart());

    m_recentFiles = std::make_unique<CRecentFileList>(CRecentFileList::DefaultSize);
    m_recentFiles->ReadList();

    m_doc = std::make_unique<CZelkanDoc>(*m_prompter);
    m_frame = std::make_unique<CMainFrame>(*m_doc, *m_prompter);
    if (auto* boxes = dynamic_cast<MessageBoxPrompter*>(m_prompter.get()))
        boxes->SetParent(m_frame.get());
    ConnectFrame();

    // Failures here cost the user nothing but the desktop's file association, so they are
    // not reported.
    if (m_registerDesktopFiles) RegisterWithDesktop(m_refreshDesktopCaches);

    if (!CarryOutCommandLine(info)) {
        ExitInstance();
        m_exitStatus = OpenFailedStatus;
        return false;
    }

    // Files dropped on the frame open through it, after the save prompt.
    m_frame->setAcceptDrops(true);
    m_frame->show();
    if (qEnvironmentVariableIsSet("MARLOCK_REPORT_GEOMETRY")) ReportBoardGeometryWhenExposed();
    return true;
}

bool CZelkanApp::CarryOutCommandLine(const CommandLineInfo& info) {
    // The view sizes the frame to the new record itself.
    return info.action == CommandLineInfo::Action::OpenFile ? OpenFromCommandLine(info.file)
                                                            : m_doc->OnNewDocument();
}

bool CZelkanApp::OpenFromCommandLine(const QString& path) {
    if (m_doc->OnOpenDocument(path)) {
        m_recentFiles->Add(path);
        return true;
    }
    // Standard error speaks English, as the command line does; the box the program's language.
    Print(stderr,
          QStringLiteral("marlock: %1\n").arg(CannotOpenMessage(path, m_doc->LastFileError())));
    m_recentFiles->Remove(path);
    if (CanShowMessageBoxes()) {
        // The frame is about to go: the box stands on its own.
        if (auto* boxes = dynamic_cast<MessageBoxPrompter*>(m_prompter.get()))
            boxes->SetParent(nullptr);
        m_prompter->ShowMessage(CMainFrame::tr("Cannot open %1: %2")
                                    .arg(QDir::toNativeSeparators(path), m_doc->LastFileError()));
    }
    return false;
}

void CZelkanApp::ConnectFrame() {
    CMainFrame* frame = m_frame.get();
    CRecentFileList* recent = m_recentFiles.get();
    m_recentFiles->AttachToMenu(frame->FileMenu(), frame->RecentFilePlaceholder());
    connect(recent, &CRecentFileList::fileChosen, this, &CZelkanApp::OnOpenRecentFile);
    connect(frame, &CMainFrame::documentOpened, recent, &CRecentFileList::Add);
    connect(frame, &CMainFrame::documentSaved, recent, &CRecentFileList::Add);
    connect(frame, &CMainFrame::openFailed, recent, &CRecentFileList::Remove);
    if (QAction* about = frame->ActionById(ID_APP_ABOUT))
        connect(about, &QAction::triggered, this, &CZelkanApp::OnAppAbout);
}

void CZelkanApp::OnOpenRecentFile(const QString& path) {
    // A failure shows its message in the frame and removes the entry (openFailed).
    if (m_frame) m_frame->OpenDocumentFile(path);
}

void CZelkanApp::OnAppAbout() {
    CAboutDlg dialog(m_frame.get());
    dialog.exec();
}

void CZelkanApp::ExitInstance() {
    m_geometryReport.reset();
    if (auto* boxes = dynamic_cast<MessageBoxPrompter*>(m_prompter.get()))
        boxes->SetParent(nullptr);
    if (m_recentFiles) m_recentFiles->AttachToMenu(nullptr, nullptr);
    m_frame.reset();
    m_doc.reset();
    m_recentFiles.reset();
    m_translations.reset();
}

void CZelkanApp::SetPrompter(std::unique_ptr<Prompter> prompter) {
    // The document borrows the prompter, so it goes first.
    ExitInstance();
    m_prompter = std::move(prompter);
    m_prompterNeedsDisplay = false;
}

void CZelkanApp::SetDesktopRegistration(bool registerFiles, bool refreshCaches) {
    m_registerDesktopFiles = registerFiles;
    m_refreshDesktopCaches = refreshCaches;
}

bool CZelkanApp::CanShowMessageBoxes() const {
    if (!m_prompterNeedsDisplay) return true;
    const QString platform = platformName();
    return platform != QStringLiteral("offscreen") &&
           !platform.startsWith(QStringLiteral("minimal"));
}

// A test aid for driving the program with real mouse clicks (see the class comment).
void CZelkanApp::ReportBoardGeometryWhenExposed() {
    m_geometryReport = std::make_unique<QTimer>();
    m_geometryReport->setInterval(20);
    connect(m_geometryReport.get(), &QTimer::timeout, this, [this] {
        QWindow* window = m_frame ? m_frame->windowHandle() : nullptr;
        CBoardWnd* board = m_frame ? m_frame->View()->Board() : nullptr;
        if (!window || !window->isExposed() || !board || !board->isVisible()) return;
        // Where the board's drawing starts: the window centres it.
        const QPoint corner = board->mapToGlobal(board->Layout().origin);
        Print(stderr, QStringLiteral("marlock: board at %1,%2\n").arg(corner.x()).arg(corner.y()));
        m_geometryReport->stop();
    });
    m_geometryReport->start();
}
