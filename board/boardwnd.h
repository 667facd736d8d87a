#pragma once

#include <QBrush>
#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <memory>

#include "board/boardlayout.h"
#include "board/piecepictures.h"
#include "model/gamerecord.h"
#include "model/move.h"

class QPainter;

// The board window: draws the current position of a record it is given, both hands, the
// coordinates, the side to move and the last move played into an off-screen picture, and
// turns two clicks into a move, which it reports. It never changes the record and asks
// nothing. The board grows with the window in whole pixels per square, from 32-pixel squares
// up, centred in the window; clicks are read in the same geometry. The record is borrowed:
// whoever gives it keeps it alive, or takes it back, while the window lives.
class CBoardWnd : public QWidget {
    Q_OBJECT

  public:
    explicit CBoardWnd(QWidget* parent = nullptr);
    ~CBoardWnd() override;

    // The record to draw and to judge moves on; null shows nothing and takes no move. Does
    // not redraw.
    void SetRecord(const GameRecord* record);
    // Loads the pictures of a piece style and redraws, keeping a picked-up piece picked up.
    void SetJapanesePieces(bool japanese);
    // Draws the whole picture anew; with clearSelection the half-made move is dropped.
    void Redraw(bool clearSelection);
    // Swaps the side drawn at the bottom and redraws, dropping the selection.
    void Rotate();
    // Shows the frame along the window's edge that says the keys act on the board.
    void ShowFocus(bool shown);

    int BottomSide() const { return m_bottomSide; }
    bool IsSelected() const { return m_bSelected != 0; }
    // Where the board stands in the window and how large its squares are.
    const BoardLayout& Layout() const { return m_layout; }
    // The off-screen picture as last drawn (device pixels), for tests and screenshots.
    QImage Picture() const;
    // The board as drawn now, without the selection or the focus frame, at `scale` times its
    // smallest size (32-pixel squares): as a picture, or as SVG from the same drawing.
    QImage RenderPicture(int scale);
    QByteArray RenderSvg(int scale);

    // The frame rectangle for a point of the base geometry: the 33 x 33 cell around the grid
    // square.
    static QRect CellRect(QPoint p);

  signals:
    // A finished move, legal on the record's current position. It promotes when it must; when
    // it may, whoever takes the move asks, and sets `promote` on a Yes.
    void moveEntered(const Move& move);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click selects nothing and deselects nothing.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // The whole board in a layout, on any painter: the screen's picture, a PNG or an SVG. The
    // steps paint over each other in this order.
    // The board with its labels in the program's language on the screen (`shown`), in English
    // in pictures, which the program writes like records.
    void Paint(QPainter& painter, const BoardLayout& layout, bool shown);
    void DrawBoard(QPainter& painter, const BoardLayout& layout);
    void DrawLastMove(QPainter& painter, const BoardLayout& layout);
    void DrawLabels(QPainter& painter, const BoardLayout& layout, bool shown);
    QString SideToMoveLine(bool shown) const;

    void DrawPicture();
    // A picture of the window's current size and pixel ratio, all background, when it has
    // another one.
    bool EnsurePicture();

    // Selects a piece from the board (drop 0, with its square) or from a hand (drop 1), or
    // deselects it when the click was on the selected piece itself.
    void SelectPiece(int code, int drop, const Square* from, const QRect& rc);
    // The second click: completes the move to `to` and reports it when legal.
    void EnterMove(Square to);

    QBrush m_brushWhite;
    QBrush m_brushBackground;
    QPixmap m_bmpBoard;
    std::unique_ptr<PiecePictures> m_pieces;
    BoardLayout m_layout;

    const GameRecord* m_record = nullptr;
    int m_bSelected = 0;
    int m_bottomSide = 16;
    bool m_focusShown = false;
    // In the base geometry.
    QRect m_rectFrame;
    Move m_move;
};
