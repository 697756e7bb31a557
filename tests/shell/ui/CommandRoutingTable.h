#pragma once
// What every command of the program's menus, toolbars and keys must do in
// each window that can be in front, as data. The command test reads the
// ids from the program's resources and fails for an id without a row here,
// so a command added to a resource joins the table.
//
// A row's states are one letter per window in front, in the order of
// kWindowsInFront:
//   E  enabled, and the routing finds its handler
//   D  greyed by its update rule (the handler exists)
//   C  enabled or not by the content (selection, clipboard, history); the
//      routing finds its handler
//   -  no handler on the route in front of this window, so greyed
//   .  the command does not appear with this window in front (not checked)

#include "platform/WinTypes.h"

// The windows a command is sent through the main frame with, in front.
enum class InFront { ILCode, ILVariables, LDCode, GlobalVariables, InitialData, StatusChart, CrossReference, Count };

struct WindowInFront {
    InFront window;
    const char* name;
};

inline constexpr WindowInFront kWindowsInFront[] = {
    {InFront::ILCode, "IL code"},
    {InFront::ILVariables, "IL variable table"},
    {InFront::LDCode, "LD code"},
    {InFront::GlobalVariables, "global variables"},
    {InFront::InitialData, "initial data"},
    {InFront::StatusChart, "status chart"},
    {InFront::CrossReference, "cross reference"},
};

struct RoutedCommand {
    UINT id;
    const char* name;
    const char* states;
};

// IL code, IL variables, LD code, global variables, initial data, status chart, cross reference.
inline constexpr RoutedCommand kRoutedCommands[] = {
    // File
    {32695, "New Project", "EEEEEEE"},
    {32696, "Open Project", "EEEEEEE"},
    {32697, "Close Project", "EEEEEEE"},
    {32779, "Save Project", "EEEEEEE"},
    {32780, "Save Project As", "EEEEEEE"},
    {32781, "Import", "EEEEEEE"},
    {32782, "Export", "EEEEEEE"},
    {57616, "Recent project 1", "EEEEEEE"},
    {57617, "Recent project 2", "EEEEEEE"},
    {57618, "Recent project 3", "EEEEEEE"},
    {57619, "Recent project 4", "EEEEEEE"},
    {57665, "Exit", "EEEEEEE"},
    {57607, "Print", "E-E----"},
    {57609, "Print Preview", "E-E----"},
    // Edit: the window in front takes them, no other
    {57643, "Undo", "C-C----"},
    {57644, "Redo", "C-C----"},
    {57635, "Cut", "CCCCCC-"},
    {57634, "Copy", "CCCCCC-"},
    {57637, "Paste", "CCCCCC-"},
    {57632, "Delete", "CCCCCC-"},
    {57642, "Select All", "CCCCCC-"},
    {57636, "Find", "E-E----"},
    {57641, "Replace", "E-E----"},
    // View
    {32690, "Workspace", "EEEEEEE"},
    {32692, "Output", "EEEEEEE"},
    {32943, "WindowsXP", "EEEEEEE"},
    {32944, "OfficeXP", "EEEEEEE"},
    {32952, "Office2003", "EEEEEEE"},
    {32933, "IL", "E-E----"},
    {32934, "LD", "E-E----"},
    {32964, "Full Screen", "EEEEEEE"},
    {32966, "Restore", "EEEEEEE"},
    // Project
    {32921, "New Subroutine", "EEEEEEE"},
    {32922, "New Interrupt", "EEEEEEE"},
    {32962, "Open All Programes", "EEEEEEE"},
    {32935, "Compile All", "EEEEEEE"},
    {32936, "Global Variable", "EEEEEEE"},
    {32928, "Cross Reference", "EEEEEEE"},
    {32932, "Status Chart", "EEEEEEE"},
    {32927, "Symbolic Addressing", "EEEDDDD"},
    // PLC
    {32793, "Upload", "EEEEEEE"},
    {32794, "Download", "EEEEEEE"},
    {32795, "Compare", "EEEEEEE"},
    {32796, "Clear", "EEEEEEE"},
    {32889, "Password", "EEEEEEE"},
    {32798, "Information", "EEEEEEE"},
    {32799, "Time of Day Clock", "EEEEEEE"},
    {32802, "RUN", "EEEEEEE"},
    {32804, "STOP", "EEEEEEE"},
    {32806, "Monitor", "CCCCCCC"},
    // Tools
    {32874, "Options", "EEEEEEE"},
    {32907, "Communications", "CCCCCCC"},
    {32959, "Reset local variable", "EEEEEEE"},
    // Window and the tab menu
    {32910, "Close (Window)", "EEEEEEE"},
    {32911, "Close All (Window)", "EEEEEEE"},
    {32876, "Close (tab)", "EEEEEEE"},
    {32880, "Close All (tab)", "EEEEEEE"},
    {32879, "Toggle Tab", "EEEEEEE"},
    // Help
    {32811, "Contents and Index", "EEEEEEE"},
    {32812, "Orvel Website", "EEEEEEE"},
    {32961, "Hardware Manual", "EEEEEEE"},
    {57664, "About", "EEEEEEE"},
    // PID toolbar
    {32967, "PID wizard", "EEEEEEE"},
    {61449, "PID trend", "EEEEEEE"},
    // LD toolbar and menu: the LD editor decides while LD is shown
    {32814, "Network", "D-C----"},
    {32914, "Left Contact", "D-C----"},
    {32912, "Right Contact", "D-C----"},
    {32816, "Parallel Contact", "D-C----"},
    {32817, "Block", "D-C----"},
    {32915, "Branch", "D-C----"},
    {32818, "Coil", "D-C----"},
    {32819, "Delete component", "D-C----"},
    {32820, "Delete Network", "D-C----"},
    {32955, "Insert Network", "C-C----"},
    // Force: the POU editors' while monitoring, the status chart's
    {32803, "Force to TRUE", "D.D...."},
    {32805, "Force to FALSE", "D.D...."},
    {32953, "Force...", "C.C...."},
    {32954, "Unforce", "C.C...."},
    {32947, "Unforce All", "D.D..D."},
    {32809, "Force (Debug toolbar)", "-----D-"},
    {32810, "Unforce (Debug toolbar)", "-----D-"},
    {32946, "Force All", ".....D."},
    {32948, "Read All Forced", ".....D."},
    // Rows of the tables
    {32693, "Delete Row", ".C.CCC."},
    {32691, "Insert Row (Above)", ".C.CCC."},
    {32866, "Insert Row (Below)", ".C.CCC."},
    // Cross reference
    {32896, "Refresh", "......E"},
    {32895, "Go to", "......C"},
    {32960, "Options (cross reference)", "......E"},
};

