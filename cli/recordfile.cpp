#include "cli/recordfile.h"

#include <iostream>

#include "cli/commands.h"
#include "format/filebytes.h"
#include "format/safefile.h"

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

int DeliverOutput(const std::string& outputPath, std::string_view bytes) {
    if (outputPath.empty()) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "esn: cannot write the output\n";
            return ExitFailure;
        }
        return ExitOk;
    }
    if (const int error = SaveFileAtomically(outputPath, bytes); error != 0) {
        std::cerr << "esn: Cannot save " << outputPath << ": " << FileErrorText(error) << '\n';
        return ExitFailure;
    }
    return ExitOk;
}
