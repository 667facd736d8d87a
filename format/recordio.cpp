#include "format/recordio.h"

#include <exception>
#include <new>
#include <string>

#include "format/csaformat.h"
#include "format/esnformat.h"
#include "format/jkfformat.h"
#include "format/ki2.h"
#include "format/kif.h"
#include "format/sfenrecord.h"
#include "format/usi.h"

namespace {

// Every format's handler. FormatByContent tries them in this order, so a format whose files
// have a distinctive shape comes before one that reads almost anything; ESN, the default, last.
const FormatHandler* const Handlers[] = {
    &UsiFormat, &SfenFormat, &JkfFormat, &CsaFormat, &KifFormat, &Ki2Format, &EsnFormat,
};

std::string NoHandlerText(RecordFormat format) {
    return std::string(FormatDisplayName(format)) + " records cannot be read or written here.";
}

}  // namespace

std::span<const FormatHandler* const> FormatHandlers() {
    return Handlers;
}

const FormatHandler* HandlerFor(RecordFormat format) {
    for (const FormatHandler* handler : Handlers)
        if (handler->format == format) return handler;
    return nullptr;
}

ReadOutcome ReadRecord(GameRecord& record, std::string_view bytes, const FileType& type,
                       const FormatHandler* handler) {
    ReadOutcome outcome;
    outcome.type = type;
    if (!handler) handler = HandlerFor(type.format);
    if (!handler) {
        record.Reset();
        outcome.error = ESNLoadError{NoHandlerText(type.format), 1, 1};
        return outcome;
    }
    try {
        handler->read(record, bytes, outcome);
        outcome.startKnown = true;
    } catch (const ESNLoadError& error) {
        outcome.error = error;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& failure) {
        outcome.error = ESNLoadError{failure.what(), 0, 0};  // no place in the file
        outcome.startKnown = false;
    }
    return outcome;
}

bool WriteRecord(const GameRecord& record, const FileType& type, std::string& bytes,
                 std::string& refusal, const FormatHandler* handler) {
    bytes.clear();
    refusal.clear();
    if (!handler) handler = HandlerFor(type.format);
    if (!handler) {
        refusal = NoHandlerText(type.format);
        return false;
    }
    try {
        if (handler->write(record, type, bytes, refusal)) return true;
    } catch (const std::bad_alloc&) {
        refusal = "there is not enough memory to write the record";
    } catch (const std::exception& failure) {
        refusal = failure.what();
    }
    bytes.clear();
    return false;
}

RecordLosses WriteLosses(const GameRecord& record, const FileType& type) {
    const FormatHandler* handler = HandlerFor(type.format);
    return handler ? handler->losses(record, type) : RecordLosses{};
}
