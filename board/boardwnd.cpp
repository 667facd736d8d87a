#include "board/boardwnd.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtDebug>
#include <cmath>

#include "format/handorder.h"

// Q_INIT_RESOURCE must stand outside any namespace; calling it also keeps the linker from
// dropping the compiled pictures out of the static library.
static void InitPieceResources() {
    Q_INIT_RESOURCE(pieces);
}

namespace {

// The four star points, on the grid corners three squares in from each edge of the board.
constexpr QPoint StarPoints[] = {{160, 128}, {256, 128}, {256, 224}, {160, 224}};

constexpr QRect WindowRect{0, 0, BoardWindowWidth, BoardWindowHeight};
constexpr QRect SideToMoveRect{64, 320, 288, 32};

// A filled black circle in the box (x-2, y-2)-(x+3, y+3): exactly the device pixels whose centres
// lie inside it. Qt's own aliased ellipse samples elsewhere and comes out as a 5 x 4 block.
void FillStarPoint(QPainter& painter, QPoint star, const QBrush& brush) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const qreal cx = (star.x() + 0.5) * ratio, cy = (star.y() + 0.5) * ratio;
    const qreal radius = 2.5 * ratio;
    const int first = static_cast<int>(std::floor(cy - radius));
    const int last = static_cast<int>(std::ceil(cy + radius));
    for (int row = first; row <= last; ++row) {
        const qreal dy = row + 0.5 - cy;
        if (dy * dy >= radius * radius) continue;
        // Pixels i with (i + 0.5 - cx)^2 < radius^2 - dy^2.
        const qreal half = std::sqrt(radius * radius - dy * dy);
        const int left = static_cast<int>(std::floor(cx - half + 0.5));
        const int right = static_cast<int>(std::ceil(cx + half - 0.5));
        if (right <= left) continue;
        painter.fillRect(QRectF(left / ratio, row / ratio, (right - left) / ratio, 1 / ratio),
                         brush);
    }
}

QString CountLabel(int count) {
    return QStringLiteral("x%1").arg(count);
}

// Rounds down also for points left of or above the window, where integer division would not.
int FloorToSquare(int v) {
    return v - (((v % SquareSize) + SquareSize) % SquareSize);
}

}  // namespace

int PieceCell(int code) {
    if (KindOf(code) == King) return (code & Black) ? 7 : 15;
    return RuleOf(code);
}

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

std::array<QImage, PieceCellCount> LoadPieceCells(bool japanese, bool turned) {
    static const bool loaded = (InitPieceResources(), true);
    (void)loaded;
    const QString path = japanese ? QStringLiteral(":/pieces/japanese.png")
                                  : QStringLiteral(":/pieces/international.png");
    QImage strip(path);
    std::array<QImage, PieceCellCount> cells;
    if (strip.width() != PieceStripWidth || strip.height() != SquareSize) {
        // The strips are compiled into the program, so this is a broken build, not bad input.
        qWarning("The piece pictures %s are missing or not %d x %d", qPrintable(path),
                 PieceStripWidth, SquareSize);
        return cells;
    }
    strip = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = StripTransparentColor.rgb();
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x)
            if ((line[x] | 0xff000000u) == transparent) line[x] = 0;
    }
    strip = strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int cell = 0; cell < PieceCellCount; ++cell) {
        QImage picture = strip.copy(cell * SquareSize, 0, SquareSize, SquareSize);
        cells[cell] = turned ? picture.mirrored(true, true) : picture;
    }
    return cells;
}

CBoardWnd::CBoardWnd(QWidget* parent)
    : QWidget(parent),
      m_penGrid(GridColor, 1, Qt::SolidLine, Qt::FlatCap),
      m_brushBlack(GridColor),
      m_brushWhite(FrameColor),
      m_brushBackground(BackgroundColor),
      m_brushBoard(BoardColor) {
    setObjectName(QStringLiteral("Board"));
    setWindowTitle(QStringLiteral("Board"));
    setFixedSize(BoardWindowWidth, BoardWindowHeight);
    // Every pixel comes from the picture, so Qt need not clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    EnsurePictureRatio();
    LoadPiecePictures();
}

CBoardWnd::~CBoardWnd() = default;

void CBoardWnd::SetRecord(const GameRecord* record) {
    m_record = record;
}

void CBoardWnd::SetJapanesePieces(bool japanese) {
    if (m_japanesePieces == japanese) return;
    m_japanesePieces = japanese;
    LoadPiecePictures();
    Redraw(false);
}

