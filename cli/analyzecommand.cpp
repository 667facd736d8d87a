#include <QCoreApplication>
#include <QEventLoop>

#include <unistd.h>

#include <chrono>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/recordfile.h"
#include "cli/treewalk.h"
#include "engine/evaluationtext.h"
#include "engine/searchlines.h"
#include "engine/usiengine.h"

namespace {

struct AnalyzeArgs {
    std::string input;
    std::string output;  // empty: standard output
    std::string engine;
    std::string targetName;
    SearchLimit limit{SearchLimit::Kind::Depth, 10};
    bool limitGiven = false;
    int multiPv = 1;
    bool all = false;
};

// A whole positive number of at most `max`.
bool ReadCount(const std::string& text, int max, int& value) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return value >= 1 && value <= max;
}

// Reads "--name VALUE" or "--name=VALUE" at `i`; false when `arg` is not that option. `why` is
// set when it is but has no value.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::string& value, std::string& why) {
    const std::string& arg = args[i];
    if (arg.starts_with(name + "=")) {
        value = arg.substr(name.size() + 1);
    } else if (arg == name && i + 1 < args.size()) {
        value = args[++i];
    } else if (arg != name) {
        return false;
    }
    if (value.empty()) why = name + " needs a value";
    return true;
}

std::string ParseAnalyzeArgs(const std::vector<std::string>& args, AnalyzeArgs& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value, why;
        if (args[i] == "--all") {
            parsed.all = true;
        } else if (TakeValue(args, i, "--engine", value, why)) {
            parsed.engine = value;
        } else if (const bool depth = TakeValue(args, i, "--depth", value, why);
                   depth || TakeValue(args, i, "--movetime", value, why)) {
            if (!why.empty()) return why;
            if (parsed.limitGiven) return "analyze takes one of --depth and --movetime";
            parsed.limit.kind = depth ? SearchLimit::Kind::Depth : SearchLimit::Kind::MoveTime;
            if (!ReadCount(value, depth ? 1000 : 86'400'000, parsed.limit.value))
                return std::string(depth ? "--depth" : "--movetime") +
                       " needs a whole number above 0, not '" + value + "'";
            parsed.limitGiven = true;
        } else if (TakeValue(args, i, "--multipv", value, why)) {
            if (why.empty() && !ReadCount(value, 500, parsed.multiPv))
                return "--multipv needs a number from 1 to 500, not '" + value + "'";
        } else if (TakeValue(args, i, "--to", value, why)) {
            parsed.targetName = value;
        } else if (TakeValue(args, i, "-o", value, why)) {
            parsed.output = value;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return "analyze: unknown option " + args[i];
        } else {
            if (!parsed.input.empty()) return "analyze takes exactly one FILE";
            parsed.input = args[i];
        }
        if (!why.empty()) return why;
    }
    if (parsed.input.empty()) return "analyze needs a FILE";
    if (parsed.engine.empty()) return "analyze needs --engine PATH";
    return {};
}

// The nodes to analyse, by their paths from the root: the root and every move of the main
// line, or with `all` every node but the results.
std::vector<std::vector<int>> NodesToAnalyse(const GameRecord& record, bool all) {
    std::vector<std::vector<int>> paths;
    if (all) {
        PreorderWalk walk(record.Root(), record.StartPosition());
        do {
            if (!walk.Node().IsResult()) paths.push_back(walk.Path());
        } while (walk.Next());
        return paths;
    }
    std::vector<int> path;
    paths.push_back(path);
    for (const MoveNode* node = &record.Root();;) {
        int index = 0;
        while (node->Continuation(index) && node->Continuation(index)->IsResult())
            ++index;
        if (!node->Continuation(index)) return paths;
        node = node->Continuation(index);
        path.push_back(index);
        paths.push_back(path);
    }
}

std::string Clock(std::chrono::seconds time) {
    const long long seconds = time.count();
    std::string text;
    if (seconds >= 3600) text = std::to_string(seconds / 3600) + ":";
    const long long minutes = seconds / 60 % 60;
    text += (seconds >= 3600 && minutes < 10 ? "0" : "") + std::to_string(minutes) + ":";
    return text + (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60);
}

// "esn: position 3 of 40, 0:04 elapsed, about 0:49 left" before each position: a line each,
// or on a terminal one line written over and over, ended when `done` reaches `count`.
void ShowProgress(std::size_t done, std::size_t count,
                  std::chrono::steady_clock::time_point start) {
    using namespace std::chrono;
    static const bool terminal = ::isatty(STDERR_FILENO) == 1;
    if (done == count) {
        if (terminal) std::cerr << '\n';
        return;
    }
    const auto elapsed = duration_cast<seconds>(steady_clock::now() - start);
    std::cerr << (terminal ? "\r" : "") << "esn: position " << done + 1 << " of " << count << ", "
              << Clock(elapsed) << " elapsed";
    if (done > 0) {
        const auto left = duration_cast<seconds>((steady_clock::now() - start) *
                                                 static_cast<double>(count - done) / done);
        std::cerr << ", about " << Clock(left) << " left";
    }
    // On a terminal the rest of the line is cleared, since the last one may have been longer.
    std::cerr << (terminal ? "\x1b[K" : "\n") << std::flush;
}

// Runs the engine through the event loop of the tool's thread, one step at a time.
class EngineDriver {
  public:
    EngineDriver() {
        QObject::connect(&engine_, &UsiEngine::StateChanged, &loop_, &QEventLoop::quit);
        QObject::connect(&engine_, &UsiEngine::InfoReceived,
                         [this](const EngineInfo& info) { lines_.Add(info); });
        QObject::connect(&engine_, &UsiEngine::BestMoveReceived,
                         [this](const EngineBestMove& best) {
                             best_ = best;
                             loop_.quit();
                         });
        QObject::connect(&engine_, &UsiEngine::Notice, [](const QString& message) {
            std::cerr << "esn: " << message.toStdString() << '\n';
        });
        QObject::connect(&engine_, &UsiEngine::ErrorOccurred, [this](const QString& message) {
            error_ = message.toStdString();
            loop_.quit();
        });
    }

