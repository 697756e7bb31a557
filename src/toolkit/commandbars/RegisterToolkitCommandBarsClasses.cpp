#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"

#include "resources/ProgramResources.h"

bool RegisterToolkitCommandBarsClasses(std::string* error)
{
    return InitProgramResources(error);
}
