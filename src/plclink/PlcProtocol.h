#pragma once
// The PLC's request/reply protocol on the global port, which the caller has
// opened: one function per command letter, block writes and block reads.
// Each returns a link result code and leaves the reply in the receive buffer.

#include "CPlcCommPort.h"
#include "IDownloadProgress.h"

#include <string>
#include <vector>

constexpr int PLC_BLOCK_BYTES = 200;
constexpr int PLC_MAX_BLOCKS = 256;

// The four settle schedules: how long a command sleeps after the first reply
// byte so that the whole reply has arrived, by the port's rate.
enum PlcSettleSchedule { SETTLE_SHORT, SETTLE_LONG, SETTLE_UPLOAD, SETTLE_DOWNLOAD };
DWORD PlcSettleTime(PlcSettleSchedule schedule, int baudRate);

// The data bytes of the last reply (reply byte 4 onward) and their number L - 1.
const BYTE* PlcReplyData();
int PlcReplyDataLength();
// Byte 3 of the last reply: its block number or status.
BYTE PlcReplyStatus();

// Single frames.
int PlcReadInfo();
int PlcClear();
int PlcSetRunStop(BYTE mode);  // 1 RUN, 0 STOP
int PlcReadClock();
int PlcReadState();
int PlcReadSignature();
int PlcUnforceAll();
int PlcProbe();
// Single frames whose request data the caller has written into the
// transmit buffer from byte 3 on: 8 clock bytes, 8 bytes of the enciphered
// password block, 17 bytes (old block, privilege level, new block).
int PlcWriteClock();
int PlcSendPassword();
int PlcChangePassword();

// Block write: blocks of 200 bytes numbered down to 0, block 0 carrying the
// remainder. Nothing is sent for empty data; data of more than 256 blocks is
// refused with PLC_DATA_TOO_LONG before anything is sent.
int PlcBlockWrite(BYTE letter, const std::vector<BYTE>& data);
// Block read from block 255 on until a reply numbered 0; emptied on failure.
int PlcBlockRead(BYTE letter, std::vector<BYTE>& result);

// Reads the PLC's image; 19 when the PLC is set to upload disabled, 16 when
// it wants a password first. The buffer is emptied on any failure.
int PlcUploadInto(std::vector<BYTE>& transfer);
// Sends a force-table block.
int PlcWriteForceTableFrom(const std::vector<BYTE>& forceTable);
// Reads the PLC's force table; the block is replaced only when the whole
// read succeeds.
int PlcReadForceTableInto(std::vector<BYTE>& forceTable);

// Sends an object file with three copies of the options byte appended (bit 0
// upload disabled, bit 1 clear the permanent backup ranges, bit 2 clear the
// retentive ranges in V). A PLC in RUN is stopped only when the user agrees
// (-1 otherwise); 16 when the PLC wants a password first.
int PlcDownloadFile(const std::string& objectFile, IDownloadProgress* progress, BYTE options);

// The same on the open project: its object file (project folder, project
// name, ".obj"), its transfer buffer and its force-table block.
std::string ProjectObjectFilePath();
int PlcDownload(IDownloadProgress* progress, BYTE options);
int PlcUpload();
int PlcWriteForceTable();
int PlcReadForceTable();
