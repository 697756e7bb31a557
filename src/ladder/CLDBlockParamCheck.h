#pragma once
// The checks of the Function/FB Parameters dialog: an edited actual
// parameter of a box is checked against its parameter's flags and stored
// into the box's interface record, and an FB instance name is renamed or
// added in the project's FB-instance table.

#include "LDLocalLookup.h"
#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

class CZULAppData;
class CZULFB;
class CZULFBPara;
class CZULFunc;

class CLDBlockParamCheck {
public:
    // locals empty: no POU is at hand, and every entry is refused.
    CLDBlockParamCheck(CZULAppData& app, LDLocalLookup locals);

    // Checks the text against the parameter's flags; on acceptance the
    // parameter's actual operand takes the text (a global symbol: its
    // address; a direct address: upper-cased). FALSE leaves it alone.
    BOOL CheckActualParameter(DWORD flags, const std::string& text, CZULFBPara& parameter) const;

    // An edited Variable cell of the parameter named name, an input or an
    // output, of the function record (function or subroutine call) or the FB
    // record. TRUE when the cell takes the text.
    BOOL ApplyEntry(CZULFunc* function, CZULFB* block, BOOL input, const std::string& name,
                    const std::string& text) const;

    // The OK of an FB box: the instance text, trimmed and upper-cased,
    // renames the record's instance in the project or is added for the POU.
    // TRUE when the dialog may close; FALSE after the refusal message.
    BOOL ApplyInstanceName(CZULFB& block, const std::string& text, const std::string& pouName) const;

private:
    CZULFBPara* FindParameter(CZULFunc* function, CZULFB* block, BOOL input, const std::string& name) const;

    CZULAppData& m_app;
    LDLocalLookup m_locals;
};
