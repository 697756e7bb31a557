#include "CLocalAddressTable.h"

#include "CpuProfile.h"
#include "LanguageLibrary.h"

CLocalAddressTable g_LocalAddresses;

void CLocalAddressTable::Reset()
{
    m_pairs.clear();
    m_used.fill(0);
}

BOOL CLocalAddressTable::IsBitUsed(int bit) const
{
    return bit >= 0 && bit < LOCAL_MEMORY_BITS && m_used[size_t(bit)] != 0;
}

BOOL CLocalAddressTable::MarkBits(int first, int count)
{
    if (first < 0 || first + count > LOCAL_MEMORY_BITS)
        return FALSE;
    for (int i = first; i < first + count; ++i) {
        if (m_used[size_t(i)])
            return FALSE;
    }
    for (int i = first; i < first + count; ++i)
        m_used[size_t(i)] = 1;
    return TRUE;
}

BOOL CLocalAddressTable::Reserve(const std::string& name, const std::string& address)
{
    if (name.empty() || address.empty() || address.compare(0, 2, "%L") != 0)
        return TRUE;
    const std::pair<std::string, std::string> pair(name, address);
    for (const auto& known : m_pairs) {
        if (known == pair)
            return TRUE;
    }
    if (int(m_pairs.size()) >= LOCAL_PAIR_CAPACITY)
        return FALSE;

    BOOL reserved = TRUE;
    const size_t point = address.find('.');
    const char form = address.size() > 2 ? address[2] : '\0';
    if (point != std::string::npos) {
        const int byte = SmallDecimalNumber(address.substr(2, point - 2));
        const int bit = SmallDecimalNumber(address.substr(point + 1));
        const int position = 8 * byte + bit;
        reserved = byte >= 0 && bit >= 0 && position < 8 * LocalBitBytes && MarkBits(position, 1);
    } else if (form == 'B' || form == 'W' || form == 'D') {
        const int byte = SmallDecimalNumber(address.substr(3));
        const int bits = form == 'B' ? 8 : form == 'W' ? 16 : 32;
        reserved = byte >= LocalBitBytes && byte < LocalBitBytes + LocalDataBytes && MarkBits(8 * byte, bits);
    }
    if (reserved)
        m_pairs.push_back(pair);
    return reserved;
}

BOOL ReserveLocalAddress(const std::string& name, const std::string& address)
{
    return g_LocalAddresses.Reserve(name, address);
}
