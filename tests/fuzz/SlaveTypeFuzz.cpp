// Reads a slave-type file; a type that reads is written out, and the
// written file must read into a type that is written out the same.

#include "FuzzSession.h"
#include "hardware/canopen/SlaveTypeFile.h"
#include "model/CCanOpenSlaveType.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CCanOpenSlaveType type;
    if (!ParseSlaveText(FuzzText(data, size), type))
        return 0;
    const std::string written = FormatSlaveTypeFile(type);
    CCanOpenSlaveType again;
    FuzzCheck(ParseSlaveText(written, again));
    FuzzCheck(FormatSlaveTypeFile(again) == written);
    return 0;
}
