#include "RegisterCanopenUiClasses.h"

#include "CCanOpenCfg.h"

bool RegisterCanopenUiClasses(std::string*)
{
    CRuntimeClass::Register(RUNTIME_CLASS(CCanOpenCfg));
    return true;
}
