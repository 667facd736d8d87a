#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/recordfile.h"

namespace {

struct ConvertArgs {
    std::string input;
    std::string output;  // empty: standard output
    std::string targetName;
    bool strict = false;
};

std::string ParseConvertArgs(const std::vector<std::string>& args, ConvertArgs& parsed) {
    bool haveOutput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o") {
            if (haveOutput) return "convert takes one -o OUT";
            if (i + 1 >= args.size() || args[i + 1].empty()) return "-o needs a file name";
            parsed.output = args[++i];
            haveOutput = true;
        } else if (arg == "--to" || arg.starts_with("--to=")) {
            if (!parsed.targetName.empty()) return "convert takes one --to";
            if (arg == "--to" && i + 1 >= args.size()) return "--to needs a format name";
            parsed.targetName = arg == "--to" ? args[++i] : arg.substr(5);
            if (parsed.targetName.empty()) return "--to needs a format name";
        } else if (arg == "--strict") {
            parsed.strict = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "convert: unknown option " + arg;
        } else {
            if (!parsed.input.empty()) return "convert takes exactly one FILE";
            parsed.input = arg;
        }
    }
    if (parsed.input.empty()) return "convert needs a FILE";
    return {};
}

// The format to write: --to's, else the one OUT's extension names.
std::string ChooseTarget(const ConvertArgs& parsed, FileType& target) {
    if (!parsed.targetName.empty()) {
        const std::optional<FileType> named = FileTypeForName(parsed.targetName);
        if (!named) return "unknown format '" + parsed.targetName + "' for --to";
        target = *named;
        return {};
    }
    const std::optional<FileType> byExtension =
        parsed.output.empty() ? std::nullopt : FileTypeForPath(parsed.output);
    if (!byExtension) return "convert needs --to FORMAT, or an OUT whose extension names one";
    target = *byExtension;
    return {};
}

}  // namespace

int RunConvert(const std::vector<std::string>& args) {
    ConvertArgs parsed;
    FileType target;
    if (std::string why = ParseConvertArgs(args, parsed); !why.empty()) return UsageError(why);
    if (std::string why = ChooseTarget(parsed, target); !why.empty()) return UsageError(why);

    GameRecord record;
    FileType read;
    if (const int status = ReadCompleteRecord(parsed.input, record, read); status != ExitOk)
        return status;
    return WriteRecordAs(record, target, parsed.input, parsed.output, parsed.strict);
}
