#include "format/usi/usi.h"

#include <algorithm>
#include <vector>

#include "format/text/loaderror.h"
#include "format/usi/asciiwords.h"
#include "format/usi/sfen.h"

namespace {

bool IsFile(char c) {
    return c >= '1' && c <= '9';
}

bool IsRank(char c) {
    return c >= 'a' && c <= 'i';
}

// "7g": file digit, then rank letter.
bool ReadSquare(std::string_view text, Square& sq) {
    if (!IsFile(text[0]) || !IsRank(text[1])) return false;
    sq = SquareAt(text[1] - 'a', text[0] - '1');
    return true;
}

}  // namespace

bool ReadUsiMove(std::string_view text, const Position& position, Move& move) {
    move = Move{};
    if (text.size() == 4 && text[1] == '*') {
        const bool lower = text[0] >= 'a' && text[0] <= 'z';
        const char letter = lower ? static_cast<char>(text[0] - 'a' + 'A') : text[0];
        const PieceType kind = KindOfLetter(letter);
        if (kind < 0 || !ReadSquare(text.substr(2), move.to)) return false;
        move.piece = static_cast<std::uint8_t>(position.sideToMove | kind);
        move.drop = 1;
        return true;
    }
    if (text.size() != 4 && !(text.size() == 5 && text[4] == '+')) return false;
    if (!ReadSquare(text, move.from) || !ReadSquare(text.substr(2), move.to)) return false;
    move.piece = static_cast<std::uint8_t>(position.Cell(move.from));
    move.promote = text.size() == 5;
    return true;
}

namespace {

// The words that end a game after its last move: the side to move resigns, declares a win
// with its king in the enemy camp, or the game is drawn.
struct ResultWord {
    std::string_view word;
    GameResult result;
};
constexpr ResultWord ResultWords[] = {
    {"resign", GameResult::Resign}, {"win", GameResult::Declaration}, {"draw", GameResult::Draw}};

std::optional<GameResult> ResultOfWord(std::string_view word) {
    for (const ResultWord& entry : ResultWords)
        if (entry.word == word) return entry.result;
    return std::nullopt;
}

// The main line's last node: from the root on, each node's first continuation holding a move.
const MoveNode& MainLineEnd(const GameRecord& record) {
    const MoveNode* node = &record.Root();
    for (;;) {
        const ContinuationCell* cell = node->FirstChild();
        while (cell && cell->node->IsResult())
            cell = cell->next.get();
        if (!cell) return *node;
        node = cell->node.get();
    }
}

// The word of the result that closes the main line, when it has one USI can say.
std::string_view ClosingWord(const GameRecord& record) {
    const MoveNode* first = MainLineEnd(record).Continuation(0);
    for (const ResultWord& entry : ResultWords)
        if (first && first->Result() == entry.result) return entry.word;
    return {};
}

// Reads the start of the line: "startpos" or "sfen <position>", after an optional "position";
// a line that begins with "moves" starts from the initial position.
bool ReadStart(GameRecord& record, WordReader& words, const TextLine& line, ReadReport& report) {
    Word word;
    if (!words.Next(word)) return words.Fail("no position line", 0);
    if (word.text == "position" && !words.Next(word))
        return words.Fail("no position after 'position'", words.Offset());
    report.startKnown = word.text == "startpos" || word.text == "moves";
    if (word.text == "moves") words.SkipTo(word.offset);
    if (report.startKnown) return true;
    if (word.text != "sfen")
        return words.Fail("'startpos' or 'sfen' expected, not '" + std::string(word.text) + "'",
                          word.offset);
    const std::size_t at = words.Offset();
    const SfenReading reading = ReadSfen(words.Line().substr(at));
    if (reading.error) return words.Fail(reading.error->message, at + reading.error->offset);
    SetReadStart(record, reading.position, line, at, report);
    words.SkipTo(at + reading.end);
    return true;
}

// The moves, and a result after them; a word that is neither ends the record there with a
// notice. Answers whether reading went to the end of the line without an error.
bool ReadMoves(GameRecord& record, WordReader& words, const TextLine& line, ReadReport& report) {
    Word word;
    if (!words.Next(word)) return !words.Error();
    if (word.text != "moves")
        return words.Fail("'moves' expected, not '" + std::string(word.text) + "'", word.offset);
    const auto stop = [&](const std::string& text) {
        report.notices.push_back({line.number, CharacterColumn(line.text, word.offset), text});
        return false;
    };
    while (words.Next(word)) {
        const std::string text(word.text);
        if (record.Current().IsResult()) return stop("'" + text + "' after the result is left out");
        if (const auto result = ResultOfWord(word.text)) {
            record.GoForward(record.AddResult(*result) - 1);
            continue;
        }
        Move move;
        if (!ReadUsiMove(word.text, record.GetPosition(), move))
            return stop("the record ends before '" + text + "', which is no move");
        const int count = record.AddContinuation(move);
        if (count == 0) return words.Fail("illegal move " + std::string(word.text), word.offset);
        record.GoForward(count - 1);
    }
    return !words.Error();
}

}  // namespace

void ReadUsi(GameRecord& record, RecordText& text, ReadReport& report) {
    record.Reset();
    const std::optional<TextLine> line = FirstLineWithText(text, "no position line", report.error);
    if (!line) return;
    WordReader words(*line);
    const bool toTheEnd =
        ReadStart(record, words, *line, report) && ReadMoves(record, words, *line, report);
    if (words.Error()) {
        report.error = words.Error();
        return;
    }
    if (toTheEnd) report.error = TextAfter(text);
    if (!report.error) record.GoToTop();
}

namespace {

// The moves of the main line, and the word of the result that closes it.
void AppendMainLine(const GameRecord& record, std::string& out) {
    std::vector<const MoveNode*> line;
    for (const MoveNode* node = &MainLineEnd(record); node->Parent(); node = node->Parent())
        line.push_back(node);
    const std::string_view closing = ClosingWord(record);
    if (line.empty() && closing.empty()) return;
    out += " moves";
    for (auto node = line.rbegin(); node != line.rend(); ++node) {
        out += ' ';
        out += UsiMoveText((*node)->move);
    }
    if (!closing.empty()) {
        out += ' ';
        out += closing;
    }
}

}  // namespace

std::string_view UsiClosingWord(const GameRecord& record) {
    return ClosingWord(record);
}

void WriteUsi(const GameRecord& record, std::string& bytes) {
    bytes = "position ";
    if (record.StartPosition() == Position())
        bytes += "startpos";
    else
        bytes += "sfen " + Sfen(record.StartPosition(), 0);
    AppendMainLine(record, bytes);
    bytes += '\n';
}

std::string UsiMoveText(const Move& move) {
    std::string text;
    if (move.drop) {
        text += PieceLetter(KindOf(move.piece));
        text += '*';
    } else {
        text += static_cast<char>('1' + move.from.file);
        text += static_cast<char>('a' + move.from.rank);
    }
    text += static_cast<char>('1' + move.to.file);
    text += static_cast<char>('a' + move.to.rank);
    if (move.promote) text += '+';
    return text;
}

bool LooksLikeUsi(const TextLine& line) {
    WordReader words(line);
    Word word;
    if (!words.Next(word)) return false;
    if (word.text == "position" || word.text == "startpos") return true;
    // A line of moves alone: from the initial position.
    if (word.text == "moves") {
        Move move;
        return !words.Next(word) ? !words.Error() : ReadUsiMove(word.text, Position(), move);
    }
    if (word.text != "sfen") return false;
    while (words.Next(word))
        if (word.text == "moves") return true;
    return false;
}
