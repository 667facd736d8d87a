#include "board/boardwnd.h"

#include <QApplication>
#include <QBuffer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "format/handorder.h"

namespace {

// The four star points, on the grid corners three squares in from each edge of the board.
constexpr QPoint StarPoints[] = {{160, 128}, {256, 128}, {256, 224}, {160, 224}};

constexpr QRect WindowRect{0, 0, BoardWindowWidth, BoardWindowHeight};
constexpr QRect SideToMoveRect{64, 320, 288, 32};
// The frame that shows the keyboard focus, along the window's edge.
constexpr int FocusFrameWidth = 2;

// A filled circle of radius `radius` around the centre of the pixel at `star`: exactly the
// device pixels whose centres lie inside it. Qt's own aliased ellipse samples elsewhere and
// comes out lopsided.
void FillStarPoint(QPainter& painter, QPointF star, qreal radius, const QBrush& brush) {
    const qreal ratio = PainterPixelScale(painter);
    const qreal cx = (star.x() + 0.5) * ratio, cy = (star.y() + 0.5) * ratio;
    radius *= ratio;
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

// A frame `width` pixels wide along the inside of `r`.
void DrawFrame(QPainter& painter, const QRect& r, int width, const QBrush& brush) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), brush);
    painter.fillRect(QRect(r.left(), r.bottom() + 1 - width, r.width(), width), brush);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), brush);
    painter.fillRect(QRect(r.right() + 1 - width, r.top(), width, r.height()), brush);
}

QString CountLabel(int count) {
    return QStringLiteral("x%1").arg(count);
}

// Rounds down also for points left of or above the window, where integer division would not.
int FloorToSquare(int v) {
    return v - (((v % SquareSize) + SquareSize) % SquareSize);
}

// The program's font, grown with the board.
QFont LabelFont(const BoardLayout& layout) {
    QFont font = QApplication::font();
    if (layout.square == SquareSize) return font;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * layout.Scale());
    else
        font.setPixelSize(qRound(font.pixelSize() * layout.Scale()));
    return font;
}

}  // namespace

