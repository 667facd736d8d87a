#include "analysis/analysissession.h"

#include <algorithm>

#include "document/gamewords.h"
#include "document/zelkandoc.h"
#include "model/check.h"
#include "model/gameresult.h"
#include "model/legalmoves.h"
#include "model/moverules.h"

namespace {

// The most moves that lead the engine to a position: enough for it to see repetitions,
// without a command of a million moves at the end of a long line.
constexpr std::size_t kHistory = 1000;

// The shown position as the engine is given it: where the game stood a number of moves
// before, and those moves.
SearchRequest RequestForCurrentNode(const GameRecord& record, const SearchLimit& limit) {
    SearchRequest request{record.GetPosition(), {}, limit};
    for (const MoveNode* node = &record.Current();
         node->Parent() != nullptr && request.moves.size() < kHistory; node = node->Parent()) {
        TakeBack(request.start, node->move);
        request.moves.push_back(node->move);
    }
    std::reverse(request.moves.begin(), request.moves.end());
    return request;
}

// Why nothing is searched at the current node, or empty when something is.
QString WhyNotSearched(const GameRecord& record) {
    const Position& position = record.GetPosition();
    if (const std::optional<GameResult> result = record.Current().Result())
        return AnalysisSession::tr("%1: the game ends here, and there is nothing to analyse.")
            .arg(ResultStatusWords(*result, position.sideToMove));
    if (HasLegalMove(position)) return {};
    const QString side = SideWords(position.sideToMove);
    if (InCheck(position, position.sideToMove))
        return AnalysisSession::tr("%1 is mated: there is nothing to analyse.").arg(side);
    return AnalysisSession::tr("%1 has no legal move: there is nothing to analyse.").arg(side);
}

}  // namespace

AnalysisSession::AnalysisSession(const CZelkanDoc& doc, QObject* parent)
    : QObject(parent), m_doc(doc) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &AnalysisSession::SearchShownNode);
    connect(&doc, &CZelkanDoc::currentNodeChanged, this, [this] { OnNodeShown(false); });
    connect(&doc, &CZelkanDoc::recordReplaced, this, [this] { OnNodeShown(true); });
    connect(&m_engine, &UsiEngine::StateChanged, this, &AnalysisSession::OnEngineState);
    connect(&m_engine, &UsiEngine::InfoReceived, this, &AnalysisSession::OnInfo);
    connect(&m_engine, &UsiEngine::ErrorOccurred, this, &AnalysisSession::OnFailure);
    connect(&m_engine, &UsiEngine::Notice, this, [this](const QString& message) {
        // A few, the latest last: an engine may repeat itself.
        if (m_notices.contains(message)) return;
        if (m_notices.size() == 3) m_notices.removeFirst();
        m_notices.append(message);
        emit changed();
    });
}

AnalysisSession::~AnalysisSession() {
    disconnect(&m_engine, nullptr, this, nullptr);
}

void AnalysisSession::Start(const EngineEntry& entry) {
    m_failure.clear();
    m_notices.clear();
    m_on = true;
    m_entry = entry;
    if (m_engine.GetState() == UsiEngine::State::Off) {
        StartEngine(entry);
    } else {
        m_startWhenOff = entry;
    }
    emit changed();
}

void AnalysisSession::StartEngine(const EngineEntry& entry) {
    m_greeted = false;
    m_engine.Start(entry.path, entry.options);
    // A program that cannot start has failed already.
    if (!m_on) return;
    // The shown node has been shown for a while: its search is sent once the engine is ready.
    FollowShownNode(true);
    SearchShownNode();
}

void AnalysisSession::Stop() {
    m_on = false;
    m_startWhenOff.reset();
    m_settle.stop();
    m_searching = false;
    m_engine.Quit();
    emit changed();
}

void AnalysisSession::SetMultiPv(int count) {
    count = std::clamp(count, 1, MostLines);
    if (count == m_multiPv) return;
    m_multiPv = count;
    if (!m_on || !EngineHasMultiPv()) return;
    ApplyMultiPv();
    // The shown node again, with the new number of lines.
    FollowShownNode(true);
    SearchShownNode();
}

