#include "app/desktopintegration.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "shelltesting.h"

namespace {

const QString Entry = QStringLiteral("applications/marlock.desktop");
const QString Mime = QStringLiteral("mime/packages/marlock-esn.xml");

QByteArray FileContents(const QList<DesktopFile>& files, const QString& relativePath) {
    for (const DesktopFile& file : files)
        if (file.relativePath == relativePath) return file.contents;
    return QByteArray();
}

QByteArray WithoutLastLine(const QByteArray& text) {
    return text.left(text.lastIndexOf('\n', text.size() - 2) + 1);
}

// What start-up writes for the user says the same as what the package installs (the program
// reads the installed files built in), apart from the program it starts, which the desktop also
// checks for (TryExec), and the line that marks it as the program's.
TEST(DesktopIntegration, UserFilesMatchTheInstalledOnes) {
    const QList<DesktopFile> files = DesktopFilesFor(QStringLiteral("/opt/marlock/bin/marlock"));
    const QString source = QStringLiteral(MARLOCK_SOURCE_DIR "/app/desktop/");
    QByteArray entry = ReadFile(source + QStringLiteral("marlock.desktop"));
    ASSERT_TRUE(entry.contains("Exec=marlock %f"));
    entry.replace("Exec=marlock %f",
                  "Exec=/opt/marlock/bin/marlock %f\nTryExec=/opt/marlock/bin/marlock");
    EXPECT_EQ(WithoutLastLine(FileContents(files, Entry)), entry);
    for (const char* name : {"marlock-esn.xml", "marlock-records.xml"}) {
        QXmlStreamReader xml(FileContents(files, QStringLiteral("mime/packages/") + name));
        while (!xml.atEnd())
            xml.readNext();
        EXPECT_FALSE(xml.hasError())
            << "the marker keeps the types well-formed: " << xml.errorString().toStdString();
    }
    // Every icon the package installs, each size and the SVG, under the same name and folder.
    const QString artwork = QStringLiteral(MARLOCK_SOURCE_DIR "/app/artwork/");
    for (const QString size : {"16", "22", "24", "32", "48", "64", "128", "256", "scalable"}) {
        const QString folder =
            QStringLiteral("icons/hicolor/%1/").arg(size == "scalable" ? size : size + 'x' + size);
        const QString suffix = size == "scalable" ? ".svg"
                               : size == "32"     ? ".png"
                                                  : '-' + size + ".png";
        const QByteArray program = ReadFile(artwork + "marlock" + suffix);
        ASSERT_FALSE(program.isEmpty()) << suffix.toStdString();
        EXPECT_EQ(FileContents(files, folder + "apps/marlock" + suffix.right(4)), program);
        EXPECT_EQ(
            FileContents(files, folder + "mimetypes/application-x-esn-record" + suffix.right(4)),
            ReadFile(artwork + "esn-document" + suffix));
    }
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

// The user's entry stands in only while nothing is installed, always names the program that
// runs now, and is never one the user wrote or changed.
TEST(DesktopIntegration, UserEntryNeverShadowsAnInstallOrOutlivesItsProgram) {
    const QByteArray wanted = FileContents(DesktopFilesFor(QStringLiteral("/new/marlock")), Entry);
    const QByteArray gone = FileContents(DesktopFilesFor(QStringLiteral("/gone/marlock")), Entry);
    QByteArray edited = gone;
    edited.replace("Name=Marlock", "Name=My Marlock");
    const QByteArray theirs = "[Desktop Entry]\nExec=/gone/marlock %f\n";
    const QByteArray none;

    struct Case {
        const char* what;
        bool installed;
        QByteArray before;
        QByteArray after;  // empty: no user entry
        const char* done;  // "written", "removed" or ""
    };
    const Case cases[] = {
        {"a first run", false, none, wanted, "written"},
        {"the last run's program is gone", false, gone, wanted, "written"},
        {"a second run", false, wanted, wanted, ""},
        {"the user's own entry", false, theirs, theirs, ""},
        {"the program's entry, edited by the user", false, edited, edited, ""},
        {"an install, nothing for the user", true, none, none, ""},
        {"an install after a run elsewhere", true, gone, none, "removed"},
        {"an install after a run of the same program", true, wanted, none, "removed"},
        {"an install and the user's own entry", true, theirs, theirs, ""},
    };
    for (const Case& c : cases) {
        QTemporaryDir home;
        QTemporaryDir system;
        if (c.installed) WriteTextFile(system.filePath(Entry), "installed");
        if (!c.before.isEmpty()) WriteTextFile(home.filePath(Entry), c.before);

        const DesktopInstallResult result =
            UpdateUserDesktopFiles(home.path(), {system.path()}, {{Entry, wanted}});
        const QString done = QString::fromUtf8(c.done);
        EXPECT_EQ(result.written, done == "written" ? QStringList{Entry} : QStringList{}) << c.what;
        EXPECT_EQ(result.removed, done == "removed" ? QStringList{Entry} : QStringList{}) << c.what;
        EXPECT_EQ(QFileInfo::exists(home.filePath(Entry)), !c.after.isEmpty()) << c.what;
        EXPECT_EQ(ReadFile(home.filePath(Entry)), c.after) << c.what;
    }
}

// A file that cannot be written is reported and the others are still written.
TEST(DesktopIntegration, GoesOnPastAFileThatCannotBeWritten) {
    QTemporaryDir home;
    const QString icon = QStringLiteral("icons/hicolor/64x64/apps/marlock.png");
    WriteTextFile(home.filePath(QStringLiteral("mime")), "a file where the folder should be");
    const DesktopInstallResult result =
        UpdateUserDesktopFiles(home.path(), {}, {{Mime, "mime"}, {icon, "png"}});
    EXPECT_EQ(result.failed, QStringList{Mime});
    EXPECT_EQ(result.written, QStringList{icon});
    EXPECT_EQ(ReadFile(home.filePath(icon)), QByteArray("png"));
}

}  // namespace
