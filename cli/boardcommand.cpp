#include <charconv>
#include <iostream>
#include <string>

#include "cli/boarddiagram.h"
#include "cli/commands.h"
#include "cli/recordfile.h"
#include "cli/treewalk.h"
#include "format/esn/notation.h"
#include "format/filebytes.h"
#include "format/usi/sfen.h"

namespace {

struct BoardArgs {
    std::string input;
    std::vector<int> path;
};

// "I.J.K": continuation indices from the root, each a plain decimal number; "" is the root.
bool ParsePath(const std::string& text, std::vector<int>& path) {
    path.clear();
    if (text.empty()) return true;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        const std::size_t end = dot == std::string::npos ? text.size() : dot;
        int index = 0;
        const char* first = text.data() + start;
        const char* last = text.data() + end;
        const auto [stop, error] = std::from_chars(first, last, index);
        if (first == last || *first < '0' || *first > '9' || error != std::errc() || stop != last)
            return false;
        path.push_back(index);
        if (dot == std::string::npos) return true;
        start = dot + 1;
    }
}

std::string ParseBoardArgs(const std::vector<std::string>& args, BoardArgs& parsed) {
    bool havePath = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string pathText;
        if (arg == "--path") {
            if (i + 1 >= args.size()) return "--path needs continuation indices such as 0.1.0";
            pathText = args[++i];
        } else if (arg.rfind("--path=", 0) == 0) {
            pathText = arg.substr(7);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "board: unknown option " + arg;
        } else {
            if (!parsed.input.empty()) return "board takes exactly one FILE";
            parsed.input = arg;
            continue;
        }
        if (havePath) return "board takes one --path";
        havePath = true;
        if (!ParsePath(pathText, parsed.path))
            return "bad path '" + pathText +
                   "': give continuation indices from the root joined by '.', such as 0.1.0";
    }
    if (parsed.input.empty()) return "board needs a FILE";
    return {};
}

// Texts of the record are printed as they are; a comment's CR LF line ends become plain line
// feeds for the terminal.
std::string ForTerminal(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

void PrintHeaderLine(const char* label, const std::string& value) {
    std::cout << label << ':';
    if (!value.empty()) std::cout << ' ' << ForTerminal(value);
    std::cout << '\n';
}

void PrintBoard(const GameRecord& record, const MoveNode& node, const Position& before,
                const Position& after) {
    PrintHeaderLine("Title", record.Title());
    PrintHeaderLine("Black", record.BlackPlayer());
    PrintHeaderLine("White", record.WhitePlayer());
    if (node.IsResult())
        std::cout << "After " << node.number << ". " << ResultLabel(*node.Result()) << '\n';
    else if (node.Parent())
        std::cout << "After " << node.number << ". " << MoveTextOn(before, node.move) << '\n';
    else
        std::cout << "Start of the game\n";
    if (!node.Comment().empty()) std::cout << "Comment: " << ForTerminal(node.Comment()) << '\n';
    std::cout << "White's hand: " << HandText(after, White) << '\n'
              << BoardDiagram(after) << "Black's hand: " << HandText(after, Black) << '\n'
              << (after.sideToMove == Black ? "Black to move" : "White to move") << '\n'
              << "SFEN " << Sfen(after, PlyOfPosition(node)) << '\n';
}

}  // namespace

int RunBoard(const std::vector<std::string>& args) {
    BoardArgs parsed;
    if (const std::string why = ParseBoardArgs(args, parsed); !why.empty()) return UsageError(why);

    std::string bytes;
    if (const std::string reason = ReadWholeFile(parsed.input, bytes); !reason.empty())
        return CannotOpen(parsed.input, reason);
    GameRecord record;
    // A record that stopped with an error still shows what was read, as the program does;
    // the error goes to standard error and the status says the file did not read.
    const auto error = ReadRecordFile(parsed.input, bytes, record).error;
    if (error) std::cerr << LocatedError(parsed.input, *error) << '\n';

    const MoveNode* node = nullptr;
    Position before;
    Position after;
    std::string why;
    if (!FollowPath(record.Root(), record.StartPosition(), parsed.path, node, before, after, why)) {
        std::cerr << "esn: " << parsed.input << ": no node at that path: " << why << '\n';
        return ExitRecordFault;
    }
    PrintBoard(record, *node, before, after);
    std::cout.flush();
    return error ? ExitRecordFault : ExitOk;
}
