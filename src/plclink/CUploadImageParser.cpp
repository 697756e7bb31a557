#include "CUploadImageParser.h"

#include "CCanopenImageDecoder.h"
#include "UploadedPOUs.h"

#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CZULInitData.h"
#include "model/CZULProject.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/Crc16Modbus.h"
#include "model/POULanguageTable.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

#include <cstring>

namespace {

// "该文件CRC校验错误！请重新尝试上载操作。" and "错误"
const char* const CRC_ERROR_GBK = "\xB8\xC3\xCE\xC4\xBC\xFE" "CRC\xD0\xA3\xD1\xE9\xB4\xED\xCE\xF3\xA3\xA1"
                                  "\xC7\xEB\xD6\xD8\xD0\xC2\xB3\xA2\xCA\xD4\xC9\xCF\xD4\xD8\xB2\xD9\xD7\xF7\xA1\xA3";
const char* const CRC_ERROR_CAPTION_GBK = "\xB4\xED\xCE\xF3";
// The slaves and mapped objects of the image that the slave-type library lacks.
const char* const CANOPEN_UNKNOWN_GBK =
    "\xD5\xFD\xD4\xDA\xC9\xCF\xD4\xD8\xB5\xC4PLC\xD3\xC3\xBB\xA7\xB9\xA4\xB3\xCC\xD6\xD0, \xB0\xFC\xBA\xAC %d "
    "\xB8\xF6\xCE\xB4\xD6\xAA\xB4\xD3\xD5\xBE,  \xB0\xFC\xBA\xAC %d \xB8\xF6\xCE\xB4\xD6\xAAOD\xD3\xB3\xC9\xE4 \n"
    "\xD5\xE2\xD0\xA9\xCE\xB4\xD6\xAA\xC4\xDA\xC8\xDD\xB2\xBB\xC4\xDC\xB1\xBB\xBC\xD3\xC8\xEB\xB5\xBD\xD3\xB2\xBC\xFE"
    "\xC5\xE4\xD6\xC3\xB5\xC4" "CANOpen\xC5\xE4\xD6\xC3\xD6\xD0\n\xC8\xE7\xB9\xFB\xD0\xE8\xD2\xAA\xCD\xEA\xD5\xFB"
    "\xB5\xC4\xC9\xCF\xD4\xD8PLC\xD3\xC3\xBB\xA7\xB9\xA4\xB3\xCC, \xC7\xEB\xD4\xDA\xB1\xBE\xC8\xED\xBC\xFE\xD6\xD0"
    "\xCF\xC8\xB5\xBC\xC8\xEB\xCF\xE0\xB9\xD8\xB5\xC4" "EDS\xCE\xC4\xBC\xFE, \xC8\xBB\xBA\xF3\xD6\xD8\xD0\xC2\xC9\xCF"
    "\xD4\xD8";

constexpr int BLOCK_HEADER_BYTES = 6;
constexpr int MODULE_RECORD_BYTES = 6;
constexpr int NO_BYTE = 255;

// Which address ranges a module kind takes from its record.
constexpr int RANGE_I = 1;
constexpr int RANGE_Q = 2;
constexpr int RANGE_AI = 4;
constexpr int RANGE_AO = 8;

// Block 5 of the CPU settings.
constexpr int RETAIN_BASE = 6;
constexpr int STOP_BASE = 57;
constexpr int FILTER_BASE = 121;
constexpr int MODBUS_BASE = 202;
constexpr int MODBUS_FIELDS_END = 208;

// Block 7 initial data and block 8 language table.
constexpr int INIT_FIRST_RECORD = 8;
constexpr int LANGUAGE_TABLE_BASE = 8;

int RangesOfKind(DWORD kind, bool combinedAnalog)
{
    switch (kind) {
    case 0x1:
    case 0x20:
    case 0x40:
        return RANGE_I | RANGE_Q;
    case 0x2:
    case 0x4:
        return RANGE_I;
    case 0x8:
    case 0x10:
        return RANGE_Q;
    case 0x80:
    case 0x100:
    case 0x200:
    case 0x400:
        return RANGE_AI;
    case 0x800:
        return RANGE_AO;
    case 0x1000:
        return RANGE_AI | RANGE_AO;
    case 0x2000:
        return combinedAnalog ? RANGE_AI | RANGE_AO : -1;
    default:
        return -1;
    }
}

bool CodeIn(int code, std::initializer_list<int> codes)
{
    for (int c : codes) {
        if (c == code)
            return true;
    }
    return false;
}

// The CPU family index of the first module's hardware code, or -1.
int FamilyOfCode(int format, int code)
{
    if (format == UPLOAD_FORMAT_0) {
        if (code == 50)
            return 5;
        if (CodeIn(code, {1, 31, 32}))
            return 0;
        if (CodeIn(code, {4, 5, 36, 37, 40, 43, 44}))
            return -1;
        return 1;
    }
    if (format == UPLOAD_FORMAT_2) {
        if (CodeIn(code, {45, 46}))
            return 6;
        if (CodeIn(code, {47, 48, 49, 51}))
            return 7;
        return -1;
    }
    if (CodeIn(code, {1, 31, 32}))
        return 0;
    if (CodeIn(code, {4, 5, 43, 44}))
        return 2;
    if (CodeIn(code, {36, 37, 40}))
        return 4;
    if (code == 50)
        return -1;
    return 1;
}

DWORD KindOfCode(BYTE code)
{
    const CModuleCatalogEntry* row = FindCatalogRowByCode(code);
    return row ? row->kind : 0;
}

// Width of one value and the row's type flags by the record's type byte; 0 for an unknown type.
int ValueWidth(int typeByte, DWORD& typeFlags)
{
    switch (typeByte) {
    case 1:
        typeFlags = OT_BYTE;
        return 1;
    case 2:
        typeFlags = OT_INT;
        return 2;
    case 3:
        typeFlags = OT_DINT;
        return 4;
    case 4:
        typeFlags = OT_REAL;
        return 4;
    default:
        typeFlags = 0;
        return 0;
    }
}

} // namespace

