#include "engine/usiengine.h"

#include <signal.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <QFileInfo>
#include <QStandardPaths>

#include "engine/enginemoves.h"
#include "format/usi/sfen.h"
#include "format/usi/usi.h"
#include "model/moverules.h"

namespace {

// A line longer than this is no protocol line: it is dropped rather than kept growing.
constexpr std::size_t kLongestLine = 1 << 20;

QString Seconds(int milliseconds) {
    return QString::number(milliseconds / 1000.0) + " s";
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The program to start, or empty with `why` saying why it cannot be.
QString FindProgram(const QString& program, QString& why) {
    QFileInfo file(program);
    if (!program.contains('/') && !file.exists()) {
        const QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty()) why = "no such program on PATH";
        return found;
    }
    if (!file.exists()) {
        why = "no such file";
    } else if (file.isDir()) {
        why = "it is a folder";
    } else if (!file.isExecutable()) {
        why = "it is not executable";
    } else {
        return file.absoluteFilePath();
    }
    return {};
}

std::string PositionCommand(const SearchRequest& request) {
    std::string command = "position sfen " + Sfen(request.start, 0);
    if (!request.moves.empty()) command += " moves";
    for (const Move& move : request.moves)
        command += ' ' + UsiMoveText(move);
    return command;
}

std::string GoCommand(const SearchLimit& limit) {
    switch (limit.kind) {
        case SearchLimit::Kind::Depth:
            return "go depth " + std::to_string(limit.value);
        case SearchLimit::Kind::MoveTime:
            return "go movetime " + std::to_string(limit.value);
        case SearchLimit::Kind::Infinite:
            break;
    }
    return "go infinite";
}

Position PositionAfter(const SearchRequest& request) {
    Position position = request.start;
    for (const Move& move : request.moves)
        Play(position, move);
    return position;
}

std::string_view FirstWord(std::string_view line, std::string_view& rest) {
    const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
    rest = line.substr(end);
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
    return line.substr(0, end);
}

}  // namespace

UsiEngine::UsiEngine(QObject* parent) : QObject(parent) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &UsiEngine::TimedOut);
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, &UsiEngine::StaysSilent);
}

UsiEngine::~UsiEngine() {
    KillProcess();
    // Killed programs end at once; reaping them here spares QProcess's warning that it was
    // destroyed while its program still ran.
    for (QProcess* process : findChildren<QProcess*>())
        process->waitForFinished(1000);
}

void UsiEngine::Start(const QString& program,
                      std::vector<std::pair<std::string, std::string>> options,
                      const QStringList& arguments) {
    if (state_ != State::Off) return;
    name_ = QFileInfo(program).fileName().toStdString();
    author_.clear();
    options_.clear();
    pendingOptions_ = std::move(options);
    pendingSearch_.reset();
    output_.clear();
    lastErrorOutput_.clear();
    ignoredLines_ = 0;
    usiOk_ = greeted_ = quitting_ = false;

    QString why;
    const QString path = FindProgram(program, why);
    if (path.isEmpty()) {
        emit ErrorOccurred("Cannot start engine " + program + ": " + why);
        return;
    }
    process_ = new QProcess(this);
    // The engine and whatever it starts (a wrapper script's engine) form a process group of
    // their own, so that a kill reaches them all; and the engine is killed when this program
    // dies without a chance to end it.
    process_->setChildProcessModifier([] {
        ::setpgid(0, 0);
#ifdef __linux__
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    });
    connect(process_, &QProcess::started, this, [this] {
        Send("usi");
        WaitFor(timeouts_.usiok, "answer 'usi' with 'usiok'");
    });
    connect(process_, &QProcess::readyReadStandardOutput, this, &UsiEngine::ReadOutput);
    connect(process_, &QProcess::readyReadStandardError, this, &UsiEngine::KeepErrorOutput);
    connect(process_, &QProcess::finished, this, &UsiEngine::ProcessEnded);
    connect(process_, &QProcess::errorOccurred, this, [this, program](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            Fail("Cannot start engine " + program + ": " + process_->errorString());
    });
    SetState(State::Starting);
    process_->start(path, arguments);
}

void UsiEngine::Search(const SearchRequest& request) {
    switch (state_) {
        case State::Off:
            return;
        case State::Starting:
            pendingSearch_ = request;
            return;
        case State::Ready:
            StartSearch(request);
            return;
        case State::Thinking:
            pendingSearch_ = request;
            supersededSearch_ = true;
            SendStop();
            return;
        case State::Stopping:
            if (quitting_) return;
            pendingSearch_ = request;
            supersededSearch_ = true;
            return;
    }
}

void UsiEngine::Stop() {
    pendingSearch_.reset();
    if (state_ == State::Thinking) SendStop();
}

void UsiEngine::SendStop() {
    silence_.stop();
    Send("stop");
    SetState(State::Stopping);
    WaitFor(timeouts_.stop, "answer 'stop' with 'bestmove'");
}

