#pragma once
// Text is kept as bytes of code page 936 (GBK): a lead byte 0x81..0xFE and
// the trail byte after it are one character. Conversion to Unicode happens
// only where text meets the window system or a file name.

#include "WinTypes.h"

#include <string>

constexpr bool IsGbkLeadByte(BYTE b) { return b >= 0x81 && b <= 0xFE; }
constexpr bool IsGbkTrailByte(BYTE b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Bytes of the character that starts at index: 2 for a lead byte followed by
// a trail byte, else 1 (0 at or past the end).
int GbkCharLength(const std::string& text, size_t index);

// The largest length <= maxBytes that does not separate a lead byte from its trail.
size_t GbkSafeLength(const std::string& text, size_t maxBytes);

// TRUE when index is the second byte of a double-byte character.
BOOL GbkIsTrailAt(const std::string& text, size_t index);

// GBK -> UTF-8. Bytes that are not valid GBK become U+FFFD; never fails.
std::string GbkToUtf8(const std::string& gbk);

// UTF-8 -> GBK. Characters GBK lacks become '?'; never fails.
std::string Utf8ToGbk(const std::string& utf8);

// Round-trip check helper: TRUE when every character of the UTF-8 text has a GBK form.
BOOL Utf8FitsGbk(const std::string& utf8);
