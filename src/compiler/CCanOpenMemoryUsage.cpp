#include "CCanOpenMemoryUsage.h"

#include "model/CZULProject.h"
#include "model/DirectAddress.h"
#include "platform/ByteString.h"

#include <cstdlib>

namespace {

// Characters before the byte number of "%VB", "%VW" and "%VD".
constexpr size_t kPrefixLength = 3;

} // namespace

CCanOpenMemoryUsage::CCanOpenMemoryUsage()
    : m_entries(CANOPEN_V_BYTES)
{
}

int CCanOpenMemoryUsage::Build(const CZULProject& project)
{
    m_entries.assign(CANOPEN_V_BYTES, CCanOpenByteUsage());
    for (int s = 0; s < CANOPEN_SLAVES; ++s) {
        const CCanOpenSlave& slave = project.CanOpenSlaves[s];
        if (slave.Name.empty())
            continue;
        for (int side = 0; side < 2; ++side) {
            const bool receive = side == 0;
            const CCanOpenPdo* pdos = receive ? slave.RPDO : slave.TPDO;
            for (int p = 0; p < CANOPEN_PDOS; ++p) {
                for (int r = 0; r < CANOPEN_PDO_ROWS; ++r)
                    AddRow(pdos[p].Rows[r].Mem, receive, {s, p, r});
            }
        }
    }
    return 1;
}

void CCanOpenMemoryUsage::AddRow(const std::string& memoryText, bool receive, const CCanOpenRowRef& ref)
{
    std::string text = ByteString::Upper(ByteString::Trim(memoryText));
    if (text.empty())
        return;
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(text, flags) || !(flags & OT_AREA_V) || (flags & OT_BOOL))
        return;
    if (text[0] != '%')
        text = "%" + text;
    const int first = std::atoi(text.substr(kPrefixLength).c_str());
    int width = 0;
    int* (*counter)(CCanOpenByteUsage&) = nullptr;
    if (flags & OT_BYTE) {
        width = 1;
        counter = [](CCanOpenByteUsage& e) { return &e.byteCount; };
    } else if (flags & (OT_WORD | OT_INT)) {
        width = 2;
        counter = [](CCanOpenByteUsage& e) { return &e.wordCount; };
    } else if (flags & (OT_DWORD | OT_DINT | OT_REAL)) {
        width = 4;
        counter = [](CCanOpenByteUsage& e) { return &e.dwordCount; };
    }
    if (!counter || first < 0 || first + width > CANOPEN_V_BYTES)
        return;
    for (int n = first; n < first + width; ++n) {
        CCanOpenByteUsage& entry = m_entries[size_t(n)];
        ++*counter(entry);
        BYTE& used = receive ? entry.rpdoUsed : entry.tpdoUsed;
        CCanOpenRowRef& firstUse = receive ? entry.firstRpdo : entry.firstTpdo;
        CCanOpenRowRef& secondUse = receive ? entry.secondRpdo : entry.secondTpdo;
        if (!used) {
            used = 1;
            firstUse = ref;
        } else if (!secondUse.IsSet()) {
            secondUse = ref;
        }
    }
}
