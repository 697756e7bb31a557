#include "LDLocalLookup.h"

#include "CLDEditor.h"
#include "CLDProgram.h"
#include "pouedit/IPOUEditorHost.h"

LDLocalLookup MakeLocalLookup(const CLDProgram& program)
{
    IPOUEditorHost* host = program.GetLDEditor().GetHost();
    if (!host)
        return nullptr;
    return [host](const std::string& name, OperandTypeFlags& flags) {
        return host->LookupLocalSymbolType(name, flags);
    };
}
