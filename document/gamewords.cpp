#include "document/gamewords.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

class GameWords {
    Q_DECLARE_TR_FUNCTIONS(GameWords)
};

// Words that a table names, marked for translation where the table stands.
QString Words(const char* text) {
    return GameWords::tr(text);
}

// The n-th of a list of words separated by spaces, the list translated as one text.
QString NthWord(const char* list, int n) {
    return Words(list).split(QLatin1Char(' '), Qt::SkipEmptyParts).value(n);
}

//: The kinds of piece, in this order, separated by spaces.
const char* const KindList =
    QT_TRANSLATE_NOOP("GameWords", "pawn lance knight silver gold bishop rook king");
//: The files from 1 to 9, separated by spaces.
const char* const FileList = QT_TRANSLATE_NOOP("GameWords", "1 2 3 4 5 6 7 8 9");
//: The ranks from the top (a) to the bottom (i), separated by spaces.
const char* const RankList = QT_TRANSLATE_NOOP("GameWords", "a b c d e f g h i");
//: The counts two to nine, separated by spaces.
const char* const CountList =
    QT_TRANSLATE_NOOP("GameWords", "two three four five six seven eight nine");

QString KindWords(PieceType kind) {
    return NthWord(KindList, kind & 7);
}

// The square as the notation writes it: file, then rank ("5a").
QString SquareWords(Square square) {
    return GameWords::tr("%1%2", "a square: file, then rank")
        .arg(NthWord(FileList, square.file), NthWord(RankList, square.rank));
}

// "two" to "nine" for the small counts a message names; digits beyond.
QString CountWords(long long count) {
    if (count < 2 || count > 9) return QString::number(count);
    return NthWord(CountList, static_cast<int>(count - 2));
}

struct ResultWords {
    const char* label;
    // What the board says after the side's name, or the whole line when it names no side.
    const char* afterSide;
    const char* wholeLine;
};

// Indexed by the result's value.
constexpr ResultWords ResultTexts[GameResultCount] = {
    {QT_TRANSLATE_NOOP("GameWords", "Resigns"), QT_TRANSLATE_NOOP("GameWords", "%1 resigns"),
     nullptr},
    {QT_TRANSLATE_NOOP("GameWords", "Interrupted"), nullptr,
     QT_TRANSLATE_NOOP("GameWords", "Interrupted")},
    {QT_TRANSLATE_NOOP("GameWords", "Repetition"), nullptr,
     QT_TRANSLATE_NOOP("GameWords", "Repetition")},
    {QT_TRANSLATE_NOOP("GameWords", "Impasse"), nullptr, QT_TRANSLATE_NOOP("GameWords", "Impasse")},
    {QT_TRANSLATE_NOOP("GameWords", "Time-out"), QT_TRANSLATE_NOOP("GameWords", "%1 loses on time"),
     nullptr},
    {QT_TRANSLATE_NOOP("GameWords", "Illegal move"),
     QT_TRANSLATE_NOOP("GameWords", "%1 wins: illegal move"), nullptr},
    {QT_TRANSLATE_NOOP("GameWords", "Foul"), QT_TRANSLATE_NOOP("GameWords", "%1 loses by a foul"),
     nullptr},
    {QT_TRANSLATE_NOOP("GameWords", "Declaration"),
     QT_TRANSLATE_NOOP("GameWords", "%1 declares a win"), nullptr},
    {QT_TRANSLATE_NOOP("GameWords", "Mate"), QT_TRANSLATE_NOOP("GameWords", "%1 is mated"),
     nullptr},
    {QT_TRANSLATE_NOOP("GameWords", "No mate"), nullptr, QT_TRANSLATE_NOOP("GameWords", "No mate")},
    {QT_TRANSLATE_NOOP("GameWords", "Draw"), nullptr, QT_TRANSLATE_NOOP("GameWords", "Draw")},
    {QT_TRANSLATE_NOOP("GameWords", "Move limit"), nullptr,
     QT_TRANSLATE_NOOP("GameWords", "Move limit reached")},
    {QT_TRANSLATE_NOOP("GameWords", "Sealed move"),
     QT_TRANSLATE_NOOP("GameWords", "%1 seals the next move"), nullptr},
};

