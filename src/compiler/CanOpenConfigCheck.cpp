#include "CanOpenConfigCheck.h"

#include "CCanOpenMemoryUsage.h"
#include "CCompileMessage.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <vector>

namespace {

// The texts are GBK bytes.
// CanOpen的同一类PDO的中有重叠的内存使用: 
const char kOverlapHead[] = "CanOpen\xB5\xC4\xCD\xAC\xD2\xBB\xC0\xE0PDO\xB5\xC4\xD6\xD0\xD3\xD0\xD6\xD8\xB5\xFE\xB5\xC4\xC4\xDA\xB4\xE6\xCA\xB9\xD3\xC3: ";
// 所有PDO中共有 %d 个byte, %d 个word, %d 个dword使用了 %%VB%d, 前两个接收PDO为"从站%d的接收PDO%d的第%d行, 及, 从站%d的接收PDO%d的第%d行"
const char kOverlapRpdo[] = "\xCB\xF9\xD3\xD0PDO\xD6\xD0\xB9\xB2\xD3\xD0 %d \xB8\xF6" "byte, %d \xB8\xF6word, %d \xB8\xF6" "dword\xCA\xB9\xD3\xC3\xC1\xCB %%VB%d, \xC7\xB0\xC1\xBD\xB8\xF6\xBD\xD3\xCA\xD5PDO\xCE\xAA\"\xB4\xD3\xD5\xBE%d\xB5\xC4\xBD\xD3\xCA\xD5PDO%d\xB5\xC4\xB5\xDA%d\xD0\xD0, \xBC\xB0, \xB4\xD3\xD5\xBE%d\xB5\xC4\xBD\xD3\xCA\xD5PDO%d\xB5\xC4\xB5\xDA%d\xD0\xD0\"";
// 所有PDO中共有 %d 个byte, %d 个word, %d 个dword使用了 %%VB%d, 前两个发送PDO为"从站%d的发送PDO%d的第%d行, 及, 从站%d的发送PDO%d的第%d行"
const char kOverlapTpdo[] = "\xCB\xF9\xD3\xD0PDO\xD6\xD0\xB9\xB2\xD3\xD0 %d \xB8\xF6" "byte, %d \xB8\xF6word, %d \xB8\xF6" "dword\xCA\xB9\xD3\xC3\xC1\xCB %%VB%d, \xC7\xB0\xC1\xBD\xB8\xF6\xB7\xA2\xCB\xCDPDO\xCE\xAA\"\xB4\xD3\xD5\xBE%d\xB5\xC4\xB7\xA2\xCB\xCDPDO%d\xB5\xC4\xB5\xDA%d\xD0\xD0, \xBC\xB0, \xB4\xD3\xD5\xBE%d\xB5\xC4\xB7\xA2\xCB\xCDPDO%d\xB5\xC4\xB5\xDA%d\xD0\xD0\"";
// 已经有OD映射的PDO的COB-ID不允许为0: 
const char kCobIdHead[] = "\xD2\xD1\xBE\xAD\xD3\xD0OD\xD3\xB3\xC9\xE4\xB5\xC4PDO\xB5\xC4" "COB-ID\xB2\xBB\xD4\xCA\xD0\xED\xCE\xAA" "0: ";
// 从站 %d 的接收PDO %d 的COB-ID为 %X
const char kCobIdRpdo[] = "\xB4\xD3\xD5\xBE %d \xB5\xC4\xBD\xD3\xCA\xD5PDO %d \xB5\xC4" "COB-ID\xCE\xAA %X";
// 从站 %d 的发送PDO %d 的COB-ID为 %X
const char kCobIdTpdo[] = "\xB4\xD3\xD5\xBE %d \xB5\xC4\xB7\xA2\xCB\xCDPDO %d \xB5\xC4" "COB-ID\xCE\xAA %X";
// 所有接收PDO中, 254传输类型最多支持 %d 种不同的时间
const char kEventTimes[] = "\xCB\xF9\xD3\xD0\xBD\xD3\xCA\xD5PDO\xD6\xD0, 254\xB4\xAB\xCA\xE4\xC0\xE0\xD0\xCD\xD7\xEE\xB6\xE0\xD6\xA7\xB3\xD6 %d \xD6\xD6\xB2\xBB\xCD\xAC\xB5\xC4\xCA\xB1\xBC\xE4";
// 在当前的软件中找不到从站 %s 的相关EDS信息, 可以正常的编译下载运行, 但无法正常上载硬件配置中的CANOpen部分
const char kNoSlaveType[] = "\xD4\xDA\xB5\xB1\xC7\xB0\xB5\xC4\xC8\xED\xBC\xFE\xD6\xD0\xD5\xD2\xB2\xBB\xB5\xBD\xB4\xD3\xD5\xBE %s \xB5\xC4\xCF\xE0\xB9\xD8" "EDS\xD0\xC5\xCF\xA2, \xBF\xC9\xD2\xD4\xD5\xFD\xB3\xA3\xB5\xC4\xB1\xE0\xD2\xEB\xCF\xC2\xD4\xD8\xD4\xCB\xD0\xD0, \xB5\xAB\xCE\xDE\xB7\xA8\xD5\xFD\xB3\xA3\xC9\xCF\xD4\xD8\xD3\xB2\xBC\xFE\xC5\xE4\xD6\xC3\xD6\xD0\xB5\xC4" "CANOpen\xB2\xBF\xB7\xD6";
// 在从站 %s 的EDS中找不到OD映射 %s 的相关信息, 可以正常的编译下载运行, 但无法正常上载硬件配置中的CANOpen部分
const char kNoODEntry[] = "\xD4\xDA\xB4\xD3\xD5\xBE %s \xB5\xC4" "EDS\xD6\xD0\xD5\xD2\xB2\xBB\xB5\xBDOD\xD3\xB3\xC9\xE4 %s \xB5\xC4\xCF\xE0\xB9\xD8\xD0\xC5\xCF\xA2, \xBF\xC9\xD2\xD4\xD5\xFD\xB3\xA3\xB5\xC4\xB1\xE0\xD2\xEB\xCF\xC2\xD4\xD8\xD4\xCB\xD0\xD0, \xB5\xAB\xCE\xDE\xB7\xA8\xD5\xFD\xB3\xA3\xC9\xCF\xD4\xD8\xD3\xB2\xBC\xFE\xC5\xE4\xD6\xC3\xD6\xD0\xB5\xC4" "CANOpen\xB2\xBF\xB7\xD6";
// 从站 %d 的接收PDO %d 的第 %d 行没有输入合法内存, 将忽略
const char kRpdoRowNoMemory[] = "\xB4\xD3\xD5\xBE %d \xB5\xC4\xBD\xD3\xCA\xD5PDO %d \xB5\xC4\xB5\xDA %d \xD0\xD0\xC3\xBB\xD3\xD0\xCA\xE4\xC8\xEB\xBA\xCF\xB7\xA8\xC4\xDA\xB4\xE6, \xBD\xAB\xBA\xF6\xC2\xD4";
// 从站 %d 的发送PDO %d 的第 %d 行没有输入合法内存, 将忽略
const char kTpdoRowNoMemory[] = "\xB4\xD3\xD5\xBE %d \xB5\xC4\xB7\xA2\xCB\xCDPDO %d \xB5\xC4\xB5\xDA %d \xD0\xD0\xC3\xBB\xD3\xD0\xCA\xE4\xC8\xEB\xBA\xCF\xB7\xA8\xC4\xDA\xB4\xE6, \xBD\xAB\xBA\xF6\xC2\xD4";
// 从站 %d 中没有添加任何正确OD映射或未启用, 将忽略此从站
const char kSlaveIgnored[] = "\xB4\xD3\xD5\xBE %d \xD6\xD0\xC3\xBB\xD3\xD0\xCC\xED\xBC\xD3\xC8\xCE\xBA\xCE\xD5\xFD\xC8\xB7OD\xD3\xB3\xC9\xE4\xBB\xF2\xCE\xB4\xC6\xF4\xD3\xC3, \xBD\xAB\xBA\xF6\xC2\xD4\xB4\xCB\xB4\xD3\xD5\xBE";
// CanOpen网络最多支持 %d 个RPDO  %d 个TPDO, 请删除多余的PDO映射, 重新编译
const char kTooManyPdos[] = "CanOpen\xCD\xF8\xC2\xE7\xD7\xEE\xB6\xE0\xD6\xA7\xB3\xD6 %d \xB8\xF6RPDO  %d \xB8\xF6TPDO, \xC7\xEB\xC9\xBE\xB3\xFD\xB6\xE0\xD3\xE0\xB5\xC4PDO\xD3\xB3\xC9\xE4, \xD6\xD8\xD0\xC2\xB1\xE0\xD2\xEB";
// CanOpen网络最多支持 %d 个从站, 请删除多余的从站, 重新编译
const char kTooManySlaves[] = "CanOpen\xCD\xF8\xC2\xE7\xD7\xEE\xB6\xE0\xD6\xA7\xB3\xD6 %d \xB8\xF6\xB4\xD3\xD5\xBE, \xC7\xEB\xC9\xBE\xB3\xFD\xB6\xE0\xD3\xE0\xB5\xC4\xB4\xD3\xD5\xBE, \xD6\xD8\xD0\xC2\xB1\xE0\xD2\xEB";

constexpr int kMaxEventTime = 65535;
constexpr int kEventTimedTransmission = 254;

// The findings of one run.
class CCanOpenChecker {
public:
    CCanOpenChecker(const CZULProject& project, int& errors, int& warnings, const CompileReportFn& report)
        : m_project(project)
        , m_errors(errors)
        , m_warnings(warnings)
        , m_report(report)
    {
    }

