#include "CanOpenConfigText.h"

#include "CZULProject.h"
#include "CanOpenNumbers.h"
#include "platform/ByteString.h"

#include <string_view>

namespace {

constexpr int kMasterAddress = 127;
constexpr unsigned kBpsLimit = 8;
constexpr int kBpsDefault = 5;
constexpr unsigned kAllTimeLimit = 100;
constexpr int kSlaveTokenWidth = 12; // "[[Slave" NNN "]]"
constexpr int kSlaveDigits = 3;
constexpr int kWatchDigits = 2;
constexpr int kPdoTypeDigits = 1;
constexpr int kPdoTypeReceive = 2;
constexpr int kPdoTypeTransmit = 1;
constexpr int kIndexDigits = 8;
constexpr int kMaxSub = 253;
constexpr int kBootProgMask = 0xFFFF;
constexpr const char* kOpen = "[[";
constexpr const char* kClose = "]]";
constexpr size_t kBracketWidth = 2;

// A master setting of the master line with the range it is held in: a value
// above the limit (taken as unsigned) becomes the fallback.
struct MasterField {
    const char* key;
    int CZULProject::*field;
    unsigned limit;
    int fallback;
};

// In the order of the master line, after its master address.
constexpr MasterField kMasterLineFields[] = {
    {"NetStates", &CZULProject::NetStates, 12284, 1000},
    {"MasterStates", &CZULProject::MasterStates, 12286, 1010},
    {"AllSalveStates", &CZULProject::AllSalveStates, 12159, 1030},
    {"OverTime", &CZULProject::OverTime, 65535, 500},
};

int Limited(int value, unsigned limit, int fallback)
{
    return static_cast<unsigned>(value) > limit ? fallback : value;
}

int LimitedAllTime(int value)
{
    return value == 0 ? static_cast<int>(kAllTimeLimit) : Limited(value, kAllTimeLimit, kAllTimeLimit);
}

void HoldMasterField(CZULProject& project, const MasterField& field)
{
    project.*field.field = Limited(project.*field.field, field.limit, field.fallback);
}

void HoldMasterSettings(CZULProject& project)
{
    for (const MasterField& field : kMasterLineFields)
        HoldMasterField(project, field);
    project.CanOpenMasterAddr = kMasterAddress;
    project.CanOpenBPS = Limited(project.CanOpenBPS, kBpsLimit, kBpsDefault);
    project.CanOpenAllTime = LimitedAllTime(project.CanOpenAllTime);
}

// Reads "[[" key value "]]" tokens from the front of a line.
class CTokenReader {
public:
    explicit CTokenReader(std::string_view rest) : m_rest(rest) {}

    bool NextIs(std::string_view key) const
    {
        return m_rest.substr(0, kBracketWidth) == kOpen && m_rest.substr(kBracketWidth, key.size()) == key;
    }

    // The value of the next token when it has this key; an empty value only when allowed.
    bool Text(std::string_view key, std::string& value, bool allowEmpty = false)
    {
        if (!NextIs(key))
            return false;
        const size_t start = kBracketWidth + key.size();
        const size_t end = m_rest.find(kClose, start);
        if (end == std::string_view::npos || (end == start && !allowEmpty))
            return false;
        value.assign(m_rest.substr(start, end - start));
        m_rest.remove_prefix(end + kBracketWidth);
        return true;
    }

    bool Decimal(std::string_view key, int& value)
    {
        std::string text;
        if (!Text(key, text))
            return false;
        value = ReadDecimal(text);
        return true;
    }