CUploadImageParser::CUploadImageParser(CZULAppData& app)
    : m_app(app), m_project(app.Project), m_image(app.Project.TransferBuffer), m_format(app.UploadFormat)
{
}

bool CUploadImageParser::Has(int offset, int count) const
{
    return offset >= 0 && count >= 0 && offset + count <= static_cast<int>(m_image.size());
}

BOOL CUploadImageParser::LocateBlocks()
{
    const int length = static_cast<int>(m_image.size());
    const int lastBlock = HasLanguageTable() ? 9 : 8;
    // The directory of block sizes, then the checksum in the last two bytes.
    const int directoryEnd = 6 + 2 * (lastBlock - 3);
    if (!Has(0, 2) || Word(0) >= length || Word(0) < directoryEnd + 2)
        return FALSE;
    m_blocks[0] = {0, Word(0)};
    int start = Word(0);
    for (int block = 4; block <= lastBlock; ++block) {
        const int size = Word(6 + 2 * (block - 4));
        if (!Has(start, size) || size < BLOCK_HEADER_BYTES)
            return FALSE;
        m_blocks[block - 3] = {start, size};
        start += size;
    }
    if (HasLanguageTable() && Block(8).size < LANGUAGE_TABLE_BASE + POU_LANGUAGE_ENTRIES / 2)
        return FALSE;
    // Blocks 6, 7 and 9 also carry their own size; it must lie inside the image.
    for (int block : {6, 7, 9}) {
        if (block > lastBlock)
            continue;
        const int own = Word(Block(block).start);
        if (own < BLOCK_HEADER_BYTES || !Has(Block(block).start, own))
            return FALSE;
    }
    return TRUE;
}

BOOL CUploadImageParser::CheckCrc()
{
    const int total = (Block(4).size + Block(5).size + Block(6).size + Block(7).size) & 0xFFFF;
    const int stored = Word(Block(3).size - 2);
    if (Has(Block(4).start, total) &&
        CRC16Modbus(m_image.data() + Block(4).start, static_cast<DWORD>(total)) == stored)
        return TRUE;
    if (m_format == UPLOAD_FORMAT_0)
        ShowMessage("Error", "Uploaded data error (CRC check), please try again.", MB_OK | MB_ICONERROR);
    else
        ShowMessage(CRC_ERROR_CAPTION_GBK, CRC_ERROR_GBK, MB_OK | MB_ICONERROR);
    return FALSE;
}

BOOL CUploadImageParser::CheckModules(int& familyIndex) const
{
    const BlockSpan& block = Block(4);
    const int count = Byte(block.start + 6);
    if (count == 0 || 7 + MODULE_RECORD_BYTES * count > block.size)
        return FALSE;
    for (int m = 0; m < count; ++m) {
        const BYTE code = static_cast<BYTE>(Byte(block.start + 7 + MODULE_RECORD_BYTES * m));
        if (RangesOfKind(KindOfCode(code), TakesCombinedAnalog()) < 0)
            return FALSE;
    }
    familyIndex = FamilyOfCode(m_format, Byte(block.start + 7));
    return familyIndex >= 0 ? TRUE : FALSE;
}

