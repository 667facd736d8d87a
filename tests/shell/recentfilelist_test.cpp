#include "app/recentfilelist.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>

#include "app/commandids.h"
#include "shelltesting.h"

namespace {

QStringList MenuTexts(const QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            texts << QStringLiteral("-");
        else if (action->isVisible())
            texts << action->text();
    }
    return texts;
}

// A File menu with the recent-file placeholder between two separators, as the frame has it.
struct FileMenu {
    QMenu menu;
    QAction* open = menu.addAction(QStringLiteral("&Open..."));
    QAction* before = menu.addSeparator();
    QAction* placeholder = menu.addAction(QStringLiteral("Recent File"));
    QAction* after = menu.addSeparator();
    QAction* exit = menu.addAction(QStringLiteral("E&xit"));
};

TEST(RecentFileList, KeepsTheNewestFourAcrossRuns) {
    TemporarySettings settings;
    {
        CRecentFileList list;
        list.ReadList();
        EXPECT_TRUE(list.Entries().isEmpty());
        for (const char* name : {"/r/a.esn", "/r/b.esn", "/r/c.esn", "/r/d.esn", "/r/e.esn"})
            list.Add(QString::fromLatin1(name));
        list.Add(QStringLiteral("/r/c.esn"));  // opened again: back to the top, not twice
        EXPECT_EQ(list.Entries(),
                  (QStringList{QStringLiteral("/r/c.esn"), QStringLiteral("/r/e.esn"),
                               QStringLiteral("/r/d.esn"), QStringLiteral("/r/b.esn")}));
    }
    // The next run finds them, in the settings store's own keys.
    QSettings store;
    EXPECT_EQ(store.value(QStringLiteral("Recent File List/File1")).toString(),
              QStringLiteral("/r/c.esn"));
    EXPECT_EQ(store.value(QStringLiteral("Recent File List/File4")).toString(),
              QStringLiteral("/r/b.esn"));
    EXPECT_FALSE(store.contains(QStringLiteral("Recent File List/File5")));

    CRecentFileList next;
    next.ReadList();
    EXPECT_EQ(next.Entries().size(), 4);
    EXPECT_EQ(next.Entries().front(), QStringLiteral("/r/c.esn"));

    next.Remove(QStringLiteral("/r/e.esn"));
    CRecentFileList third;
    third.ReadList();
    EXPECT_EQ(third.Entries(), (QStringList{QStringLiteral("/r/c.esn"), QStringLiteral("/r/d.esn"),
                                            QStringLiteral("/r/b.esn")}));
    EXPECT_FALSE(store.contains(QStringLiteral("Recent File List/File4")))
        << "a removed entry leaves no stale key behind";
}

TEST(RecentFileList, StoresAbsolutePathsAndSkipsBadEntries) {
    TemporarySettings settings;
    {
        QSettings store;
        store.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/r/x.esn"));
        store.setValue(QStringLiteral("Recent File List/File2"), QString());
        store.setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("/r/x.esn"));
        store.setValue(QStringLiteral("Recent File List/File4"), QStringLiteral("/r/y.esn"));
    }
    CRecentFileList list;
    list.ReadList();
    EXPECT_EQ(list.Entries(),
              (QStringList{QStringLiteral("/r/x.esn"), QStringLiteral("/r/y.esn")}));

    list.Add(QStringLiteral("relative/../z.esn"));
    EXPECT_EQ(list.Entries().front(), QDir::current().absoluteFilePath(QStringLiteral("z.esn")));
}

