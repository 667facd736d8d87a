#include "analysis/enginelist.h"

#include <QSettings>
#include <QStringList>

namespace {

// The array holds the engines and nothing else; the choice is kept beside the analysis.
const QString EnginesArray = QStringLiteral("Engines");
const QString CurrentKey = QStringLiteral("Analysis/Engine");
const QString OfferedKey = QStringLiteral("Analysis/EngineOffered");

}  // namespace

const EngineEntry* EngineList::Current() const {
    if (current < 0 || current >= static_cast<int>(engines.size())) return nullptr;
    return &engines[static_cast<std::size_t>(current)];
}

void EngineList::Add(EngineEntry entry) {
    engines.push_back(std::move(entry));
    if (!Current()) current = static_cast<int>(engines.size()) - 1;
}

void EngineList::Remove(int index) {
    if (index < 0 || index >= static_cast<int>(engines.size())) return;
    engines.erase(engines.begin() + index);
    if (current == index) current = engines.empty() ? -1 : 0;
    if (current > index) --current;
}

EngineList LoadEngineList() {
    QSettings settings;
    EngineList list;
    const int count = settings.beginReadArray(EnginesArray);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        EngineEntry entry{settings.value(QStringLiteral("path")).toString(),
                          settings.value(QStringLiteral("name")).toString(),
                          {}};
        const QStringList names = settings.value(QStringLiteral("optionNames")).toStringList();
        const QStringList values = settings.value(QStringLiteral("optionValues")).toStringList();
        for (qsizetype k = 0; k < names.size() && k < values.size(); ++k)
            entry.options.emplace_back(names[k].toStdString(), values[k].toStdString());
        if (!entry.path.isEmpty()) list.engines.push_back(std::move(entry));
    }
    settings.endArray();
    list.current = settings.value(CurrentKey, list.engines.empty() ? -1 : 0).toInt();
    if (!list.Current()) list.current = list.engines.empty() ? -1 : 0;
    return list;
}

void SaveEngineList(const EngineList& list) {
    QSettings settings;
    settings.remove(EnginesArray);
    settings.beginWriteArray(EnginesArray, static_cast<int>(list.engines.size()));
    for (std::size_t i = 0; i < list.engines.size(); ++i) {
        const EngineEntry& entry = list.engines[i];
        settings.setArrayIndex(static_cast<int>(i));
        settings.setValue(QStringLiteral("path"), entry.path);
        settings.setValue(QStringLiteral("name"), entry.name);
        QStringList names;
        QStringList values;
        for (const auto& [name, value] : entry.options) {
            names.append(QString::fromStdString(name));
            values.append(QString::fromStdString(value));
        }
        settings.setValue(QStringLiteral("optionNames"), names);
        settings.setValue(QStringLiteral("optionValues"), values);
    }
    settings.endArray();
    settings.setValue(CurrentKey, list.current);
}

bool WasEngineOffered() {
    return QSettings().value(OfferedKey, false).toBool();
}

void SetEngineOffered() {
    QSettings().setValue(OfferedKey, true);
}
