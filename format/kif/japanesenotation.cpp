#include "format/kif/japanesenotation.h"

#include <array>

#include "model/gamerecord.h"
#include "model/handicap.h"

namespace {

// Indexed by the kind with its promotion flag; the empty names are codes no piece has.
constexpr std::string_view RecordNames[16] = {"歩", "香",   "桂",   "銀",   "金", "角", "飛", "玉",
                                              "と", "成香", "成桂", "成銀", "",   "馬", "龍", ""};
constexpr std::string_view DiagramNames[16] = {"歩", "香", "桂", "銀", "金", "角", "飛", "玉",
                                               "と", "杏", "圭", "全", "",   "馬", "龍", ""};

struct OtherName {
    std::string_view name;
    int piece;
};
// Names read besides the written ones: the king's other character, the dragon's simplified
// one, and the one-character promoted pieces of board diagrams, which some files use in moves.
constexpr OtherName OtherNames[] = {
    {"王", King},
    {"竜", PromotedFlag | Rook},
    {"全", PromotedFlag | Silver},
    {"圭", PromotedFlag | Knight},
    {"杏", PromotedFlag | Lance},
};

constexpr std::string_view FullWidthDigits[10] = {"０", "１", "２", "３", "４",
                                                  "５", "６", "７", "８", "９"};
constexpr std::string_view KanjiDigits[10] = {"〇", "一", "二", "三", "四",
                                              "五", "六", "七", "八", "九"};
constexpr char32_t KanjiDigitCharacters[10] = {U'〇', U'一', U'二', U'三', U'四',
                                               U'五', U'六', U'七', U'八', U'九'};

struct ResultWord {
    GameResult result;
    std::string_view word;
};
constexpr ResultWord ResultWords[] = {
    {GameResult::Resign, "投了"},
    {GameResult::Interrupt, "中断"},
    {GameResult::Repetition, "千日手"},
    {GameResult::Impasse, "持将棋"},
    {GameResult::Timeout, "切れ負け"},
    {GameResult::IllegalWin, "反則勝ち"},
    {GameResult::IllegalLoss, "反則負け"},
    {GameResult::Declaration, "入玉勝ち"},
    {GameResult::Mate, "詰み"},
    {GameResult::NoMate, "不詰"},
    {GameResult::Draw, "引き分け"},
    {GameResult::MaxMoves, "最大手数"},
    {GameResult::Sealed, "封じ手"},
};

struct HandicapName {
    Handicap handicap;
    std::string_view name;
};
constexpr HandicapName HandicapNames[] = {
    {Handicap::Even, "平手"},
    {Handicap::Lance, "香落ち"},
    {Handicap::RightLance, "右香落ち"},
    {Handicap::Bishop, "角落ち"},
    {Handicap::Rook, "飛車落ち"},
    {Handicap::RookAndLance, "飛香落ち"},
    {Handicap::TwoPieces, "二枚落ち"},
    {Handicap::ThreePieces, "三枚落ち"},
    {Handicap::FourPieces, "四枚落ち"},
    {Handicap::FivePieces, "五枚落ち"},
    {Handicap::LeftFivePieces, "左五枚落ち"},
    {Handicap::SixPieces, "六枚落ち"},
    {Handicap::LeftSevenPieces, "左七枚落ち"},
    {Handicap::RightSevenPieces, "右七枚落ち"},
    {Handicap::EightPieces, "八枚落ち"},
    {Handicap::TenPieces, "十枚落ち"},
};

bool StartsWith(std::string_view text, std::size_t pos, std::string_view prefix) {
    return text.substr(pos, prefix.size()) == prefix;
}

// The piece name at `pos`, the two-character names first so that 成銀 is not read as 成 銀.
bool ReadPieceName(std::string_view text, std::size_t& pos, int& piece) {
    for (int rule = 15; rule >= 0; --rule) {
        const std::string_view name = RecordNames[rule];
        if (!name.empty() && StartsWith(text, pos, name)) {
            pos += name.size();
            piece = rule;
            return true;
        }
    }
    for (const OtherName& other : OtherNames) {
        if (StartsWith(text, pos, other.name)) {
            pos += other.name.size();
            piece = other.piece;
            return true;
        }
    }
    return false;
}

// A square's file digit (ASCII or full-width) and rank (kanji, or a digit as some files write
// "７６" and "76").
bool ReadSquare(std::string_view text, std::size_t& pos, Square& sq) {
    std::size_t at = pos;
    const int file = DigitValue(NextCharacter(text, at));
    if (file == 0) return false;
    const char32_t rankCharacter = NextCharacter(text, at);
    int rank = KanjiDigitValue(rankCharacter);
    if (rank == 0) rank = DigitValue(rankCharacter);
    if (rank == 0) return false;
    sq = Square(rank - 1, file - 1);
    pos = at;
    return true;
}

bool EndsMoveText(char32_t c) {
    return c == 0 || IsBlank(c) || c == U'(' || c == U'（' || SideOfMark(c) != 0;
}

// The marks after the piece, in their written order: 右/左/直, then 上/寄/引, then 成/不成/打.
// 行 is an old form of 上 and 生 of 不成.
void ReadMarks(std::string_view text, std::size_t& pos, JapaneseMoveText& move) {
    using Side = JapaneseMoveText::Side;
    using Motion = JapaneseMoveText::Motion;
    std::size_t at = pos;
    const char32_t side = NextCharacter(text, at);
    if (side == U'右' || side == U'左' || side == U'直') {
        move.side = side == U'右' ? Side::Right : side == U'左' ? Side::Left : Side::Straight;
        pos = at;
    }
    at = pos;
    const char32_t motion = NextCharacter(text, at);
    if (motion == U'上' || motion == U'行' || motion == U'寄' || motion == U'引') {
        move.motion = motion == U'寄'   ? Motion::Sideways
                      : motion == U'引' ? Motion::Down
                                        : Motion::Up;
        pos = at;
    }
    if (StartsWith(text, pos, "不成")) {
        move.notPromote = true;
        pos += std::string_view("不成").size();
        return;
    }
    at = pos;
    const char32_t suffix = NextCharacter(text, at);
    if (suffix == U'成' || suffix == U'生' || suffix == U'打') {
        move.promote = suffix == U'成';
        move.notPromote = suffix == U'生';
        move.drop = suffix == U'打';
        pos = at;
    }
}

// How each result reads after "まで{N}手で": W stands for the winner's label, L for the loser's.
struct SummaryWording {
    GameResult result;
    std::string_view before;  // the text before the side's label, or the whole wording
    bool namesWinner;
    bool namesSide;  // a label follows `before`
    std::string_view after;
};
constexpr SummaryWording SummaryWordings[] = {
    {GameResult::Resign, "", true, true, "の勝ち"},
    {GameResult::Timeout, "時間切れにより", true, true, "の勝ち"},
    {GameResult::IllegalWin, "", true, true, "の反則勝ち"},
    {GameResult::IllegalLoss, "", false, true, "の反則負け"},
    {GameResult::Declaration, "", true, true, "の入玉勝ち"},
    {GameResult::Mate, "詰み", false, false, ""},
    {GameResult::Interrupt, "中断", false, false, ""},
    {GameResult::Repetition, "千日手", false, false, ""},
    {GameResult::Impasse, "持将棋", false, false, ""},
    {GameResult::NoMate, "不詰", false, false, ""},
    {GameResult::Draw, "引き分け", false, false, ""},
    {GameResult::MaxMoves, "最大手数", false, false, ""},
    {GameResult::Sealed, "封じ手", false, false, ""},
    // Read, never written: the shorter words other programs use.
    {GameResult::Mate, "詰", false, false, ""},
    {GameResult::Resign, "投了", false, false, ""},
};

// Which side a result names: the winner, or for a foul the loser.
int NamedSide(const SummaryWording& wording, int sideToMove) {
    const bool sideToMoveWins =
        wording.result == GameResult::IllegalWin || wording.result == GameResult::Declaration;
    const int winner = sideToMoveWins ? sideToMove : OtherSide(sideToMove);
    return wording.namesWinner ? winner : OtherSide(winner);
}

}  // namespace

