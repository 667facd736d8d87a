#include "app/recentfilelist.h"

#include <gtest/gtest.h>

#include <QSettings>

#include "shelltesting.h"
#include "view/commandids.h"

namespace {

const QString File4 = QStringLiteral("Recent File List/File4");

TEST(RecentFileList, KeepsTheNewestFourAcrossRuns) {
    TemporarySettings settings;
    {
        // An earlier run's list, with an empty entry and a repeated one.
        QSettings store;
        store.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/r/x.esn"));
        store.setValue(QStringLiteral("Recent File List/File2"), QString());
        store.setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("/r/x.esn"));
        store.setValue(File4, QStringLiteral("/r/a.esn"));
    }
    CRecentFileList list;
    list.ReadList();
    EXPECT_EQ(list.Entries(), (QStringList{"/r/x.esn", "/r/a.esn"}));

    // Opened again, a file goes back to the top, not in twice; names are stored absolute.
    for (const char* name : {"/r/b.esn", "/r/c.esn", "/r/d.esn", "/r/a.esn", "relative/../e.esn"})
        list.Add(QString::fromUtf8(name));
    const QString e = QDir::current().absoluteFilePath(QStringLiteral("e.esn"));
    EXPECT_EQ(list.Entries(), (QStringList{e, "/r/a.esn", "/r/d.esn", "/r/c.esn"}));

    list.Remove(QStringLiteral("/r/d.esn"));
    CRecentFileList next;
    next.ReadList();
    EXPECT_EQ(next.Entries(), (QStringList{e, "/r/a.esn", "/r/c.esn"}));
    EXPECT_FALSE(QSettings().contains(File4)) << "a removed entry leaves no stale key behind";
}

// The menu shows at most 30 characters: the top folder, the folders nearest the file as far as
// they fit, and the name; a name longer than that keeps both its ends.
TEST(RecentFileList, ShortensLongPathsForTheMenu) {
    const QString home = QDir::homePath();
    const std::vector<std::pair<QString, QString>> cases = {
        {"/r/a.esn", "/r/a.esn"},
        {home + "/g/a.esn", "~/g/a.esn"},
        {"/srv/shogi/records/club/2026/spring/final.esn", "/srv/.../2026/spring/final.esn"},
        {home + "/Documents/shogi/records/2026/final-round.esn", "~/.../2026/final-round.esn"},
        {"/a-very-long-top-folder/x/championship-final.esn", "/.../x/championship-final.esn"},
        {"/r/an-extremely-long-record-name-of-a-game.esn", "an-extremely-l...of-a-game.esn"},
    };
    for (const auto& [path, shown] : cases)
        EXPECT_EQ(CRecentFileList::DisplayName(path), shown);
}

}  // namespace
