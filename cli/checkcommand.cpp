#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/recordfile.h"
#include "cli/treewalk.h"
#include "format/filebytes.h"

namespace {

// Checks one file and answers its exit status. With `strict`, a notice is an error: the first
// one is reported as where reading stopped.
int CheckFile(const std::string& path, bool strict) {
    std::string bytes;
    if (const std::string reason = ReadWholeFile(path, bytes); !reason.empty())
        return CannotOpen(path, reason);
    GameRecord record;
    const ReadOutcome outcome = ReadRecordFile(path, bytes, record);
    if (outcome.error) {
        std::cout << LocatedError(path, *outcome.error) << '\n';
        return ExitRecordFault;
    }
    if (strict && !outcome.notices.empty()) {
        std::cout << LocatedNotice(path, outcome.notices.front()) << '\n';
        return ExitRecordFault;
    }
    std::cout << path << ": ok, " << CountMoves(record.Root()) << " moves\n";
    return ExitOk;
}

}  // namespace

int RunCheck(const std::vector<std::string>& args) {
    std::vector<std::string> paths;
    bool strict = false;
    for (const std::string& arg : args) {
        if (arg == "--strict")
            strict = true;
        else
            paths.push_back(arg);
    }
    if (paths.empty()) return UsageError("check needs at least one FILE");
    int status = ExitOk;
    for (const std::string& path : paths) {
        // A file that cannot be opened (2) outweighs one that does not read (1).
        const int fileStatus = CheckFile(path, strict);
        if (fileStatus > status) status = fileStatus;
        std::cout.flush();
    }
    return status;
}
