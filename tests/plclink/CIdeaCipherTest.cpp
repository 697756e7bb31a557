#include "plclink/CIdeaCipher.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> Encipher(const std::string& password)
{
    BYTE block[8];
    CIdeaCipher::MakePasswordBlock(password, block);
    CIdeaCipher cipher;
    cipher.SetKey(CIdeaCipher::ProgramKey());
    EXPECT_TRUE(cipher.EncryptBlock(block));
    return std::vector<BYTE>(block, block + 8);
}

} // namespace

TEST(CIdeaCipherTest, MultiplicationModulo65537)
{
    const struct {
        WORD a, b, product;
    } cases[] = {
        {0, 0, 0},           // the PLC's own rule; published IDEA gives 1
        {0, 1, 0},           // 65536 reduced to 16 bits
        {2, 0, 0xFFFF},
        {3, 5, 15},
        {0xFFFF, 0xFFFF, 4},
        {0x8000, 2, 0},      // 65536 again
    };
    for (const auto& c : cases)
        EXPECT_EQ(CIdeaCipher::Mul(c.a, c.b), c.product) << c.a << " x " << c.b;
}

TEST(CIdeaCipherTest, KeyRotationMovesTheTopBitsOfTheFirstFourBytes)
{
    BYTE key[16] = {0x81, 0x02, 0x83, 0x04, 0x85, 0x86};
    CIdeaCipher cipher;
    cipher.SetKey(key);
    cipher.RotateKey();
    const BYTE* rotated = cipher.WorkingKey();
    EXPECT_EQ(std::vector<BYTE>(rotated, rotated + 6), (std::vector<BYTE>{0x00, 0x01, 0x00, 0x01, 0x85, 0x86}));

    cipher.SetKey(CIdeaCipher::ProgramKey());
    for (int i = 0; i < 3; ++i) {
        cipher.RotateKey();
        EXPECT_EQ(std::vector<BYTE>(cipher.WorkingKey(), cipher.WorkingKey() + 4), std::vector<BYTE>(4, 0));
    }
}

TEST(CIdeaCipherTest, KeyScheduleTakesEightWordsPerRotation)
{
    CIdeaCipher cipher;
    cipher.SetKey(CIdeaCipher::ProgramKey());
    cipher.ExpandKey();
    const WORD* z = cipher.Subkeys();
    // "Tq7#Rain_Ferry42" as little-endian words.
    const WORD first[8] = {0x7154, 0x2337, 0x6152, 0x6E69, 0x465F, 0x7265, 0x7972, 0x3234};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(z[k], first[k]) << k;
    // Later groups have words 0 and 1 cleared by the rotation; the rest stay.
    for (int g = 1; g < 6; ++g) {
        EXPECT_EQ(z[8 * g], 0) << g;
        EXPECT_EQ(z[8 * g + 1], 0) << g;
        EXPECT_EQ(z[8 * g + 2], 0x6152) << g;
    }
    EXPECT_EQ(z[48], 0);
    EXPECT_EQ(z[51], 0x6E69);
}

TEST(CIdeaCipherTest, PasswordBlocks)
{
    BYTE block[8];
    CIdeaCipher::MakePasswordBlock("abc", block);
    EXPECT_EQ(std::vector<BYTE>(block, block + 8), (std::vector<BYTE>{'a', 'b', 'c', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    CIdeaCipher::MakePasswordBlock("12345678", block);
    EXPECT_EQ(std::vector<BYTE>(block, block + 8), (std::vector<BYTE>{'1', '2', '3', '4', '5', '6', '7', '8'}));
    CIdeaCipher::MakePasswordBlock("", block);
    EXPECT_EQ(std::vector<BYTE>(block, block + 8), std::vector<BYTE>(8, 0xFF));
}

TEST(CIdeaCipherTest, EncipheredPasswordBlocks)
{
    EXPECT_EQ(Encipher(""), (std::vector<BYTE>{0x11, 0xA4, 0xA9, 0x6B, 0x01, 0x0F, 0x6E, 0x1C}));
    EXPECT_EQ(Encipher("abc"), (std::vector<BYTE>{0x33, 0x49, 0xCD, 0x73, 0x83, 0x51, 0x4D, 0x28}));
    EXPECT_EQ(Encipher("12345678"), (std::vector<BYTE>{0x1E, 0xD1, 0x07, 0x42, 0x81, 0xB6, 0x58, 0xB2}));
}

TEST(CIdeaCipherTest, ASecondBlockNeedsTheKeyAgain)
{
    CIdeaCipher cipher;
    cipher.SetKey(CIdeaCipher::ProgramKey());
    BYTE first[8];
    CIdeaCipher::MakePasswordBlock("abc", first);
    cipher.EncryptBlock(first);
    WORD firstSubkeys[2] = {cipher.Subkeys()[0], cipher.Subkeys()[1]};

    BYTE second[8];
    CIdeaCipher::MakePasswordBlock("abc", second);
    cipher.EncryptBlock(second);
    EXPECT_NE(cipher.Subkeys()[0], firstSubkeys[0]);
    EXPECT_NE(cipher.Subkeys()[1], firstSubkeys[1]);
    EXPECT_EQ(std::vector<BYTE>(second, second + 8), (std::vector<BYTE>{0x27, 0xDB, 0xD3, 0x9F, 0xBB, 0xBF, 0x83, 0x71}));

    cipher.SetKey(CIdeaCipher::ProgramKey());
    CIdeaCipher::MakePasswordBlock("abc", second);
    cipher.EncryptBlock(second);
    EXPECT_EQ(std::vector<BYTE>(second, second + 8), std::vector<BYTE>(first, first + 8));
}
