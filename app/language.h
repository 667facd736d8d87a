#pragma once

#include <QStringList>
#include <QTranslator>

// The language the program speaks. The user's choice (Options > Language, kept in the settings
// and applied at the next start) comes first; "System" follows the languages the system
// prefers; English is the default. Only what the program shows is translated: the command line
// and every file written stay English.

enum class Language { English, Japanese };
enum class LanguageChoice { System, English, Japanese };

// The choice kept in the settings; System when none is kept or it is not understood.
LanguageChoice StoredLanguageChoice();
void StoreLanguageChoice(LanguageChoice choice);

// The language for a choice, given the system's languages, most wanted first ("ja-JP", "en",
// as QLocale::uiLanguages gives them): for System the first of them that the program speaks.
Language ChooseLanguage(LanguageChoice choice, const QStringList& systemLanguages);
// The language of this start: the stored choice over the system's locale.
Language LanguageOfThisStart();

// The program's translation and Qt's own (its dialogs and standard buttons, from the system's
// Qt translations where installed), installed in the application for the life of the object.
class Translations {
  public:
    explicit Translations(Language language);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Whether the program's own translation was found (always true for English).
    bool IsComplete() const { return m_complete; }

  private:
    QTranslator m_program;
    QTranslator m_qt;
    bool m_complete = true;
};
