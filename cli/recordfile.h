#pragma once

#include <string>
#include <string_view>

#include "format/recordio.h"
#include "format/text/loaderror.h"
#include "model/gamerecord.h"

// Reads a record file's bytes into `record` as the type its path and contents name
// (DetectFileType). The notices of the reader go to standard error as
// "esn: FILE:LINE:COLUMN: notice: TEXT" ("esn: FILE: notice: TEXT" for the file as a whole).
// After an error the record keeps what was read before it.
ReadOutcome ReadRecordFile(const std::string& path, std::string_view bytes, GameRecord& record);

// Reads the whole record file at `path` for a command that writes it out again, into `record`
// with the type it was read as. Answers ExitOk, or the exit status after the reason went to
// standard error: 2 for a file that cannot be opened or read, 1 for a record that stopped with
// a reading error (writing what was read would silently drop the rest of the file).
int ReadCompleteRecord(const std::string& path, GameRecord& record, FileType& type);

// Writes the record as `target` for the record file at `inputPath`, as DeliverOutput does,
// after listing on standard error what the format leaves out; with `strict` anything left out
// writes nothing. Answers the exit status.
int WriteRecordAs(const GameRecord& record, const FileType& target, const std::string& inputPath,
                  const std::string& outputPath, bool strict = false);

// Hands the written bytes on: to standard output when `outputPath` is empty, else safely
// replacing the file there (a failure leaves it as it was). Answers the exit status; a failure
// is reported on standard error.
int DeliverOutput(const std::string& outputPath, std::string_view bytes);

// The "FILE:LINE:COLUMN: MESSAGE" line that says where and why a file did not read.
std::string LocatedError(const std::string& path, const ReadError& error);
// "FILE:LINE:COLUMN: TEXT", or "FILE: TEXT" for a notice about the file as a whole.
std::string LocatedNotice(const std::string& path, const ReadNotice& notice);
