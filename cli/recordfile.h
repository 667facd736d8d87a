#pragma once

#include <string>
#include <string_view>

#include "format/loaderror.h"
#include "format/recordio.h"
#include "model/gamerecord.h"

// Reads a record file's bytes into `record` as the type its path and contents name
// (DetectFileType). The notices of the reader go to standard error as "esn: FILE: NOTICE".
// After an error the record keeps what was read before it.
ReadOutcome ReadRecordFile(const std::string& path, std::string_view bytes, GameRecord& record);

// Hands the written bytes on: to standard output when `outputPath` is empty, else safely
// replacing the file there (a failure leaves it as it was). Answers the exit status; a failure
// is reported on standard error.
int DeliverOutput(const std::string& outputPath, std::string_view bytes);

// The "FILE:LINE:COLUMN: MESSAGE" line that says where and why a file did not read.
std::string LocatedError(const std::string& path, const ESNLoadError& error);