    void CheckOverlaps();
    void CheckZeroCobIds();
    void CheckEventTimes();
    void CheckSlaves();
    void CheckLimits();

private:
    void Error(int code, const std::string& detail)
    {
        m_report(code, MESSAGE_KIND_ERROR, detail);
        ++m_errors;
    }
    void Warning(const std::string& detail)
    {
        m_report(MSG_PAY_ATTENTION, MESSAGE_KIND_WARNING, detail);
        ++m_warnings;
    }
    void ReportOverlap(const char* format, int vByte, const CCanOpenByteUsage& entry, const CCanOpenRowRef& first,
                       const CCanOpenRowRef& second);
    void CheckZeroCobId(int slave, const CCanOpenPdo& pdo, int number, const char* format);
    // The used PDOs of one kind of a slave, warning about rows it cannot use.
    int CountUsedPdos(const CCanOpenSlave& slave, int slot, const CCanOpenSlaveType* type, bool receive);

    const CZULProject& m_project;
    int& m_errors;
    int& m_warnings;
    const CompileReportFn& m_report;
    int m_usedRpdos = 0;
    int m_usedTpdos = 0;
    int m_usableSlaves = 0;
};

bool InUse(const CCanOpenSlave& slave)
{
    return !slave.Name.empty();
}

void CCanOpenChecker::ReportOverlap(const char* format, int vByte, const CCanOpenByteUsage& entry,
                                    const CCanOpenRowRef& first, const CCanOpenRowRef& second)
{
    // The table keeps each count as the number of mappings minus 1.
    Error(MSG_REUSE, std::string(kOverlapHead) +
                         ByteString::Format(format, entry.byteCount + 1, entry.wordCount + 1, entry.dwordCount + 1,
                                            vByte, first.slave + 1, first.pdo + 1, first.row + 1, second.slave + 1,
                                            second.pdo + 1, second.row + 1));
}

void CCanOpenChecker::CheckOverlaps()
{
    CCanOpenMemoryUsage usage;
    usage.Build(m_project);
    for (int n = 0; n < CANOPEN_V_BYTES; ++n) {
        const CCanOpenByteUsage& entry = usage.At(n);
        if (entry.firstRpdo.IsSet() && entry.secondRpdo.IsSet())
            ReportOverlap(kOverlapRpdo, n, entry, entry.firstRpdo, entry.secondRpdo);
        if (entry.firstTpdo.IsSet() && entry.secondTpdo.IsSet())
            ReportOverlap(kOverlapTpdo, n, entry, entry.firstTpdo, entry.secondTpdo);
    }
}

void CCanOpenChecker::CheckZeroCobId(int slave, const CCanOpenPdo& pdo, int number, const char* format)
{
    const auto mapped = std::find_if(std::begin(pdo.Rows), std::end(pdo.Rows),
                                     [](const CCanOpenMappedObject& row) { return !row.Mem.empty(); });
    if (mapped == std::end(pdo.Rows) || pdo.COB_ID != 0)
        return;
    Error(MSG_VALUE_OUT_OF_RANGE, std::string(kCobIdHead) + ByteString::Format(format, slave + 1, number, pdo.COB_ID));
}

void CCanOpenChecker::CheckZeroCobIds()
{
    for (int s = 0; s < CANOPEN_SLAVES; ++s) {
        const CCanOpenSlave& slave = m_project.CanOpenSlaves[s];
        if (!InUse(slave))
            continue;
        for (int p = 0; p < CANOPEN_PDOS; ++p)
            CheckZeroCobId(s, slave.RPDO[p], p + 1, kCobIdRpdo);
        for (int p = 0; p < CANOPEN_PDOS; ++p)
            CheckZeroCobId(s, slave.TPDO[p], p + 1, kCobIdTpdo);
    }
}

void CCanOpenChecker::CheckEventTimes()
{
    std::vector<int> times;
    for (const CCanOpenSlave& slave : m_project.CanOpenSlaves) {
        if (!InUse(slave))
            continue;
        for (const CCanOpenPdo& pdo : slave.RPDO) {
            if (pdo.CommType != kEventTimedTransmission || pdo.EventTime < 1 || pdo.EventTime > kMaxEventTime)
                continue;
            if (std::find(times.begin(), times.end(), pdo.EventTime) != times.end())
                continue;
            if (int(times.size()) == CANOPEN_MAX_EVENT_TIMES) {
                Error(MSG_OVERFLOW, ByteString::Format(kEventTimes, CANOPEN_MAX_EVENT_TIMES));
                return;
            }
            times.push_back(pdo.EventTime);
        }
    }
}

int CCanOpenChecker::CountUsedPdos(const CCanOpenSlave& slave, int slot, const CCanOpenSlaveType* type, bool receive)
{
    const bool enabled = slave.Valid != 0;
    const CCanOpenPdo* pdos = receive ? slave.RPDO : slave.TPDO;
    const char* noMemory = receive ? kRpdoRowNoMemory : kTpdoRowNoMemory;
    int used = 0;
    for (int p = 0; p < CANOPEN_PDOS; ++p) {
        bool usable = false;
        for (int r = 0; r < CANOPEN_PDO_ROWS; ++r) {
            const CCanOpenMappedObject& row = pdos[p].Rows[r];
            if (row.ODName.empty())
                continue;
            if (!HasODEntry(row.ODName, type))
                Warning(ByteString::Format(kNoODEntry, slave.Name.c_str(), row.ODName.c_str()));
            if (!row.Mem.empty())
                usable = usable || enabled;
            else if (enabled)
                Warning(ByteString::Format(noMemory, slot + 1, p + 1, r + 1));
        }
        if (usable)
            ++used;
    }
    return used;
}

void CCanOpenChecker::CheckSlaves()
{
    for (int s = 0; s < CANOPEN_SLAVES; ++s) {
        const CCanOpenSlave& slave = m_project.CanOpenSlaves[s];
        if (!InUse(slave))
            continue;
        CCanOpenSlaveType* type = nullptr;
        if (!FindSlaveType(slave.Name, type))
            Warning(ByteString::Format(kNoSlaveType, slave.Name.c_str()));
        const int rpdos = CountUsedPdos(slave, s, type, true);
        const int tpdos = CountUsedPdos(slave, s, type, false);
        if ((rpdos > 0 || tpdos > 0) && slave.Valid != 0) {
            m_usedRpdos += rpdos;
            m_usedTpdos += tpdos;
            ++m_usableSlaves;
        } else {
            Warning(ByteString::Format(kSlaveIgnored, slave.Node));
        }
    }
}

void CCanOpenChecker::CheckLimits()
{
    if (m_usedRpdos > CANOPEN_MAX_PDOS || m_usedTpdos > CANOPEN_MAX_PDOS)
        Error(MSG_OVERFLOW, ByteString::Format(kTooManyPdos, CANOPEN_MAX_PDOS, CANOPEN_MAX_PDOS));
    if (m_usableSlaves > CANOPEN_MAX_USABLE_SLAVES)
        Error(MSG_OVERFLOW, ByteString::Format(kTooManySlaves, CANOPEN_MAX_USABLE_SLAVES));
}

} // namespace

void CheckCanOpenConfig(int& errorCount, int& warningCount, const CompileReportFn& report)
{
    if (!g_pAppData || !report)
        return;
    CCanOpenChecker checker(g_pAppData->Project, errorCount, warningCount, report);
    checker.CheckOverlaps();
    checker.CheckZeroCobIds();
    checker.CheckEventTimes();
    checker.CheckSlaves();
    checker.CheckLimits();
}

BOOL FindSlaveType(const std::string& name, CCanOpenSlaveType*& type)
{
    if (!g_pAppData)
        return FALSE;
    CCanOpenSlaveType* found = g_pAppData->FindSlaveType(name);
    if (!found)
        return FALSE;
    type = found;
    return TRUE;
}

BOOL HasODEntry(const std::string& mappingText, const CCanOpenSlaveType* type)
{
    return type && type->FindEntryByName(mappingText) != nullptr;
}
