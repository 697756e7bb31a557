#pragma once
// Helpers over byte strings (GBK text in std::string) with the behaviour the
// project code was written against: positions as int with -1 for "not
// found", Mid/Left/Right that clamp instead of throwing, upper-casing that
// leaves double-byte characters alone, and printf formatting whose floating
// exponents have three digits ("1.000000e+010") as the PLC tools print them.

#include "WinTypes.h"

#include <string>
#include <string_view>

namespace ByteString {

std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
// Blank characters trimmed: space, tab, CR, LF, VT, FF.
bool IsBlank(char c);

// ASCII letters only; the bytes of a double-byte character are kept.
std::string Upper(const std::string& s);
std::string Lower(const std::string& s);
// Compares after Upper on both sides.
bool EqualsNoCase(const std::string& a, const std::string& b);

// Clamped substrings: a start or count outside the text gives what is inside.
std::string Mid(const std::string& s, int first);
std::string Mid(const std::string& s, int first, int count);
std::string Left(const std::string& s, int count);
std::string Right(const std::string& s, int count);

// Positions, -1 when absent. A start past the end finds nothing.
int Find(const std::string& s, const std::string& sub, int start = 0);
int Find(const std::string& s, char c, int start = 0);
int ReverseFind(const std::string& s, char c);
int FindOneOf(const std::string& s, const std::string& chars);

// Replaces every occurrence; returns how many. An empty pattern replaces nothing.
int Replace(std::string& s, const std::string& from, const std::string& to);
// Removes every c; returns how many.
int Remove(std::string& s, char c);

bool StartsWith(std::string_view s, std::string_view prefix);

// printf into a string. Floating numbers in the old runtime's exponent form
// go through FormatDouble.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// One floating value formatted by one conversion (such as "%e", "%G",
// "%.3g", "%-15e") with a three-digit exponent; empty for anything else.
std::string FormatDouble(const char* conversion, double value);

} // namespace ByteString
