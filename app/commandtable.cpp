#include "app/commandtable.h"

#include <QCoreApplication>
#include <algorithm>
#include <map>

#include "view/commandids.h"

const std::vector<MenuDefinition>& MainMenu() {
    static const std::vector<MenuDefinition> menus = {
        {QT_TRANSLATE_NOOP("CommandTable", "&File"),
         {{ID_FILE_NEW, QT_TRANSLATE_NOOP("CommandTable", "&New\tCtrl+N")},
          {ID_FILE_NEW_FROM_POSITION, QT_TRANSLATE_NOOP("CommandTable", "New From Pos&ition...")},
          {ID_FILE_OPEN, QT_TRANSLATE_NOOP("CommandTable", "&Open...\tCtrl+O")},
          {ID_FILE_SAVE, QT_TRANSLATE_NOOP("CommandTable", "&Save\tCtrl+S")},
          {ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("CommandTable", "Save &As...")},
          {SeparatorId, ""},
          {ID_FILE_EXPORT_PICTURE, QT_TRANSLATE_NOOP("CommandTable", "Export Board &Picture...")},
          {SeparatorId, ""},
          {ID_FILE_MRU_FILE1, QT_TRANSLATE_NOOP("CommandTable", "Recent File")},
          {SeparatorId, ""},
          {ID_APP_EXIT, QT_TRANSLATE_NOOP("CommandTable", "E&xit")}}},
        {QT_TRANSLATE_NOOP("CommandTable", "&Edit"),
         {{ID_EDIT_UNDO, QT_TRANSLATE_NOOP("CommandTable", "&Undo\tCtrl+Z")},
          {ID_EDIT_REDO, QT_TRANSLATE_NOOP("CommandTable", "Red&o\tCtrl+Y")},
          {SeparatorId, ""},
          {ID_EDIT_CUT, QT_TRANSLATE_NOOP("CommandTable", "Cu&t\tCtrl+X")},
          {ID_EDIT_COPY, QT_TRANSLATE_NOOP("CommandTable", "&Copy\tCtrl+C")},
          {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("CommandTable", "&Paste\tCtrl+V")},
          {ID_EDIT_CLEAR, QT_TRANSLATE_NOOP("CommandTable", "Delete\tDel")},
          {SeparatorId, ""},
          {ID_EDIT_COPY_RECORD_AS,
           QT_TRANSLATE_NOOP("CommandTable", "Copy &Record As"),
           {{ID_EDIT_COPY_KIF, QT_TRANSLATE_NOOP("CommandTable", "&KIF")},
            {ID_EDIT_COPY_KI2, QT_TRANSLATE_NOOP("CommandTable", "KI&2")},
            {ID_EDIT_COPY_CSA, QT_TRANSLATE_NOOP("CommandTable", "&CSA")},
            {ID_EDIT_COPY_USI, QT_TRANSLATE_NOOP("CommandTable", "&USI")},
            {ID_EDIT_COPY_JKF, QT_TRANSLATE_NOOP("CommandTable", "&JKF")},
            {ID_EDIT_COPY_ESN, QT_TRANSLATE_NOOP("CommandTable", "&ESN")}}},
          {ID_EDIT_COPY_POSITION,
           QT_TRANSLATE_NOOP("CommandTable", "Copy Po&sition\tCtrl+Shift+C")},
          {ID_EDIT_COPY_DIAGRAM, QT_TRANSLATE_NOOP("CommandTable", "Copy Position As &Diagram")},
          {ID_EDIT_COPY_PICTURE, QT_TRANSLATE_NOOP("CommandTable", "Copy &Board Picture")},
          {ID_EDIT_PASTE_RECORD, QT_TRANSLATE_NOOP("CommandTable", "Paste R&ecord\tCtrl+Shift+V")},
          {ID_EDIT_PASTE_POSITION,
           QT_TRANSLATE_NOOP("CommandTable", "Paste Pos&ition\tCtrl+Alt+V")}}},
        {QT_TRANSLATE_NOOP("CommandTable", "&View"),
         {{ID_VIEW_MOVE_LIST, QT_TRANSLATE_NOOP("CommandTable", "&Move List")}}},
        {QT_TRANSLATE_NOOP("CommandTable", "&Move"),
         {{ID_MOVE_TOP, QT_TRANSLATE_NOOP("CommandTable", "&Top\tCtrl+Home")},
          {ID_MOVE_END, QT_TRANSLATE_NOOP("CommandTable", "&End\tCtrl+End")},
          {SeparatorId, ""},
          {ID_MOVE_FORWARD, QT_TRANSLATE_NOOP("CommandTable", "&Forward\tCtrl+Right")},
          {ID_MOVE_BACK, QT_TRANSLATE_NOOP("CommandTable", "&Backward\tCtrl+Left")},
          {SeparatorId, ""},
          {ID_MOVE_DELETE, QT_TRANSLATE_NOOP("CommandTable", "Delete")},
          {ID_MOVE_DELETE_AFTER, QT_TRANSLATE_NOOP("CommandTable", "Delete Moves &After")},
          {SeparatorId, ""},
          {ID_MOVE_PROMOTE, QT_TRANSLATE_NOOP("CommandTable", "&Promote Variation")},
          {ID_MOVE_VARIATION_UP, QT_TRANSLATE_NOOP("CommandTable", "Variation &Up")},
          {ID_MOVE_VARIATION_DOWN, QT_TRANSLATE_NOOP("CommandTable", "Variation &Down")}}},
        {QT_TRANSLATE_NOOP("CommandTable", "&Options"),
         {{ID_OPTIONS_JAPANESE, QT_TRANSLATE_NOOP("CommandTable", "&Japanese Pieces")},
          {ID_OPTIONS_INTERNATIONAL, QT_TRANSLATE_NOOP("CommandTable", "&International Pieces")},
          {SeparatorId, ""},
          {ID_OPTIONS_JAPANESE_NOTATION, QT_TRANSLATE_NOOP("CommandTable", "Japanese &Notation")},
          {SeparatorId, ""},
          {ID_OPTIONS_ROTATE, QT_TRANSLATE_NOOP("CommandTable", "&Rotate Board")},
          {SeparatorId, ""},
          {ID_OPTIONS_PICTURE_SIZE,
           QT_TRANSLATE_NOOP("CommandTable", "&Picture Size"),
           {{ID_OPTIONS_PICTURE_1X, QT_TRANSLATE_NOOP("CommandTable", "&1× (448 × 352)")},
            {ID_OPTIONS_PICTURE_2X, QT_TRANSLATE_NOOP("CommandTable", "&2× (896 × 704)")},
            {ID_OPTIONS_PICTURE_3X, QT_TRANSLATE_NOOP("CommandTable", "&3× (1344 × 1056)")}}},
          {SeparatorId, ""},
          {ID_OPTIONS_LANGUAGE,
           QT_TRANSLATE_NOOP("CommandTable", "&Language"),
           {{ID_OPTIONS_LANGUAGE_SYSTEM, QT_TRANSLATE_NOOP("CommandTable", "&System")},
            {ID_OPTIONS_LANGUAGE_ENGLISH, QT_TRANSLATE_NOOP("CommandTable", "&English")},
            {ID_OPTIONS_LANGUAGE_JAPANESE, QT_TRANSLATE_NOOP("CommandTable", "日本語(&J)")}}}}},
        {QT_TRANSLATE_NOOP("CommandTable", "E&ngine"),
         {{ID_ENGINE_ANALYZE, QT_TRANSLATE_NOOP("CommandTable", "&Analyze\tF5")},
          {SeparatorId, ""},
          {ID_ENGINE_ADD_VARIATION, QT_TRANSLATE_NOOP("CommandTable", "Add as &Variation")},
          {ID_ENGINE_ADD_EVALUATION,
           QT_TRANSLATE_NOOP("CommandTable", "Add &Evaluation to Comment")},
          {SeparatorId, ""},
          {ID_ENGINE_ENGINES, QT_TRANSLATE_NOOP("CommandTable", "E&ngines...")}}},
        {QT_TRANSLATE_NOOP("CommandTable", "&Help"),
         {{ID_APP_ABOUT, QT_TRANSLATE_NOOP("CommandTable", "&About Marlock...")}}},
    };
    return menus;
}

