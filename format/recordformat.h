#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "format/text/textencoding.h"

// The record formats the program reads and writes, and how to tell which one a file holds.
enum class RecordFormat { Esn, Kif, Ki2, Csa, Jkf, Usi, Sfen };

// How a record file is written: its format, the character set of its texts (ESN keeps bytes as
// they are; USI and SFEN are ASCII) and, for CSA, the version (22 or 30; 0 elsewhere).
struct FileType {
    RecordFormat format = RecordFormat::Esn;
    TextEncoding encoding = TextEncoding::Utf8;
    int version = 0;
    friend bool operator==(const FileType&, const FileType&) = default;
};

// The file type a name of the command line's --to option stands for ("esn", "usi", "sfen",
// ...), ignoring case; nothing for a name no format has.
std::optional<FileType> FileTypeForName(std::string_view name);
// The name of a file type as --to takes it ("kifu"); for a type no name stands for exactly,
// the name of its format's first type; empty when the format has none.
std::string_view FileTypeName(const FileType& type);
// The name people know a format by: "ESN", "KIF", "CSA", ...
std::string_view FormatDisplayName(RecordFormat format);
// The file type a path's extension names (case-insensitive): .esn .usi .sfen and those the
// further formats add; nothing for a path without one of them.
std::optional<FileType> FileTypeForPath(std::string_view path);
// The extension, without its dot, that a file of this type is saved with ("kifu").
std::string_view DefaultExtension(const FileType& type);
// The type a file of this format is read as when nothing but its contents names the format.
FileType DefaultFileType(RecordFormat format);
// Every file type the program knows, format by format in the order of RecordFormat, and each
// format's types in the order they are listed (the one its files are read as first).
std::vector<FileType> KnownFileTypes();

// The format the bytes look like, or nothing. Cheap: looks at the first lines only.
std::optional<RecordFormat> FormatByContent(std::string_view bytes);
// The type to read `bytes` as: the extension's, unless it is unknown or the bytes plainly hold
// another format (a .kif that holds CSA reads as CSA); ESN when nothing says otherwise.
FileType DetectFileType(std::string_view path, std::string_view bytes);
