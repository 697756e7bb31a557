#include "RegisterLadderUiClasses.h"

bool RegisterLadderUiClasses(std::string*)
{
    return true;
}
