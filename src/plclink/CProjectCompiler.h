#pragma once
// Compile All as the PLC commands call it: the whole command, then whether
// both the compilation and the download image succeeded.

#include "CCompileAll.h"
#include "IProjectCompiler.h"

class CProjectCompiler : public IProjectCompiler {
public:
    CProjectCompiler(CZULAppData& app, ICompileAllHost& host);

    BOOL CompileAll() override;

private:
    CZULAppData& m_app;
    CCompileAll m_command;
};
