#include "analysis/analysispane.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QSettings>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/analysissession.h"
#include "analysis/enginesdialog.h"
#include "document/gamewords.h"
#include "document/prompter.h"
#include "document/zelkandoc.h"
#include "engine/evaluationtext.h"
#include "view/commandids.h"

namespace {

const QString MultiPvKey = QStringLiteral("Analysis/Lines");

QString Number(long long value) {
    return QLocale(QLocale::English).toString(value);
}

// The score as the pane shows it, told for Black: "+0.45", "at least +0.45", "Black mates in 5",
// "White is mated". The engine layer words it so for records and the tool.
QString ScoreWords(const EngineScore& score) {
    if (score.kind == EngineScore::Kind::Mate) {
        const int winner = score.mates ? Black : White;
        if (score.plies == 0)
            return AnalysisPane::tr("%1 is mated").arg(SideWords(OtherSide(winner)));
        if (!score.plies) return AnalysisPane::tr("%1 mates").arg(SideWords(winner));
        return AnalysisPane::tr("%1 mates in %2").arg(SideWords(winner)).arg(*score.plies);
    }
    EngineScore exact = score;
    exact.bound = EngineScore::Bound::Exact;
    const QString pawns = QString::fromStdString(ScoreText(exact));
    switch (score.bound) {
        case EngineScore::Bound::Lower:
            return AnalysisPane::tr("at least %1").arg(pawns);
        case EngineScore::Bound::Upper:
            return AnalysisPane::tr("at most %1").arg(pawns);
        case EngineScore::Bound::Exact:
            break;
    }
    return pawns;
}

}  // namespace

AnalysisPane::AnalysisPane(CZelkanDoc& doc, Prompter& prompter, QWidget* parent)
    : QDockWidget(tr("Analysis"), parent),
      m_doc(doc),
      m_prompter(prompter),
      m_session(new AnalysisSession(doc, this)) {
    setObjectName(QStringLiteral("analysisPane"));
    auto* content = new QWidget(this);
    m_name = new QLabel(content);
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    m_name->setTextFormat(Qt::PlainText);
    m_multiPvBox = new QWidget(content);
    auto* multiPvLayout = new QHBoxLayout(m_multiPvBox);
    multiPvLayout->setContentsMargins(0, 0, 0, 0);
    m_multiPv = new QSpinBox(m_multiPvBox);
    m_multiPv->setRange(1, AnalysisSession::MostLines);
    auto* multiPvLabel = new QLabel(tr("&Lines:"), m_multiPvBox);
    multiPvLabel->setBuddy(m_multiPv);
    multiPvLayout->addWidget(multiPvLabel);
    multiPvLayout->addWidget(m_multiPv);
    m_progress = new QLabel(content);
    m_lines = new QTreeWidget(content);
    m_lines->setColumnCount(2);
    m_lines->setHeaderLabels({tr("Score"), tr("Line")});
    m_lines->setRootIsDecorated(false);
    m_lines->setUniformRowHeights(true);
    // The chosen line in full, where the list has room for its start only.
    m_chosen = new QLabel(content);
    m_chosen->setWordWrap(true);
    m_chosen->setTextFormat(Qt::PlainText);
    m_chosen->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lines->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_lines->header()->setStretchLastSection(true);
    m_message = new QLabel(content);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_notice = new QLabel(content);
    m_notice->setWordWrap(true);
    m_notice->setTextFormat(Qt::PlainText);

    auto* top = new QHBoxLayout;
    top->addWidget(m_name, 1);
    top->addWidget(m_multiPvBox);
    auto* layout = new QVBoxLayout(content);
    layout->addLayout(top);
    layout->addWidget(m_progress);
    layout->addWidget(m_lines, 1);
    layout->addWidget(m_chosen);
    layout->addWidget(m_message);
    layout->addWidget(m_notice);
    setWidget(content);

    m_multiPv->setValue(QSettings().value(MultiPvKey, 1).toInt());
    m_session->SetMultiPv(m_multiPv->value());
    connect(m_multiPv, &QSpinBox::valueChanged, this, [this](int count) {
        QSettings().setValue(MultiPvKey, count);
        m_session->SetMultiPv(count);
    });
    connect(m_session, &AnalysisSession::changed, this, &AnalysisPane::Render);
    connect(m_session, &AnalysisSession::engineNamed, this, &AnalysisPane::OnEngineNamed);
    connect(&m_doc, &CZelkanDoc::notationChanged, this, &AnalysisPane::RenderLines);
    connect(m_lines, &QTreeWidget::currentItemChanged, this, &AnalysisPane::ShowChosenLine);
    Render();
}