// Context menus of windows outside the MDI client: their commands go to
// the window the menu is shown for, as its right click sends them.
enum class MenuOwner { ProjectTree, MainFrame, OutputView, HardwareModules };

struct OwnedMenu {
    UINT menuId;
    MenuOwner owner;
};

inline constexpr OwnedMenu kOwnedMenus[] = {
    {139, MenuOwner::MainFrame},   // project node: the frame takes its commands
    {140, MenuOwner::ProjectTree}, {141, MenuOwner::ProjectTree}, {143, MenuOwner::ProjectTree},
    {145, MenuOwner::ProjectTree}, {147, MenuOwner::ProjectTree}, {150, MenuOwner::ProjectTree},
    {151, MenuOwner::ProjectTree}, {159, MenuOwner::ProjectTree},
    {165, MenuOwner::OutputView},
    {155, MenuOwner::HardwareModules},
};

// The windows in front whose context menus these are.
struct WindowMenu {
    UINT menuId;
    InFront windows[3];
    int count;
};

inline constexpr WindowMenu kWindowMenus[] = {
    {157, {InFront::ILCode}, 1},
    {126, {InFront::ILCode, InFront::LDCode}, 2},
    {133, {InFront::LDCode}, 1},
    {276, {InFront::LDCode}, 1},
    {102, {InFront::ILVariables, InFront::GlobalVariables, InFront::InitialData}, 3},
    {275, {InFront::StatusChart}, 1},
    {167, {InFront::CrossReference}, 1},
};

// Menus and bars of the main frame, shown whatever window is in front.
inline constexpr UINT kFrameMenus[] = {123, 161};

// The context menus of the CANopen configuration pages, in the hardware
// window of a VC16 project: each opens on a right press in its place, and
// its commands go to the page.
enum class CanOpenPlace { SlaveType, SlaveList, ObjectTree, MappedObject };

struct CanOpenMenu {
    UINT menuId;
    CanOpenPlace place;
};

inline constexpr CanOpenMenu kCanOpenMenus[] = {
    {4038, CanOpenPlace::SlaveType},
    {4039, CanOpenPlace::SlaveList},
    {4040, CanOpenPlace::ObjectTree},
    {4041, CanOpenPlace::MappedObject},
};

// The commands of the CANopen menus, in the order the test sends them; one
// state letter each, for their page. They have no update rule: their
// handlers decide by the selection.
inline constexpr RoutedCommand kCanOpenCommands[] = {
    {4463, "Add slave to network", "E"},
    {4466, "Move slave down", "E"},
    {4465, "Move slave up", "E"},
    {4471, "Boot-up procedure", "E"},
    {4467, "Delete slave", "E"},
    {4468, "Add object to PDO", "E"},
    {4469, "Delete mapped object", "E"},
    {4464, "Delete slave type", "E"},
};

// Menus no window of the program shows: the bars' customise menu opens only
// from the Customize sheet, which nothing opens; the frame has no handler
// for the Customize command, so the bars offer no customising.
inline constexpr UINT kMenusShownNowhere[] = {9336};

// The commands of the menus above, one state letter each for their owner.
inline constexpr RoutedCommand kOwnedCommands[] = {
    {32923, "New Subroutine (tree)", "E"},
    {32924, "New Interrupt (tree)", "E"},
    {32968, "Open All Programes (tree)", "E"},
    {32861, "Open (routine)", "E"},
    {32862, "Delete (routine)", "C"},
    {32863, "Rename (routine)", "C"},
    {32864, "Property (routine)", "C"},
    {32831, "Open (global variables)", "E"},
    {32851, "Open (status chart)", "E"},
    {32859, "Open (hardware)", "E"},
    {32860, "Open (communications)", "E"},
    {32875, "Open (initial data)", "E"},
    {32697, "Close Project (project node)", "E"},
    {32779, "Save Project (project node)", "E"},
    {32780, "Save Project As (project node)", "E"},
    {121, "Clear (output)", "E"},
    {32852, "Remove (hardware module)", "C"},
};
