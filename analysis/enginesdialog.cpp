#include "analysis/enginesdialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/engineoptionsdialog.h"
#include "analysis/engineprobe.h"

EnginesDialog::EnginesDialog(EngineList list, QWidget* parent)
    : QDialog(parent), m_list(std::move(list)), m_probe(new EngineProbe(this)) {
    setWindowTitle(tr("Engines"));
    m_choosePath = [this] {
        return QFileDialog::getOpenFileName(this, tr("Add Engine"), QStringLiteral("/usr/games"));
    };
    m_engines = new QListWidget;
    m_status = new QLabel;
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_add = new QPushButton(tr("&Add..."));
    m_remove = new QPushButton(tr("&Remove"));
    m_options = new QPushButton(tr("&Options..."));
    m_use = new QPushButton(tr("&Use for Analysis"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* grid = new QGridLayout;
    grid->addWidget(m_engines, 0, 0, 5, 1);
    grid->addWidget(m_add, 0, 1);
    grid->addWidget(m_remove, 1, 1);
    grid->addWidget(m_options, 2, 1);
    grid->addWidget(m_use, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (const QString path = m_choosePath(); !path.isEmpty()) AddEngine(path);
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        m_list.Remove(SelectedIndex());
        ShowList(m_list.current);
    });
    connect(m_options, &QPushButton::clicked, this, [this] {
        Probe(m_list.engines.at(static_cast<std::size_t>(SelectedIndex())).path,
              Purpose::EditOptions);
    });
    connect(m_use, &QPushButton::clicked, this, [this] {
        m_list.current = SelectedIndex();
        ShowList(m_list.current);
    });
    connect(m_engines, &QListWidget::currentRowChanged, this, &EnginesDialog::UpdateButtons);
    connect(m_engines, &QListWidget::itemDoubleClicked, m_use, &QPushButton::click);
    connect(m_probe, &EngineProbe::Probed, this, &EnginesDialog::OnProbed);
    connect(m_probe, &EngineProbe::Failed, this, [this](const QString&, const QString& message) {
        m_status->setText(tr("%1", "an engine's failure").arg(message));
        UpdateButtons();
    });
    ShowList(m_list.current);
    resize(sizeHint().expandedTo(QSize(560, 300)));
}

void EnginesDialog::AddEngine(const QString& path) {
    Probe(path, Purpose::Add);
}

void EnginesDialog::Probe(const QString& path, Purpose purpose) {
    if (m_probe->IsRunning()) return;
    m_purpose = purpose;
    m_status->setText(tr("Starting %1...").arg(QDir::toNativeSeparators(path)));
    m_probe->Start(path);
    UpdateButtons();
}

void EnginesDialog::OnProbed(const QString& path, const QString& name,
                             const std::vector<EngineOption>& options) {
    m_status->clear();
    int index = -1;
    for (std::size_t i = 0; i < m_list.engines.size(); ++i)
        if (m_list.engines[i].path == path) index = static_cast<int>(i);
    if (m_purpose == Purpose::Add && index < 0) {
        m_list.Add({path, name, {}});
        index = static_cast<int>(m_list.engines.size()) - 1;
    } else if (m_purpose == Purpose::Add) {
        m_status->setText(tr("%1 is set up already.").arg(name));
    }
    // The name it gives now, which a new version may have changed.
    if (index >= 0) m_list.engines[static_cast<std::size_t>(index)].name = name;
    ShowList(index);
    if (m_purpose == Purpose::EditOptions && index >= 0) EditOptions(index, options);
}

void EnginesDialog::EditOptions(int index, const std::vector<EngineOption>& options) {
    EngineEntry& entry = m_list.engines.at(static_cast<std::size_t>(index));
    EngineOptionsDialog dialog(entry.name, options, entry.options, this);
    if (dialog.exec() == QDialog::Accepted) entry.options = dialog.Values();
}

void EnginesDialog::ShowList(int selected) {
    m_engines->clear();
    for (std::size_t i = 0; i < m_list.engines.size(); ++i) {
        const EngineEntry& entry = m_list.engines[i];
        const bool current = static_cast<int>(i) == m_list.current;
        auto* item = new QListWidgetItem(QStringLiteral("%1%2 (%3)")
                                             .arg(current ? QStringLiteral("\u2713 ") : QString(),
                                                  entry.name, QDir::toNativeSeparators(entry.path)),
                                         m_engines);
        QFont font = item->font();
        font.setBold(current);
        item->setFont(font);
    }
    m_engines->setCurrentRow(selected);
    UpdateButtons();
}

void EnginesDialog::UpdateButtons() {
    const bool idle = !m_probe->IsRunning();
    const int selected = SelectedIndex();
    m_add->setEnabled(idle);
    m_remove->setEnabled(idle && selected >= 0);
    m_options->setEnabled(idle && selected >= 0);
    m_use->setEnabled(selected >= 0 && selected != m_list.current);
}

int EnginesDialog::SelectedIndex() const {
    const int row = m_engines->currentRow();
    return row >= 0 && row < static_cast<int>(m_list.engines.size()) ? row : -1;
}
