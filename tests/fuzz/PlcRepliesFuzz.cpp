// Reads PLC replies with the pure functions that take them apart. The first
// byte picks the reply, the rest is its data: identification (and the PLC
// information view of it), clock, the values of one monitor cycle, the force
// table's length field, the uploaded variable records, the CANopen section
// of an uploaded image.

#include "FuzzSession.h"
#include "model/CZULStatus.h"
#include "plclink/CCanopenImageDecoder.h"
#include "plclink/CMonitorThread.h"
#include "plclink/CPlcIdentification.h"
#include "plclink/ForceExchange.h"
#include "plclink/MonitorLists.h"
#include "plclink/PlcClock.h"
#include "plclink/PlcInfo.h"
#include "plclink/UploadedVarRecords.h"

namespace {

enum Reply {
    identificationReply,
    clockReply,
    monitorReply,
    forceTableReply,
    variableRecordsReply,
    canOpenReply,
    replyKinds
};

constexpr DWORD kValueLockWaitMs = 1000;

// Monitor items of every monitor class.
const char* const kMonitorKeys[] = {"%VB100", "%VB101", "%QB0", "%AIW4", "%T5", "%T13", "%C3", "%HC0", "%VD200"};

void ReadIdentification(const std::vector<BYTE>& data)
{
    CPlcIdentification id;
    id.Parse(data.data(), static_cast<int>(data.size()));
    for (int runState : {0, 1}) {
        PlcInfoView view;
        BuildPlcInfoView(data.data(), static_cast<int>(data.size()), runState, view);
    }
}

void ReadClock(std::vector<BYTE> data)
{
    if (data.size() < PLC_CLOCK_BYTES)
        return;
    PlcClockTime time;
    if (!DecodePlcClock(data.data(), time))
        return;
    BYTE request[PLC_CLOCK_REQUEST_BYTES] = {};
    EncodePlcClock(time, request);
    PlcClockTime again;
    FuzzCheck(DecodePlcClock(request, again) && again.year == time.year && again.month == time.month &&
              again.day == time.day && again.hour == time.hour && again.minute == time.minute &&
              again.second == time.second);
}

void StoreMonitorCycle(CZULAppData& app, const std::vector<BYTE>& data)
{
    for (const char* key : kMonitorKeys)
        app.Project.Monitor.InsertMonitorEntry(key, new CZULStatus);
    BuildMonitorLists(app);
    FuzzCheck(app.MonitorValueLock.Lock(kValueLockWaitMs));
    const BOOL stored = CMonitorThread::StoreCycleValues(data);
    app.MonitorValueLock.Unlock();
    FuzzCheck(!stored || static_cast<int>(data.size()) >= MonitorReplyLength(app));
}

void ReadVariableRecords(const std::vector<BYTE>& block9)
{
    std::vector<CUploadedVarRecord> records;
    if (!ParseUploadedVarRecords(block9, records))
        return;
    for (const CUploadedVarRecord& record : records) {
        int index = 0;
        for (const CUploadedVarEntry& entry : record.entries) {
            std::string name;
            MakeParamName(entry.type, index++, record.kind == UPLOAD_VARS_GLOBAL, name);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FuzzSession session;
    const std::vector<BYTE> reply = FuzzBytes(data + 1, size - 1);
    switch (data[0] % replyKinds) {
    case identificationReply: ReadIdentification(reply); break;
    case clockReply: ReadClock(reply); break;
    case monitorReply: StoreMonitorCycle(session.App(), reply); break;
    case forceTableReply: {
        const int length = ForceTableLengthField(reply);
        FuzzCheck(length == -1 || reply.size() >= 2);
        break;
    }
    case variableRecordsReply: ReadVariableRecords(reply); break;
    case canOpenReply: CCanopenImageDecoder(session.App()).DecodeCanopenImage(reply, session.App().Project); break;
    }
    return 0;
}
