#include "app/desktopintegration.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "shelltesting.h"

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
    EXPECT_EQ(FileContents(files, Mime), ReadFile(source + QStringLiteral("marlock-esn.xml")));

    const QByteArray installed = ReadFile(source + QStringLiteral("marlock.desktop"));
    ASSERT_FALSE(installed.isEmpty());
    QByteArray expected = installed;
    expected.replace("Exec=marlock %f", "Exec=/opt/marlock/bin/marlock %f");
    EXPECT_EQ(FileContents(files, Entry), expected);
    EXPECT_TRUE(installed.contains("MimeType=application/x-esn-record;"));
    EXPECT_TRUE(FileContents(files, Mime).contains("<glob pattern=\"*.esn\"/>"));
    EXPECT_TRUE(FileContents(files, Mime).contains("<comment>ESN Document</comment>"));
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
    const QList<DesktopFile> files{
        {Entry, "entry"},
        {Mime, "mime"},
        {QStringLiteral("icons/hicolor/32x32/apps/marlock.png"), "icon"}};
    // The user changed the entry, and the system already has the program's icon.
    WriteTextFile(home.filePath(Entry), "the user's own entry");
    WriteTextFile(system.filePath(QStringLiteral("icons/hicolor/32x32/apps/marlock.png")), "sys");

    const DesktopInstallResult first =
        InstallMissingDesktopFiles(home.path(), {system.path()}, files);
    EXPECT_EQ(first.written, QStringList{Mime});
    EXPECT_TRUE(first.failed.isEmpty());
    EXPECT_EQ(ReadFile(home.filePath(Entry)), QByteArray("the user's own entry"));
    EXPECT_EQ(ReadFile(home.filePath(Mime)), QByteArray("mime"));
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("icons"))));

    const DesktopInstallResult again =
        InstallMissingDesktopFiles(home.path(), {system.path()}, files);
    EXPECT_TRUE(again.written.isEmpty());
}

TEST(DesktopIntegration, AFailedWriteSkipsOnlyThatFile) {
    QTemporaryDir home;
    // A plain file where the "mime" folder should be makes the mime type impossible to write.
    WriteTextFile(home.filePath(QStringLiteral("mime")), "in the way");
    const QList<DesktopFile> files{{Mime, "mime"}, {Entry, "entry"}};
    const DesktopInstallResult result = InstallMissingDesktopFiles(home.path(), {}, files);
    EXPECT_EQ(result.failed, QStringList{Mime});
    EXPECT_EQ(result.written, QStringList{Entry});
    EXPECT_EQ(ReadFile(home.filePath(Entry)), QByteArray("entry"));
}

// Start-up registers the running program in the session's XDG data folder.
TEST(DesktopIntegration, RegistersForTheCurrentUser) {
    QTemporaryDir home;
    QTemporaryDir system;
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    const QByteArray oldDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", system.path().toLocal8Bit());

    const DesktopInstallResult result = RegisterWithDesktop(false);
    EXPECT_TRUE(result.written.contains(Entry));
    EXPECT_TRUE(result.written.contains(Mime));
    EXPECT_TRUE(
        ReadFile(home.filePath(Entry))
            .contains("Exec=" + DesktopExecLine(QCoreApplication::applicationFilePath()).toUtf8() +
                      " %f"));
    // Both icons, in both sizes the program carries.
    for (const char* size : {"32x32", "64x64"}) {
        for (const char* icon : {"apps/marlock.png", "mimetypes/application-x-esn-record.png"}) {
            const QString path =
                QStringLiteral("icons/hicolor/%1/%2").arg(QLatin1String(size), QLatin1String(icon));
            EXPECT_TRUE(result.written.contains(path)) << path.toStdString();
            EXPECT_FALSE(QImage(home.filePath(path)).isNull()) << path.toStdString();
        }
    }
    EXPECT_TRUE(RegisterWithDesktop(false).written.isEmpty());

    qputenv("XDG_DATA_HOME", oldHome);
    qputenv("XDG_DATA_DIRS", oldDirs);
}

}  // namespace
