#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "format/recordformat.h"

// The filters of the Open and Save As dialogs, made from the file types the format library
// reads and writes, and how a name typed in Save As decides the type written.

// "Game Records (*.esn *.kif ...)" with every extension read, then one filter per format
// ("KIF Files (*.kif *.kifu)"), then "All Files (*)".
QStringList OpenFilters();

// One filter per type written, with its type: "ESN Files (*.esn)", "KIF Files, Shift_JIS
// (*.kif)", "KIFU Files, UTF-8 (*.kifu)", "CSA 3.0 Files, UTF-8 (*.csa)", ...
struct SaveFilter {
    QString text;
    FileType type;
};
std::vector<SaveFilter> SaveFilters();
// The filter offered first for saving a record of this type: its own, else its format's first.
QString SaveFilterFor(const FileType& type);
// The type of a filter's text; nothing for a text that is none of them.
std::optional<FileType> TypeOfSaveFilter(const QString& text);

// The type a Save As writes to `path` with the filter of type `chosen`: the type the typed
// extension names when it names one other than the filter's own, else `chosen`. A name without
// an extension gets the chosen type's.
FileType ResolveSaveTarget(QString& path, const FileType& chosen);
