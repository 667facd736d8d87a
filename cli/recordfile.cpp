#include "cli/recordfile.h"

#include "format/esnreader.h"

std::optional<ESNLoadError> ReadRecordBytes(std::string_view bytes, GameRecord& record) {
    try {
        ReadESN(record, bytes);
    } catch (const ESNLoadError& error) {
        return error;
    }
    return std::nullopt;
}

std::string LocatedError(const std::string& path, const ESNLoadError& error) {
    return path + ':' + std::to_string(error.line) + ':' + std::to_string(error.column) + ": " +
           error.message;
}
