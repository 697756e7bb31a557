#include "CModuleCatalogEntry.h"

const CModuleCatalogEntry ModuleCatalog[MODULE_CATALOG_ROWS] = {
    {"VA10-14AR", 50, 0x1, 9, 7, 0, 0, "AC220V Power Suply, DI 8*DC24V, DO 6*Relays", 0},
    {"VB12-14AT", 31, 0x1, 9, 7, 0, 0, "AC220V Power Suply, DI 8*DC24V, DO 6*DC24V", 1},
    {"VB12-14AR", 1, 0x1, 9, 7, 0, 0, "AC220V Power Suply, DI 8*DC24V, DO 6*Relays", 1},
    {"VB12-14AX", 32, 0x1, 9, 7, 0, 0, "AC220V Power Suply, DI 8*DC24V, DO 3*DC24V+DO 3*Relays", 1},
    {"VB12EX-14DT", 33, 0x1, 14, 10, 0, 0, "DC24V Power Suply, DI 8*DC24V, DO 6*DC24V", 0},
    {"VB12EX-14AR", 34, 0x1, 14, 10, 0, 0, "AC220V Power Suply, DI 8*DC24V, DO 6*Relays", 1},
    {"VB14-24DT", 2, 0x1, 14, 10, 0, 0, "DC24V Power Suply, DI 14*DC24V, DO 10*DC24V", 1},
    {"VB14-24DR", 35, 0x1, 14, 10, 0, 0, "DC24V Power Suply, DI 14*DC24V, DO 10*Relays", 1},
    {"VB14-24AR", 3, 0x1, 14, 10, 0, 0, "AC220V Power Suply, DI 14*DC24V, DO 10*Relays", 1},
    {"VB14-24AT", 39, 0x1, 14, 10, 0, 0, "AC220V Power Suply, DI 14*DC24V, 10*DC24V", 1},
    {"VB14EX-24AT", 36, 0x1, 14, 10, 0, 0, "AC220V Power Suply, DI 14*DC24V, DO 10*DC24V", 1},
    {"VB14EX-24AR", 37, 0x1, 14, 10, 0, 0, "AC220V Power Suply, DI 14*DC24V, DO 10*Relays", 1},
    {"VB14EX-24AX", 40, 0x1, 14, 10, 0, 0, "AC220V Power Suply, DI 14*DC24V, DO 4*DC24V+DO 6*Relays", 0},
    {"VB16-40DT", 4, 0x1, 24, 16, 0, 0, "DC24V Power Suply, DI 24*DC24V, DO 16*DC24V", 0},
    {"VB16-40AR", 5, 0x1, 24, 16, 0, 0, "AC220V Power Suply, DI 24*DC24V, DO 16*Relays", 1},
    {"VB16-40AT", 43, 0x1, 24, 16, 0, 0, "AC220V Power Suply, DI 24*DC24V, DO 16*DC24V", 1},
    {"VB16-40AX", 44, 0x1, 24, 16, 0, 0, "AC220V Power Suply, DI 24*DC24V, DO 4*DC24V+DO 12*Relays", 1},
    {"VC14-24AR", 45, 0x1, 14, 10, 0, 0, "AC220V Power Suply, DI 14*DC24V, DO 10*Relays", 0},
    {"VC14-24AT", 46, 0x1, 14, 10, 0, 0, "AC220V Power Suply, DI 14*DC24V, DO 10*DC24V", 0},
    {"VC16-40DT", 51, 0x1, 24, 16, 0, 0, "DC24V Power Suply, DI 24*DC24V, DO 16*DC24V", 0},
    {"VC16-40AR", 47, 0x1, 24, 16, 0, 0, "AC220V Power Suply, DI 24*DC24V, DO 16*Relays", 0},
    {"VC16-40AT", 48, 0x1, 24, 16, 0, 0, "AC220V Power Suply, DI 24*DC24V, DO 16*DC24V", 0},
    {"VC16-40AX", 49, 0x1, 24, 16, 0, 0, "AC220V Power Suply, DI 24*DC24V, DO 4*DC24V+DO 12*Relays", 0},
    {"VE50-08DX", 6, 0x4, 8, 0, 0, 0, "DI 8*DC24V", 1},
    {"VE50-08AX", 7, 0x2, 8, 0, 0, 0, "DI 8*AC220V", 0},
    {"VE50-16DX", 8, 0x4, 16, 0, 0, 0, "DI 16*DC24V", 1},
    {"VE60-08DT", 9, 0x8, 0, 8, 0, 0, "DO 8*DC24V", 1},
    {"VE60-16DT", 10, 0x8, 0, 16, 0, 0, "DO 16*DC24V", 1},
    {"VE60-08XR", 11, 0x10, 0, 8, 0, 0, "DO 8*Relays", 1},
    {"VE60-16XR", 12, 0x10, 0, 16, 0, 0, "DO 16*Relays", 1},
    {"VE70-08DTX", 13, 0x20, 8, 8, 0, 0, "DIO 8*DC24V", 1},
    {"VE70-08DT", 14, 0x20, 4, 4, 0, 0, "DI 4*DC24V, DO 4*DC24V", 0},
    {"VE70-08DR", 15, 0x40, 4, 4, 0, 0, "DI 4*DC24V, DO 4*Relays", 1},
    {"VE70-16DT", 16, 0x20, 8, 8, 0, 0, "DI 8*DC24V, DO 8*DC24V", 0},
    {"VE70-16DR", 17, 0x40, 8, 8, 0, 0, "DI 8*DC24V, DO 8*Relays", 1},
    {"VF50-04IV", 18, 0x80, 0, 0, 4, 0, "AI*4, 4-20mA/0-20mA/1-5V/-10V-+10V", 1},
    {"VF50-02IV", 19, 0x80, 0, 0, 2, 0, "AI*2, 4-20mA/0-20mA/1-5V/-10V-+10V", 0},
    {"VF50-04TC", 20, 0x100, 0, 0, 4, 0, "AI*4, thermocouple typ J/K, ext./int. comp.", 0},
    {"VF50-04RD", 21, 0x200, 0, 0, 4, 0, "AI*4, Pt100/Cu50, 2/3-wire", 1},
    {"VF50-04NT", 22, 0x400, 0, 0, 4, 0, "AI*4, NTC thermistor, 2-wire", 0},
    {"VF60-02IV", 23, 0x800, 0, 0, 0, 2, "AO*2, 4-20mA/0-20mA/1-5V/-10V-+10V", 1},
    {"VF70-05IV", 24, 0x1000, 0, 0, 4, 1, "AI*4, AO*1, 4-20mA/0-20mA/1-5V/-10V-+10V", 0},
    {"Orvel-VG90", 38, 0x1000, 0, 0, 4, 4, "SCR AC Voltage Controller, 4 channels", 0},
    {"VF70-03IV", 42, 0x2000, 0, 0, 2, 1, "AI*2, AO*1, 4-20mA/0-20mA/1-5V/-10V-+10V", 1},
    {"VF70-04IV", 41, 0x2000, 0, 0, 2, 2, "AI*2, AO*2, 4-20mA/0-20mA/1-5V/-10V-+10V", 1},
};

const CModuleCatalogEntry* GetCatalogRow(int row)
{
    if (row < 0 || row >= MODULE_CATALOG_ROWS)
        return nullptr;
    return &ModuleCatalog[row];
}

const CModuleCatalogEntry* FindCatalogRowByCode(BYTE hardwareCode)
{
    for (const CModuleCatalogEntry& entry : ModuleCatalog) {
        if (entry.hardwareCode == hardwareCode)
            return &entry;
    }
    return nullptr;
}
