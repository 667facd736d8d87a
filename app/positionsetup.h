#pragma once

#include <QObject>
#include <functional>

class CBoardWnd;
class CZelkanDoc;
class Prompter;
class QAction;
class QWidget;
class SetupPosition;

// File > New From Position opens the set-up window on the position shown, and Edit > Paste
// Position on the clipboard's position ("The clipboard holds no position." when it holds
// none); each after the save question, and OK starts a new untitled record from the position
// set up. The piece style and the board's orientation are the main board's. The document,
// the prompter and the board are borrowed; `saveModified` asks to save and answers whether to
// go on.
class PositionSetupCommands : public QObject {
    Q_OBJECT

  public:
    PositionSetupCommands(CZelkanDoc& doc, Prompter& prompter, const CBoardWnd& board,
                          std::function<bool()> saveModified, QWidget* parent);
    void Connect(const std::function<QAction*(int)>& actionById);

    void OnNewFromPosition();
    void OnPastePosition();

  private:
    void SetUp(const SetupPosition& setup);

    CZelkanDoc& m_doc;
    Prompter& m_prompter;
    const CBoardWnd& m_board;
    std::function<bool()> m_saveModified;
    QWidget* m_parent;
};
