#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/jsontext.h"
#include "cli/recordfile.h"
#include "cli/treewalk.h"
#include "format/filebytes.h"
#include "format/sfen.h"

namespace {

// Output is gathered in a buffer and handed on in large blocks: a record of a million nodes
// gives a large text, and the buffer keeps the cost per node small and linear.
class BlockOutput {
  public:
    explicit BlockOutput(std::ostream& out) : out_(out) { buffer_.reserve(kBlock + 4096); }
    std::string& Buffer() { return buffer_; }
    void MaybeFlush() {
        if (buffer_.size() >= kBlock) Flush();
    }
    void Flush() {
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }

  private:
    static constexpr std::size_t kBlock = 1 << 20;
    std::ostream& out_;
    std::string buffer_;
};

void AppendPath(std::string& out, const std::vector<int>& path) {
    out += '[';
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i > 0) out += ", ";
        out += std::to_string(path[i]);
    }
    out += ']';
}

void AppendNode(std::string& out, PreorderWalk& walk) {
    const MoveNode& node = walk.Node();
    out += "{\"path\": ";
    AppendPath(out, walk.Path());
    out += ", \"ply\": ";
    out += std::to_string(node.number);
    out += ", \"move\": ";
    if (node.parent)
        AppendJsonString(out, walk.MoveTextOfNode());
    else
        out += "null";
    out += ", \"comment\": ";
    AppendJsonString(out, node.Comment());
    out += ", \"sfen\": ";
    AppendJsonString(out, Sfen(walk.After(), node.number));
    out += '}';
}

void AppendError(std::string& out, const std::optional<ESNLoadError>& error) {
    if (!error) {
        out += "null";
        return;
    }
    out += "{\"message\": ";
    AppendJsonString(out, error->message);
    out += ", \"line\": ";
    out += std::to_string(error->line);
    out += ", \"column\": ";
    out += std::to_string(error->column);
    out += '}';
}

void DumpJson(std::ostream& stream, const GameRecord& record,
              const std::optional<ESNLoadError>& error) {
    BlockOutput output(stream);
    std::string& out = output.Buffer();
    out += "{\"title\": ";
    AppendJsonString(out, record.title);
    out += ", \"black\": ";
    AppendJsonString(out, record.black);
    out += ", \"white\": ";
    AppendJsonString(out, record.white);
    out += ",\n\"nodes\": [\n";
    PreorderWalk walk(record.Root(), record.StartPosition());
    AppendNode(out, walk);
    while (walk.Next()) {
        out += ",\n";
        AppendNode(out, walk);
        output.MaybeFlush();
    }
    out += "\n],\n\"error\": ";
    AppendError(out, error);
    out += "}\n";
    output.Flush();
}

}  // namespace

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
    DumpJson(std::cout, record, error);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "esn: cannot write the output\n";
        return ExitFailure;
    }
    return error ? ExitRecordFault : ExitOk;
}