BOOL CUploadImageParser::LocateCpuSettings()
{
    const BlockSpan& block = Block(5);
    if (m_format == UPLOAD_FORMAT_0) {
        m_cpu = {32, 91, 133, 0, -1, 0, 143};
        return block.size >= m_cpu.aoBase ? TRUE : FALSE;
    }
    m_cpu = {64, 125, 192, 0, -1, 0, 0};
    if (block.size < MODBUS_BASE + 2)
        return FALSE;
    m_cpu.modbusLength = Word(block.start + MODBUS_BASE);
    const int modbusEnd = MODBUS_BASE + m_cpu.modbusLength;
    if (m_cpu.modbusLength < 2 || modbusEnd > block.size)
        return FALSE;
    if (m_cpu.modbusLength > 2 && modbusEnd < MODBUS_FIELDS_END)
        return FALSE;
    m_cpu.aoBase = modbusEnd;
    if (m_format != UPLOAD_FORMAT_2)
        return TRUE;
    m_cpu.canopenBase = modbusEnd;
    if (m_cpu.canopenBase + 2 > block.size)
        return FALSE;
    m_cpu.canopenLength = Word(block.start + m_cpu.canopenBase);
    m_cpu.aoBase = m_cpu.canopenBase + m_cpu.canopenLength;
    return m_cpu.canopenLength >= 2 && m_cpu.aoBase <= block.size ? TRUE : FALSE;
}

BOOL CUploadImageParser::CheckInitialData() const
{
    const int start = Block(7).start;
    const int end = start + Word(start);
    for (int offset = start + INIT_FIRST_RECORD; offset < end;) {
        if (offset + 3 > end)
            return FALSE;
        const int count = Byte(offset + 2);
        if (offset + count + 4 > end)
            return FALSE;
        DWORD typeFlags = 0;
        const int width = ValueWidth(Byte(offset + 3 + count), typeFlags);
        if (width > 0 && count % width != 0)
            return FALSE;
        offset += count + 4;
    }
    return TRUE;
}

BOOL CUploadImageParser::Check()
{
    if (m_format < UPLOAD_FORMAT_0 || m_format > UPLOAD_FORMAT_3)
        return FALSE;
    if (!LocateBlocks() || !CheckCrc())
        return FALSE;
    return CheckModules(m_familyIndex) && LocateCpuSettings() && CheckInitialData() ? TRUE : FALSE;
}

BOOL CUploadImageParser::Parse()
{
    if (!Check() || !RestoreModules())
        return FALSE;
    SelectFamily(m_familyIndex);
    RestoreCpuSettings(*m_project.Modules[0]);
    if (!RestoreCanOpen() || !RestoreChannels())
        return FALSE;
    RestoreLanguageTable();
    if (!RestorePOUs())
        return FALSE;
    RestoreInitialData();
    m_project.LocalBitUsage.assign(LOCAL_BIT_ENTRIES, 0);
    m_project.LocalByteUsage.assign(LOCAL_BYTE_ENTRIES, 0);
    return TRUE;
}

BOOL CUploadImageParser::RestoreModules()
{
    const BlockSpan& block = Block(4);
    const int count = Byte(block.start + 6);
    for (int m = 0; m < count; ++m) {
        const int record = block.start + 7 + MODULE_RECORD_BYTES * m;
        CZUL_Q7_PLC* module = m_project.Modules.emplace_back(std::make_unique<CZUL_Q7_PLC>()).get();
        module->hardwareCode = static_cast<BYTE>(Byte(record));
        if (const CModuleCatalogEntry* row = FindCatalogRowByCode(module->hardwareCode))
            module->InitFromCatalog(*row);
        const int ranges = RangesOfKind(module->kindMask, TakesCombinedAnalog());
        if (ranges < 0)
            return FALSE;
        if (ranges & RANGE_I) {
            module->iStart = static_cast<BYTE>(Byte(record + 2));
            module->iEnd = static_cast<BYTE>(Byte(record + 3));
        }
        if (ranges & RANGE_Q) {
            module->qStart = static_cast<BYTE>(Byte(record + 4));
            module->qEnd = static_cast<BYTE>(Byte(record + 5));
        }
        if (ranges & RANGE_AI) {
            module->aiStart = static_cast<BYTE>(Byte(record + 2));
            module->aiEnd = static_cast<BYTE>(Byte(record + 3));
        }
        if (ranges & RANGE_AO) {
            module->aoStart = static_cast<BYTE>(Byte(record + 4));
            module->aoEnd = static_cast<BYTE>(Byte(record + 5));
        }
    }
    return TRUE;
}

