#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <vector>

#include "analysis/enginelist.h"
#include "engine/searchlines.h"
#include "engine/usiengine.h"
#include "model/position.h"

class CZelkanDoc;

// The analysis of the position the document shows, by one engine, as the user steps. A node
// is searched once it has stayed shown for SettleMs, so that stepping with key repeat never
// floods the engine: each step only stops the search of the node left (one `stop`), and at
// most one `position`/`go` is sent per node that stayed shown. A result, or a position whose
// side to move has no move, is not searched; the session says why. The engine's failures and
// notices are kept for the pane to show; a failure turns the analysis off, and it may be
// turned on again. The document is borrowed and must outlive the session.
class AnalysisSession : public QObject {
    Q_OBJECT

  public:
    static constexpr int SettleMs = 100;
    static constexpr int MostLines = 5;

    explicit AnalysisSession(const CZelkanDoc& doc, QObject* parent = nullptr);
    ~AnalysisSession() override;

    // Starts the engine and analyses the shown node; an engine still quitting is let finish
    // first.
    void Start(const EngineEntry& entry);
    // Quits the engine. What it found stays until another node is shown.
    void Stop();
    bool IsOn() const { return m_on; }

    // The number of best lines searched, 1 to MostLines, when the engine offers MultiPV.
    int MultiPv() const { return m_multiPv; }
    void SetMultiPv(int count);
    bool EngineHasMultiPv() const;

    // Infinite, unless a test wants a search that ends.
    void SetSearchLimit(const SearchLimit& limit) { m_limit = limit; }
    // SettleMs, unless a test wants to step at its own pace.
    void SetSettleTime(int milliseconds) { m_settle.setInterval(milliseconds); }
    void SetTimeouts(const EngineTimeouts& timeouts) { m_engine.SetTimeouts(timeouts); }

    // The name kept for the engine, until it gives its own.
    const QString& EngineName() const { return m_entry.name; }
    // The best lines found for the shown position, best first.
    std::vector<EngineInfo> Lines() const;
    // The latest depth, selective depth, nodes and speed the engine told.
    const EngineInfo& Progress() const { return m_progress; }
    // What is said besides the lines: that analysis is off or starting, why the shown node is
    // not searched, or the engine's failure (IsFailure). Empty while searching.
    QString Message() const;
    bool IsFailure() const { return !m_failure.isEmpty() && !m_on; }
    // What the engine did wrong but survived during this node's search, a line each.
    QString Notices() const {
        if (m_notices.isEmpty()) return {};
        return tr("%1", "an engine's notices, one a line").arg(m_notices.join(QLatin1Char('\n')));
    }

  signals:
    // Anything above changed.
    void changed();
    // The engine gave its name, which may differ from the one kept.
    void engineNamed(const QString& path, const QString& name);

  private:
    // What makes the shown node another one for the engine.
    struct ShownNode {
        Position position;
        bool result = false;
        friend bool operator==(const ShownNode&, const ShownNode&) = default;
    };
    void StartEngine(const EngineEntry& entry);
    // Forgets what was found for the node left; false when the same node is shown.
    bool FollowShownNode(bool always);
    void OnNodeShown(bool newRecord);
    void SearchShownNode();
    void OnEngineState(UsiEngine::State state);
    void OnInfo(const EngineInfo& info);
    void OnFailure(const QString& message);
    void ApplyMultiPv();

    const CZelkanDoc& m_doc;
    UsiEngine m_engine;
    QTimer m_settle;
    SearchLimit m_limit;
    EngineEntry m_entry;
    std::optional<EngineEntry> m_startWhenOff;
    bool m_on = false;
    bool m_greeted = false;    // the engine has been ready since it started
    bool m_searching = false;  // the engine's lines are the shown node's
    int m_multiPv = 1;
    std::optional<ShownNode> m_shown;
    SearchLines m_lines;
    EngineInfo m_progress;
    QString m_unsearched;  // why the shown node is not searched
    QString m_failure;
    QStringList m_notices;
};
