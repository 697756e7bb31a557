#include "RegisterPidUiClasses.h"

#include "pid/ui/CPIDDispView.h"

bool RegisterPidUiClasses(std::string* /*error*/)
{
    CRuntimeClass::Register(RUNTIME_CLASS(CPIDDispView));
    return true;
}
