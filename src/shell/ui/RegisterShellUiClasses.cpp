#include "RegisterShellUiClasses.h"

#include "CGlobalFBIView.h"
#include "CGlobalVarView.h"
#include "CInitDataView.h"

#include "resources/ProgramResources.h"

bool RegisterShellUiClasses(std::string* error)
{
    CRuntimeClass::Register(RUNTIME_CLASS(CGlobalVarView));
    CRuntimeClass::Register(RUNTIME_CLASS(CGlobalFBIView));
    CRuntimeClass::Register(RUNTIME_CLASS(CInitDataView));
    return InitProgramResources(error);
}
