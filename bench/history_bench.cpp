// The record's history as a user meets it, in a fresh process: a record of one long line (rooks
// shuttling to and fro) is opened, the whole line is deleted at the root, and the deletion is
// undone and redone; a move is added at the far end of the line and undone from the top; finally
// New drops the history with the deleted line in it. Prints the wall time of each step and the heap
// the history holds; run it under /usr/bin/time for the peak resident memory.
//   history_bench [MOVES]   (1,000,000 when not given)

#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "bench/documentbench.h"
#include "bench/heapcount.h"
#include "bench/recordgen.h"
#include "document/zelkandoc.h"

namespace {

// Runs the step, says how long it took and what the heap gained, and checks it did something.
void Measure(const char* what, const std::function<bool()>& step) {
    const std::int64_t heap = LiveHeapBytes();
    const auto start = std::chrono::steady_clock::now();
    const bool done = step();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%-48s %9.2f ms %+12lld heap bytes\n", what, took.count(),
                static_cast<long long>(LiveHeapBytes() - heap));
    if (!done) {
        std::fprintf(stderr, "history_bench: %s did nothing\n", what);
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int moves = argc > 1 ? std::atoi(argv[1]) : 1'000'000;

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("line.esn"));
    WriteShuttleLine(path.toStdString(), moves);

    SilentPrompter prompter;
    CZelkanDoc doc(prompter);
    Measure("open the line", [&] { return doc.OnOpenDocument(path); });
    const long long count = CountMoves(doc.Record().Root());
    std::printf("%lld moves\n", count);
    Measure("delete it at the root", [&] { return doc.DeleteVariation(); });
    Measure("undo the deletion", [&] { return doc.Undo(), doc.CanGoForward(); });
    if (CountMoves(doc.Record().Root()) != count) return 1;
    Measure("redo the deletion", [&] { return doc.Redo(), !doc.CanGoForward(); });
    Measure("undo it again", [&] { return doc.Undo(), doc.CanGoForward(); });

    Measure("go to the end of the line", [&] { return doc.GoEnd(), !doc.CanGoForward(); });
    Move move;
    std::mt19937 random(7);
    Measure("add a move there", [&] {
        return RandomLegalMove(doc.Record().GetPosition(), random, move) && doc.AddMove(move);
    });
    Measure("go to the top", [&] { return doc.GoTop(), true; });
    Measure("undo the move from the top", [&] { return doc.Undo(), !doc.CanGoForward(); });
    Measure("redo it", [&] { return doc.Redo(), doc.CanGoBack(); });

    doc.GoTop();
    doc.DeleteVariation();
    Measure("New, dropping the deleted line", [&] { return doc.OnNewDocument(); });
    return 0;
}
