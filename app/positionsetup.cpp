#include "app/positionsetup.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "board/boardwnd.h"
#include "document/gamewords.h"
#include "document/prompter.h"
#include "document/zelkandoc.h"
#include "setup/setupdialog.h"
#include "view/commandids.h"

PositionSetupCommands::PositionSetupCommands(CZelkanDoc& doc, Prompter& prompter,
                                             const CBoardWnd& board,
                                             std::function<bool()> saveModified, QWidget* parent)
    : QObject(parent),
      m_doc(doc),
      m_prompter(prompter),
      m_board(board),
      m_saveModified(std::move(saveModified)),
      m_parent(parent) {}

void PositionSetupCommands::Connect(const std::function<QAction*(int)>& actionById) {
    connect(actionById(ID_FILE_NEW_FROM_POSITION), &QAction::triggered, this,
            &PositionSetupCommands::OnNewFromPosition);
    QAction* paste = actionById(ID_EDIT_PASTE_POSITION);
    connect(paste, &QAction::triggered, this, &PositionSetupCommands::OnPastePosition);
    const auto enablePaste = [paste] {
        const QMimeData* clipboard = QApplication::clipboard()->mimeData();
        paste->setEnabled(clipboard != nullptr && clipboard->hasText());
    };
    connect(QApplication::clipboard(), &QClipboard::dataChanged, paste, enablePaste);
    enablePaste();
}

void PositionSetupCommands::OnNewFromPosition() {
    if (!m_saveModified()) return;
    // Every position a record reaches is one set's; a king taken into a hand goes to the box.
    SetUp(SetupPosition::From(m_doc.Record().GetPosition()).value_or(SetupPosition()));
}

void PositionSetupCommands::OnPastePosition() {
    // Said before the save question: there is nothing to make room for.
    const std::optional<SetupPosition> pasted = PositionFromClipboard(m_prompter);
    if (!pasted || !m_saveModified()) return;
    SetUp(*pasted);
}

void PositionSetupCommands::SetUp(const SetupPosition& setup) {
    const BoardLook look{m_doc.IsJapanesePieces(), m_board.BottomSide(), m_board.Layout().square};
    SetupDialog dialog(setup, look, m_prompter, m_parent);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!m_doc.NewRecordFrom(dialog.GetPosition()))
        m_prompter.ShowMessage(tr("No record can start from this position: %1")
                                   .arg(RefusalWords(dialog.GetPosition())));
}
