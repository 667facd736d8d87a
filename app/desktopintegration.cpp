#include "app/desktopintegration.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include "app/resources.h"

namespace {

const QString DesktopEntryPath = QStringLiteral("applications/marlock.desktop");
const QString MimePackagePath = QStringLiteral("mime/packages/marlock-esn.xml");
// The types of the other record formats, which shared-mime-info does not define.
const QString RecordsMimePackagePath = QStringLiteral("mime/packages/marlock-records.xml");
const QByteArray MarkerKey = QByteArrayLiteral("X-Marlock-Generated=");

QByteArray Digest(const QByteArray& text) {
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex();
}

// `text` with a last line that marks it as this program's: `before`, the marker key and a
// digest of `text`, and `after` (the comment syntax of the file's format).
QByteArray Marked(const QByteArray& text, const char* before, const char* after) {
    return text + before + MarkerKey + Digest(text) + after + '\n';
}

// Whether the last line of `bytes` is a marker whose digest matches everything before it.
// A user who edits a copy, or adds lines after the marker, makes it theirs.
bool CarriesMatchingMarker(const QByteArray& bytes) {
    if (bytes.size() < 2 || !bytes.endsWith('\n')) return false;
    const qsizetype lineStart = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
    const QByteArray line = bytes.mid(lineStart);
    const qsizetype key = line.indexOf(MarkerKey);
    return key >= 0 && line.mid(key + MarkerKey.size()).startsWith(Digest(bytes.left(lineStart)));
}

// A desktop entry's string value: backslashes and control characters escaped.
QString DesktopStringValue(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return text;
}

// The files installed with the program, built in as resources.
QByteArray InstalledText(const QString& name) {
    QFile file(QStringLiteral(":/desktop/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The installed entry, except that it starts "marlock" from the search path while this one
// names the running program, and with TryExec, so that the desktop ignores the entry once that
// program is gone.
QByteArray DesktopEntry(const QString& executablePath) {
    QString text = QString::fromUtf8(InstalledText(QStringLiteral("marlock.desktop")));
    text.replace(QStringLiteral("Exec=marlock %f\n"),
                 QStringLiteral("Exec=%1 %f\nTryExec=%2\n")
                     .arg(DesktopExecLine(executablePath), DesktopStringValue(executablePath)));
    return Marked(text.toUtf8(), "", "");
}

QByteArray MimePackage() {
    return Marked(InstalledText(QStringLiteral("marlock-esn.xml")), "<!-- ", " -->");
}

QByteArray RecordsMimePackage() {
    return Marked(InstalledText(QStringLiteral("marlock-records.xml")), "<!-- ", " -->");
}

// The icons in the resources, each placed in the hicolor theme's folder of its size: a PNG in
// the folder of its pixel size, an SVG in "scalable". A picture that does not read is left out.
void AddIcons(QList<DesktopFile>& files, const QString& prefix, const QString& context,
              const QString& name) {
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString& entry : icons.entryList({prefix + QStringLiteral("*")}, QDir::Files)) {
        QFile file(icons.filePath(entry));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray picture = file.readAll();
        QString folder;
        if (entry.endsWith(QStringLiteral(".svg"))) {
            if (!picture.contains("<svg")) continue;
            folder = QStringLiteral("scalable");
        } else {
            QBuffer buffer;
            buffer.setData(picture);
            const QSize size = QImageReader(&buffer, "PNG").size();
            if (!size.isValid()) continue;
            folder = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        }
        files.append({QStringLiteral("icons/hicolor/%1/%2/%3.%4")
                          .arg(folder, context, name, QFileInfo(entry).suffix()),
                      picture});
    }
}

bool ExistsInAny(const QString& relativePath, const QStringList& folders) {
    for (const QString& folder : folders) {
        if (!folder.isEmpty() && QFileInfo::exists(QDir(folder).filePath(relativePath)))
            return true;
    }
    return false;
}

bool WriteWhole(const QString& path, const QByteArray& contents) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// What the user's folder holds in a file's place: nothing, the program's own copy (as it would
// write it now, or stale: another program's path or an older text), or the user's own file.
enum class UserCopy { None, OwnCurrent, OwnStale, Theirs };

UserCopy FindUserCopy(const QString& path, const QByteArray& wanted) {
    const QFileInfo info(path);
    if (info.isSymLink()) return UserCopy::Theirs;
    if (!info.exists()) return UserCopy::None;
    QFile file(path);
    // An unreadable file is not known to be ours.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return UserCopy::Theirs;
    const QByteArray current = file.readAll();
    if (current == wanted) return UserCopy::OwnCurrent;
    return CarriesMatchingMarker(current) ? UserCopy::OwnStale : UserCopy::Theirs;
}

}  // namespace

QString DesktopExecLine(const QString& path) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted;
    bool needsQuotes = false;
    for (const QChar c : path) {
        if (reserved.contains(c)) needsQuotes = true;
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    if (needsQuotes) quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    // The entry's own string escapes come on top of the quoting, and '%' starts a field code.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return quoted;
}

QList<DesktopFile> DesktopFilesFor(const QString& executablePath) {
    InitResources();
    QList<DesktopFile> files{{DesktopEntryPath, DesktopEntry(executablePath)},
                             {MimePackagePath, MimePackage()},
                             {RecordsMimePackagePath, RecordsMimePackage()}};
    AddIcons(files, QStringLiteral("marlock"), QStringLiteral("apps"), QStringLiteral("marlock"));
    AddIcons(files, QStringLiteral("esn-document"), QStringLiteral("mimetypes"),
             QStringLiteral("application-x-esn-record"));
    return files;
}

DesktopInstallResult UpdateUserDesktopFiles(const QString& dataHome, const QStringList& dataDirs,
                                            const QList<DesktopFile>& files) {
    DesktopInstallResult result;
    if (dataHome.isEmpty()) {
        for (const DesktopFile& file : files)
            result.failed.append(file.relativePath);
        return result;
    }
    for (const DesktopFile& file : files) {
        const QString path = QDir(dataHome).filePath(file.relativePath);
        const bool installed = ExistsInAny(file.relativePath, dataDirs);
        const UserCopy copy = FindUserCopy(path, file.contents);
        if (copy == UserCopy::Theirs) continue;
        if (installed) {
            if (copy == UserCopy::None) continue;
            (QFile::remove(path) ? result.removed : result.failed).append(file.relativePath);
            continue;
        }
        if (copy == UserCopy::OwnCurrent) continue;
        (WriteWhole(path, file.contents) ? result.written : result.failed)
            .append(file.relativePath);
    }
    return result;
}

DesktopInstallResult RegisterWithDesktop(bool refreshCaches) {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList dataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    dataDirs.removeAll(dataHome);
    const DesktopInstallResult result = UpdateUserDesktopFiles(
        dataHome, dataDirs, DesktopFilesFor(QCoreApplication::applicationFilePath()));
    const auto changed = [&result](const QString& relativePath) {
        return result.written.contains(relativePath) || result.removed.contains(relativePath);
    };

    // The desktop reads the type and the associations from caches; a missing tool only means
    // they are rebuilt at the next login or package installation, so its failure is ignored.
    if (refreshCaches && (changed(MimePackagePath) || changed(RecordsMimePackagePath)))
        QProcess::startDetached(QStringLiteral("update-mime-database"),
                                {QDir(dataHome).filePath(QStringLiteral("mime"))});
    if (refreshCaches && changed(DesktopEntryPath))
        QProcess::startDetached(QStringLiteral("update-desktop-database"),
                                {QDir(dataHome).filePath(QStringLiteral("applications"))});
    return result;
}
