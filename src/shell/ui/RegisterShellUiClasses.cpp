#include "RegisterShellUiClasses.h"

#include "resources/ProgramResources.h"
#include "shell/ui/CUsedVarRefView.h"

bool RegisterShellUiClasses(std::string* error)
{
    CRuntimeClass::Register(RUNTIME_CLASS(CUsedVarRefView));
    return InitProgramResources(error);
}
