#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>

namespace {

const QString LanguageKey = QStringLiteral("Options/Language");

struct ChoiceName {
    LanguageChoice choice;
    const char* name;
};
constexpr ChoiceName ChoiceNames[] = {{LanguageChoice::System, "System"},
                                      {LanguageChoice::English, "English"},
                                      {LanguageChoice::Japanese, "Japanese"}};

}  // namespace

LanguageChoice StoredLanguageChoice() {
    const QString stored = QSettings().value(LanguageKey).toString();
    for (const ChoiceName& entry : ChoiceNames)
        if (stored == QLatin1String(entry.name)) return entry.choice;
    return LanguageChoice::System;
}

void StoreLanguageChoice(LanguageChoice choice) {
    for (const ChoiceName& entry : ChoiceNames)
        if (entry.choice == choice) QSettings().setValue(LanguageKey, QLatin1String(entry.name));
}

Language ChooseLanguage(LanguageChoice choice, const QStringList& systemLanguages) {
    switch (choice) {
        case LanguageChoice::English:
            return Language::English;
        case LanguageChoice::Japanese:
            return Language::Japanese;
        case LanguageChoice::System:
            break;
    }
    for (const QString& name : systemLanguages) {
        // "ja", "ja-JP", "ja_JP.UTF-8"; "C" and "POSIX" are English.
        const QString code = name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
        if (code.compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0) return Language::Japanese;
        if (code.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 ||
            code == QLatin1String("C") || code == QLatin1String("POSIX"))
            return Language::English;
    }
    return Language::English;
}

Language LanguageOfThisStart() {
    return ChooseLanguage(StoredLanguageChoice(), QLocale::system().uiLanguages());
}

Translations::Translations(Language language) {
    if (language != Language::Japanese) return;
    m_complete = m_program.load(QStringLiteral(":/i18n/marlock_ja.qm"));
    if (m_complete) QCoreApplication::installTranslator(&m_program);
    // Qt's own texts, where the system has them; their absence costs only English buttons.
    if (m_qt.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
}

Translations::~Translations() {
    QCoreApplication::removeTranslator(&m_program);
    QCoreApplication::removeTranslator(&m_qt);
}
