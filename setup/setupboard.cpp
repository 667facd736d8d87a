#include "setup/setupboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "board/boarddrawing.h"
#include "board/boardwnd.h"
#include "board/piecepictures.h"
#include "document/gamewords.h"

namespace {

constexpr QRect SideToMoveRect{64, 320, 288, 32};
constexpr QRect BoxLabelRect{0, 352, 60, 32};
constexpr int Columns = BoardWindowWidth / SquareSize;
constexpr int Rows = SetupBoard::PictureHeight / SquareSize;

}  // namespace

SetupBoard::SetupBoard(const SetupPosition& setup, const BoardLook& look, QWidget* parent)
    : QWidget(parent),
      m_setup(setup),
      m_pieces(std::make_unique<PiecePictures>(look.japanese)),
      m_bottomSide(look.bottomSide),
      m_startSquare(std::max(SquareSize, look.square)) {
    setObjectName(QStringLiteral("setupBoard"));
    setMinimumSize(BoardWindowWidth, PictureHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
}

SetupBoard::~SetupBoard() = default;

QSize SetupBoard::sizeHint() const {
    return QSize(Columns, Rows) * m_startSquare;
}

QRect SetupBoard::BoxSlot(PieceType kind) {
    return {GridRect.left() + kind * SquareSize, BoardWindowHeight, SquareSize, SquareSize};
}

void SetupBoard::SetSetup(const SetupPosition& setup) {
    m_setup = setup;
    m_picked.reset();
    Edited();
}

void SetupBoard::Edited() {
    update();
    emit changed();
}

void SetupBoard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_layout.square = std::max(SquareSize, std::min(width() / Columns, height() / Rows));
    m_layout.origin =
        QPoint((width() - Columns * m_layout.square) / 2, (height() - Rows * m_layout.square) / 2);
}

void SetupBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), BackgroundColor);
    painter.setFont(BoardLabelFont(m_layout));
    const Position& position = m_setup.GetPosition();
    DrawBoardSurface(painter, m_layout);
    DrawGrid(painter, m_layout);
    DrawCoordinates(painter, m_layout, m_bottomSide);
    DrawBoardPieces(painter, m_layout, *m_pieces, position, m_bottomSide);
    DrawHands(painter, m_layout, *m_pieces, position, m_bottomSide);
    painter.drawText(m_layout.Map(SideToMoveRect), Qt::AlignCenter,
                     SideToMoveWords(position.sideToMove));
    DrawBox(painter);
    if (hasFocus()) DrawFrame(painter, rect(), 2, palette().highlight());
    if (m_picked) DrawFrame(painter, m_layout.Map(m_pickedFrame), 1, QBrush(FrameColor));
    if (m_dragging && m_pressed) {
        const PieceCode held = m_setup.PieceAt(*m_pressed);
        const PieceCode code =
            m_pressed->area == PiecePlace::Area::Box    ? m_bottomSide | KindOf(held)
            : m_pressed->area == PiecePlace::Area::Hand ? m_pressed->side | KindOf(held)
                                                        : held;
        const QRectF square(m_dragPoint - QPointF(m_layout.square, m_layout.square) / 2,
                            QSizeF(m_layout.square, m_layout.square));
        m_pieces->Draw(painter, code, square, !(code & m_bottomSide));
    }
}

void SetupBoard::DrawBox(QPainter& painter) {
    painter.setPen(GridColor);
    painter.drawText(m_layout.Map(BoxLabelRect), Qt::AlignRight | Qt::AlignVCenter, tr("Box"));
    for (PieceType kind = 0; kind < KindCount; ++kind) {
        const int count = m_setup.BoxCount(kind);
        if (count == 0) continue;
        const QRect slot = BoxSlot(kind);
        DrawPieceAt(painter, m_layout, *m_pieces, m_bottomSide | kind, slot.topLeft(),
                    m_bottomSide);
        if (count > 1)
            painter.drawText(m_layout.Map(slot.translated(0, SquareSize).adjusted(0, 0, 0, -16)),
                             Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("x%1").arg(count));
    }
}

std::optional<PiecePlace> SetupBoard::PlaceAt(QPoint base) const {
    Square sq;
    if (SquareAtPoint(base, m_bottomSide, sq)) return PiecePlace::OnBoard(sq, m_bottomSide);
    int slot = 0;
    if (const int side = HandSideAt(base, m_bottomSide, slot)) {
        PieceType kind = King;
        HandSlotKind(m_setup.GetPosition(), side, slot, kind);
        return PiecePlace::InHand(side, kind);
    }
    for (PieceType kind = 0; kind < KindCount; ++kind)
        if (BoxSlot(kind).contains(base)) return PiecePlace::InBox(kind);
    return std::nullopt;
}

QPoint SetupBoard::BasePoint(const QMouseEvent& event) const {
    const QPointF pos = event.position();
    return m_layout.ToBase(
        QPoint(static_cast<int>(std::floor(pos.x())), static_cast<int>(std::floor(pos.y()))));
}

void SetupBoard::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const QPoint base = BasePoint(*event);
    const std::optional<PiecePlace> place = PlaceAt(base);
    if (event->button() == Qt::RightButton) {
        if (place && place->area == PiecePlace::Area::Board && m_setup.Turn(place->square)) {
            m_picked.reset();
            Edited();
        }
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (m_picked) {
        if (place) PutDown(*place);
        return;
    }
    if (!place || m_setup.PieceAt(*place) == 0) return;
    m_pressed = place;
    m_pressPoint = event->position().toPoint();
    m_pickedFrame = CBoardWnd::CellRect(base);
    // Keep the frame of the top hand off the board's left grid line.
    if (TopHandRect.contains(base)) m_pickedFrame.setRight(m_pickedFrame.right() - 1);
}

void SetupBoard::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed) return;
    m_dragPoint = event->position().toPoint();
    if ((m_dragPoint - m_pressPoint).manhattanLength() >= QApplication::startDragDistance())
        m_dragging = true;
    if (m_dragging) update();
}

void SetupBoard::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) return;
    const PiecePlace from = *m_pressed;
    const bool dragged = m_dragging;
    m_pressed.reset();
    m_dragging = false;
    if (!dragged) {
        m_picked = from;
        update();
        return;
    }
    const std::optional<PiecePlace> to = PlaceAt(BasePoint(*event));
    if (to && m_setup.Move(from, *to))
        Edited();
    else
        update();
}

void SetupBoard::PutDown(const PiecePlace& to) {
    const PiecePlace from = *m_picked;
    m_picked.reset();
    if (m_setup.Move(from, to))
        Edited();
    else
        update();
}

void SetupBoard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && m_picked && m_picked->area == PiecePlace::Area::Board) {
        if (m_setup.Turn(m_picked->square)) Edited();
        return;
    }
    QWidget::keyPressEvent(event);
}
