#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/recordfile.h"
#include "cli/treewalk.h"
#include "format/filebytes.h"

namespace {

// Checks one file and answers its exit status.
int CheckFile(const std::string& path) {
    std::string bytes;
    if (const std::string reason = ReadWholeFile(path, bytes); !reason.empty())
        return CannotOpen(path, reason);
    GameRecord record;
    if (const auto error = ReadRecordFile(path, bytes, record).error) {
        std::cout << LocatedError(path, *error) << '\n';
        return ExitRecordFault;
    }
    std::cout << path << ": ok, " << CountMoves(record.Root()) << " moves\n";
    return ExitOk;
}

}  // namespace

int RunCheck(const std::vector<std::string>& args) {
    if (args.empty()) return UsageError("check needs at least one FILE");
    int status = ExitOk;
    for (const std::string& path : args) {
        // A file that cannot be opened (2) outweighs one that does not read (1).
        const int fileStatus = CheckFile(path);
        if (fileStatus > status) status = fileStatus;
        std::cout.flush();
    }
    return status;
}