void CUploadImageParser::SelectFamily(int familyIndex)
{
    m_project.CPUFamilyIndex = familyIndex;
    switch (familyIndex) {
    case 0:
        m_app.ApplyVB12Profile();
        break;
    case 2:
    case 4:
        m_app.ApplyVB16Profile();
        break;
    case 5:
        m_app.ApplyVA10Profile();
        break;
    case 6:
        m_app.ApplyVC14Profile();
        break;
    case 7:
        m_app.ApplyVC16Profile();
        break;
    default:
        m_app.ApplyVB14Profile();
        break;
    }
    m_app.LoadAreaTable();
    m_project.AllocateForceBuffers();
}

void CUploadImageParser::RestoreCpuSettings(CZUL_Q7_PLC& cpu)
{
    const int base = Block(5).start;
    for (int k = 0; k < MODULE_RETAIN_RANGES; ++k) {
        const int range = base + RETAIN_BASE + 6 * k;
        CRetainRange& retain = cpu.retain[k];
        retain.area = static_cast<BYTE>(Byte(range + 1));
        const int row = retain.area == 0 ? MEM_ROW_V : MEM_ROW_C;
        retain.start = static_cast<WORD>(Word(range + 2) - g_LiveAreaTable[row].imageOffset);
        retain.length = static_cast<WORD>(Word(range + 4));
    }
    for (int p = 0; p < MODULE_PORTS; ++p) {
        const int port = base + m_cpu.portBase + 5 * p;
        cpu.ports[p].address = static_cast<BYTE>(Byte(port));
        cpu.ports[p].baud = static_cast<BYTE>(Byte(port + 1));
        cpu.ports[p].dataBits = static_cast<BYTE>(Byte(port + 2));
        cpu.ports[p].parity = static_cast<BYTE>(Byte(port + 3));
        cpu.ports[p].stopBits = static_cast<BYTE>(Byte(port + 4));
    }
    if (m_format == UPLOAD_FORMAT_0)
        return;
    for (int j = 0; j < MODULE_INPUT_FILTERS / 2; ++j) {
        const int filters = Byte(base + FILTER_BASE + j);
        cpu.inputFilters[2 * j] = static_cast<BYTE>(filters & 0x0F);
        cpu.inputFilters[2 * j + 1] = static_cast<BYTE>(filters >> 4);
    }
    if (m_cpu.modbusLength > 2) {
        m_project.ModbusMaster[1][MODBUS_ENABLE_OFFSET] = 1;
        m_project.SetModbusInt(1, MODBUS_SWITCH_OFFSET, Byte(base + MODBUS_BASE + 2));
        m_project.SetModbusInt(1, MODBUS_TIMEOUT_OFFSET, Word(base + MODBUS_BASE + 3));
        m_project.ModbusRetries = Byte(base + MODBUS_BASE + 5);
    }
}

BOOL CUploadImageParser::RestoreCanOpen()
{
    if (m_format != UPLOAD_FORMAT_2)
        return TRUE;
    const auto first = m_image.begin() + Block(5).start + m_cpu.canopenBase;
    const std::vector<BYTE> section(first, first + m_cpu.canopenLength);
    CCanopenImageDecoder decoder(m_app);
    if (!decoder.DecodeCanopenImage(section, m_project))
        return FALSE;
    if (decoder.UnmatchedSlaves > 0 || decoder.UnmatchedMappings > 0)
        ShowMessage("", ByteString::Format(CANOPEN_UNKNOWN_GBK, decoder.UnmatchedSlaves, decoder.UnmatchedMappings),
                    MB_OK);
    return TRUE;
}

BOOL CUploadImageParser::RestoreChannels()
{
    for (const auto& module : m_project.Modules) {
        if (!RestoreChannelsOf(*module))
            return FALSE;
    }
    return TRUE;
}