std::vector<MenuItem> MenuCommands() {
    std::vector<MenuItem> commands;
    for (const MenuDefinition& menu : MainMenu())
        for (const MenuItem& item : menu.items) {
            if (item.id != SeparatorId) commands.push_back(item);
            for (const MenuItem& sub : item.submenu)
                if (sub.id != SeparatorId) commands.push_back(sub);
        }
    return commands;
}

const std::vector<Accelerator>& AcceleratorTable() {
    static const std::vector<Accelerator> table = {
        {Qt::CTRL | Qt::Key_C, ID_EDIT_COPY},
        {Qt::CTRL | Qt::Key_N, ID_FILE_NEW},
        {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
        {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
        {Qt::CTRL | Qt::Key_V, ID_EDIT_PASTE},
        {Qt::ALT | Qt::Key_Backspace, ID_EDIT_UNDO},
        {Qt::SHIFT | Qt::Key_Delete, ID_EDIT_CUT},
        {Qt::CTRL | Qt::Key_End, ID_MOVE_END},
        {Qt::CTRL | Qt::Key_Home, ID_MOVE_TOP},
        {Qt::CTRL | Qt::Key_Insert, ID_EDIT_COPY},
        {Qt::SHIFT | Qt::Key_Insert, ID_EDIT_PASTE},
        {Qt::CTRL | Qt::Key_Left, ID_MOVE_BACK},
        {Qt::CTRL | Qt::Key_Right, ID_MOVE_FORWARD},
        {Qt::CTRL | Qt::Key_X, ID_EDIT_CUT},
        {Qt::CTRL | Qt::Key_Z, ID_EDIT_UNDO},
        {Qt::CTRL | Qt::Key_Y, ID_EDIT_REDO},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, ID_EDIT_REDO},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_C, ID_EDIT_COPY_POSITION},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_V, ID_EDIT_PASTE_RECORD},
        {Qt::CTRL | Qt::ALT | Qt::Key_V, ID_EDIT_PASTE_POSITION},
        {QKeyCombination(Qt::Key_F5), ID_ENGINE_ANALYZE},
    };
    return table;
}

