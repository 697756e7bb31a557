#include "ObjectCodeBuilder.h"

ObjectCodeBuilder& ObjectCodeBuilder::Pou(BYTE kind, BYTE number, BYTE language)
{
    CloseBlock();
    m_blockStart = static_cast<int>(m_code.size());
    m_code.insert(m_code.end(), {0, 0, language, 6, kind, number});
    return *this;
}

ObjectCodeBuilder& ObjectCodeBuilder::Op(WORD opcode)
{
    return Word(opcode);
}

ObjectCodeBuilder& ObjectCodeBuilder::Byte(BYTE value)
{
    m_code.push_back(value);
    return *this;
}

ObjectCodeBuilder& ObjectCodeBuilder::Word(WORD value)
{
    Byte(static_cast<BYTE>(value & 0xFF));
    return Byte(static_cast<BYTE>(value >> 8));
}

ObjectCodeBuilder& ObjectCodeBuilder::Dword(DWORD value)
{
    Word(static_cast<WORD>(value & 0xFFFF));
    return Word(static_cast<WORD>(value >> 16));
}

ObjectCodeBuilder& ObjectCodeBuilder::Addr(const std::string& address)
{
    return Word(EncodeAddress(address, 0));
}

void ObjectCodeBuilder::CloseBlock()
{
    if (m_blockStart < 0)
        return;
    const size_t size = m_code.size() - static_cast<size_t>(m_blockStart);
    m_code[m_blockStart] = static_cast<BYTE>(size & 0xFF);
    m_code[m_blockStart + 1] = static_cast<BYTE>(size >> 8);
    m_blockStart = -1;
}

std::vector<BYTE> ObjectCodeBuilder::Finish()
{
    CloseBlock();
    return m_code;
}
