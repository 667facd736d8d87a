#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/recordfile.h"
#include "cli/recordjson.h"
#include "format/filebytes.h"

int RunDump(const std::vector<std::string>& args) {
    bool json = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--json")
            json = true;
        else if (arg.size() > 1 && arg[0] == '-')
            return UsageError("dump: unknown option " + arg);
        else
            files.push_back(arg);
    }
    if (!json) return UsageError("dump needs --json (the only output form)");
    if (files.size() != 1) return UsageError("dump takes exactly one FILE");

    const std::string& path = files.front();
    std::string bytes;
    if (const std::string reason = ReadWholeFile(path, bytes); !reason.empty())
        return CannotOpen(path, reason);
    GameRecord record;
    const auto error = ReadRecordFile(path, bytes, record).error;
    WriteRecordJson(std::cout, record, error);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "esn: cannot write the output\n";
        return ExitFailure;
    }
    return error ? ExitRecordFault : ExitOk;
}
