#include "CPlcIdentification.h"

namespace {

constexpr int kHeaderBytes = 5;
constexpr int kTagBytes = 9;

bool SameThree(const BYTE* triple)
{
    return triple[0] == triple[1] && triple[1] == triple[2];
}

} // namespace

BOOL CPlcIdentification::Parse(const BYTE* data, int n)
{
    *this = CPlcIdentification();
    if (data == nullptr || n < kHeaderBytes)
        return FALSE;
    int moduleCount = data[4];
    int pairsEnd = kHeaderBytes + 2 * moduleCount;
    if (pairsEnd > n)
        return FALSE;
    for (int i = 0; i < 3; ++i)
        Firmware[i] = data[i];
    BrandFlags = data[3];
    for (int m = 0; m < moduleCount; ++m)
        Modules.push_back({data[kHeaderBytes + 2 * m], data[kHeaderBytes + 2 * m + 1]});
    if (!Modules.empty())
        CpuTypeCode = Modules.front().hardwareCode;
    // The tags sit after the module pairs; a reply without room for them is untagged.
    if (n - kTagBytes < pairsEnd)
        return TRUE;
    const BYTE* variant = data + n - 9;
    const BYTE* model = data + n - 6;
    const BYTE* edition = data + n - 3;
    if (SameThree(variant) && variant[0] != 0) {
        ImageVariant = variant[0];
        ImageVariantValid = TRUE;
    }
    if (SameThree(model) && model[0] != 0) {
        CpuModel = model[0];
        CpuModelValid = TRUE;
    }
    if (SameThree(edition) && edition[0] != 0xFE) {
        Edition = edition[0];
        EditionValid = TRUE;
    }
    return TRUE;
}
