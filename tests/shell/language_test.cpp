#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

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

CZelkanApp& App() {
    return *static_cast<CZelkanApp*>(QCoreApplication::instance());
}

// A text the user reads is in Japanese, or names only what has no translation: keys after a
// tab, acronyms such as KIF, numbers and the names Marlock, Tallowby and English.
bool ReadsAsJapanese(QString text) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    static const QRegularExpression names(QStringLiteral("Marlock|Tallowby|English|\\t.*"));
    return text.contains(japanese) || !text.remove(names).contains(QRegularExpression("[a-z]"));
}

// Every text of a window that the program writes, its data left out (fields, the variations).
QStringList UntranslatedTexts(QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (QAction* action : window.findChildren<QAction*>())
        if (!action->isSeparator() && action->isVisible())
            texts << action->text() << action->statusTip() << action->toolTip();
    for (QMenu* menu : window.findChildren<QMenu*>())
        texts << menu->title();
    for (QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        texts << button->text() << button->toolTip();
    for (QGroupBox* box : window.findChildren<QGroupBox*>())
        texts << box->title();
    for (QDockWidget* dock : window.findChildren<QDockWidget*>())
        texts << dock->windowTitle();
    for (QComboBox* combo : window.findChildren<QComboBox*>())
        for (int i = 0; i < combo->count() && combo->objectName() != "variations"; ++i)
            texts << combo->itemText(i);
    for (QTreeWidget* tree : window.findChildren<QTreeWidget*>())
        for (int i = 0; i < tree->columnCount(); ++i)
            texts << tree->headerItem()->text(i);
    if (auto* frame = qobject_cast<QMainWindow*>(&window))
        texts << frame->statusBar()->currentMessage();
    texts.removeAll(QString());
    texts.removeIf(ReadsAsJapanese);
    return texts;
}

}  // namespace

// The user's choice wins over the system's languages, which win over English.
TEST(Language, ChoiceOverSystemOverEnglish) {
    const QStringList japanese{QStringLiteral("ja-JP"), QStringLiteral("ja")};
    const QStringList french{QStringLiteral("fr-FR"), QStringLiteral("ja-JP")};
    const struct {
        LanguageChoice choice;
        QStringList system;
        Language expected;
    } cases[] = {
        {LanguageChoice::System, japanese, Language::Japanese},
        {LanguageChoice::System, {QStringLiteral("ja_JP.UTF-8")}, Language::Japanese},
        {LanguageChoice::System,
         {QStringLiteral("en-GB"), QStringLiteral("ja")},
         Language::English},
        {LanguageChoice::System, french, Language::Japanese},  // the first one spoken
        {LanguageChoice::System, {QStringLiteral("C")}, Language::English},
        {LanguageChoice::System, {QStringLiteral("de-DE")}, Language::English},
        {LanguageChoice::English, japanese, Language::English},
        {LanguageChoice::Japanese, {QStringLiteral("en-US")}, Language::Japanese},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseLanguage(c.choice, c.system), c.expected)
            << c.system.join(' ').toStdString();
}

// Started with Japanese chosen, every menu, prompt, window and message of the program is in
// Japanese; choosing English in Options > Language is kept for the next start.
TEST(Language, JapaneseThroughout) {
    TemporarySettings settings;
    StoreLanguageChoice(LanguageChoice::Japanese);
    auto owned = std::make_unique<ScriptedPrompter>();
    ScriptedPrompter& prompter = *owned;
    App().SetPrompter(std::move(owned));
    ASSERT_TRUE(App().InitInstance({QStringLiteral("marlock")}));
    CMainFrame& frame = *App().MainFrame();
    EXPECT_EQ(frame.FileMenu()->title(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(UntranslatedTexts(frame), QStringList());

    EngineOption file;  // an engine's options, named by the engine
    file.name = "Book";
    file.type = EngineOption::Type::Filename;
    EngineOption button = file;
    button.name = "Clear";
    button.type = EngineOption::Type::Button;
    const std::unique_ptr<QWidget> dialogs[] = {
        std::make_unique<SetupDialog>(SetupPosition(), BoardLook{}, prompter),
        std::make_unique<EnginesDialog>(EngineList{}),
        std::make_unique<EngineOptionsDialog>(QStringLiteral("Engine"), std::vector{file, button},
                                              EngineOptionsDialog::OptionValues{})};
    for (const std::unique_ptr<QWidget>& dialog : dialogs)
        EXPECT_EQ(UntranslatedTexts(*dialog).filter(QRegularExpression("^(?!Book|Clear)")),
                  QStringList());
    QTimer::singleShot(0, &frame, [] {
        QWidget* about = QApplication::activeModalWidget();
        if (about == nullptr) return;
        EXPECT_EQ(UntranslatedTexts(*about), QStringList());
        about->close();
    });
    frame.ActionById(ID_APP_ABOUT)->trigger();

    // Messages: the save question, a refused paste, a format's losses, a reading error.
    QApplication::clipboard()->setText(QStringLiteral("no record"));
    frame.ActionById(ID_EDIT_PASTE_RECORD)->trigger();
    ASSERT_TRUE(App().Document()->OpenRecordText(
        QStringLiteral("1. P-7f\r\n{\r\n1. P-2f\r\n}\r\n2. P-3d\r\n3. Z-9z\r\n")));
    frame.ActionById(ID_EDIT_COPY_USI)->trigger();
    frame.ActionById(ID_FILE_NEW)->trigger();
    EXPECT_EQ(prompter.asked.size(), 4) << prompter.asked.join('\n').toStdString();
    prompter.asked.removeIf(ReadsAsJapanese);
    EXPECT_EQ(prompter.asked, QStringList());

    // The words made from the model's kinds and values.
    EXPECT_EQ(ProblemWords({PositionRule::StrandedPiece, White, Pawn, Square(8, 1)}),
              QStringLiteral("後手の２九の歩は行き所がありません"));
    EXPECT_EQ(LossesWords({.variations = 12, .comments = 3, .results = 1}),
              QStringLiteral("変化 12 件、コメント 3 件、結果"));

    frame.ActionById(ID_OPTIONS_LANGUAGE_ENGLISH)->trigger();
    EXPECT_EQ(StoredLanguageChoice(), LanguageChoice::English);
    ASSERT_TRUE(App().InitInstance({QStringLiteral("marlock")}));
    EXPECT_EQ(App().MainFrame()->FileMenu()->title(), QStringLiteral("&File"));
    EXPECT_TRUE(App().MainFrame()->ActionById(ID_OPTIONS_LANGUAGE_ENGLISH)->isChecked());
    App().ExitInstance();
}
