#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/recordfile.h"

namespace {

struct FmtArgs {
    std::string input;
    std::string output;  // empty: standard output
};

// Accepts FILE and -o OUT in either order; answers an empty text or what is wrong.
std::string ParseFmtArgs(const std::vector<std::string>& args, FmtArgs& parsed) {
    bool haveOutput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o") {
            if (haveOutput) return "fmt takes one -o OUT";
            if (i + 1 >= args.size() || args[i + 1].empty()) return "-o needs a file name";
            parsed.output = args[++i];
            haveOutput = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "fmt: unknown option " + arg;
        } else {
            if (!parsed.input.empty()) return "fmt takes exactly one FILE";
            parsed.input = arg;
        }
    }
    if (parsed.input.empty()) return "fmt needs a FILE";
    return {};
}

}  // namespace

int RunFmt(const std::vector<std::string>& args) {
    FmtArgs parsed;
    if (const std::string why = ParseFmtArgs(args, parsed); !why.empty()) return UsageError(why);

    GameRecord record;
    FileType type;
    if (const int status = ReadCompleteRecord(parsed.input, record, type); status != ExitOk)
        return status;
    std::string text;
    if (std::string refusal; !WriteRecord(record, type, text, refusal)) {
        std::cerr << "esn: " << parsed.input << ": cannot be written back as it is: " << refusal
                  << '\n';
        return ExitRecordFault;
    }
    return DeliverOutput(parsed.output, text);
}
