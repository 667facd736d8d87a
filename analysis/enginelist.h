#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

// An engine the user has set up: the program to start, the name it gives, and the values of
// the options the user set apart from the engine's own defaults, which it is given at start.
struct EngineEntry {
    QString path;
    QString name;
    std::vector<std::pair<std::string, std::string>> options;
};

// The engines the user has set up and the one that analyses, as the settings keep them (the
// array "Engines", and "Analysis"/Engine). The current index is -1 when none is chosen.
struct EngineList {
    std::vector<EngineEntry> engines;
    int current = -1;

    const EngineEntry* Current() const;
    // Adds the engine, current when no other is.
    void Add(EngineEntry entry);
    void Remove(int index);
};

EngineList LoadEngineList();
void SaveEngineList(const EngineList& list);

// The engine offered the first time analysis is asked for, when none is set up and it is
// installed; asked once.
inline constexpr const char* OfferedEnginePath = "/usr/games/fairy-stockfish";
bool WasEngineOffered();
void SetEngineOffered();
