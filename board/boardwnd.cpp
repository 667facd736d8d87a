#include "board/boardwnd.h"

#include <QApplication>
#include <QBuffer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "board/boarddrawing.h"
#include "document/gamewords.h"

namespace {

constexpr QRect WindowRect{0, 0, BoardWindowWidth, BoardWindowHeight};
constexpr QRect SideToMoveRect{64, 320, 288, 32};
// The frame that shows the keyboard focus, along the window's edge.
constexpr int FocusFrameWidth = 2;

// Rounds down also for points left of or above the window, where integer division would not.
int FloorToSquare(int v) {
    return v - (((v % SquareSize) + SquareSize) % SquareSize);
}

}  // namespace

CBoardWnd::CBoardWnd(QWidget* parent)
    : QWidget(parent),
      m_brushWhite(FrameColor),
      m_brushBackground(BackgroundColor),
      m_pieces(std::make_unique<PiecePictures>(true)) {
    setObjectName(QStringLiteral("Board"));
    setWindowTitle(tr("Board"));
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
    Paint(painter, m_layout, true);
}

QImage CBoardWnd::RenderPicture(int scale) {
    QImage image(QSize(BoardWindowWidth, BoardWindowHeight) * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    {
        QPainter painter(&image);
        Paint(painter, BoardLayout{}, false);
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
    Paint(painter, BoardLayout{}, false);
    painter.end();
    return buffer.data();
}

void CBoardWnd::Paint(QPainter& painter, const BoardLayout& layout, bool shown) {
    painter.fillRect(layout.Map(WindowRect), m_brushBackground);
    if (!m_record) return;
    painter.setFont(BoardLabelFont(layout));
    DrawBoard(painter, layout);
    DrawBoardPieces(painter, layout, *m_pieces, m_record->GetPosition(), m_bottomSide);
    DrawHands(painter, layout, *m_pieces, m_record->GetPosition(), m_bottomSide);
    DrawLabels(painter, layout, shown);
}

void CBoardWnd::DrawBoard(QPainter& painter, const BoardLayout& layout) {
    DrawBoardSurface(painter, layout);
    DrawLastMove(painter, layout);
    DrawGrid(painter, layout);
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

void CBoardWnd::DrawLabels(QPainter& painter, const BoardLayout& layout, bool shown) {
    DrawCoordinates(painter, layout, m_bottomSide);
    painter.drawText(layout.Map(SideToMoveRect), Qt::AlignCenter, SideToMoveLine(shown));
}

// "Black to move", or at the end of a line what its result says ("Black resigns").
QString CBoardWnd::SideToMoveLine(bool shown) const {
    const int side = m_record->SideToMove();
    if (const std::optional<GameResult> result = m_record->Current().Result())
        return shown ? ResultStatusWords(*result, side)
                     : QString::fromStdString(ResultStatusLine(*result, side));
    return shown ? SideToMoveWords(side)
                 : QString::fromUtf8(SideName(side)) + QStringLiteral(" to move");
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
    QRect rc = CellRect(p);
    int slot = 0;
    if (const int hand = HandSideAt(p, m_bottomSide, slot)) {
        // Keep the frame of the top hand off the board's left grid line.
        if (hand != m_bottomSide) rc.setRight(rc.right() - 1);
        PieceType kind = Pawn;
        if (hand == side && HandSlotKind(m_record->GetPosition(), side, slot, kind))
            SelectPiece(side | kind, 1, nullptr, rc);
        return;
    }

    Square sq;
    if (!SquareAtPoint(p, m_bottomSide, sq)) return;
    const int code = m_record->Cell(sq);
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
