#pragma once
// The block cipher of the PLC's password blocks: IDEA's round structure over
// little-endian words, with the PLC's own multiplication of two zero
// operands and its own key schedule. The PLC applies the same transformation
// and compares the blocks, so every detail is part of the wire format.

#include "platform/WinTypes.h"

#include <string>

class CIdeaCipher {
public:
    static constexpr int KeyBytes = 16;
    static constexpr int BlockBytes = 8;
    static constexpr int SubkeyCount = 52;

    virtual ~CIdeaCipher() = default;

    // The 16 key bytes the program and every PLC share.
    static const BYTE* ProgramKey();
    // The password's bytes (at most 8) followed by 0xFF up to 8 bytes.
    static void MakePasswordBlock(const std::string& password, BYTE block[BlockBytes]);

    // Copies the key into the working copy; needed again before every block,
    // because the key expansion alters the working copy.
    void SetKey(const BYTE key[KeyBytes]);
    // Expands the key from the working copy and enciphers the block in place.
    BOOL EncryptBlock(BYTE block[BlockBytes]);

    // Product modulo 65537; a single zero operand stands for 65536, two zero
    // operands give 0.
    static WORD Mul(WORD a, WORD b);
    // Bytes 0..3 of the working key become the top bits of bytes 1, 2, 3 and 0.
    void RotateKey();
    void ExpandKey();
    const BYTE* WorkingKey() const { return m_key; }
    const WORD* Subkeys() const { return m_subkeys; }

private:
    WORD KeyWord(int k) const;
    static void Round(WORD x[4], const WORD* z);

    BYTE m_key[KeyBytes] = {};
    WORD m_subkeys[SubkeyCount] = {};
};
