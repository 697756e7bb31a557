#include "CCanopenImageDecoder.h"

#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "model/CZULProject.h"

namespace {

constexpr int SECTION_LENGTH_ONLY = 2;
constexpr int SECTION_MASTER_BYTES = 14;
constexpr int SECTION_DIRECTORY = 14;
constexpr int SECTION_RECORDS = 18;
constexpr int SLAVE_FIXED_BYTES = 54;
constexpr int PDO_HEADER_BYTES = 11;
constexpr int MAPPED_OBJECT_BYTES = 7;

// Every read of the section goes through this cursor: a read past the end
// marks it failed and gives 0.
class SectionReader {
public:
    explicit SectionReader(const std::vector<BYTE>& bytes) : m_bytes(bytes) {}
    int Byte(int offset)
    {
        if (offset < 0 || offset >= static_cast<int>(m_bytes.size())) {
            m_failed = true;
            return 0;
        }
        return m_bytes[offset];
    }
    int Word(int offset) { return Byte(offset) | (Byte(offset + 1) << 8); }
    bool Has(int offset, int count) const { return offset >= 0 && offset + count <= static_cast<int>(m_bytes.size()); }
    bool Failed() const { return m_failed; }

private:
    const std::vector<BYTE>& m_bytes;
    bool m_failed = false;
};

} // namespace

CCanopenImageDecoder::CCanopenImageDecoder(const CZULAppData& app)
    : m_app(app)
{
}

std::string CCanopenImageDecoder::SlaveTypeName(WORD typeId) const
{
    const CCanOpenSlaveType* type = m_app.FindSlaveType(typeId);
    return type ? type->name : std::string();
}

std::string CCanopenImageDecoder::ObjectName(const std::string& typeName, int index, int subIndex,
                                             const CCanOpenODEntry*& object) const
{
    const CCanOpenSlaveType* type = m_app.FindSlaveType(typeName);
    const CCanOpenODEntry* entry = type ? type->FindEntry(index, subIndex) : nullptr;
    if (!entry)
        return std::string();
    object = entry;
    return entry->name;
}

DWORD CCanopenImageDecoder::OperandTypeOf(int dataTypeCode)
{
    switch (dataTypeCode) {
    case 1:
        return OT_BOOL;
    case 2:
        return OT_BYTE;
    case 4:
        return OT_INT;
    case 8:
        return OT_DINT;
    case 16:
        return OT_BYTE;
    case 32:
        return OT_WORD;
    case 64:
        return OT_DWORD;
    case 128:
        return OT_REAL;
    default:
        return 0;
    }
}

BOOL CCanopenImageDecoder::DecodeCanopenImage(const std::vector<BYTE>& section, CZULProject& project)
{
    const int size = static_cast<int>(section.size());
    if (size == SECTION_LENGTH_ONLY)
        return TRUE;
    if (size < SECTION_MASTER_BYTES)
        return FALSE;
    SectionReader in(section);
    project.CanOpenBPS = CZULAppData::CanBaudToCode(in.Word(2));
    project.OverTime = in.Word(4);
    const int master = in.Byte(6);
    project.CanOpenMasterAddr = master & 0x7F;
    project.NotHandleBoot = (master & 0x80) ? 1 : 0;
    project.NetStates = in.Word(7);
    project.MasterStates = in.Word(9);
    project.AllSalveStates = in.Word(11);

    const int count = in.Byte(13);
    int offset = SECTION_RECORDS + 4 * count;
    if (size < offset)
        return FALSE;
    for (int k = 0; k < count; ++k) {
        const int length = in.Word(SECTION_DIRECTORY + 4 * k + 2);
        if (!in.Has(offset, length) || !DecodeSlave(section, offset, project))
            return FALSE;
    }
    return TRUE;
}

BOOL CCanopenImageDecoder::DecodeSlave(const std::vector<BYTE>& section, int& offset, CZULProject& project)
{
    SectionReader in(section);
    const int r = offset;
    if (!in.Has(r, SLAVE_FIXED_BYTES))
        return FALSE;
    const int node = in.Byte(r + 2);
    if (node < 1 || node > CANOPEN_SLAVES)
        return FALSE;
    const int rpdoCount = in.Byte(r + 43);
    const int tpdoCount = in.Byte(r + 48);
    if (rpdoCount > CANOPEN_PDOS || tpdoCount > CANOPEN_PDOS)
        return FALSE;
    CCanOpenSlave& slave = project.CanOpenSlaves[node - 1];
    slave.Node = node;
    slave.Watch = in.Byte(r + 3);
    slave.HeartTime = in.Word(r + 4);
    slave.NodeTime = in.Word(r + 6);
    slave.LifeGene = in.Word(r + 8);
    slave.HeartOverTime = in.Word(r + 10);
    slave.ErrHandel = in.Byte(r + 12);
    slave.Type = in.Word(r + 13);
    slave.Name = SlaveTypeName(static_cast<WORD>(in.Word(r + 15)));
    if (slave.Name.empty())
        ++UnmatchedSlaves;
    slave.BootProg = static_cast<WORD>(in.Word(r + 17));

    offset = r + SLAVE_FIXED_BYTES + 4 * rpdoCount;
    if (!DecodePdos(section, offset, rpdoCount, true, node - 1, project))
        return FALSE;
    offset += 1 + 4 * tpdoCount;
    return DecodePdos(section, offset, tpdoCount, false, node - 1, project);
}

BOOL CCanopenImageDecoder::DecodePdos(const std::vector<BYTE>& section, int& offset, int count, bool receive,
                                      int slot, CZULProject& project)
{
    SectionReader in(section);
    CCanOpenSlave& slave = project.CanOpenSlaves[slot];
    for (int i = 0; i < count; ++i) {
        const int p = offset;
        if (!in.Has(p, PDO_HEADER_BYTES))
            return FALSE;
        const int number = in.Byte(p + 7);
        const int mapped = in.Byte(p + 10);
        if (number >= CANOPEN_PDOS || mapped > CANOPEN_PDO_ROWS)
            return FALSE;
        if (!in.Has(p + PDO_HEADER_BYTES, MAPPED_OBJECT_BYTES * mapped))
            return FALSE;
        CCanOpenPdo& pdo = receive ? slave.RPDO[number] : slave.TPDO[number];
        pdo.COB_ID = in.Word(p);
        pdo.ForbiddenTime = in.Word(p + 2);
        pdo.CommType = in.Byte(p + 4);
        pdo.EventTime = in.Word(p + 5);
        for (int j = 0; j < mapped; ++j) {
            const int o = p + PDO_HEADER_BYTES + MAPPED_OBJECT_BYTES * j;
            CCanOpenMappedObject& row = pdo.Rows[j];
            const int first = in.Byte(o);
            row.Size = first & 0x7F;
            row.Index = in.Word(o + 1);
            row.Sub = (first & 0x80) ? in.Byte(o + 3) : -1;
            const CCanOpenODEntry* object = nullptr;
            if (!slave.Name.empty()) {
                row.ODName = ObjectName(slave.Name, row.Index, row.Sub, object);
                if (row.ODName.empty())
                    ++UnmatchedMappings;
            }
            const DWORD type = object ? OperandTypeOf(object->dataType) : 0;
            row.Mem = CZULProject::FormatAddress(static_cast<EncodedPlcAddress>(in.Word(o + 5)), type);
        }
        offset = p + PDO_HEADER_BYTES + MAPPED_OBJECT_BYTES * mapped;
    }
    return in.Failed() ? FALSE : TRUE;
}
