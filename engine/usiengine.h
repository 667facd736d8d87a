#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/engineinfo.h"
#include "engine/engineoption.h"
#include "model/move.h"
#include "model/position.h"

// How long a search runs: until stopped, to a depth, or for a time.
struct SearchLimit {
    enum class Kind { Infinite, Depth, MoveTime };
    Kind kind = Kind::Infinite;
    int value = 0;  // plies for Depth, milliseconds for MoveTime
};

// A position to search, given as a record gives it: the start and the moves played from it.
// The moves are those of a record, legal one after the other.
struct SearchRequest {
    Position start;
    std::vector<Move> moves;
    SearchLimit limit;
};

// How long the engine may take to answer, each in milliseconds; a parameter so tests run fast.
struct EngineTimeouts {
    int usiok = 10'000;
    int readyok = 30'000;
    int stop = 5'000;  // from `stop` to `bestmove`
    int quit = 2'000;  // from `quit` to the end of the process
    // A search to a depth with no line from the engine this long is told as a Notice; it is
    // left to run, since some engines write nothing until they are done.
    int silence = 60'000;
};

// One USI engine behind a process. A small state machine (starting, ready, thinking,
// stopping) that never blocks the thread it lives on: every answer arrives through the event
// loop, every wait has a timeout, and every way out of a failure kills the process.
//
// Info lines, scores turned to Black's point of view and principal variations checked against
// the position searched, arrive as InfoReceived; the end of each search as BestMoveReceived. A
// search asked for while another runs stops that one first and waits for its `bestmove`
// before the next `position`; the stopped search's late lines are dropped. A move the engine
// names is never handed on unless it is legal in the position searched. A search to a depth
// whose engine reports that depth but then does not end it within the stop timeout is stopped,
// and the engine is ended when it does not answer `stop` either.
class UsiEngine : public QObject {
    Q_OBJECT

  public:
    enum class State { Off, Starting, Ready, Thinking, Stopping };

    explicit UsiEngine(QObject* parent = nullptr);
    ~UsiEngine() override;

    void SetTimeouts(const EngineTimeouts& timeouts) { timeouts_ = timeouts; }

    // Starts the program (a path, or a name looked up on PATH) and greets it: `usi`, then the
    // given options for those it advertises (each one it does not advertise, or whose value
    // does not suit it, is a Notice), `isready` and `usinewgame`. Ready follows, or an error.
    // Does nothing unless Off.
    void Start(const QString& program,
               std::vector<std::pair<std::string, std::string>> options = {},
               const QStringList& arguments = {});
    // Searches a position: at once when ready; after the greeting when starting; after the
    // running search's `bestmove` when thinking. Ignored when Off.
    void Search(const SearchRequest& request);
    // Stops the running search; its `bestmove` still arrives. A search waiting to start is
    // dropped.
    void Stop();
    // Changes an option before the next search; false (and nothing sent) when the engine does
    // not advertise it or the value does not suit it (a Notice says why).
    bool SetOption(const std::string& name, const std::string& value);
    // `usinewgame` before the next search: the positions to come are from another game.
    void NewGame();
    // Says `quit` and kills the process if it has not ended within the quit timeout.
    void Quit();

    State GetState() const { return state_; }
    // The name it gave (`id name`), or the program's file name until it gives one.
    const std::string& Name() const { return name_; }
    const std::string& Author() const { return author_; }
    // The options it advertised, with their defaults.
    const std::vector<EngineOption>& Options() const { return options_; }
    // Lines it wrote that made no sense and were ignored.
    int IgnoredLines() const { return ignoredLines_; }

  signals:
    void StateChanged(UsiEngine::State state);
    // One info line of the search, for the position it searches.
    void InfoReceived(const EngineInfo& info);
    // The end of a search (not of one stopped to make way for another).
    void BestMoveReceived(const EngineBestMove& best);
    // Something the engine did wrong that it survives: an illegal move it named, an option it
    // does not have.
    void Notice(const QString& message);
    // The engine failed and is no more running: the state is already Off.
    void ErrorOccurred(const QString& message);

  private:
    void SetState(State state);
    void Send(const std::string& command);
    void ReadOutput();
    void HandleLine(std::string_view line);
    void HandleUsiOk();
    void HandleReadyOk();
    void HandleInfo(std::string_view words);
    void HandleBestMove(std::string_view words);
    void StartSearch(const SearchRequest& request);
    void SendStop();
    void SendPendingOptions();
    // The option of that name if the engine offers it and the value suits it; else null, and a
    // Notice says why.
    const EngineOption* AdvertisedOption(const std::string& name, const std::string& value);
    void WaitFor(int milliseconds, std::string what);
    void TimedOut();
    void StaysSilent();
    void ProcessEnded();
    void Fail(const QString& message);
    void KillProcess();
    void KeepErrorOutput();

    QProcess* process_ = nullptr;  // a child of this object while a program runs
    QTimer deadline_;
    std::string awaited_;  // what the deadline waits for, for its message
    QTimer silence_;       // while a search to a depth runs: the time since the engine's last line
    EngineTimeouts timeouts_;
    State state_ = State::Off;
    bool usiOk_ = false;          // `usiok` came
    bool greeted_ = false;        // and then `readyok`
    bool pvNoticeGiven_ = false;  // an illegal move of the running search's lines was told
    bool quitting_ = false;
    bool newGamePending_ = false;
    std::string name_;
    std::string author_;
    std::vector<EngineOption> options_;
    std::vector<std::pair<std::string, std::string>> pendingOptions_;
    std::optional<SearchRequest> pendingSearch_;
    Position searched_;              // the position of the running search
    SearchLimit limit_;              // and its limit
    bool depthReached_ = false;      // it reported the depth it was asked for
    bool supersededSearch_ = false;  // the running search was stopped for another
    std::string output_;             // what the engine wrote after its last full line
    int ignoredLines_ = 0;
    QString lastErrorOutput_;  // the last line on its standard error, for a failure's message
};
