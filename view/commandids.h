#pragma once

// Command, child window and resource ids. Every QAction carries its command id
// (QAction::setData), so code and tests find an action by the id it had on the original platform.

// Commands of the Move and Options menus.
inline constexpr int ID_MOVE_TOP = 130;
inline constexpr int ID_MOVE_FORWARD = 131;
inline constexpr int ID_MOVE_BACK = 132;
inline constexpr int ID_MOVE_END = 133;
inline constexpr int ID_MOVE_DELETE = 134;
inline constexpr int ID_OPTIONS_JAPANESE = 135;
inline constexpr int ID_OPTIONS_INTERNATIONAL = 136;
inline constexpr int ID_OPTIONS_ROTATE = 137;
inline constexpr int ID_OPTIONS_JAPANESE_NOTATION = 138;

// The clipboard commands for whole records and positions, in the Edit menu. The Copy Record As
// submenu carries its id on the action that opens it.
inline constexpr int ID_EDIT_COPY_RECORD_AS = 140;
inline constexpr int ID_EDIT_COPY_KIF = 141;
inline constexpr int ID_EDIT_COPY_KI2 = 142;
inline constexpr int ID_EDIT_COPY_CSA = 143;
inline constexpr int ID_EDIT_COPY_USI = 144;
inline constexpr int ID_EDIT_COPY_JKF = 145;
inline constexpr int ID_EDIT_COPY_ESN = 146;
inline constexpr int ID_EDIT_COPY_POSITION = 147;
inline constexpr int ID_EDIT_COPY_DIAGRAM = 148;
inline constexpr int ID_EDIT_PASTE_RECORD = 149;

// The edits of the tree in the Move menu.
inline constexpr int ID_MOVE_DELETE_AFTER = 150;
inline constexpr int ID_MOVE_PROMOTE = 151;
inline constexpr int ID_MOVE_VARIATION_UP = 152;
inline constexpr int ID_MOVE_VARIATION_DOWN = 153;

// The move list, and the board's pictures: exported, copied and their size (the Picture Size
// submenu carries its id on the action that opens it).
inline constexpr int ID_VIEW_MOVE_LIST = 160;
inline constexpr int ID_FILE_EXPORT_PICTURE = 161;
inline constexpr int ID_EDIT_COPY_PICTURE = 162;
inline constexpr int ID_OPTIONS_PICTURE_SIZE = 163;
inline constexpr int ID_OPTIONS_PICTURE_1X = 164;
inline constexpr int ID_OPTIONS_PICTURE_2X = 165;
inline constexpr int ID_OPTIONS_PICTURE_3X = 166;

// Analysis with an engine, and keeping what it found, in the Engine menu.
inline constexpr int ID_ENGINE_ANALYZE = 170;
inline constexpr int ID_ENGINE_ADD_VARIATION = 171;
inline constexpr int ID_ENGINE_ADD_EVALUATION = 172;
inline constexpr int ID_ENGINE_ENGINES = 173;

// Positions set up by hand: a new record from one, and a position pasted to set up.
inline constexpr int ID_FILE_NEW_FROM_POSITION = 180;
inline constexpr int ID_EDIT_PASTE_POSITION = 181;

// The language of the program, in Options > Language; applied at the next start.
inline constexpr int ID_OPTIONS_LANGUAGE = 190;
inline constexpr int ID_OPTIONS_LANGUAGE_SYSTEM = 191;
inline constexpr int ID_OPTIONS_LANGUAGE_ENGLISH = 192;
inline constexpr int ID_OPTIONS_LANGUAGE_JAPANESE = 193;

// Child windows.
inline constexpr int IDC_VARIATIONS = 120;
inline constexpr int IDC_COMMENT = 121;
inline constexpr int IDC_LABEL = 122;
inline constexpr int IDC_TITLE = 123;
inline constexpr int IDC_BLACK = 124;
inline constexpr int IDC_WHITE = 125;
inline constexpr int IDC_BOARD = 126;

// The framework's standard commands and strings.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_EDIT_CLEAR = 57632;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_REDO = 57644;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;
inline constexpr int AFX_IDW_TOOLBAR = 59392;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;
