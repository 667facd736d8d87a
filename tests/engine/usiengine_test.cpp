#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <filesystem>
#include <functional>
#include <ios>
#include <set>

#include "engine/enginemoves.h"
#include "engine/searchlines.h"
#include "engine/usiengine.h"
#include "format/usi/sfen.h"
#include "tests/support/scratchdir.h"

namespace {

const QString kRealEngine = "/usr/games/fairy-stockfish";
const std::string kScripts = MARLOCK_SOURCE_DIR "/tests/engine/";

// An engine and everything it signals. Its timeouts are the program's, but for the one a
// test waits out, shortened so the test runs fast.
struct WatchedEngine {
    UsiEngine engine;
    SearchLines lines;
    std::vector<EngineBestMove> bests;
    std::vector<std::string> notices;
    std::string error;

    explicit WatchedEngine(const EngineTimeouts& timeouts = {}) {
        engine.SetTimeouts(timeouts);
        QObject::connect(&engine, &UsiEngine::InfoReceived,
                         [this](const EngineInfo& info) { lines.Add(info); });
        QObject::connect(&engine, &UsiEngine::BestMoveReceived,
                         [this](const EngineBestMove& best) { bests.push_back(best); });
        QObject::connect(&engine, &UsiEngine::Notice,
                         [this](const QString& text) { notices.push_back(text.toStdString()); });
        QObject::connect(&engine, &UsiEngine::ErrorOccurred,
                         [this](const QString& text) { error = text.toStdString(); });
    }
    // Runs the event loop until `done`, for ten seconds at most.
    bool RunUntil(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 10'000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return done();
    }
    // Whether the engine reaches `state` before it is off.
    bool Reach(UsiEngine::State state) {
        const auto off = UsiEngine::State::Off;
        RunUntil([&] { return engine.GetState() == state || engine.GetState() == off; });
        return engine.GetState() == state;
    }
    // Searches `sfen` to `depth` and waits for the best move.
    void Search(const std::string& sfen, int depth) {
        const std::size_t before = bests.size();
        lines.Clear();
        engine.Search({ReadSfen(sfen).position, {}, {SearchLimit::Kind::Depth, depth}});
        EXPECT_TRUE(RunUntil([&] { return bests.size() > before || !error.empty(); })) << sfen;
    }
};

// Each fault ends with a message that says what went wrong, the engine killed and off, or, for
// what an engine survives, with the fault reported and no illegal move handed on. A search to
// a depth ends even when the engine does not end it, and only then.
TEST(UsiEngine, SurvivesEnginesThatMisbehave) {
    const std::string fake = kScripts + "fake-engine.sh";
    constexpr SearchLimit toDepth3{SearchLimit::Kind::Depth, 3};
    const struct {
        QString fault;
        EngineTimeouts timeouts;
        const char* error;  // what the message ends with, or null when the engine survives
        SearchLimit limit = {};
        const char* notice = nullptr;  // what the last notice ends with
    } cases[] = {
        {"silent", {.usiok = 300}, "did not answer 'usi' with 'usiok' within 0.3 s; it was ended"},
        {"no-readyok",
         {.readyok = 300},
         "did not answer 'isready' with 'readyok' within 0.3 s; it was ended"},
        {"crash", {}, "Engine Fake crash crashed during a search"},
        {"deaf", {.stop = 300}, "did not answer 'stop' with 'bestmove' within 0.3 s; it was ended"},
        {"junk", {}, nullptr},
        {"illegal", {}, nullptr},
        // At the depth asked for but no best move: stopped; deaf to `stop` too: ended.
        {"stuck",
         {.stop = 300},
         nullptr,
         toDepth3,
         "did not end its search at depth 3 within "
         "0.3 s; it was stopped"},
        {"deaf",
         {.stop = 300},
         "did not answer 'stop' with 'bestmove' within 0.3 s; it was ended",
         {SearchLimit::Kind::Depth, 1}},
        // Silent: told, and left to search until the user stops it.
        {"mute",
         {.stop = 300, .silence = 300},
         nullptr,
         toDepth3,
         "has said nothing for 0.3 s of its search to depth 3; it may be stuck, and is left to "
         "search"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault.toStdString());
        WatchedEngine watched(c.timeouts);
        watched.engine.Start(QString::fromStdString(fake), {}, {c.fault});
        if (watched.Reach(UsiEngine::State::Ready)) {
            watched.engine.Search({Position(), {}, c.limit});
            watched.RunUntil([&] {
                return !watched.lines.Lines().empty() || !watched.error.empty() ||
                       !watched.notices.empty();
            });
            // A search to a depth is left to end by itself unless the engine is silent.
            if (c.limit.kind == SearchLimit::Kind::Infinite || c.fault == "mute")
                watched.engine.Stop();
            watched.RunUntil([&] { return !watched.bests.empty() || !watched.error.empty(); });
        }
        if (c.notice) {
            ASSERT_FALSE(watched.notices.empty());
            EXPECT_TRUE(watched.notices.back().ends_with(c.notice)) << watched.notices.back();
        }
        if (c.error) {
            EXPECT_TRUE(watched.error.ends_with(c.error)) << watched.error;
            EXPECT_EQ(watched.engine.GetState(), UsiEngine::State::Off);
            continue;
        }
        ASSERT_EQ(watched.bests.size(), 1u) << watched.error;
        if (c.notice) continue;
        if (c.fault == "junk") {
            // Two info lines, one other line and an option whose default is out of its range.
            EXPECT_EQ(watched.engine.IgnoredLines(), 4);
            continue;
        }
        EXPECT_EQ(watched.bests[0].kind, EngineBestMove::Kind::Illegal);
        ASSERT_EQ(watched.lines.Lines().size(), 1u);
        EXPECT_EQ(watched.lines.Lines()[0].pv.size(), 1u);
        EXPECT_EQ(watched.notices.size(), 2u);
    }

    // An engine that ignores 'quit' is killed, and so is one that a script started.
    ScratchDir dir;
    const std::string pidFile = (dir / "pid").string();
    qputenv("FAKE_ENGINE_PID_FILE", pidFile.c_str());
    WatchedEngine deaf({.quit = 300});
    deaf.engine.Start(
        QString::fromStdString(kScripts + "logging-engine.sh"), {},
        {QString::fromStdString((dir / "log").string()), QString::fromStdString(fake), "deaf"});
    ASSERT_TRUE(deaf.Reach(UsiEngine::State::Ready));
    deaf.engine.Quit();
    EXPECT_TRUE(deaf.Reach(UsiEngine::State::Off));
    qunsetenv("FAKE_ENGINE_PID_FILE");
    EXPECT_EQ(deaf.notices,
              std::vector<std::string>{"Engine Fake deaf did not quit within 0.3 s; it was ended"});
    const std::string stat =
        "/proc/" + ReadBytes(pidFile).substr(0, ReadBytes(pidFile).find('\n')) + "/stat";
    EXPECT_TRUE(deaf.RunUntil([&] {
        // Gone (nothing to read, or gone while it is read), or a zombie waiting to be reaped.
        std::string fields;
        try {
            fields = ReadBytes(stat);
        } catch (const std::ios_base::failure&) {
            return true;
        }
        return fields.find(") ") == std::string::npos || fields.find(") Z ") != std::string::npos;
    })) << "the engine behind the script still runs";
}

// Against the real engine (its mates are seen through the tool): a lost position seen from
// Black, several best lines, and the commands it was given, read from its input through a
// logging script.
TEST(UsiEngine, SearchesWithARealEngine) {
    ASSERT_TRUE(std::filesystem::exists(kRealEngine.toStdString()))
        << kRealEngine.toStdString() << " is missing: scripts/setup --test installs it";
    ScratchDir dir;
    const std::string log = (dir / "log").string();
    WatchedEngine watched;
    watched.engine.Start(QString::fromStdString(kScripts + "logging-engine.sh"),
                         {{"multipv", "3"}, {"Ponder Hard", "true"}},
                         {QString::fromStdString(log), kRealEngine});
    ASSERT_TRUE(watched.Reach(UsiEngine::State::Ready)) << watched.error;
    ASSERT_EQ(watched.notices.size(), 1u);
    EXPECT_TRUE(
        watched.notices[0].ends_with(": option Ponder Hard is not an option the engine offers"));

    // White, to move, has a bare king against a rook and a gold in Black's hand: Black wins.
    watched.Search("8k/9/9/9/9/9/9/9/K8 w RG 1", 6);
    std::set<std::string> firstMoves;
    for (const EngineInfo& line : watched.lines.Lines()) {
        ASSERT_TRUE(line.score);
        EXPECT_TRUE(line.score->kind == EngineScore::Kind::Mate ? line.score->mates
                                                                : line.score->centipawns > 500);
        firstMoves.insert(line.pvWords.at(0));
    }
    EXPECT_EQ(firstMoves.size(), 3u) << "three distinct best lines";

    // A search asked for while another runs: stop, then the next position after 'bestmove'.
    SearchRequest request{Position(), {}, {SearchLimit::Kind::Infinite, 0}};
    request.moves = CheckEngineLine(request.start, {"7g7f", "3c3d"}).moves;
    watched.engine.Search(request);
    ASSERT_TRUE(watched.RunUntil([&] { return !watched.lines.Lines().empty(); }));
    watched.Search("lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1", 2);
    EXPECT_EQ(watched.bests.size(), 2u);
    watched.engine.Quit();
    EXPECT_TRUE(watched.Reach(UsiEngine::State::Off));
    EXPECT_EQ(watched.error, "");
    EXPECT_EQ(ReadBytes(log),
              "usi\nsetoption name MultiPV value 3\nisready\nusinewgame\n"
              "position sfen 8k/9/9/9/9/9/9/9/K8 w RG 1\ngo depth 6\n"
              "position sfen lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1 moves "
              "7g7f 3c3d\n"
              "go infinite\nstop\n"
              "position sfen lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1\ngo "
              "depth 2\n"
              "quit\n");
}

}  // namespace
