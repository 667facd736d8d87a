#include "format/recordformat.h"

#include <algorithm>

#include "format/csa/csareader.h"
#include "format/esn/esnshape.h"
#include "format/jkf/jkfreader.h"
#include "format/kif/kiflines.h"
#include "format/text/recordtext.h"
#include "format/usi/asciiwords.h"
#include "format/usi/sfenrecord.h"
#include "format/usi/usi.h"

namespace {

// One kind of file: its type, its --to name and the extension it is saved with. A format with
// several types lists first the one its files are read as when only their contents name it.
struct FileTypeEntry {
    FileType type;
    std::string_view name;
    std::string_view extension;
};

const FileTypeEntry FileTypes[] = {
    {{RecordFormat::Esn, TextEncoding::Utf8, 0}, "esn", "esn"},
    {{RecordFormat::Usi, TextEncoding::Utf8, 0}, "usi", "usi"},
    {{RecordFormat::Sfen, TextEncoding::Utf8, 0}, "sfen", "sfen"},
    {{RecordFormat::Kif, TextEncoding::Cp932, 0}, "kif", "kif"},
    {{RecordFormat::Kif, TextEncoding::Utf8, 0}, "kifu", "kifu"},
    {{RecordFormat::Ki2, TextEncoding::Cp932, 0}, "ki2", "ki2"},
    {{RecordFormat::Ki2, TextEncoding::Utf8, 0}, "ki2u", "ki2u"},
    {{RecordFormat::Csa, TextEncoding::Utf8, 30}, "csa", "csa"},
    {{RecordFormat::Csa, TextEncoding::Cp932, 22}, "csa2", "csa"},
    {{RecordFormat::Jkf, TextEncoding::Utf8, 0}, "jkf", "jkf"},
};

char LowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerCase(x) == LowerCase(y); });
}

// The entry for exactly this type, else the first of its format.
const FileTypeEntry* EntryFor(const FileType& type) {
    for (const FileTypeEntry& entry : FileTypes)
        if (entry.type == type) return &entry;
    for (const FileTypeEntry& entry : FileTypes)
        if (entry.type.format == type.format) return &entry;
    return nullptr;
}

// The part of a file's bytes that the content tests look at.
constexpr std::size_t ContentPrefix = 64 * 1024;

}  // namespace

std::optional<FileType> FileTypeForName(std::string_view name) {
    for (const FileTypeEntry& entry : FileTypes)
        if (SameIgnoringCase(entry.name, name)) return entry.type;
    return std::nullopt;
}

std::string_view FileTypeName(const FileType& type) {
    const FileTypeEntry* entry = EntryFor(type);
    return entry ? entry->name : std::string_view();
}

std::string_view FormatDisplayName(RecordFormat format) {
    switch (format) {
        case RecordFormat::Esn:
            return "ESN";
        case RecordFormat::Kif:
            return "KIF";
        case RecordFormat::Ki2:
            return "KI2";
        case RecordFormat::Csa:
            return "CSA";
        case RecordFormat::Jkf:
            return "JKF";
        case RecordFormat::Usi:
            return "USI";
        case RecordFormat::Sfen:
            return "SFEN";
    }
    return "?";
}

std::optional<FileType> FileTypeForPath(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;
    const std::string_view extension = name.substr(dot + 1);
    for (const FileTypeEntry& entry : FileTypes)
        if (SameIgnoringCase(entry.extension, extension)) return entry.type;
    return std::nullopt;
}

std::string_view DefaultExtension(const FileType& type) {
    const FileTypeEntry* entry = EntryFor(type);
    return entry ? entry->extension : std::string_view();
}

FileType DefaultFileType(RecordFormat format) {
    const FileTypeEntry* entry = EntryFor(FileType{format, TextEncoding::Utf8, 0});
    return entry ? entry->type : FileType{format, TextEncoding::Utf8, 0};
}

std::vector<FileType> KnownFileTypes() {
    std::vector<FileType> types;
    for (RecordFormat format :
         {RecordFormat::Esn, RecordFormat::Kif, RecordFormat::Ki2, RecordFormat::Csa,
          RecordFormat::Jkf, RecordFormat::Usi, RecordFormat::Sfen})
        for (const FileTypeEntry& entry : FileTypes)
            if (entry.type.format == format) types.push_back(entry.type);
    return types;
}

namespace {

// The formats whose shape the first bytes of a file have, in the order a file is taken for
// them when its extension does not settle it: a format whose files have a distinctive shape
// before one that reads almost anything, ESN last. The bytes are decoded once, the text that
// every format but ESN reads.
std::vector<RecordFormat> ShapesOf(std::string_view bytes) {
    std::string_view prefix = bytes.substr(0, ContentPrefix);
    if (prefix.size() < bytes.size()) {
        // Whole lines only, so that a character is never cut in two.
        const std::size_t end = prefix.find_last_of('\n');
        if (end != std::string_view::npos) prefix = prefix.substr(0, end + 1);
    }
    RecordText decoded(prefix, std::nullopt);
    const std::string_view text = decoded.Whole();
    std::optional<TextLine> first;
    LineSplitter lines(text);
    for (TextLine line; !first && lines.Next(line);)
        if (!IsBlankLine(line.text)) first = line;

    std::vector<RecordFormat> shapes;
    if (first && LooksLikeUsi(*first)) shapes.push_back(RecordFormat::Usi);
    if (first && LooksLikeSfen(*first)) shapes.push_back(RecordFormat::Sfen);
    if (LooksLikeJkf(text)) shapes.push_back(RecordFormat::Jkf);
    if (LooksLikeCsa(text)) shapes.push_back(RecordFormat::Csa);
    switch (DetectKifFlavour(text)) {
        case KifFlavour::Kif:
            shapes.push_back(RecordFormat::Kif);
            break;
        case KifFlavour::Ki2:
            shapes.push_back(RecordFormat::Ki2);
            break;
        case KifFlavour::None:
            break;
    }
    if (LooksLikeEsn(prefix)) shapes.push_back(RecordFormat::Esn);
    return shapes;
}

}  // namespace

std::optional<RecordFormat> FormatByContent(std::string_view bytes) {
    const std::vector<RecordFormat> shapes = ShapesOf(bytes);
    if (shapes.empty()) return std::nullopt;
    return shapes.front();
}

FileType DetectFileType(std::string_view path, std::string_view bytes) {
    const std::optional<FileType> byPath = FileTypeForPath(path);
    const std::vector<RecordFormat> shapes = ShapesOf(bytes);
    // Bytes of the extension's own shape settle it, whatever else they might look like.
    if (byPath && std::find(shapes.begin(), shapes.end(), byPath->format) != shapes.end())
        return *byPath;
    if (!shapes.empty() && (!byPath || shapes.front() != byPath->format))
        return DefaultFileType(shapes.front());
    return byPath ? *byPath : FileType{};
}
