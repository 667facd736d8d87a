#include "format/esn/esnshape.h"

#include "format/text/textscan.h"

namespace {

// ESN is read as bytes: blanks and line ends alike separate its words.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The next word from `at` on, skipping blanks.
std::string_view NextWord(std::string_view bytes, std::size_t& at) {
    while (at < bytes.size() && IsSpace(bytes[at]))
        ++at;
    const std::size_t start = at;
    while (at < bytes.size() && !IsSpace(bytes[at]))
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
