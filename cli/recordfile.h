#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "format/loaderror.h"
#include "model/gamerecord.h"

// Reads record-file bytes into `record`. Answers the reading error, if any; the record then
// keeps what was read before it.
std::optional<ESNLoadError> ReadRecordBytes(std::string_view bytes, GameRecord& record);

// The "FILE:LINE:COLUMN: MESSAGE" line that says where and why a file did not read.
std::string LocatedError(const std::string& path, const ESNLoadError& error);