std::string SummaryText(GameResult result, int moves, int sideToMove, bool handicapLabels) {
    std::string text = "まで" + std::to_string(moves) + "手で";
    for (const SummaryWording& wording : SummaryWordings) {
        if (wording.result != result) continue;
        text += wording.before;
        if (wording.namesSide) {
            const bool black = NamedSide(wording, sideToMove) == Black;
            text += black ? (handicapLabels ? "下手" : "先手") : (handicapLabels ? "上手" : "後手");
        }
        text += wording.after;
        break;
    }
    return text;
}

std::optional<GameResult> ResultOfSummary(std::string_view rest, int sideToMove) {
    // "まで49手で詰み", also without で: "まで49手詰".
    if (!rest.starts_with("手")) return std::nullopt;
    rest.remove_prefix(std::string_view("手").size());
    if (rest.starts_with("で")) rest.remove_prefix(std::string_view("で").size());
    rest = TrimBlanks(rest);
    for (const SummaryWording& wording : SummaryWordings) {
        if (!rest.starts_with(wording.before)) continue;
        std::string_view label = rest.substr(wording.before.size());
        if (!wording.namesSide) {
            if (label.empty()) return wording.result;
            continue;
        }
        if (!label.ends_with(wording.after)) continue;
        label.remove_suffix(wording.after.size());
        const int named = label == "先手" || label == "下手"   ? Black
                          : label == "後手" || label == "上手" ? White
                                                               : 0;
        if (named != 0 && named == NamedSide(wording, sideToMove)) return wording.result;
    }
    return std::nullopt;
}

