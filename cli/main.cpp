#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: esn COMMAND ARGUMENTS\n"
    "Checks, shows, rewrites and converts game records: ESN, USI, SFEN, KIF, KI2, CSA and JKF\n"
    "files, known by their extension (.esn .usi .sfen .kif .kifu .ki2 .ki2u .csa .jkf) or\n"
    "else by their contents.\n"
    "\n"
    "  esn check [--strict] FILE...   one line per file: \"FILE: ok, N moves\", or\n"
    "                                 \"FILE:LINE:COLUMN: MESSAGE\" where reading stopped;\n"
    "                                 what a reader skipped or bent is told on standard\n"
    "                                 error as \"esn: FILE:LINE:COLUMN: notice: TEXT\", and\n"
    "                                 with --strict it is an error too\n"
    "  esn dump --json FILE           the whole record as one JSON object\n"
    "  esn fmt FILE [-o OUT]          the record as the program writes it in the file's own\n"
    "                                 format, to standard output or safely replacing OUT\n"
    "  esn board FILE [--path I.J.K]  the board at the node reached by following those\n"
    "                                 continuation indices from the start (0 is the main line)\n"
    "  esn convert FILE [-o OUT] [--to esn|usi|sfen|kif|kifu|ki2|ki2u|csa|csa2|jkf]\n"
    "              [--strict]\n"
    "                                 the record in another format (--to, else OUT's\n"
    "                                 extension), to standard output or safely replacing OUT;\n"
    "                                 what the format cannot hold is listed on standard error,\n"
    "                                 and with --strict nothing is written if anything would\n"
    "                                 be left out\n"
#ifdef MARLOCK_WITH_ENGINE
    "  esn analyze FILE --engine PATH [--depth N | --movetime MS] [--multipv N] [--all]\n"
    "              [--to FORMAT] [-o OUT]\n"
    "                                 has a USI engine search each position of the main line\n"
    "                                 (--all: of every line; to depth 10 unless told) and\n"
    "                                 writes the record, in its own format or --to's, with a\n"
    "                                 line such as \"Engine NAME: +0.45 at depth 10; best P-2f\n"
    "                                 P-8d\" added to each position's comment (one per best\n"
    "                                 line with --multipv); progress goes to standard error\n"
#endif
    "  esn --help                     this text\n"
    "\n"
    "Exit status: 0 when everything went well; 1 when a record does not read, cannot be\n"
    "written back as it is held or converted as asked (for analyze: into a format that keeps\n"
    "no comments), or has no node at the given path; 2 when a file cannot be opened, read or\n"
    "saved, an engine cannot be started or fails, or the command line is wrong. 2 wins over 1.\n";

}  // namespace

int UsageError(const std::string& why) {
    std::cerr << "esn: " << why << "\n\n" << kUsage;
    return ExitFailure;
}

int CannotOpen(const std::string& path, const std::string& reason) {
    std::cerr << "esn: " << path << ": " << reason << '\n';
    return ExitFailure;
}

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) return UsageError("no command given");
    const std::string& command = all.front();
    const std::vector<std::string> args(all.begin() + 1, all.end());
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            std::cout << kUsage;
            return ExitOk;
        }
        if (command == "check") return RunCheck(args);
        if (command == "dump") return RunDump(args);
        if (command == "fmt") return RunFmt(args);
        if (command == "board") return RunBoard(args);
        if (command == "convert") return RunConvert(args);
#ifdef MARLOCK_WITH_ENGINE
        if (command == "analyze") return RunAnalyze(args);
#endif
        return UsageError("unknown command '" + command + "'");
    } catch (const std::bad_alloc&) {
        std::cerr << "esn: out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << "esn: " << error.what() << '\n';
    }
    return ExitFailure;
}
