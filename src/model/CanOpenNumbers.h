#pragma once
// Numbers as electronic data sheets and slave-type files write them.

#include <cstdint>
#include <string>

// A decimal number after leading blanks: an optional sign and digits, up to
// the first other character; 0 when no digit comes first. Values beyond the
// 32-bit range stop at its ends.
int ReadDecimal(const std::string& text);

// TRUE when the text is not empty and every character is a hexadecimal digit.
bool IsHexDigits(const std::string& text);

// The value of up to maxDigits hexadecimal digits at the start of the text
// (0 when none); digitsRead tells how many were taken.
std::uint32_t ReadHexPrefix(const std::string& text, int maxDigits, int& digitsRead);
