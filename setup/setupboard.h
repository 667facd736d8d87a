#pragma once

#include <QPoint>
#include <QWidget>
#include <memory>
#include <optional>

#include "board/boardlayout.h"
#include "model/setupposition.h"

class PiecePictures;

// How the main board is drawn, which the set-up board follows: the piece style, the side drawn
// at the bottom and the size of a square it starts with.
struct BoardLook {
    bool japanese = true;
    int bottomSide = Black;
    int square = SquareSize;
};

// The board of the set-up window: the board, both hands with their counts and, below, the box
// of the pieces that take no part, drawn as the board window draws them. A piece is moved by
// dragging it, or by clicking it and then the square, hand or box it goes to (a piece landed
// on goes to the box). A right click on a board piece, or Space while it is picked up, turns
// it over (Turn). A piece taken from the box onto the board belongs to the side drawn at the
// bottom. It starts with the squares of the look and grows and shrinks with the window, down to
// 32-pixel squares.
class SetupBoard : public QWidget {
    Q_OBJECT

  public:
    SetupBoard(const SetupPosition& setup, const BoardLook& look, QWidget* parent = nullptr);
    ~SetupBoard() override;

    const SetupPosition& Setup() const { return m_setup; }
    void SetSetup(const SetupPosition& setup);
    int BottomSide() const { return m_bottomSide; }
    bool IsPickedUp() const { return m_picked.has_value(); }
    const BoardLayout& Layout() const { return m_layout; }

    // The base geometry: the board window's picture with a row for the box below it.
    static constexpr int PictureHeight = BoardWindowHeight + 2 * SquareSize;
    // Where the box's slot for a kind stands in the base geometry (P L N S G B R K from the
    // left, under the board).
    static QRect BoxSlot(PieceType kind);

    QSize sizeHint() const override;

  signals:
    void changed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The place under a point of the base geometry, or nothing off every area. An empty hand
    // slot names the king, which no hand holds.
    std::optional<PiecePlace> PlaceAt(QPoint base) const;
    QPoint BasePoint(const QMouseEvent& event) const;
    void DrawBox(QPainter& painter);
    // Moves the picked-up piece to `to`, if it can go there, and lets go of it.
    void PutDown(const PiecePlace& to);
    void Edited();

    SetupPosition m_setup;
    std::unique_ptr<PiecePictures> m_pieces;
    int m_bottomSide;
    int m_startSquare;
    BoardLayout m_layout;
    std::optional<PiecePlace> m_picked;
    QRect m_pickedFrame;  // in the base geometry
    // A press on a piece, which becomes a drag once the mouse moves far enough.
    std::optional<PiecePlace> m_pressed;
    QPoint m_pressPoint;
    bool m_dragging = false;
    QPoint m_dragPoint;
};
