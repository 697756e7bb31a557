#include "CCanOpenImageSection.h"

#include "ImageBytes.h"

#include "model/CMemAreaInfo.h"
#include "model/CZULAppData.h"
#include "model/StringCRC16.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

namespace {

const char* const APP_TITLE = "ZUL_Q7";
// "从站 %d 中没有添加任何正确OD映射或未启用, 将忽略此从站"
const char* const SLAVE_SKIPPED_GBK =
    "\xB4\xD3\xD5\xBE %d \xD6\xD0\xC3\xBB\xD3\xD0\xCC\xED\xBC\xD3\xC8\xCE\xBA\xCE\xD5\xFD\xC8\xB7OD\xD3\xB3\xC9\xE4"
    "\xBB\xF2\xCE\xB4\xC6\xF4\xD3\xC3, \xBD\xAB\xBA\xF6\xC2\xD4\xB4\xCB\xB4\xD3\xD5\xBE";
// "CanOpen网络最多支持 %d 个RPDO  %d 个TPDO, 请删除多余的PDO映射, 重新编译"
const char* const TOO_MANY_PDOS_GBK =
    "CanOpen\xCD\xF8\xC2\xE7\xD7\xEE\xB6\xE0\xD6\xA7\xB3\xD6 %d \xB8\xF6RPDO  %d \xB8\xF6TPDO, "
    "\xC7\xEB\xC9\xBE\xB3\xFD\xB6\xE0\xD3\xE0\xB5\xC4PDO\xD3\xB3\xC9\xE4, \xD6\xD8\xD0\xC2\xB1\xE0\xD2\xEB";
// "CanOpen网络最多支持 %d 个从站, 多出的从站将被忽略"
const char* const TOO_MANY_SLAVES_GBK =
    "CanOpen\xCD\xF8\xC2\xE7\xD7\xEE\xB6\xE0\xD6\xA7\xB3\xD6 %d \xB8\xF6\xB4\xD3\xD5\xBE, "
    "\xB6\xE0\xB3\xF6\xB5\xC4\xB4\xD3\xD5\xBE\xBD\xAB\xB1\xBB\xBA\xF6\xC2\xD4";

constexpr int SLAVE_HEADER_BYTES = 53;
constexpr int PDO_SUMMARY_OFFSET = 43;
constexpr int PDO_RECORD_HEADER_BYTES = 11;
constexpr int MAPPED_OBJECT_BYTES = 7;
constexpr int DIRECTORY_START = 14;
constexpr int CLOSING_ZERO_BYTES = 256;

using ImageBytes::AppendByte;
using ImageBytes::AppendWord;
using ImageBytes::PutWord;

} // namespace

CCanOpenImageSection::CCanOpenImageSection(const CZULProject& project) : m_project(project)
{
}

int CCanOpenImageSection::MappedRowCount(const CCanOpenSlave& slave, const CCanOpenPdo& pdo) const
{
    if (slave.Valid == 0)
        return 0;
    int count = 0;
    for (const CCanOpenMappedObject& object : pdo.Rows) {
        if (!object.ODName.empty() && !object.Mem.empty())
            ++count;
    }
    return count;
}

bool CCanOpenImageSection::CollectPdos(const CCanOpenSlave& slave, const CCanOpenPdo* pdos,
                                       std::vector<int>& numbers) const
{
    for (int number = 0; number < CANOPEN_PDOS; ++number) {
        if (MappedRowCount(slave, pdos[number]) > 0)
            numbers.push_back(number);
    }
    return !numbers.empty();
}

BOOL CCanOpenImageSection::CollectSlaves()
{
    m_slaves.clear();
    size_t rpdoTotal = 0;
    size_t tpdoTotal = 0;
    for (const CCanOpenSlave& slave : m_project.CanOpenSlaves) {
        if (slave.Name.empty())
            continue;
        KeptSlave kept;
        kept.slave = &slave;
        const bool hasR = CollectPdos(slave, slave.RPDO, kept.rpdos);
        const bool hasT = CollectPdos(slave, slave.TPDO, kept.tpdos);
        if (!hasR && !hasT) {
            ShowMessage(APP_TITLE, ByteString::Format(SLAVE_SKIPPED_GBK, slave.Node), MB_OK);
            continue;
        }
        rpdoTotal += kept.rpdos.size();
        tpdoTotal += kept.tpdos.size();
        m_slaves.push_back(kept);
    }
    if (rpdoTotal > CANOPEN_IMAGE_MAX_PDOS || tpdoTotal > CANOPEN_IMAGE_MAX_PDOS) {
        ShowMessage(APP_TITLE, ByteString::Format(TOO_MANY_PDOS_GBK, CANOPEN_IMAGE_MAX_PDOS, CANOPEN_IMAGE_MAX_PDOS),
                    MB_OK);
        return FALSE;
    }
    if (m_slaves.size() > CANOPEN_IMAGE_MAX_SLAVES) {
        ShowMessage(APP_TITLE, ByteString::Format(TOO_MANY_SLAVES_GBK, CANOPEN_IMAGE_MAX_SLAVES), MB_OK);
        m_slaves.resize(CANOPEN_IMAGE_MAX_SLAVES);
    }
    return TRUE;
}

int CCanOpenImageSection::PdoRecordLength(const CCanOpenSlave& slave, const CCanOpenPdo& pdo) const
{
    return PDO_RECORD_HEADER_BYTES + MAPPED_OBJECT_BYTES * MappedRowCount(slave, pdo);
}

