#include "format/esnformat.h"

#include "format/esnreader.h"
#include "format/esnwriter.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The next word from `at` on, skipping blanks.
std::string_view NextWord(std::string_view bytes, std::size_t& at) {
    while (at < bytes.size() && IsBlank(bytes[at]))
        ++at;
    const std::size_t start = at;
    while (at < bytes.size() && !IsBlank(bytes[at]))
        ++at;
    return bytes.substr(start, at - start);
}

// Takes a square, file digit and rank letter, off the front of `text`.
bool TakeSquare(std::string_view& text) {
    if (text.size() < 2 || text[0] < '1' || text[0] > '9') return false;
    const char rank = static_cast<char>(text[1] | 0x20);
    if (rank < 'a' || rank > 'i') return false;
    text.remove_prefix(2);
    return true;
}

bool TakeOneOf(std::string_view& text, std::string_view characters) {
    if (text.empty() || characters.find(text[0]) == std::string_view::npos) return false;
    text.remove_prefix(1);
    return true;
}

// A whole word in the shape of a move: "P-7f", "+R2hx2b", "S*5e", "G4h5h+".
bool IsMoveShape(std::string_view word) {
    TakeOneOf(word, "+");
    if (!TakeOneOf(word, "PLNSGBRKplnsgbrk")) return false;
    if (TakeOneOf(word, "*'") || TakeOneOf(word, "-xX")) {
        if (!TakeSquare(word)) return false;
    } else {
        if (!TakeSquare(word)) return false;
        const bool separated = TakeOneOf(word, "-xX");
        if (!TakeSquare(word) && separated) return false;
    }
    TakeOneOf(word, "+");
    return word.empty();
}

void ReadEsnRecord(GameRecord& record, std::string_view bytes, ReadOutcome& outcome) {
    // Every ESN file starts from the initial position until a bracket text says otherwise.
    outcome.startKnown = true;
    ReadESN(record, bytes, &outcome.notices);
}

bool WriteEsnRecord(const GameRecord& record, const FileType&, std::string& bytes,
                    std::string& refusal) {
    refusal = FindUnwritableText(record);
    if (!refusal.empty()) return false;
    WriteESN(record, bytes);
    return true;
}

// A record file keeps the header's three texts, comments and variations; results, times,
// bookmarks and further header lines have no place in it.
RecordLosses EsnLosses(const GameRecord& record, const FileType&) {
    RecordLosses losses = CountRecordContents(record);
    losses.variations = 0;
    losses.comments = CommentsOnResults(record);
    losses.startPosition = false;
    return losses;
}

}  // namespace

bool LooksLikeEsn(std::string_view bytes) {
    std::size_t at = 0;
    std::string_view word = NextWord(bytes, at);
    if (word.empty()) return false;
    if (word[0] == '[') return true;
    // A move number, "12." or "12.P-7f", may stand before the move.
    std::size_t digits = 0;
    while (digits < word.size() && IsDigit(word[digits]))
        ++digits;
    if (digits > 0 && digits < word.size() && word[digits] == '.') {
        word.remove_prefix(digits + 1);
        if (word.empty()) word = NextWord(bytes, at);
    }
    return IsMoveShape(word);
}

const FormatHandler EsnFormat{RecordFormat::Esn, &LooksLikeEsn, &ReadEsnRecord, &WriteEsnRecord,
                              &EsnLosses};
