#include "cli/recordjson.h"

#include <string>

#include "cli/jsontext.h"
#include "cli/treewalk.h"
#include "format/usi/sfen.h"

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
        AppendJsonNumber(out, path[i]);
    }
    out += ']';
}

// Milliseconds as seconds, a JSON number with no more fraction digits than it needs: "12",
// "1.5", "0.001". The fraction is written digit by digit: as a double, which is what the JSON
// library would take, a time past fifteen digits would be rounded.
void AppendSeconds(std::string& out, std::int64_t milliseconds) {
    AppendJsonNumber(out, milliseconds / 1000);
    int fraction = static_cast<int>(milliseconds % 1000);
    if (fraction == 0) return;
    char digits[4] = {static_cast<char>('0' + fraction / 100),
                      static_cast<char>('0' + fraction / 10 % 10),
                      static_cast<char>('0' + fraction % 10), 0};
    int length = 3;
    while (digits[length - 1] == '0')
        --length;
    out += '.';
    out.append(digits, static_cast<std::size_t>(length));
}

void AppendNode(std::string& out, PreorderWalk& walk) {
    const MoveNode& node = walk.Node();
    out += "{\"path\": ";
    AppendPath(out, walk.Path());
    out += ", \"ply\": ";
    AppendJsonNumber(out, node.number);
    out += ", \"move\": ";
    if (node.Parent() && !node.IsResult())
        AppendJsonString(out, walk.MoveTextOfNode());
    else
        out += "null";
    out += ", \"comment\": ";
    AppendJsonString(out, node.Comment());
    out += ", \"sfen\": ";
    AppendJsonString(out, Sfen(walk.After(), PlyOfPosition(node)));
    out += ", \"result\": ";
    if (const std::optional<GameResult> result = node.Result())
        AppendJsonString(out, ResultKeyword(*result));
    else
        out += "null";
    out += ", \"time\": ";
    if (const std::optional<std::int64_t> time = node.TimeMs())
        AppendSeconds(out, *time);
    else
        out += "null";
    out += '}';
}

void AppendHeader(std::string& out, const std::vector<HeaderLine>& lines) {
    out += '[';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += ", ";
        out += '[';
        AppendJsonString(out, lines[i].key);
        out += ", ";
        AppendJsonString(out, lines[i].value);
        out += ']';
    }
    out += ']';
}

void AppendError(std::string& out, const std::optional<ReadError>& error) {
    if (!error) {
        out += "null";
        return;
    }
    out += "{\"message\": ";
    AppendJsonString(out, error->message);
    out += ", \"line\": ";
    AppendJsonNumber(out, error->line);
    out += ", \"column\": ";
    AppendJsonNumber(out, error->column);
    out += '}';
}

}  // namespace

void WriteRecordJson(std::ostream& stream, const GameRecord& record,
                     const std::optional<ReadError>& error) {
    BlockOutput output(stream);
    std::string& out = output.Buffer();
    out += "{\"title\": ";
    AppendJsonString(out, record.Title());
    out += ", \"black\": ";
    AppendJsonString(out, record.BlackPlayer());
    out += ", \"white\": ";
    AppendJsonString(out, record.WhitePlayer());
    out += ", \"header\": ";
    AppendHeader(out, record.HeaderLines());
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
