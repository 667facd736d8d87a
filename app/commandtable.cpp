#include "app/commandtable.h"

#include <algorithm>
#include <map>

#include "view/commandids.h"

const std::vector<MenuDefinition>& MainMenu() {
    static const std::vector<MenuDefinition> menus = {
        {"&File",
         {{ID_FILE_NEW, "&New\tCtrl+N"},
          {ID_FILE_NEW_FROM_POSITION, "New From Pos&ition..."},
          {ID_FILE_OPEN, "&Open...\tCtrl+O"},
          {ID_FILE_SAVE, "&Save\tCtrl+S"},
          {ID_FILE_SAVE_AS, "Save &As..."},
          {SeparatorId, ""},
          {ID_FILE_EXPORT_PICTURE, "Export Board &Picture..."},
          {SeparatorId, ""},
          {ID_FILE_MRU_FILE1, "Recent File"},
          {SeparatorId, ""},
          {ID_APP_EXIT, "E&xit"}}},
        {"&Edit",
         {{ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
          {ID_EDIT_REDO, "Red&o\tCtrl+Y"},
          {SeparatorId, ""},
          {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
          {ID_EDIT_COPY, "&Copy\tCtrl+C"},
          {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
          {ID_EDIT_CLEAR, "Delete\tDel"},
          {SeparatorId, ""},
          {ID_EDIT_COPY_RECORD_AS,
           "Copy &Record As",
           {{ID_EDIT_COPY_KIF, "&KIF"},
            {ID_EDIT_COPY_KI2, "KI&2"},
            {ID_EDIT_COPY_CSA, "&CSA"},
            {ID_EDIT_COPY_USI, "&USI"},
            {ID_EDIT_COPY_JKF, "&JKF"},
            {ID_EDIT_COPY_ESN, "&ESN"}}},
          {ID_EDIT_COPY_POSITION, "Copy Po&sition\tCtrl+Shift+C"},
          {ID_EDIT_COPY_DIAGRAM, "Copy Position As &Diagram"},
          {ID_EDIT_COPY_PICTURE, "Copy &Board Picture"},
          {ID_EDIT_PASTE_RECORD, "Paste R&ecord\tCtrl+Shift+V"},
          {ID_EDIT_PASTE_POSITION, "Paste Pos&ition\tCtrl+Alt+V"}}},
        {"&View", {{ID_VIEW_MOVE_LIST, "&Move List"}}},
        {"&Move",
         {{ID_MOVE_TOP, "&Top\tCtrl+Home"},
          {ID_MOVE_END, "&End\tCtrl+End"},
          {SeparatorId, ""},
          {ID_MOVE_FORWARD, "&Forward\tCtrl+Right"},
          {ID_MOVE_BACK, "&Backward\tCtrl+Left"},
          {SeparatorId, ""},
          {ID_MOVE_DELETE, "Delete"},
          {ID_MOVE_DELETE_AFTER, "Delete Moves &After"},
          {SeparatorId, ""},
          {ID_MOVE_PROMOTE, "&Promote Variation"},
          {ID_MOVE_VARIATION_UP, "Variation &Up"},
          {ID_MOVE_VARIATION_DOWN, "Variation &Down"}}},
        {"&Options",
         {{ID_OPTIONS_JAPANESE, "&Japanese Pieces"},
          {ID_OPTIONS_INTERNATIONAL, "&International Pieces"},
          {SeparatorId, ""},
          {ID_OPTIONS_JAPANESE_NOTATION, "Japanese &Notation"},
          {SeparatorId, ""},
          {ID_OPTIONS_ROTATE, "&Rotate Board"},
          {SeparatorId, ""},
          {ID_OPTIONS_PICTURE_SIZE,
           "&Picture Size",
           {{ID_OPTIONS_PICTURE_1X, "&1× (448 × 352)"},
            {ID_OPTIONS_PICTURE_2X, "&2× (896 × 704)"},
            {ID_OPTIONS_PICTURE_3X, "&3× (1344 × 1056)"}}}}},
        {"E&ngine",
         {{ID_ENGINE_ANALYZE, "&Analyze\tF5"},
          {SeparatorId, ""},
          {ID_ENGINE_ADD_VARIATION, "Add as &Variation"},
          {ID_ENGINE_ADD_EVALUATION, "Add &Evaluation to Comment"},
          {SeparatorId, ""},
          {ID_ENGINE_ENGINES, "E&ngines..."}}},
        {"&Help", {{ID_APP_ABOUT, "&About Marlock..."}}},
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
        {IDC_VARIATIONS, "Select an available variation\nVariations"},
        {ID_MOVE_TOP, "Move to the top of the tree\nTop"},
        {ID_MOVE_FORWARD, "Move forward one move\nForward"},
        {ID_MOVE_BACK, "Move back one move\nBack"},
        {ID_MOVE_END, "Move to the end of this variation\nEnd"},
        {ID_MOVE_DELETE, "Delete the selected variation\nDelete"},
        {ID_MOVE_DELETE_AFTER, "Delete every move after this position\nDelete Moves After"},
        {ID_MOVE_PROMOTE, "Make the line of this move the main line\nPromote Variation"},
        {ID_MOVE_VARIATION_UP, "Move this variation before the one above it\nVariation Up"},
        {ID_MOVE_VARIATION_DOWN, "Move this variation after the one below it\nVariation Down"},
        {ID_OPTIONS_JAPANESE, "Use Japanese pieces\nJapanese Pieces"},
        {ID_OPTIONS_INTERNATIONAL, "Use International pieces\nInternational Pieces"},
        {ID_OPTIONS_ROTATE, "Rotate the board\nRotate Board"},
        {ID_OPTIONS_JAPANESE_NOTATION, "Name the moves in Japanese notation\nJapanese Notation"},
        {ID_EDIT_COPY_RECORD_AS, "Copy the record in a record format\nCopy Record As"},
        {ID_EDIT_COPY_KIF, "Copy the record as KIF text\nCopy as KIF"},
        {ID_EDIT_COPY_KI2, "Copy the record as KI2 text\nCopy as KI2"},
        {ID_EDIT_COPY_CSA, "Copy the main line as CSA text\nCopy as CSA"},
        {ID_EDIT_COPY_USI, "Copy the main line as a USI position command\nCopy as USI"},
        {ID_EDIT_COPY_JKF, "Copy the record as JKF text\nCopy as JKF"},
        {ID_EDIT_COPY_ESN, "Copy the record as ESN text\nCopy as ESN"},
        {ID_EDIT_COPY_POSITION, "Copy the current position as SFEN\nCopy Position"},
        {ID_EDIT_COPY_DIAGRAM,
         "Copy the current position as a board diagram\nCopy Position As Diagram"},
        {ID_VIEW_MOVE_LIST, "Show or hide the list of the moves\nMove List"},
        {ID_FILE_EXPORT_PICTURE, "Save a picture of the board as PNG or SVG\nExport Board Picture"},
        {ID_EDIT_COPY_PICTURE, "Copy a picture of the board\nCopy Board Picture"},
        {ID_OPTIONS_PICTURE_SIZE, "Choose the size of board pictures\nPicture Size"},
        {ID_OPTIONS_PICTURE_1X, "Make board pictures 448 by 352 pixels\nPicture Size 1x"},
        {ID_OPTIONS_PICTURE_2X, "Make board pictures 896 by 704 pixels\nPicture Size 2x"},
        {ID_OPTIONS_PICTURE_3X, "Make board pictures 1344 by 1056 pixels\nPicture Size 3x"},
        {ID_EDIT_PASTE_RECORD,
         "Open the game record on the Clipboard as a new record\nPaste Record"},
        {ID_FILE_NEW_FROM_POSITION,
         "Set up a position by hand and start a new record from it\nNew From Position"},
        {ID_EDIT_PASTE_POSITION,
         "Set up the position on the Clipboard and start a new record from it\nPaste Position"},
        {ID_ENGINE_ANALYZE, "Analyse the position shown with the current engine\nAnalyze"},
        {ID_ENGINE_ADD_VARIATION,
         "Add the chosen line of the engine as a variation\nAdd as Variation"},
        {ID_ENGINE_ADD_EVALUATION,
         "Add the engine's score and best line to the comment\nAdd Evaluation to Comment"},
        {ID_ENGINE_ENGINES, "Set up the engines and choose the one that analyses\nEngines"},
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_EDIT_CLEAR, "Deletes the selection\nDelete"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    };
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE1 + 15) {
        return QStringLiteral("Open this document");
    }
    const auto it = prompts.find(id);
    return it == prompts.end() ? QString() : QString::fromUtf8(it->second);
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
