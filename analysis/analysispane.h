#pragma once

#include <QDockWidget>
#include <functional>
#include <optional>

#include "analysis/enginelist.h"

class AnalysisSession;
class CZelkanDoc;
class Prompter;
class QAction;
class QLabel;
class QSpinBox;
class QTreeWidget;
struct EngineInfo;

// The analysis docked beside the board: the engine's name; its depth, nodes and speed; and its
// best lines, each with its score from Black's point of view ("+0.45", "Black mates in 5") and
// its moves in the notation chosen under Options, as many as the Lines box asks (1 to 5) when
// the engine offers MultiPV. It says why a position is not searched and how an engine failed.
//
// It carries out the Engine menu: Analyze (F5, checked while on) analyses with the current
// engine as the user steps, offering fairy-stockfish the first time none is set up; Engines...
// sets engines up; Add as Variation adds the chosen line (following the moves the record has)
// and Add Evaluation to Comment adds the evaluation line to the current comment, each as one
// step of the history. Closing the pane turns the analysis off. The document and the prompter
// are borrowed and must outlive the pane.
class AnalysisPane : public QDockWidget {
    Q_OBJECT

  public:
    AnalysisPane(CZelkanDoc& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~AnalysisPane() override;

    // Takes on the Engine menu's commands: each action, found by its id, runs its handler, and
    // its state follows the analysis and the document.
    void ConnectCommands(const std::function<QAction*(int)>& actionById);

    void SetAnalyzing(bool on);
    // Engine > Engines...: the dialog; what it keeps applies to a running analysis at once.
    void OnEngines();
    void OnAddVariation();
    void OnAddEvaluation();

    AnalysisSession& Session() const { return *m_session; }
    QTreeWidget* LinesView() const { return m_lines; }
    QLabel* MessageLabel() const { return m_message; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowBesideTheBoard();
    // The current engine, once the user has one.
    std::optional<EngineEntry> ChooseEngine();
    void OnEngineNamed(const QString& path, const QString& name);
    void Render();
    void RenderLines();
    void ShowChosenLine();
    QString ProgressText() const;
    // The line chosen in the list, or the best one.
    std::optional<EngineInfo> ChosenLine() const;
    void UpdateCommands();

    CZelkanDoc& m_doc;
    Prompter& m_prompter;
    AnalysisSession* m_session = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_progress = nullptr;
    QSpinBox* m_multiPv = nullptr;
    QWidget* m_multiPvBox = nullptr;
    QTreeWidget* m_lines = nullptr;
    QLabel* m_chosen = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_notice = nullptr;
    QAction* m_analyze = nullptr;
    QAction* m_addVariation = nullptr;
    QAction* m_addEvaluation = nullptr;
};
