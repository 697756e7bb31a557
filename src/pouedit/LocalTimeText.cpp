#include "LocalTimeText.h"

#include <cstdio>

namespace {
constexpr int FIRST_YEAR = 1900;
constexpr size_t TIME_TEXT_SIZE = 80; // room for any int in every field
} // namespace

std::string FormatLocalTime(std::time_t time)
{
    std::tm local {};
    localtime_r(&time, &local);
    char text[TIME_TEXT_SIZE];
    std::snprintf(text, sizeof text, "%4d-%02d-%02d  %02d:%02d:%02d", local.tm_year + FIRST_YEAR, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}
