#pragma once
// One byte per POU (entry 0 MAIN, 1..99 subroutines 0..98, 100..163
// interrupt routines 0..63) followed by spare bytes: 0 for an IL POU, 2 for
// an LD POU when the profile sub-type is not 0. Compile All clears it, the
// code pass fills it, the download image carries entries 0..163.

#include "platform/WinTypes.h"

constexpr int POU_LANGUAGE_TABLE_BYTES = 199;
constexpr int POU_LANGUAGE_ENTRIES = 164;
constexpr int POU_LANGUAGE_FIRST_SBR = 1;
constexpr int POU_LANGUAGE_FIRST_INT = 100;

extern BYTE g_POULanguageTable[POU_LANGUAGE_TABLE_BYTES];

void ClearPOULanguageTable();