int CCanOpenImageSection::PdoPartLength(const CCanOpenSlave& slave, const CCanOpenPdo* pdos,
                                        const std::vector<int>& numbers) const
{
    int length = 1 + 4 * static_cast<int>(numbers.size());
    for (int number : numbers)
        length += PdoRecordLength(slave, pdos[number]);
    return length;
}

int CCanOpenImageSection::SlaveRecordLength(const KeptSlave& kept) const
{
    return SLAVE_HEADER_BYTES + PdoPartLength(*kept.slave, kept.slave->RPDO, kept.rpdos) +
           PdoPartLength(*kept.slave, kept.slave->TPDO, kept.tpdos);
}

BOOL CCanOpenImageSection::Build(std::vector<BYTE>& section)
{
    section.clear();
    if (!CollectSlaves())
        return FALSE;
    if (m_slaves.empty()) {
        AppendWord(section, 2);
        return TRUE;
    }
    WriteMaster(section, static_cast<int>(m_slaves.size()));
    int offset = DIRECTORY_START + 4 * static_cast<int>(m_slaves.size()) + 4;
    for (const KeptSlave& kept : m_slaves) {
        const int length = SlaveRecordLength(kept);
        AppendWord(section, offset);
        AppendWord(section, length);
        offset += length;
    }
    AppendWord(section, offset);
    AppendByte(section, 0);
    AppendByte(section, 1);
    for (const KeptSlave& kept : m_slaves)
        WriteSlave(section, kept);
    section.insert(section.end(), CLOSING_ZERO_BYTES, 0);
    PutWord(section, 0, static_cast<int>(section.size()));
    return TRUE;
}

void CCanOpenImageSection::WriteMaster(std::vector<BYTE>& section, int slaveCount) const
{
    AppendWord(section, 0); // the section length, filled in last
    AppendWord(section, CZULAppData::CanCodeToBaud(m_project.CanOpenBPS));
    AppendWord(section, m_project.OverTime);
    AppendByte(section, m_project.NotHandleBoot ? 0xFF : 0x7F);
    AppendWord(section, m_project.NetStates);
    AppendWord(section, m_project.MasterStates);
    AppendWord(section, m_project.AllSalveStates);
    AppendByte(section, slaveCount);
}

void CCanOpenImageSection::WriteSlave(std::vector<BYTE>& section, const KeptSlave& kept) const
{
    const CCanOpenSlave& slave = *kept.slave;
    WORD typeId = 0;
    StringCRC16(slave.Name, typeId);
    AppendWord(section, PDO_SUMMARY_OFFSET);
    AppendByte(section, slave.Node);
    AppendByte(section, slave.Watch);
    AppendWord(section, slave.HeartTime);
    AppendWord(section, slave.NodeTime);
    AppendWord(section, slave.LifeGene);
    AppendWord(section, slave.HeartOverTime);
    AppendByte(section, slave.ErrHandel);
    AppendWord(section, slave.Type);
    AppendWord(section, typeId);
    AppendWord(section, slave.BootProg);
    section.insert(section.end(), 24, 0);

    const int rpdoLength = PdoPartLength(slave, slave.RPDO, kept.rpdos);
    const int tpdoLength = PdoPartLength(slave, slave.TPDO, kept.tpdos);
    const int rpdoStart = static_cast<int>(section.size()) + 10;
    AppendByte(section, static_cast<int>(kept.rpdos.size()));
    AppendWord(section, rpdoStart);
    AppendWord(section, rpdoLength);
    AppendByte(section, static_cast<int>(kept.tpdos.size()));
    AppendWord(section, rpdoStart + rpdoLength);
    AppendWord(section, tpdoLength);
    WritePdoPart(section, slave, slave.RPDO, kept.rpdos);
    WritePdoPart(section, slave, slave.TPDO, kept.tpdos);
}

void CCanOpenImageSection::WritePdoPart(std::vector<BYTE>& section, const CCanOpenSlave& slave,
                                        const CCanOpenPdo* pdos, const std::vector<int>& numbers) const
{
    AppendByte(section, static_cast<int>(numbers.size()));
    int offset = static_cast<int>(section.size()) + 4 * static_cast<int>(numbers.size());
    for (int number : numbers) {
        const int length = PdoRecordLength(slave, pdos[number]);
        AppendWord(section, offset);
        AppendWord(section, length);
        offset += length;
    }
    for (int number : numbers)
        WritePdoRecord(section, slave, pdos[number], number);
}

void CCanOpenImageSection::WritePdoRecord(std::vector<BYTE>& section, const CCanOpenSlave& slave,
                                          const CCanOpenPdo& pdo, int number) const
{
    AppendWord(section, pdo.COB_ID);
    AppendWord(section, pdo.ForbiddenTime);
    AppendByte(section, pdo.CommType);
    AppendWord(section, pdo.EventTime);
    AppendByte(section, number);
    AppendWord(section, 0);
    AppendByte(section, MappedRowCount(slave, pdo));
    for (const CCanOpenMappedObject& object : pdo.Rows) {
        if (object.ODName.empty() || object.Mem.empty())
            continue;
        AppendByte(section, (object.Size & 0xFF) | (object.Sub != -1 ? 0x80 : 0));
        AppendWord(section, object.Index);
        AppendByte(section, object.Sub);
        AppendByte(section, 0);
        AppendWord(section, EncodeAddress(object.Mem, 0));
    }
}
