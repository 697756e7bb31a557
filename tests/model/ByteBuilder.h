#pragma once
// Builds archive byte streams by hand, value by value, as the project file
// lays them out: little-endian integers, length-prefixed strings, counts.

#include "platform/WinTypes.h"

#include <cstring>
#include <string>
#include <vector>

class ByteBuilder {
public:
    ByteBuilder& U8(unsigned v) { m_bytes.push_back(static_cast<BYTE>(v)); return *this; }
    ByteBuilder& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
    ByteBuilder& U32(unsigned v) { return U16(v & 0xFFFF).U16(v >> 16); }
    ByteBuilder& Raw(const std::string& text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    ByteBuilder& Raw(const std::vector<BYTE>& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    ByteBuilder& Fill(size_t count, unsigned v)
    {
        m_bytes.insert(m_bytes.end(), count, static_cast<BYTE>(v));
        return *this;
    }
    // A string as the archive stores one shorter than 255 bytes.
    ByteBuilder& Str(const std::string& text) { return U8(static_cast<unsigned>(text.size())).Raw(text); }
    // The class record of a class seen the first time in the stream.
    ByteBuilder& NewClass(const std::string& name, unsigned schema = 1)
    {
        return U16(0xFFFF).U16(schema).U16(static_cast<unsigned>(name.size())).Raw(name);
    }

    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }

private:
    std::vector<BYTE> m_bytes;
};