struct LossKind {
    long long count;
    const char* one;   // the words for one ("1 comment", "the result")
    const char* many;  // for more, the count as %1
};

}  // namespace

QString SideWords(int side) {
    return side == White ? GameWords::tr("White") : GameWords::tr("Black");
}

QString SideToMoveWords(int side) {
    return side == White ? GameWords::tr("White to move") : GameWords::tr("Black to move");
}

QString ResultLabelWords(GameResult result) {
    return Words(ResultTexts[static_cast<int>(result)].label);
}

QString ResultStatusWords(GameResult result, int sideToMove) {
    const ResultWords& texts = ResultTexts[static_cast<int>(result)];
    if (texts.afterSide == nullptr) return Words(texts.wholeLine);
    return Words(texts.afterSide).arg(SideWords(sideToMove));
}

QString LossesWords(const RecordLosses& losses) {
    const LossKind kinds[] = {
        {losses.moves, QT_TRANSLATE_NOOP("GameWords", "1 move"),
         QT_TRANSLATE_NOOP("GameWords", "%1 moves")},
        {losses.variations, QT_TRANSLATE_NOOP("GameWords", "1 variation"),
         QT_TRANSLATE_NOOP("GameWords", "%1 variations")},
        {losses.comments, QT_TRANSLATE_NOOP("GameWords", "1 comment"),
         QT_TRANSLATE_NOOP("GameWords", "%1 comments")},
        {losses.results, QT_TRANSLATE_NOOP("GameWords", "the result"),
         QT_TRANSLATE_NOOP("GameWords", "%1 results")},
        {losses.moveTimes, QT_TRANSLATE_NOOP("GameWords", "1 move time"),
         QT_TRANSLATE_NOOP("GameWords", "%1 move times")},
        {losses.bookmarks, QT_TRANSLATE_NOOP("GameWords", "1 bookmark"),
         QT_TRANSLATE_NOOP("GameWords", "%1 bookmarks")},
        {losses.headerLines, QT_TRANSLATE_NOOP("GameWords", "1 header line"),
         QT_TRANSLATE_NOOP("GameWords", "%1 header lines")},
    };
    QStringList phrases;
    for (const LossKind& kind : kinds) {
        if (kind.count == 1) phrases.append(Words(kind.one));
        if (kind.count > 1) phrases.append(Words(kind.many).arg(kind.count));
    }
    if (losses.startPosition) phrases.append(GameWords::tr("the start position"));
    QString text;
    for (qsizetype i = 0; i < phrases.size(); ++i) {
        if (i > 0) text += i + 1 == phrases.size() ? GameWords::tr(" and ") : GameWords::tr(", ");
        text += phrases[i];
    }
    return text;
}

QString ProblemWords(const PositionProblem& problem) {
    const QString side = SideWords(problem.side);
    const QString kind = KindWords(problem.kind);
    switch (problem.rule) {
        case PositionRule::SideToMove:
            return GameWords::tr("the side to move is neither Black nor White");
        case PositionRule::InvalidCode:
            return GameWords::tr("invalid piece code %1 at %2")
                .arg(problem.count)
                .arg(SquareWords(problem.square));
        case PositionRule::NegativeHand:
            return GameWords::tr("%1 has %2 %3s in hand").arg(side).arg(problem.count).arg(kind);
        case PositionRule::TwoKings:
            return GameWords::tr("%1 %2 kings").arg(CountWords(problem.count), side);
        case PositionRule::TooManyPieces:
            return GameWords::tr("%1 %2s").arg(problem.count).arg(kind);
        case PositionRule::StrandedPiece:
            return GameWords::tr("%1's %2 on %3 can never move")
                .arg(side, kind, SquareWords(problem.square));
        case PositionRule::DoubledPawns:
            return GameWords::tr("%1 %2 pawns on file %3")
                .arg(CountWords(problem.count), side, NthWord(FileList, problem.square.file));
        case PositionRule::OpponentInCheck:
            return GameWords::tr("%1's king on %2 is in check with %3 to move")
                .arg(side, SquareWords(problem.square), SideWords(OtherSide(problem.side)));
    }
    return {};
}

QString RefusalWords(const Position& position) {
    for (const PositionProblem& problem : PositionProblems(position))
        if (IsRefusal(problem)) return ProblemWords(problem);
    return {};
}
