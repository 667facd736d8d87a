// The move list as a user meets it, in a fresh process on the offscreen platform: the program's
// window with its move list shown opens a record of one long line (rooks shuttling to and fro),
// and the user steps through it with the keys, jumps to its end and back, clicks a row far away
// and enters a move at the end. Each step is timed until the window has painted it. Prints the
// wall time of each; run it under /usr/bin/time for the peak resident memory.
//   movelist_bench [MOVES]   (1,000,000 when not given)

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/mainframe.h"
#include "bench/documentbench.h"
#include "document/zelkandoc.h"
#include "view/commandids.h"
#include "view/movelist.h"
#include "view/movelistmodel.h"

namespace {

// Runs the step `times` times, each until the window has painted it, and says how long one
// took on average; then checks that it did what it should.
void Measure(const char* what, int times, const std::function<void()>& step,
             const std::function<bool()>& done) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < times; ++i) {
        step();
        QCoreApplication::processEvents();
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%-44s %9.3f ms\n", what, took.count() / times);
    if (!done()) {
        std::fprintf(stderr, "movelist_bench: %s did not do it\n", what);
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir folder;
    PrepareWindow(folder);
    QApplication app(argc, argv);
    const int moves = argc > 1 ? std::atoi(argv[1]) : 1'000'000;

    const QString path = folder.filePath(QStringLiteral("line.esn"));
    WriteShuttleLine(path.toStdString(), moves);

    SilentPrompter prompter;
    CZelkanDoc doc(prompter);
    CMainFrame frame(doc, prompter);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame)) return 1;
    CMoveList& list = *frame.MoveList();
    const MoveListModel& model = list.Model();
    const auto trigger = [&frame](int id) {
        return [&frame, id] { frame.ActionById(id)->trigger(); };
    };
    const auto at = [&model](int row) {
        return [&model, row] { return model.CurrentRow() == row; };
    };

    Measure(
        "open the line", 1, [&] { frame.OpenDocumentFile(path); },
        [&] { return model.rowCount() == moves + 1; });
    Measure("step forward", 1000, trigger(ID_MOVE_FORWARD), at(1000));
    Measure("step back", 1000, trigger(ID_MOVE_BACK), at(0));
    Measure("go to the end", 1, trigger(ID_MOVE_END), at(moves));
    Measure("step back at the end", 1000, trigger(ID_MOVE_BACK), at(moves - 1000));
    Measure("step forward at the end", 1000, trigger(ID_MOVE_FORWARD), at(moves));
    Measure(
        "click the row in the middle", 1, [&] { list.setCurrentIndex(model.index(moves / 2, 1)); },
        at(moves / 2));
    Measure("go to the top", 1, trigger(ID_MOVE_TOP), at(0));
    frame.ActionById(ID_MOVE_END)->trigger();
    Measure(
        "delete the last move, undo it", 1,
        [&] {
            frame.ActionById(ID_MOVE_BACK)->trigger();
            doc.DeleteMovesAfter();
            doc.Undo();
        },
        [&] { return model.rowCount() == moves + 1; });
    return 0;
}
