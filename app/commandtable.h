#pragma once

#include <QCoreApplication>
#include <QKeyCombination>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

// The program's commands as the user meets them: the menus, the accelerator keys, the tool bar
// and the prompt strings shown in the status bar and as tool-tips. Everything here is data; the
// main frame builds its actions from it.

// Marks a separator in a menu or the tool bar.
inline constexpr int SeparatorId = 0;

struct MenuItem {
    int id;  // SeparatorId for a separator
    // With its mnemonic '&' and, after a tab, the key shown in the menu; translated in the
    // context "CommandTable", as are the titles and the prompt strings.
    const char* text;
    std::vector<MenuItem> submenu = {};  // the commands of a submenu that `id` opens
};

struct MenuDefinition {
    const char* title;
    std::vector<MenuItem> items;
};

struct Accelerator {
    QKeyCombination keys;
    int id;
};

// The menu bar, menu by menu, in order.
const std::vector<MenuDefinition>& MainMenu();
// Every command of the menus, those of submenus included, in menu order; no separators.
std::vector<MenuItem> MenuCommands();
// The accelerator table in order; a command may have more than one key.
const std::vector<Accelerator>& AcceleratorTable();
// The 19 tool bar entries; the separator at VariationsEntryIndex holds the variations list.
const std::vector<int>& ToolBarLayout();
inline constexpr int VariationsEntryIndex = 10;
// The index of a command's picture in the tool bar strip, or -1 when it has none.
int ToolBarPictureIndex(int id);

// The texts as the user reads them, in the program's language: a menu's title, a command's menu
// text (with its key after a tab), the status bar's idle text "Ready" and the greyed "Recent
// File" that stands for the recent files while there are none.
QString MenuTitle(const MenuDefinition& menu);
QString MenuText(const MenuItem& item);
QString IdleMessageText();
QString RecentFilePlaceholderText();

// The prompt string of a command or control, in the program's language: the status-bar text, a
// new-line and the tool-tip. Empty for ids without one.
QString PromptString(int id);
// The part before the new-line, shown in the status bar.
QString StatusTipFor(int id);
// The part after the new-line, shown as the tool-tip; empty when there is none.
QString ToolTipFor(int id);

// The keys of a command, the one the menu shows first.
QList<QKeySequence> ShortcutsFor(int id);
// True when the keys (without the keypad flag) are in the accelerator table.
bool IsAcceleratorKey(QKeyCombination keys);
// The command that a plain arrow key, Home or End steps with where the keys go to the record
// (the board, the move list): the one the key has with Ctrl. 0 for any other keys.
int PlainStepCommand(QKeyCombination keys);

inline constexpr const char* ApplicationName = "Marlock";
inline constexpr const char* IdleMessage = QT_TRANSLATE_NOOP("CommandTable", "Ready");
