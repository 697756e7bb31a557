#pragma once
// A moment in local time as the printouts and the POU file times show it:
// "2026-12-10  20:11:05".

#include <ctime>
#include <string>

std::string FormatLocalTime(std::time_t time);
