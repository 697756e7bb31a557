#include "RegisterShellUiClasses.h"

#include "resources/ProgramResources.h"

bool RegisterShellUiClasses(std::string* error)
{
    return InitProgramResources(error);
}
