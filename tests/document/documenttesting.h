#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

#include "tests/model/positiontesting.h"

// A move written by its squares, "7g7f", of the piece standing there in the initial position.
inline Move StartMove(std::string_view squares) {
    return MoveOn(Position(), squares);
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

// A file of the test data, by its path in the data folder.
inline QString TestData(const char* path) {
    return QStringLiteral(MARLOCK_TEST_DATA_DIR "/") + path;
}

// A title, a comment before the first move and a variation at move 2, as ESN writes them.
inline const QByteArray ClubFinalEsn =
    "[TITLE Club final]\r\n[Quiet start]\r\n1. P-7f\r\n2. P-3d\r\n{\r\n2. P-8d\r\n}\r\n";
