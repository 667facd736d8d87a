#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

// The most recently opened or saved files, newest first, kept in the settings store under
// "Recent File List" as File1, File2, ... and shown in the File menu as "&1 name", "&2 name" ...
// in place of a greyed "Recent File" placeholder item.
class CRecentFileList : public QObject {
    Q_OBJECT

  public:
    static constexpr int DefaultSize = 4;
    static constexpr int MaxDisplayLength = 30;

    explicit CRecentFileList(int size = DefaultSize, QObject* parent = nullptr);

    // Reads the list from the settings store, dropping empty and repeated entries.
    void ReadList();
    // Writes the list to the settings store; keys past the end of the list are removed.
    void WriteList() const;

    // Puts `path` (made absolute) at the top, removing an older entry for the same file and the
    // oldest entry when the list is full. Writes the list and refreshes the menu.
    void Add(const QString& path);
    // Removes the entry for `path`, if any. Writes the list and refreshes the menu.
    void Remove(const QString& path);

    QStringList Entries() const { return m_entries; }

    // `path` shortened for the menu to at most `maxLength` characters, the file name kept
    // whole whenever it fits: the home folder becomes "~" and folders in the middle are
    // replaced by "...".
    static QString DisplayName(const QString& path, int maxLength = MaxDisplayLength);

    // Shows the list in `menu` in place of `placeholder`, which becomes the first entry (so it
    // keeps its command id) and shows "Recent File", greyed, while the list is empty. The menu
    // and the placeholder are borrowed; AttachToMenu(nullptr, nullptr) detaches the list.
    void AttachToMenu(QMenu* menu, QAction* placeholder);
    void UpdateMenu();
    // The menu action of entry `index` (0-based), or nullptr.
    QAction* EntryAction(int index) const;

  signals:
    // The user chose entry `index` in the menu.
    void fileChosen(const QString& path);

  private:
    static QString Key(int index);
    void ChooseEntry(int index);
    void Changed();

    int m_size;
    QStringList m_entries;
    // The menu and its actions belong to the frame; these go null should it go first.
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_placeholder;
    QList<QPointer<QAction>> m_extraActions;  // entries 2 and on, children of the menu
};
