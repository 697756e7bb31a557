#include "PlcClock.h"

#include "CPlcCommandLock.h"
#include "PlcProtocol.h"
#include "model/SharedServices.h"

#include <chrono>
#include <cstring>

namespace {

constexpr DWORD kReadLockMs = 500;
constexpr DWORD kWriteLockMs = 1500;

struct FieldRange {
    int low;
    int high;
};

// Month, day, hour, minute and second.
const FieldRange kFieldRanges[] = {
    {1, 12},
    {1, 31},
    {0, 23},
    {0, 59},
    {0, 59},
};

bool FromBcd(BYTE value, int& out)
{
    int high = value >> 4;
    int low = value & 0x0F;
    if (high > 9 || low > 9)
        return false;
    out = high * 10 + low;
    return true;
}

BYTE ToBcd(int value)
{
    return static_cast<BYTE>(((value / 10) % 10) << 4 | (value % 10));
}

} // namespace

BOOL DecodePlcClock(BYTE bcd[PLC_CLOCK_BYTES], PlcClockTime& time)
{
    if (bcd[0] >= PLC_CLOCK_LAST_YEAR)
        bcd[0] = PLC_CLOCK_LAST_YEAR;
    int fields[PLC_CLOCK_BYTES] = {};
    for (int k = 0; k < PLC_CLOCK_BYTES; ++k) {
        if (!FromBcd(bcd[k], fields[k]))
            return FALSE;
    }
    for (int k = 1; k < PLC_CLOCK_BYTES; ++k) {
        if (fields[k] < kFieldRanges[k - 1].low || fields[k] > kFieldRanges[k - 1].high)
            return FALSE;
    }
    std::chrono::year_month_day date {std::chrono::year(2000 + fields[0]), std::chrono::month(static_cast<unsigned>(fields[1])),
                                      std::chrono::day(static_cast<unsigned>(fields[2]))};
    if (!date.ok())
        return FALSE;
    time.year = 2000 + fields[0];
    time.month = fields[1];
    time.day = fields[2];
    time.hour = fields[3];
    time.minute = fields[4];
    time.second = fields[5];
    return TRUE;
}

int PlcWeekday(int year, int month, int day)
{
    std::chrono::year_month_day date {std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                      std::chrono::day(static_cast<unsigned>(day))};
    return static_cast<int>(std::chrono::weekday(std::chrono::sys_days(date)).iso_encoding());
}

void EncodePlcClock(const PlcClockTime& time, BYTE request[PLC_CLOCK_REQUEST_BYTES])
{
    request[0] = ToBcd(time.year % 100);
    request[1] = ToBcd(time.month);
    request[2] = ToBcd(time.day);
    request[3] = ToBcd(time.hour);
    request[4] = ToBcd(time.minute);
    request[5] = ToBcd(time.second);
    request[6] = ToBcd(PlcWeekday(time.year, time.month, time.day));
}

int ReadPlcClockTime(PlcClockTime& time)
{
    CPlcCommandLock lock;
    if (!lock.Take(kReadLockMs))
        return PLC_DECLINED;
    int result = PlcReadClock();
    lock.Release();
    if (result == PLC_OK && !DecodePlcClock(g_PlcCommPort.RxBuffer + 4, time))
        result = PLC_WRONG_REPLY;
    if (result != PLC_OK)
        ShowCommError(nullptr, 1, 'C', result);
    return result;
}

int WritePlcClockTime(const PlcClockTime& time)
{
    CPlcCommandLock lock;
    if (!lock.Take(kWriteLockMs))
        return PLC_DECLINED;
    BYTE request[PLC_CLOCK_REQUEST_BYTES] = {};
    EncodePlcClock(time, request);
    // The eighth request byte is left zero.
    std::memset(g_PlcCommPort.TxBuffer + 3, 0, 8);
    std::memcpy(g_PlcCommPort.TxBuffer + 3, request, sizeof(request));
    int result = PlcWriteClock();
    lock.Release();
    if (result != PLC_OK)
        ShowCommError(nullptr, 1, 'D', result);
    return result;
}
