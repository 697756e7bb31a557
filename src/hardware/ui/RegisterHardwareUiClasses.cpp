#include "RegisterHardwareUiClasses.h"

#include "CChildFrameHW.h"
#include "CQ7PLCTreeView.h"

bool RegisterHardwareUiClasses(std::string*)
{
    CRuntimeClass::Register(RUNTIME_CLASS(CChildFrameHW));
    CRuntimeClass::Register(RUNTIME_CLASS(CQ7PLCTreeView));
    return true;
}
