#include "model/Crc16Modbus.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

WORD CrcOf(const std::vector<BYTE>& bytes)
{
    return CRC16Modbus(bytes.data(), static_cast<DWORD>(bytes.size()));
}

} // namespace

TEST(Crc16ModbusTest, KnownVectorsInLineOrder)
{
    EXPECT_EQ(CrcOf({'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0x374B);
    EXPECT_EQ(CrcOf({}), 0xFFFF);
    // Read one holding register of station 1: the frame's CRC bytes are 84 0A.
    EXPECT_EQ(CrcOf({0x01, 0x03, 0x00, 0x00, 0x00, 0x01}), 0x840A);
}

TEST(Crc16ModbusTest, FrameFollowedByItsChecksumGivesZero)
{
    std::vector<BYTE> frame = {0x01, 'E', 0x00, 0x37, 0xA5, 0xFF};
    WORD crc = CrcOf(frame);
    frame.push_back(HIBYTE(crc));
    frame.push_back(LOBYTE(crc));
    EXPECT_EQ(CrcOf(frame), 0);
}

TEST(Crc16ModbusTest, OnlyTheLowSixteenBitsOfTheLengthCount)
{
    std::vector<BYTE> data(0x10003, 0x5A);
    EXPECT_EQ(CRC16Modbus(data.data(), 0x10003), CRC16Modbus(data.data(), 3));
}
