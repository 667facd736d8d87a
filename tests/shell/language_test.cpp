#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>

#include "analysis/engineoptionsdialog.h"
#include "analysis/enginesdialog.h"
#include "app/language.h"
#include "app/mainframe.h"
#include "app/zelkanapp.h"
#include "document/gamewords.h"
#include "document/zelkandoc.h"
#include "setup/setupdialog.h"
#include "shelltesting.h"
#include "tests/support/scriptedprompter.h"
#include "view/commandids.h"

namespace {

// In Japanese, or naming only what has no translation: keys after a tab, acronyms (KIF, OK),
// numbers and the names Marlock, Tallowby and English.
bool ReadsAsJapanese(QString text) {
    return text.contains(QRegularExpression(u"[\u3000-\u9fff\uff00-\uffef]"_qs)) ||
           !text.remove(QRegularExpression(u"Marlock|Tallowby|English|\t.*"_qs))
                .contains(QRegularExpression(u"[a-z]"_qs));
}

// The texts of a window and its parts that are not yet in Japanese; its data (the fields, the
// variations) left out.
QStringList UntranslatedTexts(QWidget& window) {
    QStringList texts;
    QObjectList objects = window.findChildren<QObject*>();
    for (QObject* object : objects << &window) {
        if (auto* action = qobject_cast<QAction*>(object); action && !action->isVisible()) continue;
        for (const char* property : {"text", "title", "windowTitle", "toolTip", "statusTip"})
            texts << object->property(property).toString();
        if (auto* combo = qobject_cast<QComboBox*>(object); combo && combo->isEditable() == false)
            for (int i = 0; i < combo->count() && combo->objectName() != u"variations"_qs; ++i)
                texts << combo->itemText(i);
    }
    texts.removeIf(ReadsAsJapanese);
    return texts;
}

}  // namespace

// The user's choice wins over the system's languages, the first one spoken, over English.
TEST(Language, ChoiceOverSystemOverEnglish) {
    using enum LanguageChoice;
    const QStringList ja{u"ja_JP.UTF-8"_qs}, en{u"en-GB"_qs, u"ja"_qs}, fr{u"fr"_qs, u"ja-JP"_qs};
    EXPECT_EQ(ChooseLanguage(System, ja), Language::Japanese);
    EXPECT_EQ(ChooseLanguage(System, fr), Language::Japanese);
    EXPECT_EQ(ChooseLanguage(System, en), Language::English);
    EXPECT_EQ(ChooseLanguage(System, {u"C"_qs}), Language::English);
    EXPECT_EQ(ChooseLanguage(English, ja), Language::English);
    EXPECT_EQ(ChooseLanguage(Japanese, en), Language::Japanese);
}

// Started with Japanese chosen, every menu, prompt, window and message is in Japanese; English
// chosen in Options > Language is kept for the next start.
TEST(Language, JapaneseThroughout) {
    TemporarySettings settings;
    StoreLanguageChoice(LanguageChoice::Japanese);
    auto& app = *static_cast<CZelkanApp*>(QCoreApplication::instance());
    auto owned = std::make_unique<ScriptedPrompter>();
    ScriptedPrompter& prompter = *owned;
    app.SetPrompter(std::move(owned));
    ASSERT_TRUE(app.InitInstance({u"marlock"_qs}));
    CMainFrame& frame = *app.MainFrame();
    EXPECT_EQ(UntranslatedTexts(frame), QStringList());

    // An engine's options, which the engine names.
    const std::vector options{*ParseOption("name Book type filename"),
                              *ParseOption("name Book type button")};
    const std::unique_ptr<QWidget> dialogs[] = {
        std::make_unique<SetupDialog>(SetupPosition(), BoardLook{}, prompter),
        std::make_unique<EnginesDialog>(EngineList{}),
        std::make_unique<EngineOptionsDialog>(u"Engine"_qs, options,
                                              EngineOptionsDialog::OptionValues{})};
    for (const std::unique_ptr<QWidget>& dialog : dialogs)
        EXPECT_EQ(UntranslatedTexts(*dialog).filter(QRegularExpression(u"^(?!Book)"_qs)),
                  QStringList());
    QTimer::singleShot(0, &frame, [] {
        if (QWidget* about = QApplication::activeModalWidget()) {
            EXPECT_EQ(UntranslatedTexts(*about), QStringList());
            about->close();
        }
    });
    frame.ActionById(ID_APP_ABOUT)->trigger();

    // Messages: a refused paste, a reading error, a format's losses, the save question.
    QApplication::clipboard()->setText(u"no record"_qs);
    frame.ActionById(ID_EDIT_PASTE_RECORD)->trigger();
    app.Document()->OpenRecordText(u"1. P-7f\r\n{\r\n1. P-2f\r\n}\r\n2. P-3d\r\n3. Z-9z\r\n"_qs);
    frame.ActionById(ID_EDIT_COPY_USI)->trigger();
    frame.ActionById(ID_FILE_NEW)->trigger();
    EXPECT_EQ(prompter.asked.size(), 4);
    EXPECT_EQ(prompter.asked.filter(QRegularExpression(u"^[ -~]*$"_qs)), QStringList());
    // Words made of the model's kinds and values.
    EXPECT_EQ(ProblemWords({PositionRule::StrandedPiece, White, Pawn, Square(8, 1)}),
              u"後手の２九の歩は行き所がありません"_qs);
    EXPECT_EQ(LossesWords({.variations = 12, .comments = 3, .results = 1}),
              u"変化 12 件、コメント 3 件、結果"_qs);

    frame.ActionById(ID_OPTIONS_LANGUAGE_ENGLISH)->trigger();
    ASSERT_TRUE(app.InitInstance({u"marlock"_qs}));
    EXPECT_EQ(app.MainFrame()->FileMenu()->title(), u"&File"_qs);
    EXPECT_TRUE(app.MainFrame()->ActionById(ID_OPTIONS_LANGUAGE_ENGLISH)->isChecked());
    app.ExitInstance();
}
