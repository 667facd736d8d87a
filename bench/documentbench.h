#pragma once

// What the benchmarks of the document and of the program share: a prompter for no one, the
// long line they open and the set-up of the window.

#include <cstdio>
#include <fstream>
#include <string>

#include <QTemporaryDir>

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

// For the benchmarks that show the program's window: on the offscreen platform unless another
// is named, with the settings in `folder`, away from the user's. Before the application starts.
inline void PrepareWindow(const QTemporaryDir& folder) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toUtf8());
}

// Writes an ESN record of one line of `moves` moves, the rooks shuttling to and fro.
inline void WriteShuttleLine(const std::string& path, int moves) {
    const char* shuttle[] = {"R2h-3h", "R8b-7b", "R3h-2h", "R7b-8b"};
    std::ofstream file(path, std::ios::binary);
    for (int ply = 1; ply <= moves; ++ply)
        file << ply << ". " << shuttle[(ply - 1) % 4] << "\r\n";
}
