#include "app/desktopintegration.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "shelltesting.h"

namespace {

QByteArray FileContents(const QList<DesktopFile>& files, const QString& relativePath) {
    for (const DesktopFile& file : files)
        if (file.relativePath == relativePath) return file.contents;
    return QByteArray();
}

const QString Entry = QStringLiteral("applications/marlock.desktop");
const QString Mime = QStringLiteral("mime/packages/marlock-esn.xml");

// What start-up writes for the user says the same as what the package installs, apart from
// the program it starts.
TEST(DesktopIntegration, UserFilesMatchTheInstalledOnes) {
    const QList<DesktopFile> files = DesktopFilesFor(QStringLiteral("/opt/marlock/bin/marlock"));
    const QString source = QStringLiteral(MARLOCK_SOURCE_DIR "/app/desktop/");
    QByteArray entry = ReadFile(source + QStringLiteral("marlock.desktop"));
    ASSERT_TRUE(entry.contains("Exec=marlock %f"));
    entry.replace("Exec=marlock %f", "Exec=/opt/marlock/bin/marlock %f");
    EXPECT_EQ(FileContents(files, Entry), entry);
    EXPECT_EQ(FileContents(files, Mime), ReadFile(source + QStringLiteral("marlock-esn.xml")));
}

TEST(DesktopIntegration, QuotesProgramPathsForTheExecLine) {
    EXPECT_EQ(DesktopExecLine(QStringLiteral("/usr/bin/marlock")),
              QStringLiteral("/usr/bin/marlock"));
    EXPECT_EQ(DesktopExecLine(QStringLiteral("/home/k/My Games/marlock")),
              QStringLiteral("\"/home/k/My Games/marlock\""));
    // '$' and '"' are escaped inside the quotes, and every backslash once more for the entry.
    EXPECT_EQ(DesktopExecLine(QStringLiteral("/a$b/\"c\"/marlock")),
              QStringLiteral("\"/a\\\\$b/\\\\\"c\\\\\"/marlock\""));
    EXPECT_EQ(DesktopExecLine(QStringLiteral("/x/100%/marlock")),
              QStringLiteral("/x/100%%/marlock"));
}

TEST(DesktopIntegration, WritesWhatIsMissingAndLeavesTheRest) {
    QTemporaryDir home;
    QTemporaryDir system;
    const QString small = QStringLiteral("icons/hicolor/32x32/apps/marlock.png");
    const QString large = QStringLiteral("icons/hicolor/64x64/apps/marlock.png");
    const QList<DesktopFile> files{{Entry, "entry"}, {Mime, "mime"}, {small, "s"}, {large, "l"}};
    // The user changed the entry, the system has the small icon, and a plain file stands where
    // the "mime" folder should be.
    WriteTextFile(home.filePath(Entry), "the user's own entry");
    WriteTextFile(system.filePath(small), "system");
    WriteTextFile(home.filePath(QStringLiteral("mime")), "in the way");

    const DesktopInstallResult first =
        InstallMissingDesktopFiles(home.path(), {system.path()}, files);
    EXPECT_EQ(first.written, QStringList{large});
    EXPECT_EQ(first.failed, QStringList{Mime});
    EXPECT_EQ(ReadFile(home.filePath(Entry)), QByteArray("the user's own entry"));
    EXPECT_EQ(ReadFile(home.filePath(large)), QByteArray("l"));
    EXPECT_FALSE(QFileInfo::exists(home.filePath(small)));
    EXPECT_TRUE(InstallMissingDesktopFiles(home.path(), {system.path()}, files).written.isEmpty());
}

}  // namespace