bool UsiEngine::SetOption(const std::string& name, const std::string& value) {
    const EngineOption* option = AdvertisedOption(name, value);
    if (!option) return false;
    pendingOptions_.emplace_back(option->name, value);
    if (state_ == State::Ready) SendPendingOptions();
    return true;
}

const EngineOption* UsiEngine::AdvertisedOption(const std::string& name, const std::string& value) {
    const EngineOption* option = FindOption(options_, name);
    const std::string problem =
        option ? OptionValueProblem(*option, value) : "is not an option the engine offers";
    if (problem.empty()) return option;
    emit Notice(Text("Engine " + name_ + ": option " + name + " " + problem));
    return nullptr;
}

void UsiEngine::NewGame() {
    newGamePending_ = true;
}

void UsiEngine::Quit() {
    if (state_ == State::Off || quitting_) return;
    pendingSearch_.reset();
    quitting_ = true;
    Send("quit");
    process_->closeWriteChannel();
    SetState(State::Stopping);
    WaitFor(timeouts_.quit, "quit");
}

void UsiEngine::SetState(State state) {
    if (state_ == state) return;
    state_ = state;
    emit StateChanged(state);
}

void UsiEngine::Send(const std::string& command) {
    // A write to an engine that has gone fails; its end arrives as ProcessEnded.
    if (process_) process_->write((command + '\n').c_str());
}

void UsiEngine::ReadOutput() {
    const QProcess* source = process_;
    if (!source) return;
    output_ += process_->readAllStandardOutput().toStdString();
    if (silence_.isActive()) silence_.start();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = output_.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(output_.substr(start, end - start));
    output_.erase(0, start);
    if (output_.size() > kLongestLine) {
        ++ignoredLines_;
        output_.clear();
    }
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A line may end the engine (a failure, a slot that quits it): the rest is not its.
        if (process_ != source) return;
        HandleLine(line);
    }
}

void UsiEngine::HandleLine(std::string_view line) {
    std::string_view rest;
    const std::string_view word = FirstWord(line, rest);
    if (word.empty()) return;
    if (word == "info") return HandleInfo(rest);
    if (word == "bestmove") return HandleBestMove(rest);
    if (word == "readyok" && usiOk_ && !greeted_) return HandleReadyOk();
    if (!usiOk_) {
        // Before `usiok` an engine names itself and its options; other lines are its own
        // greeting, which some engines print before they read `usi`.
        std::string_view value;
        const std::string_view key = FirstWord(rest, value);
        if (word == "id" && key == "name") name_ = value;
        if (word == "id" && key == "author") author_ = value;
        if (word == "usiok") return HandleUsiOk();
        if (word != "option") return;
        if (std::optional<EngineOption> option = ParseOption(rest))
            options_.push_back(std::move(*option));
        else
            ++ignoredLines_;
        return;
    }
    ++ignoredLines_;
}

void UsiEngine::HandleUsiOk() {
    usiOk_ = true;
    SendPendingOptions();
    Send("isready");
    WaitFor(timeouts_.readyok, "answer 'isready' with 'readyok'");
}

void UsiEngine::HandleReadyOk() {
    deadline_.stop();
    greeted_ = true;
    Send("usinewgame");
    newGamePending_ = false;
    // A search asked for meanwhile starts now, unless one asked for when the state changes
    // has taken its place.
    const std::optional<SearchRequest> request = std::exchange(pendingSearch_, std::nullopt);
    SetState(State::Ready);
    if (request && state_ == State::Ready) StartSearch(*request);
}

void UsiEngine::SendPendingOptions() {
    for (const auto& [name, value] : std::exchange(pendingOptions_, {}))
        if (const EngineOption* option = AdvertisedOption(name, value))
            Send(SetOptionCommand(*option, value));
}

void UsiEngine::StartSearch(const SearchRequest& request) {
    SendPendingOptions();
    if (std::exchange(newGamePending_, false)) Send("usinewgame");
    searched_ = PositionAfter(request);
    limit_ = request.limit;
    depthReached_ = false;
    supersededSearch_ = false;
    pvNoticeGiven_ = false;
    Send(PositionCommand(request));
    Send(GoCommand(request.limit));
    SetState(State::Thinking);
    // A timed search that overruns its time by the stop timeout is stopped.
    if (request.limit.kind == SearchLimit::Kind::MoveTime)
        WaitFor(request.limit.value + timeouts_.stop, "end a timed search");
    if (request.limit.kind == SearchLimit::Kind::Depth) silence_.start(timeouts_.silence);
}

void UsiEngine::StaysSilent() {
    if (state_ != State::Thinking) return;
    emit Notice(Text("Engine " + name_ + " has said nothing for ") + Seconds(silence_.interval()) +
                Text(" of its search to depth " + std::to_string(limit_.value) +
                     "; it may be stuck, and is left to search"));
}