void CBoardWnd::LoadPiecePictures() {
    m_piecesUpright = LoadPieceCells(m_japanesePieces, false);
    m_piecesTurned = LoadPieceCells(m_japanesePieces, true);
    m_piecesRatio = m_bmpBoard.devicePixelRatio();
    if (m_piecesRatio == 1.0) return;
    // Scaled once here, so that drawing a piece stays a plain copy on a high-density screen.
    const int size = qRound(SquareSize * m_piecesRatio);
    for (auto* set : {&m_piecesUpright, &m_piecesTurned}) {
        for (QImage& picture : *set) {
            if (picture.isNull()) continue;
            picture = picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            picture.setDevicePixelRatio(m_piecesRatio);
        }
    }
}

void CBoardWnd::Redraw(bool clearSelection) {
    if (clearSelection) m_bSelected = 0;
    if (!m_record) return;
    EnsurePictureRatio();
    DrawPicture();
    update();
}

void CBoardWnd::Rotate() {
    m_bottomSide ^= SideMask;
    Redraw(true);
}

QImage CBoardWnd::Picture() const {
    return m_bmpBoard.toImage();
}

QRect CBoardWnd::CellRect(QPoint p) {
    return QRect(FloorToSquare(p.x()), FloorToSquare(p.y()), SquareSize + 1, SquareSize + 1);
}

bool CBoardWnd::EnsurePictureRatio() {
    const qreal ratio = devicePixelRatioF();
    if (!m_bmpBoard.isNull() && m_bmpBoard.devicePixelRatio() == ratio) return false;
    m_bmpBoard = QPixmap(QSize(BoardWindowWidth, BoardWindowHeight) * ratio);
    m_bmpBoard.setDevicePixelRatio(ratio);
    m_bmpBoard.fill(BackgroundColor);
    return true;
}

void CBoardWnd::DrawPicture() {
    if (m_piecesRatio != m_bmpBoard.devicePixelRatio()) LoadPiecePictures();
    QPainter painter(&m_bmpBoard);
    painter.setFont(QApplication::font());
    DrawBoard(painter);
    DrawBoardPieces(painter);
    DrawHands(painter);
    DrawLabels(painter);
}

void CBoardWnd::DrawBoard(QPainter& painter) {
    painter.fillRect(WindowRect, m_brushBackground);
    painter.fillRect(GridRect, m_brushBoard);

    // A line one pixel wide through pixel centres paints exactly the pixels from its start up
    // to, but not including, its end point.
    painter.setPen(m_penGrid);
    for (int x = GridRect.left(); x <= GridRect.right() + 1; x += SquareSize)
        painter.drawLine(QLineF(x + 0.5, GridRect.top(), x + 0.5, GridRect.bottom() + 1));
    for (int y = GridRect.top(); y <= GridRect.bottom() + 1; y += SquareSize)
        painter.drawLine(QLineF(GridRect.left(), y + 0.5, GridRect.right() + 1, y + 0.5));

    for (const QPoint& star : StarPoints)
        FillStarPoint(painter, star, m_brushBlack);
}

void CBoardWnd::DrawBoardPieces(QPainter& painter) {
    const GameRecord& record = *m_record;
    for (int rank = 0; rank < BoardSize; ++rank)
        for (int file = 0; file < BoardSize; ++file) {
            const Square sq{rank, file};
            DrawPiece(painter, record.Cell(sq), SquareOrigin(sq, m_bottomSide));
        }
}

void CBoardWnd::DrawHands(QPainter& painter) {
    const Position& position = m_record->GetPosition();
    painter.setPen(GridColor);

    // The top side's hand fills the left column from the top, its counts left of the pieces.
    const int top = m_bottomSide ^ SideMask;
    QPoint point = TopHandRect.topLeft();
    for (const HeldPiece& held : HeldPieces(position, top, KindOrder)) {
        if (held.count > 1)
            painter.drawText(QRect(0, point.y(), TopHandRect.left(), SquareSize),
                             Qt::AlignRight | Qt::AlignTop, CountLabel(held.count));
        DrawPiece(painter, top | held.kind, point);
        point.ry() += SquareSize;
    }

    // The bottom side's hand fills the right column from the bottom, its counts to the right.
    const int labelLeft = BottomHandRect.right() + 1;
    point = QPoint(BottomHandRect.left(), BottomHandRect.bottom() + 1);
    for (const HeldPiece& held : HeldPieces(position, m_bottomSide, KindOrder)) {
        if (held.count > 1)
            painter.drawText(QRect(labelLeft, point.y() - SquareSize, SquareSize, SquareSize),
                             Qt::AlignLeft | Qt::AlignBottom, CountLabel(held.count));
        point.ry() -= SquareSize;
        DrawPiece(painter, m_bottomSide | held.kind, point);
    }
}

