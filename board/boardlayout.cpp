#include "board/boardlayout.h"

#include <algorithm>
#include <cmath>

#include "model/piece.h"

namespace {

// A length of whole squares and a few pixels more or less, the pixels kept as they are.
int MapLength(int base, int square) {
    const int squares = (base + SquareSize / 2) / SquareSize;
    return squares * square + (base - squares * SquareSize);
}

}  // namespace

QPoint SquareOrigin(Square sq, int bottomSide) {
    if (bottomSide == Black) return {320 - SquareSize * sq.file, 32 + SquareSize * sq.rank};
    return {64 + SquareSize * sq.file, 32 + SquareSize * (8 - sq.rank)};
}

bool SquareAtPoint(QPoint p, int bottomSide, Square& sq) {
    if (!GridRect.contains(p)) return false;
    const int column = (p.x() - GridRect.left()) / SquareSize;
    const int row = (p.y() - GridRect.top()) / SquareSize;
    if (bottomSide == Black)
        sq = Square{row, 8 - column};
    else
        sq = Square{8 - row, column};
    return true;
}

BoardLayout BoardLayout::Fitting(QSize area) {
    BoardLayout layout;
    const int across = area.width() / (BoardWindowWidth / SquareSize);
    const int down = area.height() / (BoardWindowHeight / SquareSize);
    layout.square = std::max(SquareSize, std::min(across, down));
    const QSize size = layout.Size();
    layout.origin = QPoint(std::max(0, (area.width() - size.width()) / 2),
                           std::max(0, (area.height() - size.height()) / 2));
    return layout;
}

QPoint BoardLayout::Map(QPoint base) const {
    return origin + QPoint(base.x() * square / SquareSize, base.y() * square / SquareSize);
}

QRect BoardLayout::Map(const QRect& base) const {
    return QRect(Map(base.topLeft()),
                 QSize(MapLength(base.width(), square), MapLength(base.height(), square)));
}

QPoint BoardLayout::ToBase(QPoint p) const {
    const QPoint offset = p - origin;
    const auto toBase = [this](int v) {
        return static_cast<int>(std::floor(double(v) * SquareSize / square));
    };
    return {toBase(offset.x()), toBase(offset.y())};
}
