#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "model/setupposition.h"
#include "setup/setupboard.h"

class Prompter;
class QComboBox;
class QDialogButtonBox;
class QListWidget;
class QRadioButton;

// The set-up window: a position edited on a board of its own (SetupBoard), the side to move,
// buttons that lay out the initial position, an empty board, a handicap's start or a problem's
// hands, or paste a position, and the list of what is wrong with the position as it stands. A
// fault no record can hold (two Black kings) turns OK off; a rule of play broken (two pawns on
// a file, a piece that can never move) is listed and leaves OK on, since problems and lessons
// break such rules on purpose. Enter accepts while OK is on and Escape cancels. The prompter
// is borrowed.
class SetupDialog : public QDialog {
    Q_OBJECT

  public:
    SetupDialog(const SetupPosition& setup, const BoardLook& look, Prompter& prompter,
                QWidget* parent = nullptr);

    const Position& GetPosition() const;
    SetupBoard* Board() const { return m_board; }

    // Paste: the clipboard's position (PositionFromClipboard) replaces the one set up.
    void OnPaste();

  private:
    // Changes a copy of the position set up and shows it.
    void Edit(const std::function<void(SetupPosition&)>& change);
    void ShowProblems();

    Prompter& m_prompter;
    SetupBoard* m_board;
    QRadioButton* m_blackToMove;
    QRadioButton* m_whiteToMove;
    QComboBox* m_handicaps;
    QListWidget* m_problems;
    QDialogButtonBox* m_buttons;
};

// The position on the clipboard (an SFEN, a USI position command or a KIF board diagram) laid
// out from one set of pieces. Nothing, after saying why ("The clipboard holds no position."),
// when the clipboard holds none or more pieces than a set.
std::optional<SetupPosition> PositionFromClipboard(Prompter& prompter);