void UsiEngine::HandleInfo(std::string_view words) {
    EngineInfo info;
    if (!ParseInfo(words, info)) {
        ++ignoredLines_;
        return;
    }
    const bool searching = state_ == State::Thinking || state_ == State::Stopping;
    if (!searching || supersededSearch_ || quitting_) return;
    // An iteration at the depth asked for is complete: the best move is due.
    const bool exact = info.score && info.score->bound == EngineScore::Bound::Exact;
    if (limit_.kind == SearchLimit::Kind::Depth && state_ == State::Thinking && exact &&
        info.depth >= limit_.value && !std::exchange(depthReached_, true))
        WaitFor(timeouts_.stop, "end its search at depth " + std::to_string(limit_.value));
    if (info.score) info.score = ForBlack(*info.score, searched_.sideToMove);
    CheckedLine line = CheckEngineLine(searched_, info.pvWords);
    info.pv = std::move(line.moves);
    info.illegalPvWord = std::move(line.illegalWord);
    if (!info.illegalPvWord.empty() && !std::exchange(pvNoticeGiven_, true))
        emit Notice(Text("Engine " + name_ + " named the illegal move " + info.illegalPvWord +
                         " in a line of its search; the line ends before it"));
    emit InfoReceived(info);
}

void UsiEngine::HandleBestMove(std::string_view words) {
    EngineBestMove best;
    const bool understood = ParseBestMove(words, best);
    if (state_ != State::Thinking && state_ != State::Stopping) {
        ++ignoredLines_;
        return;
    }
    // After `quit` only the end of the process matters, and its deadline still runs.
    if (quitting_) return;
    deadline_.stop();
    silence_.stop();
    if (pendingSearch_) {
        // The search was stopped to make way for this one: its answer is of no use.
        const SearchRequest request = *std::exchange(pendingSearch_, std::nullopt);
        StartSearch(request);
        return;
    }
    const bool superseded = std::exchange(supersededSearch_, false);
    if (best.kind == EngineBestMove::Kind::Move) {
        const std::optional<Move> move = LegalEngineMove(searched_, best.word);
        if (understood && move) {
            best.move = *move;
        } else {
            best.kind = EngineBestMove::Kind::Illegal;
            emit Notice(Text("Engine " + name_ + " answered the illegal best move " +
                             std::string(words) + "; it is not played"));
        }
    }
    SetState(State::Ready);
    if (!superseded && state_ == State::Ready) emit BestMoveReceived(best);
}

void UsiEngine::WaitFor(int milliseconds, std::string what) {
    awaited_ = std::move(what);
    deadline_.start(milliseconds);
}

void UsiEngine::TimedOut() {
    if (quitting_) {
        KillProcess();
        SetState(State::Off);
        emit Notice(Text("Engine " + name_ + " did not quit within ") + Seconds(timeouts_.quit) +
                    "; it was ended");
        return;
    }
    const int waited = deadline_.interval();
    if (state_ == State::Thinking) {
        emit Notice(Text("Engine " + name_ + " did not " + awaited_ + " within ") +
                    Seconds(waited) + "; it was stopped");
        return SendStop();
    }
    Fail(Text("Engine " + name_ + " did not " + awaited_ + " within ") + Seconds(waited) +
         "; it was ended");
}

void UsiEngine::ProcessEnded() {
    const QProcess::ExitStatus how = process_->exitStatus();
    const int code = process_->exitCode();
    if (quitting_) {
        KillProcess();
        SetState(State::Off);
        return;
    }
    const char* during = state_ == State::Starting ? " while starting"
                         : state_ == State::Ready  ? " while waiting"
                                                   : " during a search";
    QString message =
        Text("Engine " + name_) + (how == QProcess::CrashExit ? " crashed" : " exited") + during;
    if (how == QProcess::NormalExit) message += " (exit status " + QString::number(code) + ")";
    if (!lastErrorOutput_.isEmpty()) message += ": " + lastErrorOutput_;
    Fail(message);
}

void UsiEngine::KeepErrorOutput() {
    const QStringList lines =
        QString::fromUtf8(process_->readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line)
        if (!line->trimmed().isEmpty()) {
            lastErrorOutput_ = line->trimmed().left(200);
            return;
        }
}

void UsiEngine::Fail(const QString& message) {
    KillProcess();
    pendingSearch_.reset();
    SetState(State::Off);
    emit ErrorOccurred(message);
}

void UsiEngine::KillProcess() {
    deadline_.stop();
    silence_.stop();
    QProcess* process = std::exchange(process_, nullptr);
    if (!process) return;
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    // The group first: a wrapper script's engine dies with the script.
    if (const qint64 pid = process->processId(); pid > 0) ::kill(-static_cast<pid_t>(pid), SIGKILL);
    process->kill();
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
}
