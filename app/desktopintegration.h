#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Registration of the program and its record files with the desktop for the current user: a
// desktop entry that opens record files (*.esn and the other formats' files), the
// shared-mime-info type "ESN Document" and the types of the other formats, which
// shared-mime-info does not define (text/x-kif, ...), and the program and document icons. The
// user's copies stand in only while no installed copy exists: they never shadow an installed
// program, never keep naming a program that is gone, and a file the user wrote or changed is never
// touched.

// One file to place under an XDG data folder.
struct DesktopFile {
    QString relativePath;  // e.g. "applications/marlock.desktop"
    QByteArray contents;
};

// What one pass did, by relative path.
struct DesktopInstallResult {
    QStringList written;  // added, or rewritten for this program
    QStringList removed;  // the program's own copies, removed because an installed one exists
    QStringList failed;   // could not be written or removed
};

// The media type of record files and the names the files below use.
inline constexpr char EsnMimeType[] = "application/x-esn-record";

// The files that register the program, with the desktop entry starting `executablePath`. The
// desktop entry and the type carry a last line marking them as this program's, with a digest
// of the rest. The icons are those in the program's resources, at every size they hold and as
// SVG; one whose picture does not read is left out.
QList<DesktopFile> DesktopFilesFor(const QString& executablePath);

// The desktop entry's Exec value for a program at `path`, quoted as desktop entries require.
QString DesktopExecLine(const QString& path);

// Brings the user's copies under `dataHome` in line with `files`, one file at a time:
//  - where any of `dataDirs` holds the file (an installed copy), none is added and the
//    program's own copy is removed, so that the installed one is seen;
//  - otherwise a missing file is written, and an own copy that differs (another program's
//    path, an older text) is rewritten;
//  - a file the user wrote or changed, and a symbolic link, are left as they are.
// Each file is written whole or not at all; a failure skips that file and goes on.
DesktopInstallResult UpdateUserDesktopFiles(const QString& dataHome, const QStringList& dataDirs,
                                            const QList<DesktopFile>& files);

// Start-up: registers the running program in this session's XDG data folders. With
// `refreshCaches`, the user's mime and desktop databases are rebuilt in the background when
// the type or the entry changed, so that the desktop sees the change at once.
DesktopInstallResult RegisterWithDesktop(bool refreshCaches);