AnalysisPane::~AnalysisPane() {
    disconnect(m_session, nullptr, this, nullptr);
}

void AnalysisPane::ConnectCommands(const std::function<QAction*(int)>& actionById) {
    m_analyze = actionById(ID_ENGINE_ANALYZE);
    m_addVariation = actionById(ID_ENGINE_ADD_VARIATION);
    m_addEvaluation = actionById(ID_ENGINE_ADD_EVALUATION);
    m_analyze->setCheckable(true);
    connect(m_analyze, &QAction::triggered, this, &AnalysisPane::SetAnalyzing);
    connect(actionById(ID_ENGINE_ENGINES), &QAction::triggered, this, &AnalysisPane::OnEngines);
    connect(m_addVariation, &QAction::triggered, this, &AnalysisPane::OnAddVariation);
    connect(m_addEvaluation, &QAction::triggered, this, &AnalysisPane::OnAddEvaluation);
    // The line shown may stop being playable where the user now stands only by a new node,
    // which clears it; a result reached is one.
    connect(&m_doc, &CZelkanDoc::currentNodeChanged, this, &AnalysisPane::UpdateCommands);

    auto* buttons = new QHBoxLayout;
    for (QAction* action : {m_addVariation, m_addEvaluation}) {
        auto* button = new QToolButton(widget());
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    static_cast<QVBoxLayout*>(widget()->layout())->insertLayout(4, buttons);
    Render();
}

void AnalysisPane::SetAnalyzing(bool on) {
    if (!on) {
        m_session->Stop();
        return;
    }
    if (m_session->IsOn()) return;
    if (const std::optional<EngineEntry> engine = ChooseEngine()) {
        ShowBesideTheBoard();
        m_session->Start(*engine);
    }
    Render();
}

void AnalysisPane::ShowBesideTheBoard() {
    const bool wasHidden = isHidden();
    show();
    raise();
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (!wasHidden || !window || isFloating()) return;
    // Room for a few moves of each line, taken from the board's side, and for five lines with
    // the chosen one in full, taken from the move list's.
    const int wide = 64 * fontMetrics().averageCharWidth();
    const int tall = 22 * fontMetrics().lineSpacing();
    if (width() < wide) window->resizeDocks({this}, {wide}, Qt::Horizontal);
    if (height() < tall) window->resizeDocks({this}, {tall}, Qt::Vertical);
}

std::optional<EngineEntry> AnalysisPane::ChooseEngine() {
    EngineList list = LoadEngineList();
    if (list.Current()) return *list.Current();
    // The first time, the engine that is installed where the system keeps it.
    const QString offered = QString::fromUtf8(OfferedEnginePath);
    if (!WasEngineOffered() && QFileInfo(offered).isExecutable()) {
        SetEngineOffered();
        if (m_prompter.AskYesNo(
                tr("No engine is set up for analysis. Analyse with %1?").arg(offered))) {
            list.Add({offered, QFileInfo(offered).fileName(), {}});
            SaveEngineList(list);
            return *list.Current();
        }
    }
    OnEngines();
    list = LoadEngineList();
    if (list.Current()) return *list.Current();
    return std::nullopt;
}

void AnalysisPane::OnEngines() {
    const EngineList before = LoadEngineList();
    EnginesDialog dialog(before, this);
    if (dialog.exec() != QDialog::Accepted) return;
    SaveEngineList(dialog.List());
    // A running analysis goes on with the engine as now set up.
    const EngineEntry* current = dialog.List().Current();
    const EngineEntry* was = before.Current();
    const bool same =
        current && was && current->path == was->path && current->options == was->options;
    if (!m_session->IsOn() || same) return;
    m_session->Stop();
    if (current) m_session->Start(*current);
}

void AnalysisPane::OnEngineNamed(const QString& path, const QString& name) {
    EngineList list = LoadEngineList();
    for (EngineEntry& entry : list.engines)
        if (entry.path == path) entry.name = name;
    SaveEngineList(list);
}

void AnalysisPane::OnAddVariation() {
    const std::optional<EngineInfo> line = ChosenLine();
    if (!line || line->pv.empty()) return;
    m_doc.AddVariation(line->pv);
}

void AnalysisPane::OnAddEvaluation() {
    const std::optional<EngineInfo> line = ChosenLine();
    if (!line) return;
    const GameRecord& record = m_doc.Record();
    const MoveNode& node = record.Current();
    const MoveNotation notation =
        m_doc.IsJapaneseNotation() ? MoveNotation::Japanese : MoveNotation::Western;
    m_doc.AppendToComment(
        EvaluationLine(m_session->EngineName().toStdString(), *line, record.GetPosition(), notation,
                       node.Parent() ? std::optional(node.move.to) : std::nullopt));
}

void AnalysisPane::closeEvent(QCloseEvent* event) {
    m_session->Stop();
    QDockWidget::closeEvent(event);
}

void AnalysisPane::Render() {
    m_name->setText(m_session->EngineName());
    m_multiPvBox->setVisible(m_session->EngineHasMultiPv());
    m_progress->setText(ProgressText());
    const QString message = m_session->Message();
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
    m_message->setStyleSheet(m_session->IsFailure() ? QStringLiteral("color: #b00000") : QString());
    const QString notices = m_session->Notices();
    m_notice->setText(notices);
    m_notice->setVisible(!notices.isEmpty());
    if (m_analyze) m_analyze->setChecked(m_session->IsOn());
    RenderLines();
}

QString AnalysisPane::ProgressText() const {
    const EngineInfo& progress = m_session->Progress();
    QStringList parts;
    if (progress.depth) {
        QString depth = tr("Depth %1").arg(*progress.depth);
        if (progress.selectiveDepth) depth += QStringLiteral("/%1").arg(*progress.selectiveDepth);
        parts.append(depth);
    }
    if (progress.nodes) parts.append(tr("%1 nodes").arg(Number(*progress.nodes)));
    if (progress.nodesPerSecond)
        parts.append(tr("%1 nodes/s").arg(Number(*progress.nodesPerSecond)));
    return parts.join(QStringLiteral(" \u00b7 "));
}

void AnalysisPane::RenderLines() {
    const std::vector<EngineInfo> lines = m_session->Lines();
    const GameRecord& record = m_doc.Record();
    const MoveNode& node = record.Current();
    const MoveNotation notation =
        m_doc.IsJapaneseNotation() ? MoveNotation::Japanese : MoveNotation::Western;
    const std::optional<Square> arrival =
        node.Parent() ? std::optional(node.move.to) : std::nullopt;
    // The rows are kept and rewritten, so that the chosen one stays chosen.
    while (m_lines->topLevelItemCount() > static_cast<int>(lines.size()))
        delete m_lines->takeTopLevelItem(m_lines->topLevelItemCount() - 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QTreeWidgetItem* item = m_lines->topLevelItem(static_cast<int>(i));
        if (!item) item = new QTreeWidgetItem(m_lines);
        const QString line =
            QString::fromStdString(LineText(record.GetPosition(), lines[i].pv, notation, arrival));
        item->setText(0, ScoreWords(*lines[i].score));
        item->setText(1, line);
        item->setToolTip(1, line);
    }
    ShowChosenLine();
    UpdateCommands();
}

std::optional<EngineInfo> AnalysisPane::ChosenLine() const {
    const std::vector<EngineInfo> lines = m_session->Lines();
    if (lines.empty()) return std::nullopt;
    const int row = m_lines->currentIndex().isValid() ? m_lines->currentIndex().row() : 0;
    return lines[static_cast<std::size_t>(row) < lines.size() ? static_cast<std::size_t>(row) : 0];
}

void AnalysisPane::ShowChosenLine() {
    const int count = m_lines->topLevelItemCount();
    const int row = std::clamp(m_lines->currentIndex().row(), 0, std::max(count - 1, 0));
    const QTreeWidgetItem* item = m_lines->topLevelItem(row);
    m_chosen->setText(item ? item->text(0) + QStringLiteral("  ") + item->text(1) : QString());
    m_chosen->setVisible(item != nullptr);
    UpdateCommands();
}

void AnalysisPane::UpdateCommands() {
    if (!m_addVariation) return;
    const std::optional<EngineInfo> line = ChosenLine();
    m_addVariation->setEnabled(line && !line->pv.empty());
    m_addEvaluation->setEnabled(line.has_value());
}