TEST(RecentFileList, ShortensLongPathsForTheMenu) {
    const QString home = QDir::homePath();
    EXPECT_EQ(CRecentFileList::DisplayName(QStringLiteral("/r/a.esn")), QStringLiteral("/r/a.esn"));
    EXPECT_EQ(CRecentFileList::DisplayName(home + QStringLiteral("/g/a.esn")),
              QStringLiteral("~/g/a.esn"));
    // Folders nearest the file are kept as far as they fit.
    EXPECT_EQ(CRecentFileList::DisplayName(
                  QStringLiteral("/srv/shogi/records/club/2026/spring/final.esn")),
              QStringLiteral("/srv/.../2026/spring/final.esn"));
    EXPECT_EQ(CRecentFileList::DisplayName(
                  QStringLiteral("/a-very-long-top-folder/x/championship-final.esn")),
              QStringLiteral("/.../x/championship-final.esn"));
    // A name longer than the whole allowance keeps both its ends.
    const QString longName = CRecentFileList::DisplayName(
        QStringLiteral("/r/an-extremely-long-record-name-of-a-game.esn"));
    EXPECT_EQ(longName.size(), 30);
    EXPECT_TRUE(longName.startsWith(QStringLiteral("an-extremely")));
    EXPECT_TRUE(longName.endsWith(QStringLiteral("game.esn")));
    EXPECT_TRUE(longName.contains(QStringLiteral("...")));

    for (const QString& path :
         {QStringLiteral("/srv/shogi/records/club/2026/spring/final.esn"),
          QStringLiteral("/x/y/z/aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.esn"),
          home + QStringLiteral("/Documents/shogi/records/2026/final-round.esn")}) {
        const QString shown = CRecentFileList::DisplayName(path);
        EXPECT_LE(shown.size(), 30) << shown.toStdString();
    }
}

TEST(RecentFileList, ShowsEntriesInPlaceOfTheGreyedPlaceholder) {
    TemporarySettings settings;
    FileMenu file;
    CRecentFileList list;
    list.ReadList();
    list.AttachToMenu(&file.menu, file.placeholder);

    EXPECT_EQ(MenuTexts(file.menu), (QStringList{QStringLiteral("&Open..."), QStringLiteral("-"),
                                                 QStringLiteral("Recent File"), QStringLiteral("-"),
                                                 QStringLiteral("E&xit")}));
    EXPECT_FALSE(file.placeholder->isEnabled());

    list.Add(QStringLiteral("/r/a.esn"));
    list.Add(QStringLiteral("/r/Black & White.esn"));
    EXPECT_EQ(MenuTexts(file.menu), (QStringList{QStringLiteral("&Open..."), QStringLiteral("-"),
                                                 QStringLiteral("&1 /r/Black && White.esn"),
                                                 QStringLiteral("&2 /r/a.esn"), QStringLiteral("-"),
                                                 QStringLiteral("E&xit")}));
    EXPECT_TRUE(file.placeholder->isEnabled());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(list.EntryAction(i)->data().toInt(), ID_FILE_MRU_FILE1 + i);
        EXPECT_EQ(list.EntryAction(i)->statusTip(), QStringLiteral("Open this document"));
    }

    QSignalSpy chosen(&list, &CRecentFileList::fileChosen);
    list.EntryAction(1)->trigger();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.front().front().toString(), QStringLiteral("/r/a.esn"));

    // Whoever takes the chosen path may change the list at once: an entry whose file fails to
    // open is removed while the path is still in use.
    QObject::connect(&list, &CRecentFileList::fileChosen, &list, &CRecentFileList::Remove);
    list.Add(QStringLiteral("/r/c.esn"));
    list.EntryAction(1)->trigger();
    EXPECT_EQ(list.Entries(),
              (QStringList{QStringLiteral("/r/c.esn"), QStringLiteral("/r/a.esn")}));

    list.Remove(QStringLiteral("/r/a.esn"));
    list.Remove(QStringLiteral("/r/c.esn"));
    EXPECT_EQ(MenuTexts(file.menu)[2], QStringLiteral("Recent File"));
    EXPECT_FALSE(file.placeholder->isEnabled());
    EXPECT_EQ(MenuTexts(file.menu).size(), 5);
}

}  // namespace
