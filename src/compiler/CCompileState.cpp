#include "CCompileState.h"

CCompileState g_CompileState;

void CCompileState::Reset()
{
    *this = CCompileState();
}

bool CCompileState::IsProgramFile() const
{
    return CurrentFileKind == FILE_KIND_MAIN_PROGRAM || CurrentFileKind == FILE_KIND_INT_PROGRAM ||
           CurrentFileKind == FILE_KIND_SBR_PROGRAM;
}