    // A value of exactly width characters.
    bool Fixed(std::string_view key, size_t width, std::string& value)
    {
        std::string text;
        if (!Text(key, text) || text.size() != width)
            return false;
        value = text;
        return true;
    }

    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// Upper-case hexadecimal digits only, at most maxDigits of them.
bool ReadUpperHex(const std::string& text, int maxDigits, int& value)
{
    if (text.empty() || static_cast<int>(text.size()) > maxDigits)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    int digits = 0;
    value = static_cast<int>(ReadHexPrefix(text, maxDigits, digits));
    return true;
}

bool ReadSub(CTokenReader& reader, int& sub)
{
    std::string text;
    if (!reader.Text("Sub", text))
        return false;
    if (text == "-1") {
        sub = -1;
        return true;
    }
    return ReadUpperHex(text, kIndexDigits, sub) && sub >= 0 && sub <= kMaxSub;
}

int ParseEntryLine(CTokenReader& reader, CCanOpenPdoLine& out)
{
    std::string index;
    const bool read = reader.Decimal("ODNum", out.odNum) && out.odNum >= 0 && out.odNum < CANOPEN_PDO_ROWS &&
                      reader.Text("ODName", out.odName) && reader.Text("Index", index) &&
                      ReadUpperHex(index, kIndexDigits, out.index) && ReadSub(reader, out.sub) &&
                      reader.Decimal("Size", out.size) && reader.Text("Mem", out.mem, true);
    return read ? CANOPEN_PDO_LINE_ENTRY : CANOPEN_PDO_LINE_INVALID;
}

int ParsePdoParameters(CTokenReader& reader, CCanOpenPdoLine& out)
{
    const bool read = reader.Decimal("CommType", out.commType) && reader.Decimal("254Time", out.eventTime) &&
                      reader.Decimal("ForbiddenTime", out.forbiddenTime) && reader.Decimal("COB_ID", out.cobId);
    return read ? CANOPEN_PDO_LINE_PDO : CANOPEN_PDO_LINE_INVALID;
}

void ParseSlaveNameLine(CTokenReader& reader, CCanOpenSlave& slave, int node)
{
    std::string name;
    int type = 0;
    std::string watch;
    if (!reader.Text("Name", name) || !reader.Decimal("Type", type) || !reader.Fixed("Watch", kWatchDigits, watch))
        return;
    slave.Node = node;
    slave.Name = name;
    slave.Type = type;
    slave.Watch = ReadDecimal(watch);
}

void ParseSlaveTimesLine(CTokenReader& reader, CCanOpenSlave& slave)
{
    int values[7] = {};
    if (!reader.Decimal("NodeTime", values[0]) || !reader.Decimal("HeartTime", values[1]) ||
        !reader.Decimal("ErrHandel", values[2]) || !reader.Decimal("Valid", values[3]) ||
        !reader.Decimal("LifeGene", values[4]) || !reader.Decimal("HeartOverTime", values[5]) ||
        !reader.Decimal("BootProg", values[6]))
        return;
    slave.NodeTime = values[0];
    slave.HeartTime = values[1];
    slave.ErrHandel = values[2];
    slave.Valid = values[3];
    slave.LifeGene = values[4];
    slave.HeartOverTime = values[5];
    slave.BootProg = static_cast<WORD>(values[6] & kBootProgMask);
}

void ParseSlavePdoLine(CTokenReader& reader, CCanOpenSlave& slave)
{
    std::string kind;
    if (!reader.Fixed("PDOType", kPdoTypeDigits, kind))
        return;
    const int type = ReadDecimal(kind);
    if (type != kPdoTypeReceive && type != kPdoTypeTransmit)
        return;
    CCanOpenPdoLine line;
    const int result = ParseCanOpenPdoLine(std::string(reader.Rest()), line);
    if (result == CANOPEN_PDO_LINE_INVALID)
        return;
    CCanOpenPdo& pdo = (type == kPdoTypeReceive ? slave.RPDO : slave.TPDO)[line.pdoNum];
    if (result == CANOPEN_PDO_LINE_ENTRY) {
        CCanOpenMappedObject& row = pdo.Rows[line.odNum];
        row.ODName = line.odName;
        row.Index = line.index;
        row.Sub = line.sub;
        row.Size = line.size;
        row.Mem = line.mem;
        return;
    }
    pdo.CommType = line.commType;
    pdo.EventTime = line.eventTime;
    pdo.ForbiddenTime = line.forbiddenTime;
    pdo.COB_ID = line.cobId;
}

void ParseSlaveLine(CZULProject& project, const std::string& line)
{
    if (line.size() < static_cast<size_t>(kSlaveTokenWidth) ||
        line.compare(kSlaveTokenWidth - kBracketWidth, kBracketWidth, kClose) != 0)
        return;
    const int node = ReadDecimal(line.substr(std::string_view("[[Slave").size(), kSlaveDigits));
    if (node < 1 || node > CANOPEN_SLAVES)
        return;
    CCanOpenSlave& slave = project.CanOpenSlaves[node - 1];
    CTokenReader reader(std::string_view(line).substr(kSlaveTokenWidth));
    if (reader.NextIs("Name"))
        ParseSlaveNameLine(reader, slave, node);
    else if (reader.NextIs("PDOType"))
        ParseSlavePdoLine(reader, slave);
    else if (reader.NextIs("NodeTime"))
        ParseSlaveTimesLine(reader, slave);
}

void ParseMasterLine(CZULProject& project, CTokenReader& reader)
{
    int value = 0;
    if (!reader.Decimal("CanOpenMasterAddr", value))
        return;
    project.CanOpenMasterAddr = kMasterAddress;
    for (const MasterField& field : kMasterLineFields) {
        if (!reader.Decimal(field.key, value))
            return;
        project.*field.field = value;
        HoldMasterField(project, field);
    }
}

void AppendPdoLines(std::string& text, const std::string& slaveToken, int pdoType, const CCanOpenPdo* pdos)
{
    for (int n = 0; n < CANOPEN_PDOS; ++n) {
        const CCanOpenPdo& pdo = pdos[n];
        const std::string head = slaveToken + ByteString::Format("[[PDOType%d]][[PDONum%d]]", pdoType, n);
        text += head + ByteString::Format("[[CommType%d]][[254Time%d]][[ForbiddenTime%d]][[COB_ID%d]]\n",
                                          pdo.CommType, pdo.EventTime, pdo.ForbiddenTime, pdo.COB_ID);
        for (int k = 0; k < CANOPEN_PDO_ROWS; ++k) {
            const CCanOpenMappedObject& row = pdo.Rows[k];
            if (row.ODName.empty())
                continue;
            const std::string sub = row.Sub == -1 ? std::string("-1") : ByteString::Format("%02X", row.Sub);
            text += head + ByteString::Format("[[ODNum%d]][[ODName", k) + row.ODName +
                    ByteString::Format("]][[Index%04X]][[Sub", row.Index) + sub +
                    ByteString::Format("]][[Size%d]][[Mem", row.Size) + row.Mem + "]]\n";
        }
    }
}

void AppendSlaveLines(std::string& text, const CCanOpenSlave& slave, int slot)
{
    const std::string token = ByteString::Format("[[Slave%03d]]", slot + 1);
    text += token + "[[Name" + slave.Name + ByteString::Format("]][[Type%d]][[Watch%02d]]\n", slave.Type, slave.Watch);
    text += token + ByteString::Format("[[NodeTime%d]][[HeartTime%d]][[ErrHandel%d]][[Valid%d]][[LifeGene%d]]"
                                       "[[HeartOverTime%d]][[BootProg%d]]\n",
                                       slave.NodeTime, slave.HeartTime, slave.ErrHandel, slave.Valid, slave.LifeGene,
                                       slave.HeartOverTime, static_cast<int>(slave.BootProg));
    AppendPdoLines(text, token, kPdoTypeReceive, slave.RPDO);
    AppendPdoLines(text, token, kPdoTypeTransmit, slave.TPDO);
}

} // namespace

std::string BuildCanOpenConfigText(CZULProject& project)
{
    HoldMasterSettings(project);
    std::string text = ByteString::Format("[[NotHandleBoot%d]]\n[[CanOpenBPS%d]]\n[[CanOpenAllTime%d]]\n",
                                          project.NotHandleBoot, project.CanOpenBPS, project.CanOpenAllTime);
    text += ByteString::Format("[[CanOpenMasterAddr%d]][[NetStates%d]][[MasterStates%d]][[AllSalveStates%d]]"
                               "[[OverTime%d]]\n",
                               project.CanOpenMasterAddr, project.NetStates, project.MasterStates,
                               project.AllSalveStates, project.OverTime);
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot) {
        if (!project.CanOpenSlaves[slot].Name.empty())
            AppendSlaveLines(text, project.CanOpenSlaves[slot], slot);
    }
    return text;
}

