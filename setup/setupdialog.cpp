#include "setup/setupdialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "document/gamewords.h"
#include "document/prompter.h"
#include "format/positiontext.h"
#include "model/soundness.h"

namespace {

// The handicaps in the order of their enumeration, after the even game. The list's first entry
// names the list, so that its entry i lays out Handicap(i).
constexpr const char* HandicapNames[] = {QT_TRANSLATE_NOOP("SetupDialog", "Lance"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "Right Lance"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "Bishop"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "Rook"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "Rook and Lance"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "2 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "3 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "4 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "5 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "Left 5 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "6 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "Left 7 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "Right 7 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "8 Pieces"),
                                         QT_TRANSLATE_NOOP("SetupDialog", "10 Pieces")};
static_assert(std::size(HandicapNames) == HandicapCount - 1);

}  // namespace

SetupDialog::SetupDialog(const SetupPosition& setup, const BoardLook& look, Prompter& prompter,
                         QWidget* parent)
    : QDialog(parent), m_prompter(prompter) {
    setWindowTitle(tr("Set Up Position"));
    m_board = new SetupBoard(setup, look, this);

    auto* sideBox = new QGroupBox(tr("Side to move"), this);
    m_blackToMove = new QRadioButton(tr("&Black"), sideBox);
    m_whiteToMove = new QRadioButton(tr("&White"), sideBox);
    auto* sideLayout = new QHBoxLayout(sideBox);
    sideLayout->addWidget(m_blackToMove);
    sideLayout->addWidget(m_whiteToMove);

    const auto button = [this](const QString& text, const std::function<void()>& action) {
        auto* pushButton = new QPushButton(text, this);
        // Enter belongs to OK, whichever button has the focus; Space presses that button.
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, action);
        return pushButton;
    };
    QPushButton* initial =
        button(tr("&Initial Position"), [this] { Edit([](SetupPosition& s) { s.SetInitial(); }); });
    QPushButton* empty =
        button(tr("&Empty Board"), [this] { Edit([](SetupPosition& s) { s.SetEmpty(); }); });
    m_handicaps = new QComboBox(this);
    m_handicaps->setObjectName(QStringLiteral("handicaps"));
    m_handicaps->addItem(tr("Handicap..."));
    for (const char* name : HandicapNames)
        m_handicaps->addItem(tr(name));
    connect(m_handicaps, &QComboBox::activated, this, [this](int index) {
        if (index <= 0) return;
        Edit([index](SetupPosition& s) { s.SetHandicap(static_cast<Handicap>(index)); });
        m_handicaps->setCurrentIndex(0);
    });
    QPushButton* problem =
        button(tr("P&roblem"), [this] { Edit([](SetupPosition& s) { s.GiveBoxToWhite(); }); });
    QPushButton* paste = button(tr("Paste &SFEN"), [this] { OnPaste(); });

    m_problems = new QListWidget(this);
    m_problems->setObjectName(QStringLiteral("problems"));
    m_problems->setFocusPolicy(Qt::NoFocus);
    auto* problemsLabel = new QLabel(tr("What is wrong with the position:"), this);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    m_buttons->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(sideBox);
    for (QWidget* widget : std::initializer_list<QWidget*>{initial, empty, m_handicaps, problem,
                                                           paste, problemsLabel, m_problems})
        side->addWidget(widget);
    auto* top = new QHBoxLayout;
    top->addWidget(m_board, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_buttons);

    connect(m_blackToMove, &QRadioButton::toggled, this, [this](bool black) {
        Edit([black](SetupPosition& s) { s.SetSideToMove(black ? Black : White); });
    });
    connect(m_board, &SetupBoard::changed, this, &SetupDialog::ShowProblems);
    ShowProblems();
    m_board->setFocus();
    // As large as the main board, where the screen has room: Qt alone would stop at two thirds
    // of it.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) resize(sizeHint().boundedTo(screen->availableSize() * 9 / 10));
}

const Position& SetupDialog::GetPosition() const {
    return m_board->Setup().GetPosition();
}

void SetupDialog::Edit(const std::function<void(SetupPosition&)>& change) {
    SetupPosition setup = m_board->Setup();
    change(setup);
    m_board->SetSetup(setup);
}

void SetupDialog::ShowProblems() {
    const Position& position = GetPosition();
    {
        const QSignalBlocker blocker(m_blackToMove);
        m_blackToMove->setChecked(position.sideToMove == Black);
        m_whiteToMove->setChecked(position.sideToMove == White);
    }
    m_problems->clear();
    bool refused = false;
    for (const PositionProblem& problem : PositionProblems(position)) {
        auto* item = new QListWidgetItem(ProblemWords(problem), m_problems);
        if (IsRefusal(problem)) {
            refused = true;
            item->setForeground(Qt::red);
            item->setToolTip(tr("No record can start from this position."));
        }
    }
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!refused);
}

void SetupDialog::OnPaste() {
    if (std::optional<SetupPosition> pasted = PositionFromClipboard(m_prompter))
        m_board->SetSetup(*pasted);
}

std::optional<SetupPosition> PositionFromClipboard(Prompter& prompter) {
    const PositionText read = ReadPositionText(QApplication::clipboard()->text().toStdString());
    if (!read.position) {
        // The reader's own message stays as the tool prints it.
        prompter.ShowMessage(read.error.empty()
                                 ? SetupDialog::tr("The clipboard holds no position.")
                                 : SetupDialog::tr("The clipboard's position cannot be read: %1")
                                       .arg(QString::fromStdString(read.error)));
        return std::nullopt;
    }
    std::optional<SetupPosition> setup = SetupPosition::From(*read.position);
    if (!setup)
        prompter.ShowMessage(
            SetupDialog::tr("The clipboard's position holds more than one set of pieces: %1")
                .arg(RefusalWords(*read.position)));
    return setup;
}
