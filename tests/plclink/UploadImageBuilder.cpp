#include "UploadImageBuilder.h"

#include "model/Crc16Modbus.h"

#include <cstddef>

namespace {

void Put16(std::vector<BYTE>& bytes, std::size_t at, int value)
{
    bytes.at(at) = static_cast<BYTE>(value & 0xFF);
    bytes.at(at + 1) = static_cast<BYTE>((value >> 8) & 0xFF);
}

// A block of the given number: its 6-byte header followed by the body.
std::vector<BYTE> Block(int number, int variant, const std::vector<BYTE>& body)
{
    std::vector<BYTE> block = {0, 0, static_cast<BYTE>(number), 6, static_cast<BYTE>(number),
                               static_cast<BYTE>(variant)};
    block.insert(block.end(), body.begin(), body.end());
    Put16(block, 0, static_cast<int>(block.size()));
    return block;
}

} // namespace

UploadImageBuilder::UploadImageBuilder(int format)
    : m_format(format), m_cpu(260, 0), m_languages(82, 0), m_block9({7, 0, 9, 6, 9, 0, 0})
{
    m_code = {8, 0, 1, 6, 1, 0xFF, 0x31, 0x01}; // MAIN with only its end marker
}

UploadImageBuilder& UploadImageBuilder::Module(BYTE code, BYTE inFirst, BYTE inLast, BYTE outFirst, BYTE outLast)
{
    m_modules.insert(m_modules.end(), {code, static_cast<BYTE>(m_modules.size() / 6), inFirst, inLast, outFirst,
                                       outLast});
    return *this;
}

UploadImageBuilder& UploadImageBuilder::CpuByte(int offset, BYTE value)
{
    m_cpu.at(offset) = value;
    return *this;
}

UploadImageBuilder& UploadImageBuilder::CpuWord(int offset, WORD value)
{
    Put16(m_cpu, offset, value);
    return *this;
}

UploadImageBuilder& UploadImageBuilder::CpuBlockSize(int size)
{
    m_cpu.resize(size, 0);
    return *this;
}

UploadImageBuilder& UploadImageBuilder::ObjectCode(const std::vector<BYTE>& code)
{
    m_code = code;
    return *this;
}

UploadImageBuilder& UploadImageBuilder::InitialValue(WORD address, const std::vector<BYTE>& values, BYTE type)
{
    m_initial.push_back(static_cast<BYTE>(address & 0xFF));
    m_initial.push_back(static_cast<BYTE>(address >> 8));
    m_initial.push_back(static_cast<BYTE>(values.size()));
    m_initial.insert(m_initial.end(), values.begin(), values.end());
    m_initial.push_back(type);
    return *this;
}

UploadImageBuilder& UploadImageBuilder::Language(int entry, BYTE language)
{
    BYTE& packed = m_languages[entry / 2];
    packed = entry % 2 == 0 ? static_cast<BYTE>((packed & 0xF0) | language)
                            : static_cast<BYTE>((packed & 0x0F) | (language << 4));
    return *this;
}

UploadImageBuilder& UploadImageBuilder::VariableBlock(const std::vector<BYTE>& block9)
{
    m_block9 = block9;
    return *this;
}

std::vector<BYTE> UploadImageBuilder::Build() const
{
    std::vector<BYTE> modules = {static_cast<BYTE>(m_modules.size() / 6)};
    modules.insert(modules.end(), m_modules.begin(), m_modules.end());
    std::vector<BYTE> cpu(m_cpu.begin() + 6, m_cpu.end());
    std::vector<BYTE> initial = {0, 0};
    initial.insert(initial.end(), m_initial.begin(), m_initial.end());
    std::vector<BYTE> block7 = Block(7, m_format, initial);
    Put16(block7, 6, static_cast<int>(block7.size()) - 6);
    std::vector<BYTE> tables = {0, 0};
    if (m_format != 0)
        tables.insert(tables.end(), m_languages.begin(), m_languages.end());

    std::vector<std::vector<BYTE>> blocks = {Block(4, m_format, modules), Block(5, m_format, cpu),
                                             Block(6, m_format, m_code), block7, Block(8, m_format, tables)};
    if (m_format != 0)
        blocks.push_back(m_block9);
    const int lastBlock = m_format != 0 ? 9 : 8;
    std::vector<BYTE> block3(6 + 2 * (lastBlock - 3) + 2, 0);
    block3[2] = 3, block3[3] = 6, block3[4] = 3, block3[5] = static_cast<BYTE>(m_format);
    Put16(block3, 0, static_cast<int>(block3.size()));
    for (std::size_t b = 0; b < blocks.size(); ++b)
        Put16(block3, 6 + 2 * b, static_cast<int>(blocks[b].size()));

    std::vector<BYTE> checked;
    for (std::size_t b = 0; b < 4; ++b)
        checked.insert(checked.end(), blocks[b].begin(), blocks[b].end());
    Put16(block3, block3.size() - 2, CRC16Modbus(checked.data(), static_cast<DWORD>(checked.size())));

    std::vector<BYTE> image = block3;
    for (const std::vector<BYTE>& block : blocks)
        image.insert(image.end(), block.begin(), block.end());
    return image;
}
