#pragma once

// What the benchmarks of the document and of the program share: a prompter for no one, and the
// long line they open.

#include <cstdio>
#include <fstream>
#include <string>

#include "document/prompter.h"

// Answers No to every question and prints every message to standard error, for benchmarks that
// run the program's document without anyone to ask.
class SilentPrompter : public Prompter {
  public:
    bool AskYesNo(const QString&) override { return false; }
    Answer AskYesNoCancel(const QString&) override { return Answer::No; }
    void ShowMessage(const QString& text) override {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
};

// Writes an ESN record of one line of `moves` moves, the rooks shuttling to and fro.
inline void WriteShuttleLine(const std::string& path, int moves) {
    const char* shuttle[] = {"R2h-3h", "R8b-7b", "R3h-2h", "R7b-8b"};
    std::ofstream file(path, std::ios::binary);
    for (int ply = 1; ply <= moves; ++ply)
        file << ply << ". " << shuttle[(ply - 1) % 4] << "\r\n";
}
