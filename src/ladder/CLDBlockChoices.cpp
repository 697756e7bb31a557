#include "CLDBlockChoices.h"

#include "model/CInstructionDef.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/InstructionCatalog.h"

std::vector<std::string> CLDBlockChoices::FunctionsAndFBs(const CZULAppData& app)
{
    const DWORD family = app.GetCPUFamilyMask();
    std::vector<std::string> names;
    for (const CInstructionDef& row : g_LDInstructionTable) {
        if (row.kind != INSTRUCTION_KIND_FUNCTION && row.kind != INSTRUCTION_KIND_FB)
            continue;
        if (!row.visible || !(row.cpuMask & family))
            continue;
        names.emplace_back(row.name);
    }
    return names;
}

std::vector<std::string> CLDBlockChoices::Subroutines(const CZULAppData& app)
{
    std::vector<std::string> names;
    for (const auto& entry : app.Project.POUs.SubroutineNodes)
        names.push_back(entry.first);
    return names;
}

bool CLDBlockChoices::IsFBType(const CZULAppData& app, const std::string& name)
{
    CZULFB block;
    return app.LookupFunctionBlock(name, block) != 0;
}