int DigitValue(char32_t c) {
    if (c >= U'1' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'１' && c <= U'９') return static_cast<int>(c - U'０');
    return 0;
}

int KanjiDigitValue(char32_t c) {
    for (int digit = 1; digit <= 9; ++digit)
        if (KanjiDigitCharacters[digit] == c) return digit;
    return 0;
}

std::optional<long long> ReadNumber(std::string_view text, std::size_t& pos, long long limit) {
    long long value = 0;
    bool any = false;
    // ASCII digits, the usual case, without decoding characters.
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        if (value > limit) return std::nullopt;
        any = true;
        ++pos;
    }
    for (;;) {
        std::size_t next = pos;
        const char32_t c = NextCharacter(text, next);
        int digit = -1;
        if (c >= U'0' && c <= U'9') digit = static_cast<int>(c - U'0');
        if (c >= U'０' && c <= U'９') digit = static_cast<int>(c - U'０');
        if (digit < 0) break;
        value = value * 10 + digit;
        if (value > limit) return std::nullopt;
        any = true;
        pos = next;
    }
    if (!any) return std::nullopt;
    return value;
}

std::optional<int> ParseCount(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::size_t pos = 0;
    if (const auto number = ReadNumber(text, pos, 99)) {
        if (pos == text.size()) return static_cast<int>(*number);
        return std::nullopt;
    }
    // [tens]十[units], or a single digit.
    int value = 0;
    pos = 0;
    const int first = KanjiDigitValue(NextCharacter(text, pos));
    if (first != 0 && pos == text.size()) return first;
    std::size_t afterTen = 0;
    if (first != 0) {
        afterTen = pos;
        if (NextCharacter(text, afterTen) != U'十') return std::nullopt;
        value = first * 10;
    } else {
        pos = 0;
        if (NextCharacter(text, pos) != U'十') return std::nullopt;
        afterTen = pos;
        value = 10;
    }
    if (afterTen == text.size()) return value;
    const int units = KanjiDigitValue(NextCharacter(text, afterTen));
    if (units == 0 || afterTen != text.size()) return std::nullopt;
    return value + units;
}

std::string KanjiCount(int count) {
    if (count < 1 || count > 99) return std::to_string(count);
    std::string text;
    if (count >= 10) {
        if (count >= 20) text += KanjiDigits[count / 10];
        text += "十";
    }
    if (count % 10 != 0) text += KanjiDigits[count % 10];
    return text;
}

std::string_view FullWidthDigit(int digit) {
    return FullWidthDigits[digit % 10];
}

std::string_view KanjiDigit(int digit) {
    return KanjiDigits[digit % 10];
}

std::string JapaneseSquare(Square sq) {
    std::string text(FullWidthDigit(sq.file + 1));
    text += KanjiDigit(sq.rank + 1);
    return text;
}