    // Starts the engine and waits until it is ready; false when it failed (Error says why).
    bool Start(const std::string& program, int multiPv) {
        std::vector<std::pair<std::string, std::string>> options;
        if (multiPv > 1) options.emplace_back("MultiPV", std::to_string(multiPv));
        engine_.Start(QString::fromStdString(program), options);
        return RunUntil([this] { return engine_.GetState() == UsiEngine::State::Ready; });
    }

    // Searches one position and waits for the engine's best move; false when it failed.
    bool Search(const SearchRequest& request) {
        lines_.Clear();
        best_.reset();
        engine_.Search(request);
        return RunUntil([this] { return best_.has_value(); });
    }

    void Quit() {
        engine_.Quit();
        RunUntil([this] { return engine_.GetState() == UsiEngine::State::Off; });
    }

    const UsiEngine& Engine() const { return engine_; }
    const SearchLines& Lines() const { return lines_; }
    const EngineBestMove& Best() const { return *best_; }
    const std::string& Error() const { return error_; }

  private:
    bool RunUntil(const std::function<bool()>& done) {
        while (error_.empty() && !done()) {
            if (engine_.GetState() == UsiEngine::State::Off) break;
            loop_.exec();
        }
        return error_.empty() && done();
    }

    UsiEngine engine_;
    QEventLoop loop_;
    SearchLines lines_;
    std::optional<EngineBestMove> best_;
    std::string error_;
};

// The lines the search adds to the comment, one per best line the engine reported.
std::string AnalysisText(const EngineDriver& driver, const Position& position, int multiPv,
                         MoveNotation notation, std::optional<Square> previousDestination) {
    std::vector<EngineInfo> lines = driver.Lines().Lines();
    if (lines.size() > static_cast<std::size_t>(multiPv)) lines.resize(multiPv);
    if (lines.empty()) {
        // An engine may answer without a scored info line.
        EngineInfo bare;
        if (driver.Best().kind == EngineBestMove::Kind::Move) bare.pv = {driver.Best().move};
        lines.push_back(bare);
    }
    std::string text;
    for (const EngineInfo& info : lines) {
        if (!text.empty()) text += "\r\n";
        text +=
            EvaluationLine(driver.Engine().Name(), info, position, notation, previousDestination);
    }
    return text;
}

// Goes to the node at `path` and builds the request that searches the position after it.
SearchRequest RequestFor(GameRecord& record, const std::vector<int>& path, SearchLimit limit,
                         std::optional<Square>& previousDestination) {
    SearchRequest request{record.StartPosition(), {}, limit};
    record.GoToTop();
    previousDestination.reset();
    for (const int index : path) {
        record.GoForward(index);
        request.moves.push_back(record.Current().move);
        previousDestination = record.Current().move.to;
    }
    return request;
}

int AnalyseRecord(GameRecord& record, const AnalyzeArgs& parsed, MoveNotation notation) {
    int argc = 1;
    char name[] = "esn";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    EngineDriver driver;
    const auto failed = [&driver] {
        std::cerr << "esn: " << driver.Error() << "; nothing written\n";
        return ExitFailure;
    };
    if (!driver.Start(parsed.engine, parsed.multiPv)) return failed();
    const std::vector<std::vector<int>> paths = NodesToAnalyse(record, parsed.all);
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t k = 0; k < paths.size(); ++k) {
        ShowProgress(k, paths.size(), start);
        std::optional<Square> previousDestination;
        const SearchRequest request =
            RequestFor(record, paths[k], parsed.limit, previousDestination);
        if (!driver.Search(request)) return failed();
        const std::string added = AnalysisText(driver, record.GetPosition(), parsed.multiPv,
                                               notation, previousDestination);
        const std::string& comment = record.Current().Comment();
        record.SetCurrentComment(comment.empty() ? added : comment + "\r\n" + added);
    }
    ShowProgress(paths.size(), paths.size(), start);
    driver.Quit();
    if (const int ignored = driver.Engine().IgnoredLines(); ignored > 0)
        std::cerr << "esn: engine " << driver.Engine().Name() << " wrote " << ignored
                  << " line(s) that made no sense; they were ignored\n";
    record.GoToTop();
    return ExitOk;
}

}  // namespace

int RunAnalyze(const std::vector<std::string>& args) {
    AnalyzeArgs parsed;
    if (std::string why = ParseAnalyzeArgs(args, parsed); !why.empty()) return UsageError(why);
    std::optional<FileType> named;
    if (!parsed.targetName.empty() && !(named = FileTypeForName(parsed.targetName)))
        return UsageError("unknown format '" + parsed.targetName + "' for --to");

    GameRecord record;
    FileType type;
    if (const int status = ReadCompleteRecord(parsed.input, record, type); status != ExitOk)
        return status;
    const FileType target = named.value_or(type);
    if (target.format == RecordFormat::Usi || target.format == RecordFormat::Sfen) {
        std::cerr << "esn: " << FileTypeName(target)
                  << " cannot keep comments; choose another format with --to\n";
        return ExitRecordFault;
    }
    if (const int status = AnalyseRecord(record, parsed, CommentNotation(target.format));
        status != ExitOk)
        return status;
    return WriteRecordAs(record, target, parsed.input, parsed.output);
}
