#pragma once

#include <optional>
#include <string>

#include "esn/loaderror.h"
#include "model/gamerecord.h"

// Reads the whole file as bytes. False, with the system's reason ("No such file or directory",
// "Is a directory", "Permission denied", ...), when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason);

// Reads record-file bytes into `record`. Answers the reading error, if any; the record then
// keeps what was read before it.
std::optional<ESNLoadError> ReadRecordBytes(const std::string& bytes, GameRecord& record);

// The "FILE:LINE:COLUMN: MESSAGE" line that says where and why a file did not read.
std::string LocatedError(const std::string& path, const ESNLoadError& error);
