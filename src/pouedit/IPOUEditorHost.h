#pragma once
// What a POU program and its editor need of the POU document and view:
// the POU's name, its local variables and the view's scroll position.

#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

class IPOUEditorHost {
public:
    virtual ~IPOUEditorHost() = default;

    // The name of the POU being edited, as the project knows it.
    virtual std::string GetPOUName() const = 0;

    // The variable-class and data-type flags of a local variable.
    virtual BOOL LookupLocalSymbolType(const std::string& name, OperandTypeFlags& flags) const = 0;
    // The address of the local variable of that upper-cased name (such as "LB4", without "%").
    virtual BOOL FindLocalAddress(const std::string& upperName, std::string& address) const = 0;
    // The name of the local variable at that address (upper case, without "%").
    virtual BOOL FindLocalName(const std::string& address, std::string& name) const = 0;

    // The view's scroll position in pixels.
    virtual void GetScrollPosition(int& x, int& y) const = 0;
    virtual void ScrollTo(int x, int y) = 0;
};
