#include "app/recentfilelist.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <algorithm>

#include "app/commandtable.h"
#include "view/commandids.h"

namespace {

const QString Section = QStringLiteral("Recent File List");
const QString Ellipsis = QStringLiteral("...");

// Joins `parts` with '/'; a leading empty part stands for the root.
QString JoinPath(const QStringList& parts) {
    if (parts.size() == 1 && parts.front().isEmpty()) return QStringLiteral("/");
    return parts.join(QLatin1Char('/'));
}

// A file name longer than the whole allowance keeps its start and its end (where the
// extension is) around "...".
QString ShortenName(const QString& name, int maxLength) {
    if (name.size() <= maxLength) return name;
    const int keep = std::max(0, maxLength - int(Ellipsis.size()));
    const int tail = keep / 2;
    return name.left(keep - tail) + Ellipsis + name.right(tail);
}

// Menu text with '&' doubled, so that a file name's ampersand is shown, not taken as a mnemonic.
QString EscapeMnemonics(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// `parts` joined with the first `headSize` parts, then "...", then as many of the last folders
// and the name as fit in `maxLength`; empty when not even the name fits or nothing would be
// left out.
QString ElideMiddleFolders(const QStringList& parts, qsizetype headSize, int maxLength) {
    if (parts.size() < headSize + 2) return QString();
    const QStringList head = parts.mid(0, headSize);
    QStringList tail{parts.back()};
    QString best;
    for (qsizetype i = parts.size() - 2; i >= headSize; --i) {
        const QString candidate = JoinPath(head + QStringList{Ellipsis} + tail);
        if (candidate.size() > maxLength) break;
        best = candidate;
        tail.prepend(parts[i]);
    }
    return best;
}

}  // namespace

CRecentFileList::CRecentFileList(int size, QObject* parent) : QObject(parent), m_size(size) {}

QString CRecentFileList::Key(int index) {
    return Section + QStringLiteral("/File%1").arg(index + 1);
}

void CRecentFileList::ReadList() {
    QSettings settings;
    m_entries.clear();
    for (int i = 0; i < m_size; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty() && !m_entries.contains(path)) m_entries.append(path);
    }
    UpdateMenu();
}

void CRecentFileList::WriteList() const {
    QSettings settings;
    for (int i = 0; i < m_size; ++i) {
        if (i < m_entries.size())
            settings.setValue(Key(i), m_entries[i]);
        else
            settings.remove(Key(i));
    }
    settings.sync();
}

void CRecentFileList::Add(const QString& path) {
    if (path.isEmpty()) return;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    m_entries.removeAll(absolute);
    m_entries.prepend(absolute);
    while (m_entries.size() > m_size)
        m_entries.removeLast();
    Changed();
}

void CRecentFileList::Remove(const QString& path) {
    // Copies first: `path` may be one of the entries, which the removal moves.
    const QString given = path;
    const QString absolute = QDir::cleanPath(QFileInfo(given).absoluteFilePath());
    if (m_entries.removeAll(absolute) + m_entries.removeAll(given) > 0) Changed();
}

void CRecentFileList::Changed() {
    WriteList();
    UpdateMenu();
}

QString CRecentFileList::DisplayName(const QString& path, int maxLength) {
    QString shown = QDir::cleanPath(path);
    const QString home = QDir::homePath();
    if (home != QStringLiteral("/") && shown.startsWith(home + QLatin1Char('/')))
        shown = QLatin1Char('~') + shown.mid(home.size());
    if (shown.size() <= maxLength) return shown;

    // Keep the top folder (or "~") and the file name, and as many of the folders nearest the
    // file as fit, with "..." in place of the rest; failing that, only the root.
    const QStringList parts = shown.split(QLatin1Char('/'));
    const QString name = parts.back();
    const qsizetype topParts = parts.front().isEmpty() ? 2 : 1;
    for (qsizetype headSize = topParts; headSize >= 1; --headSize) {
        const QString shortened = ElideMiddleFolders(parts, headSize, maxLength);
        if (!shortened.isEmpty()) return shortened;
    }
    const QString withEllipsis = Ellipsis + QLatin1Char('/') + name;
    if (withEllipsis.size() <= maxLength) return withEllipsis;
    return ShortenName(name, maxLength);
}

void CRecentFileList::AttachToMenu(QMenu* menu, QAction* placeholder) {
    // The entries this list added go with it; the placeholder stays the frame's.
    for (const QPointer<QAction>& action : m_extraActions)
        delete action.data();
    m_extraActions.clear();
    if (m_placeholder) disconnect(m_placeholder, nullptr, this, nullptr);
    m_menu = menu;
    m_placeholder = placeholder;
    if (!m_menu || !m_placeholder) return;

    m_placeholder->setData(ID_FILE_MRU_FILE1);
    m_placeholder->setStatusTip(StatusTipFor(ID_FILE_MRU_FILE1));
    connect(m_placeholder, &QAction::triggered, this, [this] { ChooseEntry(0); });
    for (int i = 1; i < m_size; ++i) {
        auto* action = new QAction(m_menu);
        action->setData(ID_FILE_MRU_FILE1 + i);
        action->setStatusTip(StatusTipFor(ID_FILE_MRU_FILE1 + i));
        connect(action, &QAction::triggered, this, [this, i] { ChooseEntry(i); });
        m_extraActions.append(action);
    }
    // Entries 2 and on follow the placeholder, in order.
    const QList<QAction*> actions = m_menu->actions();
    const qsizetype at = actions.indexOf(m_placeholder);
    QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
    for (const QPointer<QAction>& action : m_extraActions)
        m_menu->insertAction(before, action);
    UpdateMenu();
}

void CRecentFileList::ChooseEntry(int index) {
    if (index >= m_entries.size()) return;
    // A copy: whoever opens the file may change the list while the path is still in use.
    const QString path = m_entries[index];
    emit fileChosen(path);
}

void CRecentFileList::UpdateMenu() {
    if (!m_placeholder) return;
    if (m_entries.isEmpty()) {
        m_placeholder->setText(RecentFilePlaceholderText());
        m_placeholder->setEnabled(false);
    } else {
        m_placeholder->setEnabled(true);
    }
    for (int i = 0; i < m_size; ++i) {
        QAction* action = EntryAction(i);
        if (!action) continue;
        const bool used = i < m_entries.size();
        if (i > 0) action->setVisible(used);
        if (used) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
                EscapeMnemonics(DisplayName(m_entries[i]))));
            action->setToolTip(m_entries[i]);
        }
    }
}

QAction* CRecentFileList::EntryAction(int index) const {
    if (index == 0) return m_placeholder;
    if (index > 0 && index <= m_extraActions.size()) return m_extraActions[index - 1];
    return nullptr;
}