CBoardWnd::CBoardWnd(QWidget* parent)
    : QWidget(parent),
      m_penGrid(GridColor, 1, Qt::SolidLine, Qt::FlatCap),
      m_brushBlack(GridColor),
      m_brushWhite(FrameColor),
      m_brushBackground(BackgroundColor),
      m_brushBoard(BoardColor),
      m_pieces(std::make_unique<PiecePictures>(true)) {
    setObjectName(QStringLiteral("Board"));
    setWindowTitle(QStringLiteral("Board"));
    setMinimumSize(BoardWindowWidth, BoardWindowHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resize(BoardWindowWidth, BoardWindowHeight);
    // Every pixel comes from the picture, so Qt need not clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    EnsurePicture();
}

CBoardWnd::~CBoardWnd() = default;

void CBoardWnd::SetRecord(const GameRecord* record) {
    m_record = record;
}

void CBoardWnd::SetJapanesePieces(bool japanese) {
    if (m_pieces->IsJapanese() == japanese) return;
    m_pieces = std::make_unique<PiecePictures>(japanese);
    Redraw(false);
}

void CBoardWnd::Redraw(bool clearSelection) {
    if (clearSelection) m_bSelected = 0;
    if (!m_record) return;
    EnsurePicture();
    DrawPicture();
    update();
}

void CBoardWnd::Rotate() {
    m_bottomSide ^= SideMask;
    Redraw(true);
}

void CBoardWnd::ShowFocus(bool shown) {
    if (m_focusShown == shown) return;
    m_focusShown = shown;
    update();
}

QImage CBoardWnd::Picture() const {
    return m_bmpBoard.toImage();
}

QRect CBoardWnd::CellRect(QPoint p) {
    return QRect(FloorToSquare(p.x()), FloorToSquare(p.y()), SquareSize + 1, SquareSize + 1);
}

bool CBoardWnd::EnsurePicture() {
    const qreal ratio = devicePixelRatioF();
    const QSize size = this->size() * ratio;
    if (!m_bmpBoard.isNull() && m_bmpBoard.devicePixelRatio() == ratio && m_bmpBoard.size() == size)
        return false;
    m_bmpBoard = QPixmap(size);
    m_bmpBoard.setDevicePixelRatio(ratio);
    m_bmpBoard.fill(BackgroundColor);
    return true;
}

void CBoardWnd::DrawPicture() {
    QPainter painter(&m_bmpBoard);
    painter.fillRect(rect(), m_brushBackground);
    Paint(painter, m_layout);
}

QImage CBoardWnd::RenderPicture(int scale) {
    QImage image(QSize(BoardWindowWidth, BoardWindowHeight) * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    {
        QPainter painter(&image);
        Paint(painter, BoardLayout{});
    }
    image.setDevicePixelRatio(1);
    return image;
}

QByteArray CBoardWnd::RenderSvg(int scale) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    const QSize size = QSize(BoardWindowWidth, BoardWindowHeight) * scale;
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Board"));
    QPainter painter(&svg);
    painter.scale(scale, scale);
    Paint(painter, BoardLayout{});
    painter.end();
    return buffer.data();
}

void CBoardWnd::Paint(QPainter& painter, const BoardLayout& layout) {
    painter.fillRect(layout.Map(WindowRect), m_brushBackground);
    if (!m_record) return;
    painter.setFont(LabelFont(layout));
    DrawBoard(painter, layout);
    DrawBoardPieces(painter, layout);
    DrawHands(painter, layout);
    DrawLabels(painter, layout);
}

void CBoardWnd::DrawBoard(QPainter& painter, const BoardLayout& layout) {
    const QRect grid = layout.Map(GridRect);
    painter.fillRect(grid, m_brushBoard);
    DrawLastMove(painter, layout);

    // A line one pixel wide through pixel centres paints exactly the pixels from its start up
    // to, but not including, its end point.
    painter.setPen(m_penGrid);
    for (int x = grid.left(); x <= grid.right() + 1; x += layout.square)
        painter.drawLine(QLineF(x + 0.5, grid.top(), x + 0.5, grid.bottom() + 1));
    for (int y = grid.top(); y <= grid.bottom() + 1; y += layout.square)
        painter.drawLine(QLineF(grid.left(), y + 0.5, grid.right() + 1, y + 0.5));

    for (const QPoint& star : StarPoints)
        FillStarPoint(painter, layout.Map(star), 2.5 * layout.Scale(), m_brushBlack);
}

// The squares the last move left and reached; a drop reached one only. At a result, the move
// before it.
void CBoardWnd::DrawLastMove(QPainter& painter, const BoardLayout& layout) {
    const MoveNode* node = &m_record->Current();
    if (node->IsResult()) node = node->Parent();
    if (node == nullptr || node->Parent() == nullptr) return;
    const QSize square(SquareSize, SquareSize);
    painter.fillRect(layout.Map(QRect(SquareOrigin(node->move.to, m_bottomSide), square)),
                     LastMoveColor);
    if (!node->move.drop)
        painter.fillRect(layout.Map(QRect(SquareOrigin(node->move.from, m_bottomSide), square)),
                         LastMoveColor);
}

void CBoardWnd::DrawBoardPieces(QPainter& painter, const BoardLayout& layout) {
    const GameRecord& record = *m_record;
    for (int rank = 0; rank < BoardSize; ++rank)
        for (int file = 0; file < BoardSize; ++file) {
            const Square sq{rank, file};
            DrawPiece(painter, layout, record.Cell(sq), SquareOrigin(sq, m_bottomSide));
        }
}

void CBoardWnd::DrawHands(QPainter& painter, const BoardLayout& layout) {
    const Position& position = m_record->GetPosition();
    painter.setPen(GridColor);
    const QSize square(SquareSize, SquareSize);

    // The top side's hand fills the left column from the top, its counts left of the pieces.
    const int top = m_bottomSide ^ SideMask;
    QPoint point = TopHandRect.topLeft();
    for (const HeldPiece& held : HeldPieces(position, top, KindOrder)) {
        if (held.count > 1)
            painter.drawText(layout.Map(QRect(QPoint(0, point.y()), square)),
                             Qt::AlignRight | Qt::AlignTop, CountLabel(held.count));
        DrawPiece(painter, layout, top | held.kind, point);
        point.ry() += SquareSize;
    }

    // The bottom side's hand fills the right column from the bottom, its counts to the right.
    const int labelLeft = BottomHandRect.right() + 1;
    point = QPoint(BottomHandRect.left(), BottomHandRect.bottom() + 1);
    for (const HeldPiece& held : HeldPieces(position, m_bottomSide, KindOrder)) {
        if (held.count > 1)
            painter.drawText(layout.Map(QRect(QPoint(labelLeft, point.y() - SquareSize), square)),
                             Qt::AlignLeft | Qt::AlignBottom, CountLabel(held.count));
        point.ry() -= SquareSize;
        DrawPiece(painter, layout, m_bottomSide | held.kind, point);
    }
}

void CBoardWnd::DrawLabels(QPainter& painter, const BoardLayout& layout) {
    painter.setPen(GridColor);
    const bool blackBelow = m_bottomSide == Black;
    for (int i = 0; i < BoardSize; ++i) {
        const QChar digit(blackBelow ? '9' - i : '1' + i);
        painter.drawText(
            layout.Map(QRect(GridRect.left() + SquareSize * i, 0, SquareSize, SquareSize)),
            Qt::AlignCenter, QString(digit));
        const QChar letter(blackBelow ? 'a' + i : 'i' - i);
        painter.drawText(layout.Map(QRect(GridRect.right() + 1, GridRect.top() + SquareSize * i,
                                          SquareSize, SquareSize)),
                         Qt::AlignCenter, QString(letter));
    }
    painter.drawText(layout.Map(SideToMoveRect), Qt::AlignCenter, SideToMoveLine());
}

// "Black to move", or at the end of a line what its result says ("Black resigns").
QString CBoardWnd::SideToMoveLine() const {
    const int side = m_record->SideToMove();
    if (const std::optional<GameResult> result = m_record->Current().Result())
        return QString::fromStdString(ResultStatusLine(*result, side));
    return side == Black ? QStringLiteral("Black to move") : QStringLiteral("White to move");
}

// Pieces of the side at the bottom stand upright, the other side's are turned round.
void CBoardWnd::DrawPiece(QPainter& painter, const BoardLayout& layout, int code, QPoint base) {
    if (!(code & SideMask)) return;
    m_pieces->Draw(painter, code, layout.Map(QRect(base, QSize(SquareSize, SquareSize))),
                   !(code & m_bottomSide));
}

void CBoardWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_layout = BoardLayout::Fitting(size());
    if (EnsurePicture() && m_record) DrawPicture();
}

