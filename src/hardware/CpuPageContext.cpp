#include "CpuPageContext.h"

#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"

bool CpuPageContext::IsFirstModule() const
{
    const auto& modules = m_app.Project.Modules;
    return m_module && !modules.empty() && modules.front().get() == m_module;
}
