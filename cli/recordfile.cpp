#include "cli/recordfile.h"

#include <iostream>

#include "cli/commands.h"
#include "format/filebytes.h"
#include "format/safefile.h"

ReadOutcome ReadRecordFile(const std::string& path, std::string_view bytes, GameRecord& record) {
    ReadOutcome outcome = ReadRecord(record, bytes, DetectFileType(path, bytes));
    for (const ReadNotice& notice : outcome.notices)
        std::cerr << "esn: "
                  << LocatedNotice(path, {notice.line, notice.column, "notice: " + notice.text})
                  << '\n';
    return outcome;
}

int ReadCompleteRecord(const std::string& path, GameRecord& record, FileType& type) {
    std::string bytes;
    if (const std::string reason = ReadWholeFile(path, bytes); !reason.empty())
        return CannotOpen(path, reason);
    const ReadOutcome outcome = ReadRecordFile(path, bytes, record);
    if (outcome.error) {
        std::cerr << LocatedError(path, *outcome.error) << '\n';
        return ExitRecordFault;
    }
    type = outcome.type;
    return ExitOk;
}

int WriteRecordAs(const GameRecord& record, const FileType& target, const std::string& inputPath,
                  const std::string& outputPath, bool strict) {
    const std::string_view name = FileTypeName(target);
    if (const RecordLosses losses = WriteLosses(record, target); losses.Any()) {
        std::cerr << name << ": leaves out " << ListLosses(losses) << '\n';
        if (strict) {
            std::cerr << "esn: " << inputPath << ": nothing written (--strict)\n";
            return ExitRecordFault;
        }
    }
    std::string text;
    if (std::string refusal; !WriteRecord(record, target, text, refusal)) {
        std::cerr << "esn: " << inputPath << ": cannot be written as " << name << ": " << refusal
                  << '\n';
        return ExitRecordFault;
    }
    return DeliverOutput(outputPath, text);
}

std::string LocatedError(const std::string& path, const ReadError& error) {
    return LocatedNotice(path, {error.line, error.column, error.message});
}

std::string LocatedNotice(const std::string& path, const ReadNotice& notice) {
    if (notice.line <= 0) return path + ": " + notice.text;
    return path + ':' + std::to_string(notice.line) + ':' + std::to_string(notice.column) + ": " +
           notice.text;
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
