#include "format/recordio.h"

#include <exception>
#include <new>
#include <string>

#include "format/csa/csacodes.h"
#include "format/csa/csareader.h"
#include "format/csa/csawriter.h"
#include "format/esn/esnreader.h"
#include "format/esn/esnwriter.h"
#include "format/jkf/jkfreader.h"
#include "format/jkf/jkfwriter.h"
#include "format/kif/ki2.h"
#include "format/kif/kif.h"
#include "format/kif/kifrecordreader.h"
#include "format/usi/sfenrecord.h"
#include "format/usi/usi.h"

namespace {

void ReadEsnBytes(GameRecord& record, std::string_view bytes, ReadOutcome& outcome) {
    // Every ESN file starts from the initial position until a bracket text says otherwise.
    outcome.startKnown = true;
    outcome.error = ReadESN(record, bytes, &outcome.notices);
}

bool WriteEsnFile(const GameRecord& record, const FileType&, std::string& bytes,
                  std::string& refusal) {
    refusal = FindUnwritableText(record);
    if (!refusal.empty()) return false;
    WriteESN(record, bytes);
    return true;
}

void ReadUsiText(GameRecord& record, RecordText& text, ReadOutcome& outcome) {
    ReadUsi(record, text, outcome);
}

bool WriteUsiFile(const GameRecord& record, const FileType&, std::string& bytes, std::string&) {
    WriteUsi(record, bytes);
    return true;
}

void ReadSfenText(GameRecord& record, RecordText& text, ReadOutcome& outcome) {
    ReadSfenFile(record, text, outcome);
}

bool WriteSfenText(const GameRecord& record, const FileType&, std::string& bytes, std::string&) {
    WriteSfenFile(record, bytes);
    return true;
}

void ReadKifText(GameRecord& record, RecordText& text, ReadOutcome& outcome) {
    ReadKif(record, text, outcome);
}

bool WriteKifFile(const GameRecord& record, const FileType& type, std::string& bytes,
                  std::string& refusal) {
    return WriteKif(record, type.encoding, bytes, refusal);
}

void ReadKi2Text(GameRecord& record, RecordText& text, ReadOutcome& outcome) {
    ReadKi2(record, text, outcome);
}

bool WriteKi2File(const GameRecord& record, const FileType& type, std::string& bytes,
                  std::string& refusal) {
    return WriteKi2(record, type.encoding, bytes, refusal);
}

void ReadCsaText(GameRecord& record, RecordText& text, ReadOutcome& outcome) {
    // A CSA file that declares nothing is code page 932 by the descriptions, but files written
    // as UTF-8 without the 3.0 line are common: the bytes decide, and plain ASCII stays 932.
    if (!text.IsDeclared() && text.IsAscii()) outcome.type.encoding = TextEncoding::Cp932;
    outcome.type.version = ReadCsa(record, text, outcome);
}

bool WriteCsaFile(const GameRecord& record, const FileType& type, std::string& bytes,
                  std::string& refusal) {
    const int version = type.version == CsaVersion22 ? CsaVersion22 : CsaVersion30;
    return WriteCsa(record, version, type.encoding, bytes, refusal);
}

void ReadJkfText(GameRecord& record, RecordText& text, ReadOutcome& outcome) {
    ReadJkf(record, text, outcome);
}

bool WriteJkfFile(const GameRecord& record, const FileType&, std::string& bytes, std::string&) {
    bytes = WriteJkf(record);
    return true;
}

const FormatHandler EsnFormat{RecordFormat::Esn, nullptr, nullptr, &ReadEsnBytes, &WriteEsnFile};
const FormatHandler UsiFormat{RecordFormat::Usi, nullptr, &ReadUsiText, nullptr, &WriteUsiFile};
const FormatHandler SfenFormat{RecordFormat::Sfen, nullptr, &ReadSfenText, nullptr, &WriteSfenText};
const FormatHandler KifFormat{RecordFormat::Kif, &KifDeclaredEncoding, &ReadKifText, nullptr,
                              &WriteKifFile};
const FormatHandler Ki2Format{RecordFormat::Ki2, &KifDeclaredEncoding, &ReadKi2Text, nullptr,
                              &WriteKi2File};
const FormatHandler CsaFormat{RecordFormat::Csa, &CsaDeclaredEncoding, &ReadCsaText, nullptr,
                              &WriteCsaFile};
const FormatHandler JkfFormat{RecordFormat::Jkf, nullptr, &ReadJkfText, nullptr, &WriteJkfFile};

const FormatHandler* const Handlers[] = {
    &EsnFormat, &KifFormat, &Ki2Format, &CsaFormat, &JkfFormat, &UsiFormat, &SfenFormat,
};

std::string NoHandlerText(RecordFormat format) {
    return std::string(FormatDisplayName(format)) + " records cannot be read or written here.";
}

// The front: decodes the bytes once and hands the text to the format's reader.
void ReadWithHandler(const FormatHandler& handler, GameRecord& record, std::string_view bytes,
                     ReadOutcome& outcome) {
    if (handler.readBytes) {
        handler.readBytes(record, bytes, outcome);
        return;
    }
    const std::optional<TextEncoding> declared =
        handler.declaredEncoding ? handler.declaredEncoding(FirstLineOf(bytes)) : std::nullopt;
    RecordText text(bytes, declared);
    outcome.type.encoding = text.Encoding();
    handler.read(record, text, outcome);
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
        outcome.error = ReadError{NoHandlerText(type.format), 1, 1};
        return outcome;
    }
    try {
        ReadWithHandler(*handler, record, bytes, outcome);
        if (!outcome.error) outcome.startKnown = true;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& failure) {
        outcome.error = ReadError{failure.what(), 0, 0};  // no place in the file
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
    return HandlerFor(type.format) ? FormatLosses(record, type) : RecordLosses{};
}
