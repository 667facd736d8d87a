#include "format/text/recordtext.h"

#include <cstdio>

#include "format/text/utf8.h"

namespace {

// About this many bytes are decoded at a time: a piece of whole lines.
constexpr std::size_t PieceSize = 64 * 1024;

// The end of the piece that starts at `start`: after the last line end within PieceSize bytes
// (a CR LF pair is never split), or after the first line end past them when a line is longer.
// A line end is never part of a character in these encodings.
std::size_t PieceEnd(std::string_view bytes, std::size_t start) {
    if (bytes.size() - start <= PieceSize) return bytes.size();
    const std::string_view window = bytes.substr(start, PieceSize);
    std::size_t end = window.find_last_of('\n');
    if (end == std::string_view::npos) end = window.find_last_of('\r');
    if (end == std::string_view::npos) {
        end = bytes.find_first_of("\r\n", start + PieceSize);
        if (end == std::string_view::npos) return bytes.size();
    } else {
        end += start;
    }
    ++end;
    if (bytes[end - 1] == '\r' && end < bytes.size() && bytes[end] == '\n') ++end;
    return end;
}

// Code page 932 decides a file of Japanese bytes unless it fails before the bytes stop having
// EUC-JP's shape (see DecodeToUtf8). Nearly every Shift_JIS file leaves that shape at its first
// kana, so decoding up to the end of that line tells, without decoding the whole file twice.
bool PlainlyCp932(std::string_view body) {
    const std::size_t eucEnd = EucJpShapeEnd(body);
    if (eucEnd == body.size()) return false;
    const std::size_t lineEnd = std::min(body.size(), body.find_first_of("\r\n", eucEnd));
    const DecodedText probe = DecodeAs(body.substr(0, lineEnd), TextEncoding::Cp932);
    return !probe.failure || probe.failure->offset >= eucEnd;
}

}  // namespace

std::string_view FirstLineOf(std::string_view bytes) {
    if (bytes.starts_with(Utf8ByteOrderMark)) bytes.remove_prefix(Utf8ByteOrderMark.size());
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

RecordText::RecordText(std::string_view bytes, std::optional<TextEncoding> declared)
    : declared_(declared.has_value()) {
    const bool byteOrderMark = bytes.starts_with(Utf8ByteOrderMark);
    const std::size_t mark = byteOrderMark ? Utf8ByteOrderMark.size() : 0;
    body_ = bytes.substr(mark);
    const std::size_t asciiEnd = AsciiRunEnd(body_, 0);
    ascii_ = asciiEnd == body_.size();
    const bool utf8 = ascii_ || asciiEnd + ValidUtf8Prefix(body_.substr(asciiEnd)) == body_.size();
    const bool otherDeclared = declared && *declared != TextEncoding::Utf8;
    if (utf8 && (byteOrderMark || !otherDeclared)) {
        lines_ = LineSplitter(body_);
        return;
    }
    if (ascii_) {  // every character set here writes ASCII as ASCII
        encoding_ = *declared;
        lines_ = LineSplitter(body_);
        return;
    }
    if (!otherDeclared && !utf8 && PlainlyCp932(body_)) {
        encoding_ = TextEncoding::Cp932;
        source_ = Source::Pieces;
        decoder_.emplace(encoding_);
        return;
    }
    DecodedText decoded = DecodeToUtf8(bytes, declared);
    encoding_ = decoded.encoding;
    decoded_ = std::move(decoded.text);
    source_ = Source::Decoded;
    lines_ = LineSplitter(decoded_);
    if (decoded.failure) SetFailure(decoded.failure->offset - mark, decoded.failure->position);
}

void RecordText::SetFailure(std::size_t offset, TextPosition position) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(body_[offset]));
    lastLine_ = position.line;
    failure_ = ReadError{"the byte " + std::string(byte) + " cannot be read as " +
                             std::string(EncodingName(encoding_)),
                         position.line, position.column};
}

bool RecordText::NextLine(TextLine& line) {
    for (;;) {
        if (lines_.Next(line)) {
            line.number += lineBase_;
            line.offset += textBase_;
            return !lastLine_ || line.number < lastLine_;
        }
        if (source_ != Source::Pieces || !NextPiece()) return false;
    }
}

// Decodes the next piece of whole lines; false when the bytes are used up or failed before.
bool RecordText::NextPiece() {
    if (lastLine_ || next_ >= body_.size()) return false;
    lineBase_ += lines_.Count();
    textBase_ += decoded_.size();
    const std::size_t end = PieceEnd(body_, next_);
    decoded_.clear();
    const std::size_t decoded = decoder_->Decode(body_.substr(next_, end - next_), decoded_);
    if (next_ + decoded < end) {
        TextPosition at = PositionAfter(decoded_);
        at.line += lineBase_;
        SetFailure(next_ + decoded, at);
    }
    next_ = end;
    lines_ = LineSplitter(decoded_);
    return true;
}

void RecordText::DecodeAll() {
    if (source_ != Source::Pieces) return;
    DecodedText decoded = DecodeAs(body_, encoding_);
    decoded_ = std::move(decoded.text);
    source_ = Source::Decoded;
    lastLine_ = 0;
    failure_.reset();
    if (decoded.failure) SetFailure(decoded.failure->offset, decoded.failure->position);
}

std::string_view RecordText::Whole() {
    DecodeAll();
    lines_ = LineSplitter({});
    return source_ == Source::Bytes ? body_ : std::string_view(decoded_);
}
