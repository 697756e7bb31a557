#include "CpuPageContext.h"

#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"

bool CpuPageContext::IsFirstModule() const
{
    const auto& modules = m_app.Project.Modules;
    return m_module && !modules.empty() && modules.front().get() == m_module;
}

CKeepModifiedFlag::CKeepModifiedFlag()
{
    if (const CProjTreeDOC* document = GetProjectDocument())
        m_modified = document->IsModified();
}

CKeepModifiedFlag::~CKeepModifiedFlag()
{
    SetProjectModified(m_modified);
}
