#pragma once
// The checks of the Contact/Coil dialog: the types its list offers for a
// contact or a coil, and its OK, which accepts the entered operand for the
// chosen type and stores it into the element, or tells the user why not.
// A label coil keeps the program's label list up to date.

#include "LDLocalLookup.h"
#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CLDElement;
class CLDNameTables;
class CZULAppData;

// What the dialog does after OK.
constexpr int LD_ENTRY_CLOSE = 0;         // accepted (or kept): the dialog closes with OK
constexpr int LD_ENTRY_STAY = 1;          // refused with a message: the dialog stays open
constexpr int LD_ENTRY_STAY_ADDRESS = 2;  // refused: the dialog stays open, the address edit takes the focus

class CLDContactCoilCheck {
public:
    CLDContactCoilCheck(const CZULAppData& app, LDLocalLookup locals);

    // The types of the coil or contact catalogue in catalogue order; a
    // contact in a parallel position is not offered "-|NOT|-".
    std::vector<std::string> TypeList(BOOL coil, BOOL parallel) const;
    // The operand count and operand mask of a type's catalogue row; both 0
    // when the type is not in the catalogue.
    int OperandCount(BOOL coil, const std::string& type) const;
    DWORD OperandMask(BOOL coil, const std::string& type) const;
    // The contact's own link is parallel, or an ancestor has the parallel
    // link and no parallel successor.
    static BOOL IsParallelPosition(const CLDElement& element);

    // The OK of the dialog: stores the accepted operand into the element,
    // shows the refusal otherwise; previous is the coil's operand when the
    // dialog opened. labels: the program's label list (may be null).
    int Apply(CLDElement& element, BOOL coil, const std::string& type, const std::string& address,
              const std::string& previous, CLDNameTables* labels) const;

private:
    int ApplyLabel(CLDElement& element, const std::string& type, const std::string& bare,
                   const std::string& previous, CLDNameTables* labels) const;
    int ApplyOperand(CLDElement& element, BOOL coil, DWORD mask, const std::string& address,
                     const std::string& bare) const;

    const CZULAppData& m_app;
    LDLocalLookup m_locals;
};
