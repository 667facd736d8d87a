#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "format/losses.h"
#include "format/recordformat.h"
#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "model/gamerecord.h"

// Reading and writing a record in any format: the one entry point each way, and the front where
// bytes become text. Every format but ESN is read from the UTF-8 text that the front decodes
// once (a byte-order mark, the character set the file declares through its format's hook,
// else what the bytes are); ESN alone is read as the bytes it keeps.

// What reading a file gave besides the record: the type, with the character set the bytes
// turned out to be in, and the reader's error, notices and whether the start was fixed.
struct ReadOutcome : ReadReport {
    FileType type;
};
struct FormatHandler;

// Resets `record` and reads `bytes` as `type` (the character set is found again from the
// bytes), with `handler` or else the format's own. Never throws but when memory runs out: a
// reader's error, and any other failure (a character set the system cannot convert; its error
// has line 0, no place in the file), is returned as the error. On success the root is current;
// after an error the current node is where reading stopped.
ReadOutcome ReadRecord(GameRecord& record, std::string_view bytes, const FileType& type,
                       const FormatHandler* handler = nullptr);

// The file's bytes for the record. False, with `refusal` saying what and where (a text the format
// or the character set cannot hold; "The comment of move 12 ▲７六歩 holds ☗, which Shift_JIS
// cannot hold; save as .kifu to keep it"), when the record cannot be written: nothing is written
// and `bytes` is empty. Never throws: any failure of the writer is a refusal with its reason.
bool WriteRecord(const GameRecord& record, const FileType& type, std::string& bytes,
                 std::string& refusal, const FormatHandler* handler = nullptr);

// What writing the record as `type` would leave out (see losses.h).
RecordLosses WriteLosses(const GameRecord& record, const FileType& type);

// One format's entry points.
struct FormatHandler {
    RecordFormat format;
    // The character set a file's first line declares, for the formats that declare one.
    std::optional<TextEncoding> (*declaredEncoding)(std::string_view firstLine);
    // Reads the decoded text into a reset record; may set the type's version. Null for ESN.
    void (*read)(GameRecord& record, RecordText& text, ReadOutcome& outcome);
    // Reads the bytes as they are: ESN only.
    void (*readBytes)(GameRecord& record, std::string_view bytes, ReadOutcome& outcome);
    bool (*write)(const GameRecord& record, const FileType& type, std::string& bytes,
                  std::string& refusal);
};

// Every format's handler.
std::span<const FormatHandler* const> FormatHandlers();
// The handler of a format, or null when it has none yet.
const FormatHandler* HandlerFor(RecordFormat format);