void ParseCanOpenLine(CZULProject& project, const std::string& line)
{
    if (line.empty())
        return;
    if (ByteString::StartsWith(line, "[[Slave")) {
        ParseSlaveLine(project, line);
        return;
    }
    CTokenReader reader(line);
    int value = 0;
    if (reader.NextIs("NotHandleBoot")) {
        if (reader.Decimal("NotHandleBoot", value))
            project.NotHandleBoot = value != 0 ? 1 : 0;
    } else if (reader.NextIs("CanOpenAllTime")) {
        if (reader.Decimal("CanOpenAllTime", value))
            project.CanOpenAllTime = LimitedAllTime(value);
    } else if (reader.NextIs("CanOpenBPS")) {
        if (reader.Decimal("CanOpenBPS", value))
            project.CanOpenBPS = Limited(value, kBpsLimit, kBpsDefault);
    } else if (reader.NextIs("CanOpenMasterAddr")) {
        ParseMasterLine(project, reader);
    }
}

int ParseCanOpenPdoLine(const std::string& rest, CCanOpenPdoLine& out)
{
    CTokenReader reader(rest);
    if (!reader.Decimal("PDONum", out.pdoNum) || out.pdoNum < 0 || out.pdoNum >= CANOPEN_PDOS)
        return CANOPEN_PDO_LINE_INVALID;
    if (reader.NextIs("ODNum"))
        return ParseEntryLine(reader, out);
    return ParsePdoParameters(reader, out);
}