void CBoardWnd::paintEvent(QPaintEvent* event) {
    // Moved to a screen of another pixel density: draw the picture again at the new one.
    if (EnsurePicture() && m_record) DrawPicture();

    QPainter painter(this);
    const qreal ratio = m_bmpBoard.devicePixelRatio();
    for (const QRect& r : event->region())
        painter.drawPixmap(
            r, m_bmpBoard,
            QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    if (m_focusShown) DrawFrame(painter, rect(), FocusFrameWidth, palette().highlight());
    // One pixel along the inside of the frame rectangle.
    if (m_bSelected) DrawFrame(painter, m_layout.Map(m_rectFrame), 1, m_brushWhite);
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
    const QPoint p = m_layout.ToBase(
        QPoint(static_cast<int>(std::floor(pos.x())), static_cast<int>(std::floor(pos.y()))));
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
        update(m_layout.Map(m_rectFrame));
        if (m_rectFrame == rc) return;  // the selected piece itself: now nothing is selected
    }
    m_bSelected = 1;
    m_rectFrame = rc;
    m_move.piece = code;
    m_move.drop = drop;
    if (from) m_move.from = *from;
    update(m_layout.Map(m_rectFrame));
}

void CBoardWnd::EnterMove(Square to) {
    const GameRecord& record = *m_record;
    m_move.to = to;
    // Set for drops too: a drop where the piece could never move again is then refused.
    m_move.promote = record.MustPromote(m_move) ? 1 : 0;
    if (!record.IsLegal(m_move)) return;

    m_bSelected = 0;
    update(m_layout.Map(m_rectFrame));
    emit moveEntered(m_move);
}
