#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "format/loaderror.h"
#include "format/losses.h"
#include "format/recordformat.h"
#include "model/gamerecord.h"

// Reading and writing a record in any format: the one entry point each way, dispatching to the
// format's handler.

struct ReadOutcome {
    FileType type;                      // as read, with the encoding the bytes turned out to be in
    std::optional<ESNLoadError> error;  // reading stopped there; the record keeps what was read
    std::vector<ReadNotice> notices;    // what the reader skipped or bent on purpose ("the file
                                        // holds 3 records; only the first was read")
    // Whether the start position was fixed before reading stopped. When it was not (bytes that
    // are no text, a start the record cannot hold, a diagram that breaks off, a file in which
    // nothing is recognised), what was read is no record of the file: a program keeps the
    // record it has open. Always true after a reading without an error.
    bool startKnown = false;
};
struct FormatHandler;

// Resets `record` and reads `bytes` as `type` (the encoding is detected again from the bytes
// where the format allows), with `handler` or else the format's own. Never throws but when
// memory runs out: a load error, and any other failure of the reader (a character set the
// system cannot convert; its error has line 0, no place in the file), is returned as the error. On
// success the root is current; after an error the current node is where reading stopped.
ReadOutcome ReadRecord(GameRecord& record, std::string_view bytes, const FileType& type,
                       const FormatHandler* handler = nullptr);

// The file's bytes for the record. False, with `refusal` saying what and where (a text the format
// or the character set cannot hold; "The comment of move 12 ▲７六歩 holds ☗, which Shift_JIS
// cannot hold; save as .kifu to keep it"), when the record cannot be written: nothing is written
// and `bytes` is empty. Never throws: any failure of the writer is a refusal with its reason.
bool WriteRecord(const GameRecord& record, const FileType& type, std::string& bytes,
                 std::string& refusal, const FormatHandler* handler = nullptr);

// What writing the record as `type` would leave out; nothing for a format without a writer.
RecordLosses WriteLosses(const GameRecord& record, const FileType& type);

// One format's entry points.
struct FormatHandler {
    RecordFormat format;
    // Whether the bytes have this format's shape. Handed the first 64 KiB of a file at most, so
    // the last line may be cut short.
    bool (*looksLike)(std::string_view bytes);
    // Reads into a reset record; throws ESNLoadError (message, line, column); may add notices and
    // set the detected encoding in `outcome.type`; sets `outcome.startKnown` once the start
    // position is fixed.
    void (*read)(GameRecord& record, std::string_view bytes, ReadOutcome& outcome);
    bool (*write)(const GameRecord& record, const FileType& type, std::string& bytes,
                  std::string& refusal);
    // What this format leaves out of the record (see losses.h).
    RecordLosses (*losses)(const GameRecord& record, const FileType& type);
};

// Every format's handler, in the order their contents are tried by FormatByContent.
std::span<const FormatHandler* const> FormatHandlers();
// The handler of a format, or null when it has none yet.
const FormatHandler* HandlerFor(RecordFormat format);
