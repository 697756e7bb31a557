#pragma once
// The PLC's time of day as the clock commands carry it: six packed-BCD bytes
// (year of the century, month, day, hour, minute, second) in the 'C' reply,
// and the same with the weekday (Monday 1 .. Sunday 7) in the 'D' request.

#include "platform/WinTypes.h"

struct PlcClockTime {
    int year = 2000;   // 2000..2099
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

constexpr int PLC_CLOCK_BYTES = 6;
constexpr int PLC_CLOCK_REQUEST_BYTES = 7;
// Years from 0x37 on stand for 2037, the last year the dialog can show.
constexpr BYTE PLC_CLOCK_LAST_YEAR = 0x37;

// Reads the six BCD bytes; a year byte of 0x37 or more becomes 0x37 (in the
// bytes too). FALSE when a byte is not packed BCD or a field is out of range,
// so that a garbled reply is never shown as a date.
BOOL DecodePlcClock(BYTE bcd[PLC_CLOCK_BYTES], PlcClockTime& time);
// The seven request bytes of the date and time, the weekday taken from the date.
void EncodePlcClock(const PlcClockTime& time, BYTE request[PLC_CLOCK_REQUEST_BYTES]);
// Monday 1 .. Sunday 7.
int PlcWeekday(int year, int month, int day);

// The Time of Day Clock dialog's exchanges on the open port, each under the
// port lock: a read of the PLC time (lock wait 500 ms) and the setting of
// the PLC time (lock wait 1500 ms). Busy port: the busy message and -1.
// A failed exchange is reported and its code returned; a reply that is not
// a valid time is reported as a wrong reply.
int ReadPlcClockTime(PlcClockTime& time);
int WritePlcClockTime(const PlcClockTime& time);
