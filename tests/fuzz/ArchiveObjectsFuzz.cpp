// Reads archive object lists: a call interface with its two parameter
// lists and an FB instance (with object references allowed when the first
// byte is odd, as no caller does today), then a list of objects of any
// class. A call interface that reads without a fault is stored, read again
// and stored again, and both stores must be the same bytes.

#include "FuzzSession.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "platform/CArchive.h"

namespace {

std::vector<BYTE> Stored(CZULFunc& func)
{
    CArchive out;
    func.Serialize(out);
    return out.GetBuffer();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FuzzSession session;
    CArchive in(FuzzBytes(data + 1, size - 1));
    in.SetAllowObjectReferences((data[0] & 1) ? TRUE : FALSE);
    CZULFunc func;
    func.Serialize(in);
    const bool funcRead = in.IsOK() != FALSE;
    CZULFB fb;
    fb.Serialize(in);
    in.SetAllowObjectReferences(FALSE);
    const DWORD count = in.ReadCount(sizeof(WORD));
    for (DWORD i = 0; i < count && in.IsOK(); ++i)
        std::unique_ptr<CObject>(in.ReadObject(nullptr));

    if (!funcRead)
        return 0;
    const std::vector<BYTE> first = Stored(func);
    CArchive again(first);
    CZULFunc reread;
    reread.Serialize(again);
    FuzzCheck(again.IsOK() && again.GetRemaining() == 0);
    FuzzCheck(Stored(reread) == first);
    return 0;
}
