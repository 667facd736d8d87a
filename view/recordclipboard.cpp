#include "view/recordclipboard.h"

#include <string_view>

#include "format/kif/kifdiagram.h"
#include "format/recordio.h"
#include "format/usi/sfen.h"
#include "view/textcodec.h"

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// ESN bytes as text, one line at a time: a line holds at most one text of the record, so each
// shows as that text does in the fields, whatever character set the others are in.
QString EsnBytesAsText(const std::string& bytes) {
    QString text;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        text += DecodeText(bytes.substr(start, end - start));
        start = end;
    }
    return text;
}

// The node whose position a result shows: the last move before it.
int PlyOfPosition(const MoveNode& node) {
    return node.IsResult() && node.Parent() ? node.Parent()->number : node.number;
}

}  // namespace

std::optional<FileType> ClipboardType(RecordFormat format) {
    if (HandlerFor(format) == nullptr) return std::nullopt;
    std::optional<FileType> chosen;
    for (const FileType& type : KnownFileTypes()) {
        if (type.format != format || type.encoding != TextEncoding::Utf8) continue;
        // The newest version of a format that has several.
        if (!chosen || type.version > chosen->version) chosen = type;
    }
    return chosen ? chosen : DefaultFileType(format);
}

bool RecordAsText(const GameRecord& record, const FileType& type, QString& text,
                  std::string& refusal) {
    std::string bytes;
    text.clear();
    if (!WriteRecord(record, type, bytes, refusal)) return false;
    text = type.format == RecordFormat::Esn ? EsnBytesAsText(bytes) : FromUtf8(bytes);
    return true;
}

QString PositionAsSfen(const GameRecord& record) {
    return FromUtf8(Sfen(record.GetPosition(), PlyOfPosition(record.Current())));
}

QString PositionAsDiagram(const GameRecord& record) {
    return FromUtf8(KifDiagramText(record.GetPosition()));
}