const std::vector<int>& ToolBarLayout() {
    static const std::vector<int> layout = {
        ID_FILE_NEW,  ID_FILE_OPEN,      ID_FILE_SAVE, SeparatorId,  ID_EDIT_CUT,
        ID_EDIT_COPY, ID_EDIT_PASTE,     SeparatorId,  ID_MOVE_TOP,  ID_MOVE_BACK,
        SeparatorId,  ID_MOVE_FORWARD,   ID_MOVE_END,  SeparatorId,  ID_MOVE_DELETE,
        SeparatorId,  ID_OPTIONS_ROTATE, SeparatorId,  ID_APP_ABOUT,
    };
    return layout;
}

int ToolBarPictureIndex(int id) {
    // The strip holds one picture per button, in the order the buttons stand on the bar.
    int index = 0;
    for (int entry : ToolBarLayout()) {
        if (entry == SeparatorId) continue;
        if (entry == id) return index;
        ++index;
    }
    return -1;
}

QString PromptString(int id) {
    static const std::map<int, const char*> prompts = {
        {IDC_VARIATIONS,
         QT_TRANSLATE_NOOP("CommandTable", "Select an available variation\nVariations")},
        {ID_MOVE_TOP, QT_TRANSLATE_NOOP("CommandTable", "Move to the top of the tree\nTop")},
        {ID_MOVE_FORWARD, QT_TRANSLATE_NOOP("CommandTable", "Move forward one move\nForward")},
        {ID_MOVE_BACK, QT_TRANSLATE_NOOP("CommandTable", "Move back one move\nBack")},
        {ID_MOVE_END, QT_TRANSLATE_NOOP("CommandTable", "Move to the end of this variation\nEnd")},
        {ID_MOVE_DELETE,
         QT_TRANSLATE_NOOP("CommandTable", "Delete the selected variation\nDelete")},
        {ID_MOVE_DELETE_AFTER,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Delete every move after this position\nDelete Moves After")},
        {ID_MOVE_PROMOTE,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Make the line of this move the main line\nPromote Variation")},
        {ID_MOVE_VARIATION_UP,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Move this variation before the one above it\nVariation Up")},
        {ID_MOVE_VARIATION_DOWN,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Move this variation after the one below it\nVariation Down")},
        {ID_OPTIONS_JAPANESE,
         QT_TRANSLATE_NOOP("CommandTable", "Use Japanese pieces\nJapanese Pieces")},
        {ID_OPTIONS_INTERNATIONAL,
         QT_TRANSLATE_NOOP("CommandTable", "Use International pieces\nInternational Pieces")},
        {ID_OPTIONS_ROTATE, QT_TRANSLATE_NOOP("CommandTable", "Rotate the board\nRotate Board")},
        {ID_OPTIONS_JAPANESE_NOTATION,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Name the moves in Japanese notation\nJapanese Notation")},
        {ID_EDIT_COPY_RECORD_AS,
         QT_TRANSLATE_NOOP("CommandTable", "Copy the record in a record format\nCopy Record As")},
        {ID_EDIT_COPY_KIF,
         QT_TRANSLATE_NOOP("CommandTable", "Copy the record as KIF text\nCopy as KIF")},
        {ID_EDIT_COPY_KI2,
         QT_TRANSLATE_NOOP("CommandTable", "Copy the record as KI2 text\nCopy as KI2")},
        {ID_EDIT_COPY_CSA,
         QT_TRANSLATE_NOOP("CommandTable", "Copy the main line as CSA text\nCopy as CSA")},
        {ID_EDIT_COPY_USI,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Copy the main line as a USI position command\nCopy as USI")},
        {ID_EDIT_COPY_JKF,
         QT_TRANSLATE_NOOP("CommandTable", "Copy the record as JKF text\nCopy as JKF")},
        {ID_EDIT_COPY_ESN,
         QT_TRANSLATE_NOOP("CommandTable", "Copy the record as ESN text\nCopy as ESN")},
        {ID_EDIT_COPY_POSITION,
         QT_TRANSLATE_NOOP("CommandTable", "Copy the current position as SFEN\nCopy Position")},
        {ID_EDIT_COPY_DIAGRAM,
         QT_TRANSLATE_NOOP(
             "CommandTable",
             "Copy the current position as a board diagram\nCopy Position As Diagram")},
        {ID_VIEW_MOVE_LIST,
         QT_TRANSLATE_NOOP("CommandTable", "Show or hide the list of the moves\nMove List")},
        {ID_FILE_EXPORT_PICTURE,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Save a picture of the board as PNG or SVG\nExport Board Picture")},
        {ID_EDIT_COPY_PICTURE,
         QT_TRANSLATE_NOOP("CommandTable", "Copy a picture of the board\nCopy Board Picture")},
        {ID_OPTIONS_PICTURE_SIZE,
         QT_TRANSLATE_NOOP("CommandTable", "Choose the size of board pictures\nPicture Size")},
        {ID_OPTIONS_PICTURE_1X,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Make board pictures 448 by 352 pixels\nPicture Size 1x")},
        {ID_OPTIONS_PICTURE_2X,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Make board pictures 896 by 704 pixels\nPicture Size 2x")},
        {ID_OPTIONS_PICTURE_3X,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Make board pictures 1344 by 1056 pixels\nPicture Size 3x")},
        {ID_EDIT_PASTE_RECORD,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Open the game record on the Clipboard as a new record\nPaste Record")},
        {ID_FILE_NEW_FROM_POSITION,
         QT_TRANSLATE_NOOP(
             "CommandTable",
             "Set up a position by hand and start a new record from it\nNew From Position")},
        {ID_EDIT_PASTE_POSITION, QT_TRANSLATE_NOOP("CommandTable",
                                                   "Set up the position on the Clipboard and start "
                                                   "a new record from it\nPaste Position")},
        {ID_ENGINE_ANALYZE,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Analyse the position shown with the current engine\nAnalyze")},
        {ID_ENGINE_ADD_VARIATION,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Add the chosen line of the engine as a variation\nAdd as Variation")},
        {ID_ENGINE_ADD_EVALUATION,
         QT_TRANSLATE_NOOP(
             "CommandTable",
             "Add the engine's score and best line to the comment\nAdd Evaluation to Comment")},
        {ID_ENGINE_ENGINES,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Set up the engines and choose the one that analyses\nEngines")},
        {ID_OPTIONS_LANGUAGE,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Choose the language of the program; it changes at the next start\n"
                           "Language")},
        {ID_OPTIONS_LANGUAGE_SYSTEM,
         QT_TRANSLATE_NOOP(
             "CommandTable",
             "Speak the language of the system from the next start\nSystem Language")},
        {ID_OPTIONS_LANGUAGE_ENGLISH,
         QT_TRANSLATE_NOOP("CommandTable", "Speak English from the next start\nEnglish")},
        {ID_OPTIONS_LANGUAGE_JAPANESE,
         QT_TRANSLATE_NOOP("CommandTable", "Speak Japanese from the next start\n日本語")},
        {ID_FILE_NEW, QT_TRANSLATE_NOOP("CommandTable", "Create a new document\nNew")},
        {ID_FILE_OPEN, QT_TRANSLATE_NOOP("CommandTable", "Open an existing document\nOpen")},
        {ID_FILE_SAVE, QT_TRANSLATE_NOOP("CommandTable", "Save the active document\nSave")},
        {ID_FILE_SAVE_AS,
         QT_TRANSLATE_NOOP("CommandTable", "Save the active document with a new name\nSave As")},
        {ID_EDIT_CLEAR, QT_TRANSLATE_NOOP("CommandTable", "Deletes the selection\nDelete")},
        {ID_EDIT_COPY,
         QT_TRANSLATE_NOOP("CommandTable", "Copy the selection and put it on the Clipboard\nCopy")},
        {ID_EDIT_CUT,
         QT_TRANSLATE_NOOP("CommandTable", "Cut the selection and put it on the Clipboard\nCut")},
        {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("CommandTable", "Insert Clipboard contents\nPaste")},
        {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("CommandTable", "Undo the last action\nUndo")},
        {ID_EDIT_REDO,
         QT_TRANSLATE_NOOP("CommandTable", "Redo the previously undone action\nRedo")},
        {ID_APP_ABOUT,
         QT_TRANSLATE_NOOP("CommandTable",
                           "Display program information, version number and copyright\nAbout")},
        {ID_APP_EXIT, QT_TRANSLATE_NOOP("CommandTable",
                                        "Quit the application; prompts to save documents\nExit")},
    };
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE1 + 15)
        return QCoreApplication::translate("CommandTable", "Open this document");
    const auto it = prompts.find(id);
    return it == prompts.end() ? QString()
                               : QCoreApplication::translate("CommandTable", it->second);
}

QString MenuTitle(const MenuDefinition& menu) {
    return QCoreApplication::translate("CommandTable", menu.title);
}

QString MenuText(const MenuItem& item) {
    return QCoreApplication::translate("CommandTable", item.text);
}

QString IdleMessageText() {
    return QCoreApplication::translate("CommandTable", IdleMessage);
}

QString RecentFilePlaceholderText() {
    for (const MenuItem& item : MenuCommands())
        if (item.id == ID_FILE_MRU_FILE1) return MenuText(item);
    return {};
}

QString StatusTipFor(int id) {
    return PromptString(id).section(QChar(u'\n'), 0, 0);
}

QString ToolTipFor(int id) {
    const QString prompt = PromptString(id);
    const qsizetype newLine = prompt.indexOf(QChar(u'\n'));
    return newLine < 0 ? QString() : prompt.mid(newLine + 1);
}

namespace {

// The key the menu shows after the tab, if any.
QString MenuKeyText(int id) {
    for (const MenuItem& item : MenuCommands()) {
        if (item.id != id) continue;
        const QString text = QString::fromUtf8(item.text);
        const qsizetype tab = text.indexOf(QChar(u'\t'));
        return tab < 0 ? QString() : text.mid(tab + 1);
    }
    return {};
}

QKeyCombination WithoutKeypad(QKeyCombination keys) {
    return QKeyCombination(keys.keyboardModifiers() & ~Qt::KeypadModifier, keys.key());
}

}  // namespace

QList<QKeySequence> ShortcutsFor(int id) {
    QList<QKeySequence> keys;
    for (const Accelerator& accelerator : AcceleratorTable()) {
        if (accelerator.id == id) keys.append(QKeySequence(accelerator.keys));
    }
    const QString shown = MenuKeyText(id);
    std::stable_partition(keys.begin(), keys.end(), [&](const QKeySequence& k) {
        return k.toString(QKeySequence::PortableText) == shown;
    });
    return keys;
}

bool IsAcceleratorKey(QKeyCombination keys) {
    const QKeyCombination plain = WithoutKeypad(keys);
    return std::any_of(AcceleratorTable().begin(), AcceleratorTable().end(),
                       [&](const Accelerator& a) { return a.keys == plain; });
}

int PlainStepCommand(QKeyCombination keys) {
    const QKeyCombination plain = WithoutKeypad(keys);
    if (plain.keyboardModifiers() != Qt::NoModifier) return 0;
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End}) {
        if (plain.key() != key) continue;
        for (const Accelerator& accelerator : AcceleratorTable())
            if (accelerator.keys == (Qt::CTRL | key)) return accelerator.id;
    }
    return 0;
}
