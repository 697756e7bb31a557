#include "GeneralSettingsRules.h"

#include "model/CZULAppData.h"

const CCpuListEntry CPU_LIST[CPU_LIST_COUNT] = {
    {"VB12-14AT", 1},    {"VB12-14AR", 2},    {"VB12-14AX", 3},    {"VB12EX-14AR", 5}, {"VB14-24DT", 6},
    {"VB14-24DR", 7},    {"VB14-24AR", 8},    {"VB14-24AT", 9},    {"VB14EX-24AT", 10}, {"VB14EX-24AR", 11},
    {"VB16-40AR", 14},   {"VB16-40AT", 15},   {"VB16-40AX", 16},   {"VC14-24AT", 18},  {"VC14-24AR", 17},
    {"VC16-40AR", 20},   {"VC16-40AT", 21},   {"VC16-40AX", 22},
};

namespace {

constexpr int LANGUAGE_POSITION_IL = 0;
constexpr int LANGUAGE_POSITION_LD = 1;

bool ListOffers(int catalogueRow)
{
    for (const CCpuListEntry& entry : CPU_LIST) {
        if (entry.catalogueRow == catalogueRow)
            return true;
    }
    return false;
}

int Unchecked(int checked)
{
    return checked ? 0 : 1;
}

} // namespace

int CpuListPosition(int catalogueRow)
{
    for (int position = 0; position < CPU_LIST_COUNT; ++position) {
        if (CPU_LIST[position].catalogueRow == catalogueRow)
            return position;
    }
    return CPU_LIST_FALLBACK;
}

CGeneralSettingsControls LoadGeneralSettings(const CZULAppData& app)
{
    CGeneralSettingsControls controls;
    controls.compileBeforeDownload = Unchecked(app.IfCompileBeforeDown);
    controls.compileBeforeMonitoring = Unchecked(app.IfCompileBeforeOnline);
    controls.integerFormat = app.OnlineFormat;
    controls.languagePosition = app.DefaultPOULang == POU_LANGUAGE_IL ? LANGUAGE_POSITION_IL : LANGUAGE_POSITION_LD;
    controls.cpuPosition = CpuListPosition(app.DefaultCPU);
    return controls;
}

void StoreGeneralSettings(CZULAppData& app, const CGeneralSettingsControls& loaded,
                          const CGeneralSettingsControls& controls)
{
    app.IfCompileBeforeDown = Unchecked(controls.compileBeforeDownload);
    app.IfCompileBeforeOnline = Unchecked(controls.compileBeforeMonitoring);
    if (controls.integerFormat >= 0)
        app.OnlineFormat = controls.integerFormat;
    app.DefaultPOULang = controls.languagePosition == LANGUAGE_POSITION_IL ? POU_LANGUAGE_IL : POU_LANGUAGE_LD;
    if (controls.cpuPosition < 0 || controls.cpuPosition >= CPU_LIST_COUNT)
        return;
    // The fallback only stands in for a row the list cannot show.
    if (!ListOffers(app.DefaultCPU) && controls.cpuPosition == loaded.cpuPosition)
        return;
    app.DefaultCPU = CPU_LIST[controls.cpuPosition].catalogueRow;
}
