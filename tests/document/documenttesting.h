#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

#include "model/move.h"
#include "model/piece.h"
#include "model/square.h"

// Moves and files shared by the document tests. Squares are written as on the board: file 1..9
// and rank letter, so PawnStep(Black, 7, 'g', 'f') is P-7f.

inline Square At(int file, char rank) {
    return Square{rank - 'a', file - 1};
}

inline Move BoardMove(int side, PieceType kind, Square from, Square to) {
    Move move;
    move.from = from;
    move.to = to;
    move.piece = side + kind;
    return move;
}

// A pawn's step straight ahead on `file`.
inline Move PawnStep(int side, int file, char fromRank, char toRank) {
    return BoardMove(side, Pawn, At(file, fromRank), At(file, toRank));
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<cannot be read>");
    return file.readAll();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline std::string DataFile(const char* name) {
    return std::string(MARLOCK_TEST_DATA_DIR) + "/document/" + name;
}
