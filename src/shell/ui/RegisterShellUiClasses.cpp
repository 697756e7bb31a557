#include "RegisterShellUiClasses.h"

#include "resources/ProgramResources.h"
#include "shell/ui/CChFrmCrossRef.h"
#include "shell/ui/CChFrmInitData.h"
#include "shell/ui/CChildFrameVar.h"
#include "shell/ui/CChildFrmStatus.h"
#include "shell/ui/CGlobalFBIView.h"
#include "shell/ui/CGlobalVarView.h"
#include "shell/ui/CInitDataView.h"
#include "shell/ui/COutputView.h"
#include "shell/ui/CPIDDispFrm.h"
#include "shell/ui/CProjTreeView.h"
#include "shell/ui/CStatusTblView.h"
#include "shell/ui/CUsedVarRefView.h"

bool RegisterShellUiClasses(std::string* error)
{
    // The single-instance frames the main frame creates by name.
    const CRuntimeClass* const frames[] = {RUNTIME_CLASS(CChFrmCrossRef), RUNTIME_CLASS(CChFrmInitData),
        RUNTIME_CLASS(CChildFrameVar), RUNTIME_CLASS(CChildFrmStatus), RUNTIME_CLASS(CPIDDispFrm)};
    for (const CRuntimeClass* frame : frames)
        CRuntimeClass::Register(frame);
    // The table views their frames create by name.
    CRuntimeClass::Register(RUNTIME_CLASS(CGlobalVarView));
    CRuntimeClass::Register(RUNTIME_CLASS(CGlobalFBIView));
    CRuntimeClass::Register(RUNTIME_CLASS(CInitDataView));
    CRuntimeClass::Register(RUNTIME_CLASS(CStatusTblView));
    CRuntimeClass::Register(RUNTIME_CLASS(CUsedVarRefView));
    // The views of the Workspace and Output panes.
    CRuntimeClass::Register(RUNTIME_CLASS(CProjTreeView));
    CRuntimeClass::Register(RUNTIME_CLASS(COutputView));
    return InitProgramResources(error);
}