bool AnalysisSession::EngineHasMultiPv() const {
    return FindOption(m_engine.Options(), "MultiPV") != nullptr;
}

void AnalysisSession::ApplyMultiPv() {
    const EngineOption* option = FindOption(m_engine.Options(), "MultiPV");
    if (option == nullptr) return;
    const long long count = std::clamp<long long>(m_multiPv, option->min, option->max);
    m_engine.SetOption(option->name, std::to_string(count));
}

std::vector<EngineInfo> AnalysisSession::Lines() const {
    std::vector<EngineInfo> lines = m_lines.Lines();
    const std::size_t wanted = EngineHasMultiPv() ? static_cast<std::size_t>(m_multiPv) : 1;
    if (lines.size() > wanted) lines.resize(wanted);
    return lines;
}

QString AnalysisSession::Message() const {
    // The engine layer's own words, as the tool prints them; a translation may lead them in.
    if (IsFailure()) return tr("%1", "an engine's failure").arg(m_failure);
    if (!m_on) return tr("Analysis is off.");
    if (!m_unsearched.isEmpty()) return m_unsearched;
    if (m_engine.GetState() == UsiEngine::State::Starting || m_startWhenOff)
        return tr("Starting %1...").arg(EngineName());
    return {};
}

bool AnalysisSession::FollowShownNode(bool always) {
    const ShownNode shown{m_doc.Record().GetPosition(), m_doc.Record().Current().IsResult()};
    if (!always && m_shown == shown) return false;
    m_shown = shown;
    m_lines.Clear();
    m_progress = {};
    m_notices.clear();
    m_unsearched.clear();
    m_searching = false;
    return true;
}

void AnalysisSession::OnNodeShown(bool newRecord) {
    if (!FollowShownNode(newRecord)) return;
    if (m_on) {
        if (newRecord) m_engine.NewGame();
        // The search of the node left ends now; the next starts once a node stays shown.
        m_engine.Stop();
        m_settle.start();
    }
    emit changed();
}

void AnalysisSession::SearchShownNode() {
    if (!m_on) return;
    const GameRecord& record = m_doc.Record();
    m_unsearched = WhyNotSearched(record);
    if (m_unsearched.isEmpty()) {
        m_searching = true;
        m_engine.Search(RequestForCurrentNode(record, m_limit));
    }
    emit changed();
}

void AnalysisSession::OnEngineState(UsiEngine::State state) {
    if (state == UsiEngine::State::Off && m_startWhenOff) {
        const EngineEntry entry = *std::exchange(m_startWhenOff, std::nullopt);
        StartEngine(entry);
    }
    if (state == UsiEngine::State::Ready && m_on && !std::exchange(m_greeted, true)) {
        // Before the search that waited for the greeting.
        if (m_multiPv > 1) ApplyMultiPv();
        if (m_engine.Name() != m_entry.name.toStdString()) {
            m_entry.name = QString::fromStdString(m_engine.Name());
            emit engineNamed(m_entry.path, m_entry.name);
        }
    }
    emit changed();
}

void AnalysisSession::OnInfo(const EngineInfo& info) {
    if (!m_searching) return;
    m_lines.Add(info);
    // A line about the move searched now may leave out the selective depth.
    if (info.depth && info.depth != m_progress.depth) m_progress.selectiveDepth.reset();
    if (info.depth) m_progress.depth = info.depth;
    if (info.selectiveDepth) m_progress.selectiveDepth = info.selectiveDepth;
    if (info.nodes) m_progress.nodes = info.nodes;
    if (info.nodesPerSecond) m_progress.nodesPerSecond = info.nodesPerSecond;
    emit changed();
}

void AnalysisSession::OnFailure(const QString& message) {
    m_failure = message;
    m_on = false;
    m_searching = false;
    m_settle.stop();
    m_startWhenOff.reset();
    emit changed();
}
