#pragma once
// Reading, writing and comparing whole files byte by byte in tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

std::vector<unsigned char> ReadFileBytes(const std::string& path);
std::string ReadFileText(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
void WriteFileText(const std::string& path, const std::string& text);

// Passes when both files exist and hold the same bytes; otherwise names the
// first differing offset and the bytes there.
::testing::AssertionResult FilesEqual(const std::string& expectedPath, const std::string& actualPath);
::testing::AssertionResult BytesEqual(const std::vector<unsigned char>& expected, const std::vector<unsigned char>& actual);

// Hex text of bytes ("01 A0 FF") for readable failure messages.
std::string HexBytes(const std::vector<unsigned char>& bytes);
// Bytes from hex text; blanks are ignored.
std::vector<unsigned char> BytesFromHex(const std::string& hex);
