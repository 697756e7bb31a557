#pragma once
// The rules of the project tree that need no window: the skeleton's kinds
// with their images and menus, the numbering and naming of a new POU, the
// path checks, the order of PROGRAM's children, the program file of a POU,
// whether a POU's document is open, the F1 topic of an item, and the POU
// records that a new POU or a vanished one adds to or takes from the project.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CProjTreeNode;
class CZULAppData;
class CZULProject;

// Images of the tree's image list.
constexpr int PROJTREE_IMAGE_PROJECT = 0;
constexpr int PROJTREE_IMAGE_PROGRAM = 1;
constexpr int PROJTREE_IMAGE_LD_POU = 2;
constexpr int PROJTREE_IMAGE_STATUS_CHART = 3;
constexpr int PROJTREE_IMAGE_HARDWARE = 4;
constexpr int PROJTREE_IMAGE_CONFIGURATION = 5;
constexpr int PROJTREE_IMAGE_RESOURCE = 6;
constexpr int PROJTREE_IMAGE_GLOBAL_VARIABLES = 7;
constexpr int PROJTREE_IMAGE_COMMUNICATIONS = 8;
constexpr int PROJTREE_IMAGE_MAIN = 9;
constexpr int PROJTREE_IMAGE_IL_POU = 10;
constexpr int PROJTREE_IMAGE_INITIAL_DATA = 11;

// Context menus of the node kinds.
constexpr UINT IDR_PROJTREE_PROJECT = 139;
constexpr UINT IDR_PROJTREE_PROGRAM = 140;
constexpr UINT IDR_PROJTREE_ROUTINE = 141;
constexpr UINT IDR_PROJTREE_GLOBAL_VARIABLES = 143;
constexpr UINT IDR_PROJTREE_STATUS_CHART = 145;
constexpr UINT IDR_PROJTREE_HARDWARE = 147;
constexpr UINT IDR_PROJTREE_COMMUNICATIONS = 150;
constexpr UINT IDR_PROJTREE_MAIN = 151;
constexpr UINT IDR_PROJTREE_INITIAL_DATA = 159;

// The texts of the skeleton.
constexpr char PROJTREE_PROJECT_LABEL[] = "Project: ";
constexpr char PROJTREE_PROGRAM[] = "PROGRAM";
constexpr char PROJTREE_INITIAL_DATA[] = "Initial Data";
constexpr char PROJTREE_CONFIGURATION[] = "CONFIGURATION";
constexpr char PROJTREE_RESOURCE[] = "RESOURCE";
constexpr char PROJTREE_HARDWARE[] = "Hardware";
constexpr char PROJTREE_GLOBAL_VARIABLES[] = "Global Variable";
constexpr char PROJTREE_STATUS_CHART[] = "Status Chart";
constexpr char PROJTREE_COMMUNICATIONS[] = "Communications";

// Types of NewPOU.
constexpr int NEW_POU_MAIN = 0;
constexpr int NEW_POU_SUBROUTINE = 1;
constexpr int NEW_POU_INTERRUPT = 2;

// What a node kind shows and offers: its image (-1: by language) and its context menu (0: none).
struct CProjTreeKindDef {
    int kind;
    int image;
    UINT menu;
};

// The kind's record; null for a kind the tree does not use.
const CProjTreeKindDef* FindProjTreeKind(int kind);
// The image of a POU item: MAIN's own, else IL or LD by language.
int POUImage(int kind, int language);

// A new POU as NewPOU will create it.
struct CNewPOUPlan {
    int kind = -1;
    int number = -1;
    std::string name;
    std::string label;
    std::string base;   // file base in the project folder
};

enum NewPOUResult {
    NEW_POU_OK = 0,
    NEW_POU_NO_NUMBER,      // every number below the limit is taken
    NEW_POU_PATH_TOO_LONG,
};

// Number, name, label and file base of a new POU of the type; a refusal
// comes with its message for ReportNewPOUResult.
NewPOUResult PlanNewPOU(const CZULAppData& app, int type, CNewPOUPlan& plan, std::string& message);
void ReportNewPOUResult(NewPOUResult result, const std::string& message);

// Creates the node of a planned POU in the project (MAIN: the project's
// MAIN node) with the default language, and registers a subroutine's call
// interface; the node.
CProjTreeNode* RegisterNewPOU(CZULProject& project, const CNewPOUPlan& plan, int language);

// Every POU label of an opened project within the path limit; raises the
// longest path on the way. The first that is too long is reported and
// FALSE returned.
BOOL CheckProjectPOUPaths(CZULAppData& app);

// Order of PROGRAM's children: Initial Data, MAIN, then the labels as
// unsigned bytes; negative, 0 or positive.
int ComparePOUNodes(const CProjTreeNode* a, const CProjTreeNode* b);

// The program file of a POU (kinds 2 to 4): folder, base name, ".ilp" for
// the languages IL and LD; "" for other kinds.
std::string POUProgramFilePath(const CZULProject& project, const CProjTreeNode& node);
// The variable file beside it.
std::string POUVarFilePath(const CZULProject& project, const CProjTreeNode& node);

// Whether one of the open documents' titles is the POU's name, a trailing
// modified mark set aside.
BOOL IsPOUDocumentOpen(const std::vector<std::string>& titles, const std::string& name);

// The help topic of an item's text; "" with no item.
std::string ProjTreeHelpTopic(const std::string& itemText);

// The question before a POU is deleted, and the one when its program file
// is gone (Yes drops the POU from the project and keeps its other files).
std::string DeletePOUQuestion(const std::string& name);
constexpr char PROJTREE_NOTE_CAPTION[] = "Note";
constexpr char MESSAGE_POU_FILE_MISSING[] =
    "The corresponding file does not exist, and this node will be deleted.\r\n"
    "Delete the node now? The other files of the POU are kept.";
