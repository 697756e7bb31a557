#pragma once
// The module catalogue: every CPU and expansion module the system knows, one
// constant row each. Rows 0..22 are CPUs (the row index is the "DefaultCPU"
// setting), rows 23..34 digital modules, rows 35..44 analog modules.

#include "platform/WinTypes.h"

// Module kinds; a row has exactly one.
constexpr DWORD MODULE_KIND_CPU = 0x1;
constexpr DWORD MODULE_KIND_DI_AC = 0x2;
constexpr DWORD MODULE_KIND_DI_DC = 0x4;
constexpr DWORD MODULE_KIND_DO_TRANSISTOR = 0x8;
constexpr DWORD MODULE_KIND_DO_RELAY = 0x10;
constexpr DWORD MODULE_KIND_DIO_TRANSISTOR = 0x20;
constexpr DWORD MODULE_KIND_DIO_RELAY = 0x40;
constexpr DWORD MODULE_KIND_AI = 0x80;
constexpr DWORD MODULE_KIND_AI_THERMOCOUPLE = 0x100;
constexpr DWORD MODULE_KIND_AI_RTD = 0x200;
constexpr DWORD MODULE_KIND_AI_NTC = 0x400;
constexpr DWORD MODULE_KIND_AO = 0x800;
constexpr DWORD MODULE_KIND_AIO_4 = 0x1000;
constexpr DWORD MODULE_KIND_AIO_2 = 0x2000;

// Kinds that occupy addresses of the I, Q, AI and AQ areas.
constexpr DWORD MODULE_KINDS_WITH_I =
    MODULE_KIND_CPU | MODULE_KIND_DI_AC | MODULE_KIND_DI_DC | MODULE_KIND_DIO_TRANSISTOR | MODULE_KIND_DIO_RELAY;
constexpr DWORD MODULE_KINDS_WITH_Q = MODULE_KIND_CPU | MODULE_KIND_DO_TRANSISTOR | MODULE_KIND_DO_RELAY |
                                      MODULE_KIND_DIO_TRANSISTOR | MODULE_KIND_DIO_RELAY;
constexpr DWORD MODULE_KINDS_WITH_AI = MODULE_KIND_AI | MODULE_KIND_AI_THERMOCOUPLE | MODULE_KIND_AI_RTD |
                                       MODULE_KIND_AI_NTC | MODULE_KIND_AIO_4 | MODULE_KIND_AIO_2;
constexpr DWORD MODULE_KINDS_WITH_AQ = MODULE_KIND_AO | MODULE_KIND_AIO_4 | MODULE_KIND_AIO_2;

struct CModuleCatalogEntry {
    char model[15];
    BYTE hardwareCode;
    DWORD kind;
    int diCount;
    int doCount;
    int aiCount;
    int aoCount;
    char description[80];
    int shown;
};

constexpr int MODULE_CATALOG_ROWS = 45;
constexpr int MODULE_CATALOG_CPU_ROWS = 23;
constexpr int MODULE_CATALOG_FIRST_DIGITAL_ROW = 23;
constexpr int MODULE_CATALOG_FIRST_ANALOG_ROW = 35;

extern const CModuleCatalogEntry ModuleCatalog[MODULE_CATALOG_ROWS];

// The row of an index 0..44, or null.
const CModuleCatalogEntry* GetCatalogRow(int row);
// The first row with this hardware code, or null.
const CModuleCatalogEntry* FindCatalogRowByCode(BYTE hardwareCode);
