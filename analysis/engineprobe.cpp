#include "analysis/engineprobe.h"

#include "engine/usiengine.h"

EngineProbe::EngineProbe(QObject* parent) : QObject(parent) {}

EngineProbe::~EngineProbe() = default;

void EngineProbe::Start(const QString& path) {
    if (m_running) return;
    m_running = true;
    // A fresh engine each time: the last one may still be quitting.
    auto* engine = new UsiEngine(this);
    m_engine = engine;
    connect(engine, &UsiEngine::StateChanged, this, [this, engine, path](UsiEngine::State state) {
        if (state == UsiEngine::State::Off) {
            engine->deleteLater();
            return;
        }
        if (state != UsiEngine::State::Ready || engine != m_engine) return;
        m_engine = nullptr;
        m_running = false;
        const QString name = QString::fromStdString(engine->Name());
        const std::vector<EngineOption> options = engine->Options();
        engine->Quit();
        emit Probed(path, name, options);
    });
    connect(engine, &UsiEngine::ErrorOccurred, this, [this, engine, path](const QString& message) {
        // Off already, perhaps without a change of state (a program that cannot start).
        engine->deleteLater();
        if (engine != m_engine) return;
        m_engine = nullptr;
        m_running = false;
        emit Failed(path, message);
    });
    engine->Start(path);
}
