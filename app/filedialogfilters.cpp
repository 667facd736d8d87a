#include "app/filedialogfilters.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "format/recordio.h"

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The types whose format has a reader and a writer, in the library's order.
std::vector<FileType> HandledTypes() {
    std::vector<FileType> types;
    for (const FileType& type : KnownFileTypes())
        if (HandlerFor(type.format) != nullptr) types.push_back(type);
    return types;
}

bool HasSeveralEncodings(RecordFormat format, const std::vector<FileType>& types) {
    for (const FileType& type : types)
        if (type.format == format && type.encoding != TextEncoding::Utf8) return true;
    return false;
}

QString Pattern(const FileType& type) {
    return QStringLiteral("*.") + FromView(DefaultExtension(type));
}

class FileDialogFilters {
    Q_DECLARE_TR_FUNCTIONS(FileDialogFilters)
};

// "KIFU Files, UTF-8": the name is the extension's, or the format's with its version.
QString SaveTypeLabel(const FileType& type, const std::vector<FileType>& types) {
    const QString name = type.version != 0 ? QStringLiteral("%1 %2.%3")
                                                 .arg(FromView(FormatDisplayName(type.format)))
                                                 .arg(type.version / 10)
                                                 .arg(type.version % 10)
                                           : FromView(DefaultExtension(type)).toUpper();
    if (!HasSeveralEncodings(type.format, types))
        return FileDialogFilters::tr("%1 Files").arg(name);
    return FileDialogFilters::tr("%1 Files, %2").arg(name, FromView(EncodingName(type.encoding)));
}

}  // namespace

QStringList OpenFilters() {
    const std::vector<FileType> types = HandledTypes();
    QStringList all;
    QStringList filters;
    for (std::size_t i = 0; i < types.size(); ++i) {
        const RecordFormat format = types[i].format;
        if (i > 0 && types[i - 1].format == format) continue;
        QStringList patterns;
        for (std::size_t j = i; j < types.size() && types[j].format == format; ++j)
            if (!patterns.contains(Pattern(types[j]))) patterns.append(Pattern(types[j]));
        all += patterns;
        filters.append(FileDialogFilters::tr("%1 Files (%2)")
                           .arg(FromView(FormatDisplayName(format)), patterns.join(u' ')));
    }
    filters.prepend(FileDialogFilters::tr("Game Records (%1)").arg(all.join(u' ')));
    filters.append(FileDialogFilters::tr("All Files (*)"));
    return filters;
}

std::vector<SaveFilter> SaveFilters() {
    const std::vector<FileType> types = HandledTypes();
    std::vector<SaveFilter> filters;
    for (const FileType& type : types)
        filters.push_back(
            {QStringLiteral("%1 (%2)").arg(SaveTypeLabel(type, types), Pattern(type)), type});
    return filters;
}

QString SaveFilterFor(const FileType& type) {
    const std::vector<SaveFilter> filters = SaveFilters();
    for (const SaveFilter& filter : filters)
        if (filter.type == type) return filter.text;
    for (const SaveFilter& filter : filters)
        if (filter.type.format == type.format) return filter.text;
    return filters.empty() ? QString() : filters.front().text;
}

std::optional<FileType> TypeOfSaveFilter(const QString& text) {
    for (const SaveFilter& filter : SaveFilters())
        if (filter.text == text) return filter.type;
    return std::nullopt;
}

FileType ResolveSaveTarget(QString& path, const FileType& chosen) {
    const QString extension = QFileInfo(path).suffix();
    if (extension.isEmpty()) {
        if (!path.endsWith(QLatin1Char('.'))) path += QLatin1Char('.');
        path += FromView(DefaultExtension(chosen));
        return chosen;
    }
    // A .csa name keeps the CSA version chosen; a .kifu name under the KIF filter is KIFU.
    if (extension.compare(FromView(DefaultExtension(chosen)), Qt::CaseInsensitive) == 0)
        return chosen;
    const std::optional<FileType> named = FileTypeForPath(path.toStdString());
    return named && HandlerFor(named->format) ? *named : chosen;
}
