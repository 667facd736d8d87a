// The analysis pane as a user meets it, in a fresh process on the offscreen platform: the
// program's window analyses a record of one long line (rooks shuttling to and fro) with the
// real engine behind a script that logs what it is sent, and the user holds Ctrl+Right from
// the first position to the last, the key repeating every INTERVAL ms. Prints how long each
// step took the window against the repeat's interval, and how many positions the engine was
// given while the key was held and after it was let go.
//   analysis_bench [MOVES [INTERVAL]]   (300 moves, 33 ms when not given)

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "analysis/analysissession.h"
#include "analysis/enginelist.h"
#include "app/mainframe.h"
#include "bench/documentbench.h"
#include "document/zelkandoc.h"
#include "view/commandids.h"
#include "view/zelkanview.h"

namespace {

int Count(const QString& log, const QString& command) {
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    return static_cast<int>(QString::fromUtf8(file.readAll())
                                .split('\n')
                                .filter(QRegularExpression("^" + command + "\\b"))
                                .size());
}

// Lets the program run for `milliseconds`, as it does between a user's keys.
void RunFor(qint64 milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents,
                                        static_cast<int>(milliseconds - clock.elapsed()));
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir folder;
    PrepareWindow(folder);
    QApplication app(argc, argv);
    const int moves = argc > 1 ? std::atoi(argv[1]) : 300;
    const int interval = argc > 2 ? std::atoi(argv[2]) : 33;

    const QString path = folder.filePath(QStringLiteral("line.esn"));
    WriteShuttleLine(path.toStdString(), moves);
    const QString log = folder.filePath(QStringLiteral("log"));
    const QString script = folder.filePath(QStringLiteral("engine.sh"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly)) return 1;
    file.write(("#!/bin/sh\nexec " MARLOCK_SOURCE_DIR "/tests/engine/logging-engine.sh " + log +
                " " + OfferedEnginePath + "\n")
                   .toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EngineList engines;
    engines.Add({script, QStringLiteral("engine"), {}});
    SaveEngineList(engines);

    SilentPrompter prompter;
    CZelkanDoc doc(prompter);
    CMainFrame frame(doc, prompter);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame)) return 1;
    frame.OpenDocumentFile(path);
    frame.ActionById(ID_ENGINE_ANALYZE)->trigger();
    RunFor(1000);
    const int before = Count(log, "position");

    // Each key arrives on time, as the repeat sends it, unless the last step is still running.
    QElapsedTimer clock;
    clock.start();
    double slowest = 0;
    double total = 0;
    for (int step = 0; step < moves; ++step) {
        RunFor(std::max<qint64>(0, static_cast<qint64>(step) * interval - clock.elapsed()));
        QElapsedTimer took;
        took.start();
        QTest::keyClick(frame.View(), Qt::Key_Right, Qt::ControlModifier);
        QCoreApplication::processEvents();
        const double ms = static_cast<double>(took.nsecsElapsed()) / 1e6;
        slowest = std::max(slowest, ms);
        total += ms;
    }
    const double held = static_cast<double>(clock.elapsed());
    const int whileHeld = Count(log, "position") - before;
    RunFor(AnalysisSession::SettleMs * 5);
    const int afterwards = Count(log, "position") - before - whileHeld;

    std::printf("%d steps, a key every %d ms, held for %.0f ms\n", moves, interval, held);
    std::printf("step: %.3f ms on average, %.3f ms at most\n", total / moves, slowest);
    std::printf("positions sent: %d while held, %d after the key was let go; %d stops\n", whileHeld,
                afterwards, Count(log, "stop"));
    if (doc.Record().Current().number != moves || whileHeld > 0 || afterwards != 1) {
        std::fprintf(stderr, "analysis_bench: the analysis did not keep up with the key\n");
        return 1;
    }
    return 0;
}
