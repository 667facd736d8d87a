#pragma once

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/recordformat.h"
#include "format/text/loaderror.h"
#include "model/gamerecord.h"
#include "model/positiontesting.h"

// Helpers shared by the record format tests.

inline constexpr FileType EsnFile{};
inline constexpr FileType KifFile{RecordFormat::Kif, TextEncoding::Cp932, 0};
inline constexpr FileType KifuFile{RecordFormat::Kif, TextEncoding::Utf8, 0};
inline constexpr FileType Ki2File{RecordFormat::Ki2, TextEncoding::Cp932, 0};
inline constexpr FileType Ki2uFile{RecordFormat::Ki2, TextEncoding::Utf8, 0};
inline constexpr FileType Csa30File{RecordFormat::Csa, TextEncoding::Utf8, 30};
inline constexpr FileType Csa22File{RecordFormat::Csa, TextEncoding::Cp932, 22};
inline constexpr FileType JkfFile{RecordFormat::Jkf, TextEncoding::Utf8, 0};
inline constexpr FileType UsiFile{RecordFormat::Usi};
inline constexpr FileType SfenFile{RecordFormat::Sfen};

// The start of a game where White gives the bishop, as SFEN.
inline const std::string BishopGiven =
    "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";

// The bytes of a sample file under tests/data: "kif/game.kifu".
std::string DataFile(const std::string& path);
// The lines, each ended by CR LF.
std::string CrLf(std::initializer_list<std::string_view> lines);
// The position an SFEN text gives.
Position SfenPosition(std::string_view sfen);

// What reading bytes as a file type gave: the record as the reader left it, the type the bytes
// turned out to be, the error where reading stopped, the reader's notices (each as
// "line:column: text", one a line) and whether the start position was fixed.
struct Reading {
    std::unique_ptr<GameRecord> record = std::make_unique<GameRecord>();
    FileType type;
    std::optional<ReadError> error;
    std::string notices;
    bool startKnown = false;
};
Reading Read(std::string_view bytes, const FileType& type = EsnFile);
// Where and why reading stopped, as "line:column: message"; empty when it did not.
std::string StopText(const Reading& read);
// The record the bytes hold, which must read without an error.
std::unique_ptr<GameRecord> ReadGood(std::string_view bytes, const FileType& type = EsnFile);
// The record's bytes as `type`; a refusal fails the test.
std::string Write(const GameRecord& record, const FileType& type = EsnFile);
// Why the record cannot be written as `type`, or empty when it can; a refusal must leave no
// bytes.
std::string Refusal(const GameRecord& record, const FileType& type);

// Writes the record as `type` and reads it back, which must give the same record, written
// again to the same bytes; the bytes written.
std::string ExpectRoundTrip(const GameRecord& record, const FileType& type);

// A move as engines write it: "7g7f", "2d2c+", "G*5b".
std::string Usi(const Move& move);
// A node's move, or its result's keyword.
std::string NodeText(const MoveNode& node);
// The line of main continuations below `node`, blank-separated.
std::string LineFrom(const MoveNode& node);
inline std::string MainLine(const GameRecord& record) {
    return LineFrom(record.Root());
}
// The node reached by the continuation indices in `path` ("0.0.1"), or null.
const MoveNode* NodeAt(const GameRecord& record, std::string_view path);
// The last node of the main line.
const MoveNode* LastOfMainLine(const GameRecord& record);

// `depth` variations each opened inside the one before: at every ply the main continuation is
// a leaf, and the second one, a rook shuttling to and fro, carries on.
void BuildDeepVariations(GameRecord& record, int depth);

// A record of about `moves` random legal moves with variations, and comments and header values
// made only of bytes the record file can hold; the same seed gives the same record.
void FillRandomRecord(GameRecord& record, unsigned seed, int moves);
