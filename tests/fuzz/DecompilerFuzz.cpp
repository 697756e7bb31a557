// Decompiles object code into POU program and variable files.

#include "FuzzSession.h"
#include "plclink/CObjectDecompiler.h"

namespace {

constexpr int kRadix = 10;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSession session;
    const std::vector<BYTE> code = FuzzBytes(data, size);
    std::vector<std::string> names;
    CObjectDecompiler decompiler(session.App().UploadFormat);
    decompiler.RebuildSources(code.data(), static_cast<int>(code.size()), kRadix, session.Folder().Path() + "/",
                              names);
    return 0;
}
