#pragma once
// The rules of the instruction catalogue tree that need no window: which
// categories and rows a project's CPU family is offered, the item images,
// the message that hands an item to the active POU editor and the help
// topic of an item.

#include "model/InstructionCatalog.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

// wParam flags of WM_INSERT_FROM_CATALOGUE.
constexpr int INSERT_SUBROUTINE_CALL = 1;
constexpr int INSERT_LD_SET = 2;

// Images of the catalogue's image list.
constexpr int INSTREE_IMAGE_LD_CATEGORY = 0;
constexpr int INSTREE_IMAGE_LD_IEC = 1;
constexpr int INSTREE_IMAGE_IL_IEC = 2; // also every subroutine entry
constexpr int INSTREE_IMAGE_IL_CATEGORY = 3;
constexpr int INSTREE_IMAGE_LD_EXTENSION = 4;
constexpr int INSTREE_IMAGE_IL_EXTENSION = 5;
constexpr int INSTREE_IMAGE_SUBROUTINE = INSTREE_IMAGE_IL_IEC;
constexpr int INSTREE_IMAGE_COUNT = 6;

constexpr char INSTREE_SUBROUTINES[] = "SBR";

// No project open: every visible row, no family filter.
constexpr DWORD INSTREE_NO_PROJECT = 0;

// A category of the catalogue with the rows it offers, in table order.
struct CInsTreeCategory {
    const char* name;
    std::vector<const CInstructionDef*> rows;
};

// The sixteen table categories (without "SBR") of the LD or IL set, filtered
// by the project's family bit; whole categories that the family lacks are
// left out, a category whose rows are all filtered out stays, empty.
std::vector<CInsTreeCategory> InsTreeCategories(BOOL ld, DWORD familyBit);

int InsTreeCategoryImage(BOOL ld);
int InsTreeInstructionImage(BOOL ld, const CInstructionDef& row);

// The wParam of WM_INSERT_FROM_CATALOGUE for an item, or -1 when neither
// set is shown and nothing may be posted.
int InsTreeInsertWParam(bool underSubroutines, BYTE ldShown, BYTE ilShown);

// The help topic of an item: its text; the bit-logic statements that share
// their names with the word-logic boxes get "_BOOL".
std::string InsTreeHelpTopic(const std::string& text, const std::string& parentText);

// Opens the help of the selected item (empty text: nothing selected); a
// subroutine without its own topic opens "CAL".
void OpenInsTreeHelp(const std::string& text, const std::string& parentText);
