#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "engine/engineoption.h"

class UsiEngine;

// Starts an engine only to learn the name it gives and the options it offers, then lets it
// quit; the user waits for no process meanwhile. Exactly one of the signals follows Start.
class EngineProbe : public QObject {
    Q_OBJECT

  public:
    explicit EngineProbe(QObject* parent = nullptr);
    ~EngineProbe() override;

    void Start(const QString& path);
    bool IsRunning() const { return m_running; }

  signals:
    void Probed(const QString& path, const QString& name, const std::vector<EngineOption>& options);
    void Failed(const QString& path, const QString& message);

  private:
    UsiEngine* m_engine = nullptr;
    bool m_running = false;
};
