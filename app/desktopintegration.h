#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Registration of the program and its record files with the desktop for the current user: a
// desktop entry that opens *.esn files, the shared-mime-info type "ESN Document" for them, and
// the program and document icons. Files already present in any XDG data folder, the user's or
// the system's, are left alone, so an installed copy or the user's own edits always win.

// One file to place under an XDG data folder.
struct DesktopFile {
    QString relativePath;  // e.g. "applications/marlock.desktop"
    QByteArray contents;
};

struct DesktopInstallResult {
    QStringList written;  // relative paths written
    QStringList failed;   // relative paths that could not be written
};

// The media type of record files and the names the files below use.
inline constexpr char EsnMimeType[] = "application/x-esn-record";

// The files that register the program, with the desktop entry starting `executablePath`.
// An icon whose picture is missing from the program's resources is left out.
QList<DesktopFile> DesktopFilesFor(const QString& executablePath);

// The desktop entry's Exec value for a program at `path`, quoted as desktop entries require.
QString DesktopExecLine(const QString& path);

// Writes into `dataHome` each of `files` that neither `dataHome` nor any of `dataDirs` holds.
// Each file is written whole or not at all; a failure skips that file and goes on.
DesktopInstallResult InstallMissingDesktopFiles(const QString& dataHome,
                                                const QStringList& dataDirs,
                                                const QList<DesktopFile>& files);

// Start-up: registers the running program in this session's XDG data folders. With
// `refreshCaches`, the user's mime and desktop databases are rebuilt in the background when a
// file was added, so that the desktop sees the new type at once.
DesktopInstallResult RegisterWithDesktop(bool refreshCaches);
