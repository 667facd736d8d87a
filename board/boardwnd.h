#pragma once

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPen>
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <array>

#include "model/gamerecord.h"
#include "model/move.h"

class QPainter;

// Board geometry shared by the board window and the view: 32-pixel squares, a window of
// 14 x 11 squares.
inline constexpr int SquareSize = 32;
inline constexpr int BoardWindowWidth = 448;
inline constexpr int BoardWindowHeight = 352;
inline constexpr QRect GridRect{QPoint(64, 32), QPoint(351, 319)};
inline constexpr QRect TopHandRect{QPoint(32, 32), QPoint(63, 319)};
inline constexpr QRect BottomHandRect{QPoint(384, 32), QPoint(415, 319)};
inline constexpr int PieceStripWidth = 512;
inline constexpr int PieceCellCount = PieceStripWidth / SquareSize;

// Colours of the board window.
inline constexpr QColor BackgroundColor{198, 198, 198};
inline constexpr QColor BoardColor{204, 153, 51};
inline constexpr QColor GridColor{0, 0, 0};
inline constexpr QColor FrameColor{255, 255, 255};
// The colour of the piece strips that lets the board show through.
inline constexpr QColor StripTransparentColor{0, 0, 255};

// The strip cell of a piece code: the kind with its promotion, except that the two kings have
// pictures of their own (7 for Black's, 15 for White's).
int PieceCell(int code);
// The top-left corner of a board square's cell on the screen, for the side drawn at the bottom.
QPoint SquareOrigin(Square sq, int bottomSide);
// The board square under a client point, for the side drawn at the bottom; false off the board.
bool SquareAtPoint(QPoint p, int bottomSide, Square& sq);
// The piece strip of a style from the program's resources, as its 16 cells with the pure blue
// made transparent; upright, or each cell turned by 180 degrees. Empty when the strip is missing.
std::array<QImage, PieceCellCount> LoadPieceCells(bool japanese, bool turned);

// The board window: draws the current position of a record it is given, both hands, the
// coordinates and the side to move into an off-screen picture, and turns two clicks into a
// move, which it reports. It never changes the record and asks nothing. The record is
// borrowed: whoever gives it keeps it alive, or takes it back, while the window lives.
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

    int BottomSide() const { return m_bottomSide; }
    bool IsSelected() const { return m_bSelected != 0; }
    // The off-screen picture as last drawn (device pixels), for tests and screenshots.
    QImage Picture() const;

    // The frame rectangle for a client point: the 33 x 33 cell around the grid square.
    static QRect CellRect(QPoint p);

  signals:
    // A finished move, legal on the record's current position. It promotes when it must; when
    // it may, whoever takes the move asks, and sets `promote` on a Yes.
    void moveEntered(const Move& move);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click selects nothing and deselects nothing.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // The steps of a redraw, in the order they paint over each other.
    void DrawPicture();
    void DrawBoard(QPainter& painter);
    void DrawBoardPieces(QPainter& painter);
    void DrawHands(QPainter& painter);
    void DrawLabels(QPainter& painter);
    QString SideToMoveLine() const;
    void DrawPiece(QPainter& painter, int code, QPoint point);

    // A picture of the window's current pixel ratio, all background, when it has another one.
    bool EnsurePictureRatio();
    void LoadPiecePictures();

    // The piece code of the n-th occupied slot (from 1) of a side's hand, in the order
    // P L N S G B R K; false when the side holds fewer kinds.
    bool HandPieceAt(int side, int n, int& code) const;
    // Selects a piece from the board (drop 0, with its square) or from a hand (drop 1), or
    // deselects it when the click was on the selected piece itself.
    void SelectPiece(int code, int drop, const Square* from, const QRect& rc);
    // The second click: completes the move to `to` and reports it when legal.
    void EnterMove(Square to);

    QPen m_penGrid;
    QBrush m_brushBlack;
    QBrush m_brushWhite;
    QBrush m_brushBackground;
    QBrush m_brushBoard;
    QPixmap m_bmpBoard;
    // The pictures of the current style, made transparent where the strip is pure blue,
    // at the picture's pixel ratio; upright for the bottom side, turned for the top side.
    std::array<QImage, PieceCellCount> m_piecesUpright;
    std::array<QImage, PieceCellCount> m_piecesTurned;
    qreal m_piecesRatio = 0;

    const GameRecord* m_record = nullptr;
    bool m_japanesePieces = true;
    int m_bSelected = 0;
    int m_bottomSide = 16;
    QRect m_rectFrame;
    Move m_move;
};