std::string_view JapanesePieceName(PieceCode piece) {
    return RecordNames[RuleOf(piece)];
}

std::string_view DiagramPieceName(PieceCode piece) {
    return DiagramNames[RuleOf(piece)];
}

int PieceOfName(std::string_view name) {
    std::size_t pos = 0;
    int piece = -1;
    if (ReadPieceName(name, pos, piece) && pos == name.size()) return piece;
    return -1;
}

int HandKindOfName(char32_t c) {
    switch (c) {
        case U'飛':
            return Rook;
        case U'角':
            return Bishop;
        case U'金':
            return Gold;
        case U'銀':
            return Silver;
        case U'桂':
            return Knight;
        case U'香':
            return Lance;
        case U'歩':
            return Pawn;
        case U'玉':
        case U'王':
            return King;
        default:
            return -1;
    }
}

std::string_view SideMark(int side) {
    return side == White ? WhiteMark : BlackMark;
}

int SideOfMark(char32_t c) {
    if (c == U'▲' || c == U'▼' || c == U'☗') return Black;
    if (c == U'△' || c == U'▽' || c == U'☖') return White;
    return 0;
}

std::string_view KifResultWord(GameResult result) {
    for (const ResultWord& entry : ResultWords)
        if (entry.result == result) return entry.word;
    return {};
}

std::optional<GameResult> ResultOfKifWord(std::string_view word) {
    for (const ResultWord& entry : ResultWords)
        if (entry.word == word) return entry.result;
    return std::nullopt;
}

Position ProblemStartPosition() {
    Position pos;
    pos.board.fill(0);
    pos.Cell(Square(0, 4)) = White | King;
    for (PieceType kind = 0; kind < King; ++kind)
        pos.HandCount(White, kind) = PiecesInSet[kind];
    pos.sideToMove = Black;
    return pos;
}

std::optional<Position> StartPositionOfName(std::string_view name) {
    for (const HandicapName& entry : HandicapNames)
        if (entry.name == name) return HandicapPosition(entry.handicap);
    if (name == ProblemStartName) return ProblemStartPosition();
    return std::nullopt;
}

std::optional<std::string_view> NameOfStartPosition(const Position& start) {
    if (const auto handicap = MatchHandicap(start)) {
        for (const HandicapName& entry : HandicapNames)
            if (entry.handicap == *handicap) return entry.name;
    }
    if (start == ProblemStartPosition()) return ProblemStartName;
    return std::nullopt;
}

bool ReadJapaneseMoveText(std::string_view text, std::size_t& pos, JapaneseMoveText& move,
                          std::string& error) {
    move = JapaneseMoveText();
    if (StartsWith(text, pos, "同")) {
        move.same = true;
        pos = SkipBlanks(text, pos + std::string_view("同").size());
    } else if (!ReadSquare(text, pos, move.to)) {
        error = "a move must begin with its square or 同";
        return false;
    }
    const std::size_t pieceStart = pos;
    const bool known = ReadPieceName(text, pos, move.piece);
    if (known) ReadMarks(text, pos, move);
    if (!known || !EndsMoveText(CharacterAt(text, pos))) {
        std::size_t end = pieceStart;
        for (std::size_t next = end; !EndsMoveText(NextCharacter(text, next));)
            end = next;
        // A line cut short, or a blank where the piece belongs, has no name to quote.
        if (end == pieceStart)
            error = pieceStart >= text.size() ? "the line ends before the piece"
                                              : "no piece after the square";
        else
            error = "unknown piece " + std::string(text.substr(pieceStart, end - pieceStart));
        pos = pieceStart;
        return false;
    }
    if (move.promote && IsPromoted(move.piece)) {
        error = std::string(JapanesePieceName(move.piece)) + " is promoted already";
        pos = pieceStart;
        return false;
    }
    return true;
}

std::string PlainMoveText(const MoveNode& node, int sideToMove) {
    std::string text(SideMark(sideToMove));
    if (node.IsResult()) return text + std::string(KifResultWord(*node.Result()));
    text += JapaneseSquare(node.move.to);
    text += JapanesePieceName(node.move.piece);
    if (node.move.promote) text += "成";
    if (node.move.drop) text += "打";
    return text;
}