BOOL CUploadImageParser::RestoreChannelsOf(CZUL_Q7_PLC& module)
{
    const BlockSpan& block = Block(5);
    const DWORD kind = module.kindMask;
    if (kind == 0x1 || kind == 0x8 || kind == 0x10 || kind == 0x20 || kind == 0x40) {
        for (int j = 0; j < (module.doCount + 7) / 8; ++j) {
            const int index = module.qStart + j;
            if (index >= m_cpu.stopBytes || 8 * j + 7 >= MODULE_STOP_STATES)
                return FALSE;
            const int stop = Byte(block.start + STOP_BASE + index);
            for (int b = 0; b < 8; ++b)
                module.stopStates[8 * j + b] = (stop >> b) & 1;
        }
    }
    const bool analogInput = kind == 0x80 || kind == 0x100 || kind == 0x200 || kind == 0x400 ||
                             (kind == 0x2000 && TakesCombinedAnalog());
    for (int i = 0; analogInput && i < module.aiCount; ++i) {
        const int offset = m_cpu.aiBase + module.aiStart / 2 + i;
        if (i >= MODULE_AI_SLOTS || offset >= block.size)
            return FALSE;
        const int channel = Byte(block.start + offset);
        int function = channel >> 4;
        int filter = channel & 0x0F;
        if (function == 7 && (filter & 8)) {
            function = 8;
            filter &= 7;
        } else if (function == 8) {
            function = (filter & 8) ? 10 : 9;
            filter = (filter & 8) ? filter & 7 : filter;
        }
        module.aiFunction[i] = static_cast<BYTE>(function);
        module.aiFilter[i] = static_cast<BYTE>(filter);
    }
    const bool analogOutput = kind == 0x800 || (kind == 0x2000 && TakesCombinedAnalog());
    for (int i = 0; analogOutput && i < module.aoCount; ++i) {
        const int offset = m_cpu.aoBase + 3 * (module.aoStart / 2 + i);
        if (i >= MODULE_AO_SLOTS || offset + 3 > block.size)
            return FALSE;
        const int first = Byte(block.start + offset);
        module.aoRange[i] = static_cast<BYTE>(first >> 4);
        module.aoStopMode[i] = (first >> 3) & 1;
        module.aoFreezeValue[i] = static_cast<DWORD>(Word(block.start + offset + 1));
    }
    return TRUE;
}

void CUploadImageParser::RestoreLanguageTable()
{
    if (!HasLanguageTable())
        return;
    const BlockSpan& block = Block(8);
    for (int j = 0; j < POU_LANGUAGE_ENTRIES / 2; ++j) {
        const int packed = Byte(block.start + LANGUAGE_TABLE_BASE + j);
        g_POULanguageTable[2 * j] = static_cast<BYTE>(packed & 0x0F);
        g_POULanguageTable[2 * j + 1] = static_cast<BYTE>(packed >> 4);
    }
}

BOOL CUploadImageParser::RestorePOUs()
{
    const int codeStart = Block(6).start;
    const int codeLength = Word(codeStart) - BLOCK_HEADER_BYTES;
    const BYTE* code = m_image.data() + codeStart + BLOCK_HEADER_BYTES;
    if (!HasLanguageTable())
        return RebuildUploadedPOUs(code, codeLength, nullptr, m_format, m_project);
    const auto first = m_image.begin() + Block(9).start;
    const std::vector<BYTE> block9(first, first + Word(Block(9).start));
    return RebuildUploadedPOUs(code, codeLength, &block9, m_format, m_project);
}

void CUploadImageParser::RestoreInitialData()
{
    const int start = Block(7).start;
    const int end = start + Word(start);
    for (int offset = start + INIT_FIRST_RECORD; offset < end;) {
        const int count = Byte(offset + 2);
        DWORD typeFlags = 0;
        const int width = ValueWidth(Byte(offset + 3 + count), typeFlags);
        CZULInitData* row = m_project.InitialData.emplace_back(std::make_unique<CZULInitData>()).get();
        if (width > 0) {
            const EncodedPlcAddress address = static_cast<EncodedPlcAddress>(Word(offset));
            row->rowState1 = typeFlags;
            row->values.push_back(address);
            row->texts.push_back(CZULProject::FormatAddress(address, typeFlags));
            for (int v = 0; v < count / width; ++v) {
                DWORD value = 0;
                for (int b = width - 1; b >= 0; --b)
                    value = (value << 8) | static_cast<DWORD>(Byte(offset + 3 + v * width + b));
                std::string text;
                switch (width == 4 && typeFlags == OT_REAL ? 0 : width) {
                case 0:
                    text = ByteString::Format("%f", static_cast<double>(DwordToFloat(value)));
                    break;
                case 1:
                    text = ByteString::Format("B#%u", static_cast<unsigned>(value));
                    break;
                case 2:
                    // An INT row holds the signed value of the stored bit pattern.
                    value = static_cast<DWORD>(static_cast<int>(static_cast<short>(value)));
                    text = ByteString::Format("%d", static_cast<int>(value));
                    break;
                default:
                    text = ByteString::Format("DI#%d", static_cast<int>(value));
                    break;
                }
                row->values.push_back(value);
                row->texts.push_back(text);
            }
        }
        offset += count + 4;
    }
}

BOOL ParseUploadImage(CZULAppData& app)
{
    CUploadImageParser parser(app);
    return parser.Parse();
}
