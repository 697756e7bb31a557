#include "CProjectCompiler.h"

#include "model/CZULAppData.h"

CProjectCompiler::CProjectCompiler(CZULAppData& app, ICompileAllHost& host) : m_app(app), m_command(app, host)
{
}

BOOL CProjectCompiler::CompileAll()
{
    m_command.OnCompileAll();
    return m_app.Project.CompileResult && m_app.Project.ImageResult ? TRUE : FALSE;
}
