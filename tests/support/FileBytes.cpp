#include "FileBytes.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string HexBytes(const std::vector<unsigned char>& bytes)
{
    std::string out;
    char cell[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(cell, sizeof cell, i ? " %02X" : "%02X", bytes[i]);
        out += cell;
    }
    return out;
}

std::vector<unsigned char> BytesFromHex(const std::string& hex)
{
    std::vector<unsigned char> out;
    std::string digits;
    for (char c : hex)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<unsigned char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

::testing::AssertionResult BytesEqual(const std::vector<unsigned char>& expected, const std::vector<unsigned char>& actual)
{
    size_t common = std::min(expected.size(), actual.size());
    for (size_t i = 0; i < common; ++i) {
        if (expected[i] != actual[i]) {
            std::ostringstream msg;
            msg << "bytes differ at offset " << i << ": expected 0x" << std::hex << int(expected[i]) << ", got 0x"
                << int(actual[i]);
            return ::testing::AssertionFailure() << msg.str();
        }
    }
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure() << "sizes differ: expected " << expected.size() << ", got " << actual.size();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult FilesEqual(const std::string& expectedPath, const std::string& actualPath)
{
    std::ifstream a(expectedPath, std::ios::binary), b(actualPath, std::ios::binary);
    if (!a)
        return ::testing::AssertionFailure() << "missing " << expectedPath;
    if (!b)
        return ::testing::AssertionFailure() << "missing " << actualPath;
    return BytesEqual(ReadFileBytes(expectedPath), ReadFileBytes(actualPath));
}