void CBoardWnd::DrawLabels(QPainter& painter) {
    painter.setPen(GridColor);
    const bool blackBelow = m_bottomSide == Black;
    for (int i = 0; i < BoardSize; ++i) {
        const QChar digit(blackBelow ? '9' - i : '1' + i);
        painter.drawText(QRect(GridRect.left() + SquareSize * i, 0, SquareSize, SquareSize),
                         Qt::AlignCenter, QString(digit));
        const QChar letter(blackBelow ? 'a' + i : 'i' - i);
        painter.drawText(
            QRect(GridRect.right() + 1, GridRect.top() + SquareSize * i, SquareSize, SquareSize),
            Qt::AlignCenter, QString(letter));
    }
    painter.drawText(SideToMoveRect, Qt::AlignCenter, SideToMoveLine());
}

// "Black to move", or at the end of a line what its result says ("Black resigns").
QString CBoardWnd::SideToMoveLine() const {
    const int side = m_record->SideToMove();
    if (const std::optional<GameResult> result = m_record->Current().Result())
        return QString::fromStdString(ResultStatusLine(*result, side));
    return side == Black ? QStringLiteral("Black to move") : QStringLiteral("White to move");
}

void CBoardWnd::DrawPiece(QPainter& painter, int code, QPoint point) {
    if (code == 0) return;
    const int cell = PieceCell(code);
    if (code & m_bottomSide)
        painter.drawImage(point, m_piecesUpright[cell]);
    else if (code & SideMask)
        painter.drawImage(point, m_piecesTurned[cell]);
}

void CBoardWnd::paintEvent(QPaintEvent* event) {
    // Moved to a screen of another pixel density: draw the picture again at the new one.
    if (EnsurePictureRatio() && m_record) DrawPicture();

    QPainter painter(this);
    const qreal ratio = m_bmpBoard.devicePixelRatio();
    for (const QRect& r : event->region())
        painter.drawPixmap(
            r, m_bmpBoard,
            QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    if (!m_bSelected) return;
    // One pixel along the inside of the frame rectangle.
    const QRect& f = m_rectFrame;
    painter.fillRect(QRect(f.left(), f.top(), f.width(), 1), m_brushWhite);
    painter.fillRect(QRect(f.left(), f.bottom(), f.width(), 1), m_brushWhite);
    painter.fillRect(QRect(f.left(), f.top(), 1, f.height()), m_brushWhite);
    painter.fillRect(QRect(f.right(), f.top(), 1, f.height()), m_brushWhite);
}

bool CBoardWnd::HandPieceAt(int side, int n, int& code) const {
    const HeldPieces held(m_record->GetPosition(), side, KindOrder);
    if (n < 1 || n > held.size()) return false;
    code = side | held[n - 1].kind;
    return true;
}

void CBoardWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // A click on the board takes the keyboard focus out of the view's text fields.
    if (parentWidget()) parentWidget()->setFocus();
    // A line that ended in a result takes no further moves.
    if (!m_record || m_record->Current().IsResult()) return;

    const QPointF pos = event->position();
    const QPoint p(static_cast<int>(std::floor(pos.x())), static_cast<int>(std::floor(pos.y())));
    const int side = m_record->SideToMove();
    const int top = m_bottomSide ^ SideMask;
    QRect rc = CellRect(p);
    int code = 0;

    if ((side & m_bottomSide) && BottomHandRect.contains(p)) {
        const int slot = 9 - (p.y() - BottomHandRect.top()) / SquareSize;
        if (HandPieceAt(m_bottomSide, slot, code)) SelectPiece(code, 1, nullptr, rc);
        return;
    }
    if ((side & top) && TopHandRect.contains(p)) {
        const int slot = (p.y() - TopHandRect.top()) / SquareSize + 1;
        // Keep the frame off the board's left grid line.
        rc.setRight(rc.right() - 1);
        if (HandPieceAt(top, slot, code)) SelectPiece(code, 1, nullptr, rc);
        return;
    }

    Square sq;
    if (!SquareAtPoint(p, m_bottomSide, sq)) return;
    code = m_record->Cell(sq);
    if (code & side)
        SelectPiece(code, 0, &sq, rc);
    else if (m_bSelected)
        EnterMove(sq);
}

void CBoardWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void CBoardWnd::SelectPiece(int code, int drop, const Square* from, const QRect& rc) {
    if (m_bSelected) {
        m_bSelected = 0;
        update(m_rectFrame);
        if (m_rectFrame == rc) return;  // the selected piece itself: now nothing is selected
    }
    m_bSelected = 1;
    m_rectFrame = rc;
    m_move.piece = code;
    m_move.drop = drop;
    if (from) m_move.from = *from;
    update(m_rectFrame);
}

void CBoardWnd::EnterMove(Square to) {
    const GameRecord& record = *m_record;
    m_move.to = to;
    // Set for drops too: a drop where the piece could never move again is then refused.
    m_move.promote = record.MustPromote(m_move) ? 1 : 0;
    if (!record.IsLegal(m_move)) return;

    m_bSelected = 0;
    update(m_rectFrame);
    emit moveEntered(m_move);
}
