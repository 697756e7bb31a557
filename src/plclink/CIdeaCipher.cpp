#include "CIdeaCipher.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

const BYTE kProgramKey[CIdeaCipher::KeyBytes] = {
    'T', 'q', '7', '#', 'R', 'a', 'i', 'n', '_', 'F', 'e', 'r', 'r', 'y', '4', '2',
};

} // namespace

const BYTE* CIdeaCipher::ProgramKey()
{
    return kProgramKey;
}

void CIdeaCipher::MakePasswordBlock(const std::string& password, BYTE block[BlockBytes])
{
    std::memset(block, 0xFF, BlockBytes);
    size_t count = std::min<size_t>(password.size(), BlockBytes);
    std::memcpy(block, password.data(), count);
}

void CIdeaCipher::SetKey(const BYTE key[KeyBytes])
{
    std::memcpy(m_key, key, KeyBytes);
}

WORD CIdeaCipher::Mul(WORD a, WORD b)
{
    if (a == 0 && b == 0)
        return 0;
    DWORD product = 0;
    if (a == 0)
        product = static_cast<DWORD>(b) * 65536u % 65537u;
    else if (b == 0)
        product = static_cast<DWORD>(a) * 65536u % 65537u;
    else
        product = static_cast<DWORD>(a) * b % 65537u;
    return static_cast<WORD>(product & 0xFFFF);
}

void CIdeaCipher::RotateKey()
{
    BYTE first = m_key[0];
    m_key[0] = m_key[1] >> 7;
    m_key[1] = m_key[2] >> 7;
    m_key[2] = m_key[3] >> 7;
    m_key[3] = first >> 7;
}

WORD CIdeaCipher::KeyWord(int k) const
{
    return MAKEWORD(m_key[2 * k], m_key[2 * k + 1]);
}

void CIdeaCipher::ExpandKey()
{
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 8; ++k)
            m_subkeys[8 * g + k] = KeyWord(k);
        RotateKey();
    }
    for (int k = 0; k < 4; ++k)
        m_subkeys[48 + k] = KeyWord(k);
}

void CIdeaCipher::Round(WORD x[4], const WORD* z)
{
    x[0] = Mul(x[0], z[0]);
    x[1] = static_cast<WORD>(x[1] + z[1]);
    x[2] = static_cast<WORD>(x[2] + z[2]);
    x[3] = Mul(x[3], z[3]);
    WORD t = Mul(x[0] ^ x[2], z[4]);
    WORD u = Mul(static_cast<WORD>(t + (x[1] ^ x[3])), z[5]);
    t = static_cast<WORD>(t + u);
    x[0] ^= u;
    x[2] ^= u;
    x[1] ^= t;
    x[3] ^= t;
    std::swap(x[1], x[2]);
}

BOOL CIdeaCipher::EncryptBlock(BYTE block[BlockBytes])
{
    ExpandKey();
    WORD x[4];
    for (int i = 0; i < 4; ++i)
        x[i] = MAKEWORD(block[2 * i], block[2 * i + 1]);
    for (int r = 0; r < 8; ++r)
        Round(x, m_subkeys + 6 * r);
    std::swap(x[1], x[2]);
    x[0] = Mul(x[0], m_subkeys[48]);
    x[1] = static_cast<WORD>(x[1] + m_subkeys[49]);
    x[2] = static_cast<WORD>(x[2] + m_subkeys[50]);
    x[3] = Mul(x[3], m_subkeys[51]);
    for (int i = 0; i < 4; ++i) {
        block[2 * i] = LOBYTE(x[i]);
        block[2 * i + 1] = HIBYTE(x[i]);
    }
    return TRUE;
}
