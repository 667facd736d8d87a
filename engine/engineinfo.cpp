#include "engine/engineinfo.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "model/piece.h"

namespace {

// The words an info line is made of; any other word is an engine's own, skipped with what
// follows it up to the next of these.
constexpr std::array<std::string_view, 16> kInfoWords = {
    "depth",          "seldepth", "time", "nodes",   "pv",     "multipv",    "score",    "currmove",
    "currmovenumber", "hashfull", "nps",  "cpuload", "string", "refutation", "currline", "tbhits"};

bool IsInfoWord(std::string_view word) {
    return std::find(kInfoWords.begin(), kInfoWords.end(), word) != kInfoWords.end();
}

template <typename Number>
bool ReadNumber(std::string_view word, Number& value) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

template <typename Number>
bool ReadField(const std::vector<std::string_view>& words, std::size_t& i,
               std::optional<Number>& field) {
    Number value{};
    if (i + 1 >= words.size() || !ReadNumber(words[i + 1], value) || value < 0) return false;
    field = value;
    i += 2;
    return true;
}

// "cp 139", "mate 3", "mate -3", "mate +", "mate -", each maybe followed by a bound.
bool ReadScore(const std::vector<std::string_view>& words, std::size_t& i, EngineScore& score) {
    if (i + 2 >= words.size()) return false;
    const std::string_view kind = words[i + 1];
    const std::string_view value = words[i + 2];
    score = EngineScore{};
    if (kind == "cp") {
        if (!ReadNumber(value, score.centipawns)) return false;
    } else if (kind == "mate") {
        score.kind = EngineScore::Kind::Mate;
        int plies = 0;
        if (value == "+" || value == "-") {
            score.mates = value == "+";
        } else if (ReadNumber(value, plies)) {
            // Mate 0 and mate -0 both say the side to move is mated.
            score.mates = plies > 0;
            score.plies = plies < 0 ? -plies : plies;
        } else {
            return false;
        }
    } else {
        return false;
    }
    i += 3;
    if (i < words.size() && (words[i] == "lowerbound" || words[i] == "upperbound")) {
        score.bound =
            words[i] == "lowerbound" ? EngineScore::Bound::Lower : EngineScore::Bound::Upper;
        ++i;
    }
    return true;
}

// The words from `i` up to the next info word.
std::size_t SkipToInfoWord(const std::vector<std::string_view>& words, std::size_t i) {
    while (i < words.size() && !IsInfoWord(words[i]))
        ++i;
    return i;
}

// Where the rest of the line starts after the word at `i`, as the engine spaced it.
std::string_view RestAfter(std::string_view line, std::string_view word) {
    const std::size_t start = static_cast<std::size_t>(word.data() + word.size() - line.data());
    std::string_view rest = line.substr(start);
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
    return rest;
}

}  // namespace

EngineScore Negated(const EngineScore& score) {
    EngineScore other = score;
    other.centipawns = -score.centipawns;
    other.mates = !score.mates;
    if (score.bound != EngineScore::Bound::Exact)
        other.bound = score.bound == EngineScore::Bound::Lower ? EngineScore::Bound::Upper
                                                               : EngineScore::Bound::Lower;
    return other;
}

EngineScore ForBlack(const EngineScore& score, int sideToMove) {
    return sideToMove == Black ? score : Negated(score);
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) return words;
        const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        words.push_back(line.substr(at, end - at));
        at = end;
    }
}

bool ParseInfo(std::string_view line, EngineInfo& info) {
    info = EngineInfo{};
    const std::vector<std::string_view> words = SplitWords(line);
    std::optional<int> multiPv;
    for (std::size_t i = 0; i < words.size();) {
        const std::string_view word = words[i];
        bool ok = true;
        if (word == "depth") {
            ok = ReadField(words, i, info.depth);
        } else if (word == "seldepth") {
            ok = ReadField(words, i, info.selectiveDepth);
        } else if (word == "time") {
            ok = ReadField(words, i, info.timeMs);
        } else if (word == "nodes") {
            ok = ReadField(words, i, info.nodes);
        } else if (word == "nps") {
            ok = ReadField(words, i, info.nodesPerSecond);
        } else if (word == "hashfull") {
            ok = ReadField(words, i, info.hashFullPermille);
        } else if (word == "multipv") {
            ok = ReadField(words, i, multiPv) && *multiPv >= 1;
        } else if (word == "score") {
            EngineScore score;
            ok = ReadScore(words, i, score);
            info.score = score;
        } else if (word == "pv") {
            // The principal variation runs to the end of the line.
            info.pvWords.assign(words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
            return true;
        } else if (word == "string") {
            info.text = RestAfter(line, word);
            return true;
        } else {
            i = SkipToInfoWord(words, i + 1);
        }
        if (!ok) return false;
        if (multiPv) info.multiPv = *multiPv;
    }
    return true;
}

bool ParseBestMove(std::string_view line, EngineBestMove& best) {
    best = EngineBestMove{};
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty()) return false;
    best.word = words[0];
    if (best.word == "resign") best.kind = EngineBestMove::Kind::Resign;
    if (best.word == "win") best.kind = EngineBestMove::Kind::Win;
    if (words.size() == 1) return true;
    if (words.size() != 3 || words[1] != "ponder") return false;
    best.ponderWord = words[2];
    return true;
}
