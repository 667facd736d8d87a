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
    std::vector<std::string> notices;   // what the reader left out on purpose ("the file holds
                                        // 3 records; only the first was read")
};
// Resets `record` and reads `bytes` as `type` (the encoding is detected again from the bytes
// where the format allows). Never throws a load error: it is returned. On success the root is
// current; after an error the current node is where reading stopped.
ReadOutcome ReadRecord(GameRecord& record, std::string_view bytes, const FileType& type);

// The file's bytes for the record. False, with `refusal` saying what and where (a text the format
// or the character set cannot hold; "The comment of move 12 ▲７六歩 holds ☗, which Shift_JIS
// cannot hold; save as .kifu to keep it"), when the record cannot be written: nothing is written
// and `bytes` is empty.
bool WriteRecord(const GameRecord& record, const FileType& type, std::string& bytes,
                 std::string& refusal);

// What writing the record as `type` would leave out; nothing for a format without a writer.
RecordLosses WriteLosses(const GameRecord& record, const FileType& type);

// One format's entry points.
struct FormatHandler {
    RecordFormat format;
    // Whether the bytes have this format's shape. Handed the first 64 KiB of a file at most, so
    // the last line may be cut short.
    bool (*looksLike)(std::string_view bytes);
    // Reads into a reset record; throws ESNLoadError (message, line, column); may add notices and
    // set the detected encoding in `outcome.type`.
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
