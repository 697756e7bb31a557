#include "RegisterPlclinkUiClasses.h"

#include "resources/ProgramResources.h"

bool RegisterPlclinkUiClasses(std::string* error)
{
    return InitProgramResources(error);
}
