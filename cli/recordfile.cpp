#include "cli/recordfile.h"

#include <iostream>

ReadOutcome ReadRecordFile(const std::string& path, std::string_view bytes, GameRecord& record) {
    ReadOutcome outcome = ReadRecord(record, bytes, DetectFileType(path, bytes));
    for (const std::string& notice : outcome.notices)
        std::cerr << "esn: " << path << ": " << notice << '\n';
    return outcome;
}

std::string LocatedError(const std::string& path, const ESNLoadError& error) {
    return path + ':' + std::to_string(error.line) + ':' + std::to_string(error.column) + ": " +
           error.message;
}
