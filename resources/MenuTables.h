// The program's menus, accelerators and toolbars as tables of command ids and French texts:
// the main frame's menu (resource 3), the editor's (2), the example frame's (4) and the exercise
// frame's (8). The GUI builds its menus from them; tests check them without a window.
#pragma once

#include <string>
#include <vector>

namespace velmor {

// The ids of every command the menus, accelerators and toolbars send: the framework's standard
// commands from 57600 up, the program's own from 32768 up. Each names its command in the
// string table (prompt and tooltip) and in the help contexts (0x10000 + id).
enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PAGE_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FIRST = 57616,
    ID_FILE_MRU_LAST = 57631,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_WINDOW_NEW = 57648,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57666,
    ID_HELP_USING = 57668,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,

    ID_THEORY_BEAMS = 32768,
    ID_VIEW_ORIGIN = 32769,
    ID_THEORY_FRAMES = 32770,
    ID_EDIT_CLEAR_ALL = 32771,
    ID_ENV_LIMITS = 32772,
    ID_THEORY_SPACE = 32773,
    ID_THEORY_TRUSSES = 32774,
    ID_TOOL_NODE = 32777,
    ID_TOOL_BEAM = 32778,
    ID_TOOL_LOAD = 32779,
    ID_TOOL_SUPPORT = 32780,
    ID_TOOL_SECTION = 32783,
    ID_ELEMENT_NEW = 32786,
    ID_ELEMENT_DELETE = 32787,
    ID_ELEMENT_MODIFY = 32788,
    ID_MODE_CREATE = 32791,
    ID_MODE_CHANGE = 32792,
    ID_MODE_OPEN_EXAMPLE = 32793,
    ID_MODE_OPEN_EXERCISE = 32795,
    ID_ROTATE_LEFT = 32796,
    ID_SWITCH_EXERCISES = 32797,
    ID_SWITCH_EXAMPLES = 32798,
    ID_SWITCH_LIBRARY = 32799,
    ID_ROTATE_RIGHT = 32801,
    ID_ROTATE_UP = 32802,
    ID_ROTATE_DOWN = 32803,
    ID_ZOOM = 32810,
    ID_ENV_OPTIONS = 32818,
    ID_ZOOM_ALL = 32819,
    ID_VIEW_XZ = 32848,
    ID_VIEW_YZ = 32849,
    ID_VIEW_XY = 32850,
    ID_ENV_PROBLEM_TYPE = 32852,
    ID_TOOL_HINGE = 32877,
    ID_QUIT_NO = 32891,
    ID_PRINT_STRUCTURE = 32892,
    ID_PRINT_PREVIEW_STRUCTURE = 32893,
    ID_EDIT_TITLE = 32895,
    ID_EXPORT_REPORT_PDF = 32897,
};

// The menu, accelerator and toolbar resource of each kind of frame.
enum class MenuId : int { Library = 2, Main = 3, Examples = 4, Exercises = 8 };

struct MenuItem
{
    enum Kind { Command, Separator, RecentFiles };
    Kind kind = Command;
    int id = 0;
    std::string text;  // with '&' before the mnemonic and "\t" before the shortcut text
};

struct Popup
{
    std::string title;
    std::vector<MenuItem> items;
};

struct MenuResource
{
    MenuId resourceId = MenuId::Main;
    std::vector<Popup> popups;
};

// The menu of a resource id (3 main, 2 editor, 4 examples, 8 exercises); an empty menu for any
// other id.
const MenuResource& Menu(MenuId resourceId);

// Placeholder shown in place of an empty recent-file list, by the popup's first command.
std::string RecentFilesPlaceholder(int firstCommandOfPopup);

struct Accelerator
{
    std::string key;  // as QKeySequence reads it, e.g. "Ctrl+N", "Shift+F1", "F9"
    int id = 0;
};
const std::vector<Accelerator>& Accelerators();

// Toolbar buttons in order; 0 is a separator. Resource 3: main frame; 2: editor.
const std::vector<int>& Toolbar(MenuId resourceId);

// The toolbars of the calculation frame, which follow the solution's progress: 7 while the
// solution is not finished, 6 after the results (examples), 1017 the exercises' laws, 1018
// while a law is drawn. Empty for any other resource.
const std::vector<int>& CalculationToolbar(int resource);

} // namespace velmor
