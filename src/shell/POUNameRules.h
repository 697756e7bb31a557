#pragma once
// The naming rules of a POU (main program, subroutine or interrupt
// routine), in the two forms the project tree applies them: in place, when
// the tree item's text was edited, and in the POU Property dialog; and the
// names, labels and file bases that follow from a POU's name.

#include "platform/WinTypes.h"

#include <string>

class CProjTreeNode;
class CZULAppData;
class CZULProject;

enum class POUNameForm { InPlace, Dialog };

// Outcome of the rules, in the order they run.
enum POUNameResult {
    POU_NAME_OK = 0,
    POU_NAME_EMPTY,       // in place dropped without message
    POU_NAME_UNCHANGED,   // nothing to do (the dialog closes with OK)
    POU_NAME_KEYWORD,
    POU_NAME_ILLEGAL_TOKEN,
    POU_NAME_DUPLICATE,
    POU_NAME_PATH_TOO_LONG,
    POU_NAME_FILE_EXISTS, // a file of the new name is in the project folder
    POU_NAME_MOVE_FAILED, // a file could not be moved; the others were moved back
};

constexpr char POU_NAME_ERROR_CAPTION[] = "Error";
// The longest project folder plus separator plus POU label.
constexpr int POU_PATH_LIMIT = 258;

// Runs the rules 1 to 5 on a new name for the node's POU; the name comes back
// trimmed. A refusal that the form reports fills message; an empty message
// means the attempt ends silently.
POUNameResult CheckPOUName(const CZULProject& project, const CProjTreeNode& node, std::string& name,
                           POUNameForm form, std::string& message);

// The tree label and the file base (project folder not included) of a POU
// of this kind and number under a name; empty for other kinds.
std::string POULabel(int kind, int number, const std::string& name);
std::string POUFileBase(int kind, int number, const std::string& name);

// The path check before a rename: folder, separator and label within the
// limit. Raises the application data's longest path to the tested length
// whether or not the label fits.
BOOL CheckPOUPathLength(CZULAppData& app, const std::string& label);

// Shows the message of a refusal (nothing for a silent one).
void ReportPOUNameResult(POUNameResult result, const std::string& message);
