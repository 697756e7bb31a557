#include "CDownloadImageBuilder.h"

#include "CCanOpenImageSection.h"
#include "ImageBytes.h"
#include "MonitorLists.h"

#include "compiler/CCompileMessage.h"
#include "model/CMemAreaInfo.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CZULInitData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "model/Crc16Modbus.h"
#include "model/LanguageLibrary.h"
#include "model/POULanguageTable.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace {

const char* const NO_OBJECT_FILE = "The compiled programs do not exist.\r\nPlease retry or contact with us.";
const char* const NO_OBJECT_FILE_CAPTION = "Error";
const char* const OBJECT_FILE_UNREADABLE = "Failed to access the compiled programs.\r\nPlease retry after restarting computer.";
const char* const OBJECT_FILE_UNREADABLE_CAPTION = "System Error";
// "编译文件不存在！\r\n请重试编译操作，若错误仍然存在，请与我公司联系。" and "错误"
const char* const NO_OBJECT_FILE_GBK =
    "\xB1\xE0\xD2\xEB\xCE\xC4\xBC\xFE\xB2\xBB\xB4\xE6\xD4\xDA\xA3\xA1\x0D\x0A\xC7\xEB\xD6\xD8\xCA\xD4\xB1\xE0\xD2\xEB"
    "\xB2\xD9\xD7\xF7\xA3\xAC\xC8\xF4\xB4\xED\xCE\xF3\xC8\xD4\xC8\xBB\xB4\xE6\xD4\xDA\xA3\xAC\xC7\xEB\xD3\xEB\xCE\xD2"
    "\xB9\xAB\xCB\xBE\xC1\xAA\xCF\xB5\xA1\xA3";
const char* const NO_OBJECT_FILE_CAPTION_GBK = "\xB4\xED\xCE\xF3";
// "无法访问编译文件！\r\n请重启计算机后再尝试编译。" and "系统错误"
const char* const OBJECT_FILE_UNREADABLE_GBK =
    "\xCE\xDE\xB7\xA8\xB7\xC3\xCE\xCA\xB1\xE0\xD2\xEB\xCE\xC4\xBC\xFE\xA3\xA1\x0D\x0A\xC7\xEB\xD6\xD8\xC6\xF4\xBC\xC6"
    "\xCB\xE3\xBB\xFA\xBA\xF3\xD4\xD9\xB3\xA2\xCA\xD4\xB1\xE0\xD2\xEB\xA1\xA3";
const char* const OBJECT_FILE_UNREADABLE_CAPTION_GBK = "\xCF\xB5\xCD\xB3\xB4\xED\xCE\xF3";

const char* const IMAGE_TOO_LARGE = "The download image is too large (%d bytes in %s); at most %d bytes are allowed.";
const char* const IMAGE_TOO_LARGE_CAPTION = "Error";

constexpr int HEADER_BYTES = 6;
constexpr int MAX_BLOCK_BYTES = 0xFFFF;
constexpr int LANGUAGE_AREA_BYTES = 512;
constexpr int LANGUAGE_TABLE_OFFSET = 8;
constexpr int POU_ENTRY_BYTES = 5;

// Block 5 offsets.
constexpr int RETAIN_BASE = 6;
constexpr int OPTION_GROUP_BASE = 30;
constexpr int STOP_BASE = 57;
constexpr int V0_AI_BASE = 91;
constexpr int V0_AI_CHANNELS = 39;
constexpr int V0_PORT_BASE = 133;
constexpr int V0_AO_BASE = 143;
constexpr int FILTER_BASE = 121;
constexpr int LARGE_AI_BASE = 125;
constexpr int LARGE_CHANNELS = 64;
constexpr int LARGE_PORT_BASE = 192;
constexpr int LARGE_FIXED_BYTES = 202;
constexpr int AO_RECORD_BYTES = 3;

using ImageBytes::AppendByte;
using ImageBytes::AppendWord;
using ImageBytes::PutWord;

int GetWord(const std::vector<BYTE>& bytes, size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8);
}

void StartBlock(std::vector<BYTE>& block, int number, int variant)
{
    block.assign(HEADER_BYTES, 0);
    block[2] = static_cast<BYTE>(number);
    block[3] = HEADER_BYTES;
    block[4] = static_cast<BYTE>(number);
    block[5] = static_cast<BYTE>(variant);
}

void ReportTooLarge(int bytes, const char* what, int limit)
{
    ShowMessage(IMAGE_TOO_LARGE_CAPTION, ByteString::Format(IMAGE_TOO_LARGE, bytes, what, limit),
                MB_OK | MB_ICONERROR);
}

// Stores the block's size in its header; a block beyond its 16-bit size is refused.
BOOL FinishBlock(std::vector<BYTE>& block)
{
    const int size = static_cast<int>(block.size());
    if (size > MAX_BLOCK_BYTES) {
        ReportTooLarge(size, ByteString::Format("block %d", block[2]).c_str(), MAX_BLOCK_BYTES);
        return FALSE;
    }
    PutWord(block, 0, size);
    return TRUE;
}

// Input and output byte ranges of a module record; 0xFF when the kind has none.
void ModuleRanges(const CZUL_Q7_PLC& module, BYTE range[4])
{
    std::fill(range, range + 4, BYTE(0xFF));
    const DWORD kind = module.kindMask;
    if (kind & MODULE_KINDS_WITH_I) {
        range[0] = module.iStart;
        range[1] = module.iEnd;
    } else if (kind & MODULE_KINDS_WITH_AI) {
        range[0] = module.aiStart;
        range[1] = module.aiEnd;
    }
    if (kind & MODULE_KINDS_WITH_Q) {
        range[2] = module.qStart;
        range[3] = module.qEnd;
    } else if (kind & MODULE_KINDS_WITH_AQ) {
        range[2] = module.aoStart;
        range[3] = module.aoEnd;
    }
}

bool IsSingleKind(DWORD kind, DWORD highestKind)
{
    return kind != 0 && (kind & (kind - 1)) == 0 && kind <= highestKind;
}

// The AI channel byte: function high, filter low; thermocouple functions
// name the type (7 J, 8 K) and set bit 3 for internal compensation. A
// thermocouple channel never set on its page is written as the page's
// first choice, type J with external compensation.
BYTE AIChannelByte(DWORD kind, BYTE function, BYTE filter)
{
    int high = function & 0x0F;
    int low = filter & 0x0F;
    if (kind == MODULE_KIND_AI_THERMOCOUPLE) {
        high = (function == 9 || function == 10) ? 8 : 7;
        if (function == 8 || function == 10)
            low |= 0x08;
    }
    return static_cast<BYTE>((high << 4) | low);
}

// Width and type code of an initial-data row's values; false when its flags name no data type.
bool InitialValueType(DWORD flags, int& width, int& code)
{
    if (flags & OT_BYTE) {
        width = 1;
        code = 1;
    } else if (flags & (OT_WORD | OT_INT)) {
        width = 2;
        code = 2;
    } else if (flags & (OT_DWORD | OT_DINT)) {
        width = 4;
        code = 3;
    } else if (flags & OT_REAL) {
        width = 4;
        code = 4;
    } else {
        return false;
    }
    return true;
}

// Type code of a declared variable: BOOL 1 .. REAL 7; 0 when its mask is not exactly one type.
int VariableTypeCode(DWORD typeBits)
{
    const DWORD mask = typeBits & OT_TYPE_BITS;
    for (int i = 0; i < DATA_TYPE_COUNT; ++i) {
        if (mask == g_DataTypeNames[i].bit)
            return i + 1;
    }
    return 0;
}

} // namespace

CDownloadImageBuilder::CDownloadImageBuilder(CZULAppData& app) : m_app(app), m_project(app.Project)
{
}

std::vector<BYTE>& CDownloadImageBuilder::Block(int number)
{
    return number == 9 ? m_project.ImageBlock9 : m_project.ImageBlocks[number - 3];
}

const std::vector<BYTE>& CDownloadImageBuilder::Block(int number) const
{
    return number == 9 ? m_project.ImageBlock9 : m_project.ImageBlocks[number - 3];
}

std::string CDownloadImageBuilder::ObjFilePath() const
{
    const std::string path = FileSystem::JoinPath(m_project.ProjectFolder, m_project.ProjectName + ".obj");
    const std::string existing = FileSystem::FindExisting(path);
    return existing.empty() ? path : existing;
}

std::string CDownloadImageBuilder::ObjectCodePath() const
{
    const std::string path = FileSystem::JoinPath(m_project.ProjectFolder, m_project.ProjectName + ".epl");
    const std::string existing = FileSystem::FindExisting(path);
    return existing.empty() ? path : existing;
}

int CDownloadImageBuilder::ImageBuilderOf(DWORD familyBit, BYTE subType)
{
    switch (familyBit) {
    case CPU_FAMILY_VA10:
        return subType == 0 ? IMAGE_BUILDER_TYPE0 : IMAGE_BUILDER_NONE;
    case CPU_FAMILY_VB12:
    case CPU_FAMILY_VB14:
    case CPU_FAMILY_NONE8:
        if (subType == 0)
            return IMAGE_BUILDER_TYPE0;
        return (subType == 1 || subType == 3) ? IMAGE_BUILDER_TYPE1 : IMAGE_BUILDER_NONE;
    case CPU_FAMILY_VB14EX:
        return subType == 1 ? IMAGE_BUILDER_TYPE1 : IMAGE_BUILDER_NONE;
    case CPU_FAMILY_VB16:
        return IMAGE_BUILDER_TYPE1;
    case CPU_FAMILY_VC14:
    case CPU_FAMILY_VC16:
        return subType == 2 ? IMAGE_BUILDER_TYPE2 : IMAGE_BUILDER_NONE;
    default:
        return IMAGE_BUILDER_NONE;
    }
}

BOOL CDownloadImageBuilder::CheckModules() const
{
    return !m_project.Modules.empty() && m_project.Modules[0] != nullptr &&
           m_project.Modules[0]->kindMask == MODULE_KIND_CPU;
}

int CDownloadImageBuilder::BuildDownloadImage()
{
    if (!CheckModules())
        return 0;
    int built = 0;
    switch (ImageBuilderOf(m_app.GetCPUFamilyMask(), m_app.ProfileSubType)) {
    case IMAGE_BUILDER_TYPE0:
        built = BuildImageType0();
        break;
    case IMAGE_BUILDER_TYPE1:
        built = BuildImageType1();
        break;
    case IMAGE_BUILDER_TYPE2:
        built = BuildImageType2();
        break;
    default:
        return 0;
    }
    return built && CheckImageSize() ? 1 : 0;
}

int CDownloadImageBuilder::BuildImageType0()
{
    const DWORD family = m_app.GetCPUFamilyMask();
    int cpuBlockSize = 0;
    if (family == CPU_FAMILY_VA10 || family == CPU_FAMILY_VB12)
        cpuBlockSize = 143;
    else if (family == CPU_FAMILY_VB14 || family == CPU_FAMILY_NONE8)
        cpuBlockSize = 191;
    else
        return 0;
    if (!BuildModuleBlock(MODULE_KIND_AIO_4) || !BuildCpuBlockVariant0(cpuBlockSize, cpuBlockSize == 191))
        return 0;
    if (!BuildObjectCodeBlock(false) || !BuildInitialDataBlock())
        return 0;
    BuildMonitorLists(m_app);
    if (!BuildMonitorBlock(false))
        return 0;
    return BuildDirectoryBlock(0, false) ? 1 : 0;
}

int CDownloadImageBuilder::BuildImageType1()
{
    if (!BuildModuleBlock(MODULE_KIND_AIO_2) || !BuildCpuBlockLarge(IMAGE_BUILDER_TYPE1))
        return 0;
    if (!BuildObjectCodeBlock(false) || !BuildInitialDataBlock())
        return 0;
    BuildMonitorLists(m_app);
    if (!BuildMonitorBlock(true) || !BuildVariableBlock())
        return 0;
    const DWORD family = m_app.GetCPUFamilyMask();
    if (!(family & (CPU_FAMILY_VB12 | CPU_FAMILY_VB14 | CPU_FAMILY_VB16 | CPU_FAMILY_NONE8 | CPU_FAMILY_VB14EX)))
        return 0;
    const bool variant3 = (family & (CPU_FAMILY_VB12 | CPU_FAMILY_VB14 | CPU_FAMILY_NONE8)) &&
                          m_app.ProfileSubType == PROFILE_SUBTYPE_VB;
    return BuildDirectoryBlock(variant3 ? 3 : 1, true) ? 1 : 0;
}

int CDownloadImageBuilder::BuildImageType2()
{
    if (!BuildModuleBlock(MODULE_KIND_AIO_4) || !BuildCpuBlockLarge(IMAGE_BUILDER_TYPE2))
        return 0;
    if (!BuildObjectCodeBlock(true) || !BuildInitialDataBlock())
        return 0;
    BuildMonitorLists(m_app);
    if (!BuildMonitorBlock(true) || !BuildVariableBlock())
        return 0;
    const DWORD family = m_app.GetCPUFamilyMask();
    if (family != CPU_FAMILY_VC14 && family != CPU_FAMILY_VC16)
        return 0;
    return BuildDirectoryBlock(2, true) ? 1 : 0;
}

BOOL CDownloadImageBuilder::BuildModuleBlock(DWORD highestKind)
{
    std::vector<BYTE>& block = Block(4);
    StartBlock(block, 4, 0);
    AppendByte(block, static_cast<int>(m_project.Modules.size()));
    for (size_t i = 0; i < m_project.Modules.size(); ++i) {
        const CZUL_Q7_PLC* module = m_project.Modules[i].get();
        if (!module || !IsSingleKind(module->kindMask, highestKind))
            return FALSE;
        BYTE range[4];
        ModuleRanges(*module, range);
        AppendByte(block, module->hardwareCode);
        AppendByte(block, static_cast<int>(i));
        block.insert(block.end(), range, range + 4);
    }
    return FinishBlock(block);
}

void CDownloadImageBuilder::WriteCommonCpuSettings(std::vector<BYTE>& block, int stopBytes) const
{
    const CZUL_Q7_PLC& cpu = *m_project.Modules[0];
    for (int k = 0; k < MODULE_RETAIN_RANGES; ++k) {
        const CRetainRange& range = cpu.retain[k];
        const int base = g_LiveAreaTable[range.area == 0 ? MEM_ROW_V : MEM_ROW_C].imageOffset;
        const int offset = RETAIN_BASE + 6 * k;
        block[offset] = static_cast<BYTE>(k);
        block[offset + 1] = range.area;
        PutWord(block, offset + 2, base + range.start);
        PutWord(block, offset + 4, range.length);
    }
    for (int j = 0; j < 3; ++j) {
        const int offset = OPTION_GROUP_BASE + 9 * j;
        block[offset] = static_cast<BYTE>(j);
        std::copy(cpu.optionBytes + 8 * j, cpu.optionBytes + 8 * j + 8, block.begin() + offset + 1);
    }
    for (const auto& module : m_project.Modules) {
        if (!(module->kindMask & MODULE_KINDS_WITH_Q))
            continue;
        const int bytes = module->doCount > 8 ? 2 : 1;
        for (int m = 0; m < bytes; ++m) {
            const int q = module->qStart + m;
            if (q >= stopBytes)
                continue;
            for (int b = 0; b < 8; ++b) {
                if (module->stopStates[8 * m + b])
                    SetBit(&block[STOP_BASE + q], b);
            }
        }
    }
}

void CDownloadImageBuilder::WriteAIChannels(std::vector<BYTE>& block, int base, int channels, DWORD kinds) const
{
    for (const auto& module : m_project.Modules) {
        if (!(module->kindMask & kinds))
            continue;
        const int count = std::min<int>(module->aiCount, MODULE_AI_SLOTS);
        for (int ch = 0; ch < count; ++ch) {
            const int c = module->aiStart / 2 + ch;
            if (c < channels)
                block[base + c] = AIChannelByte(module->kindMask, module->aiFunction[ch], module->aiFilter[ch]);
        }
    }
}

void CDownloadImageBuilder::WriteAORecords(std::vector<BYTE>& block, int base, int channels, DWORD kinds) const
{
    for (const auto& module : m_project.Modules) {
        if (!(module->kindMask & kinds))
            continue;
        const int count = std::min<int>(module->aoCount, MODULE_AO_SLOTS);
        for (int ch = 0; ch < count; ++ch) {
            const int c = module->aoStart / 2 + ch;
            if (c >= channels)
                continue;
            const int offset = base + AO_RECORD_BYTES * c;
            block[offset] = static_cast<BYTE>((module->aoRange[ch] << 4) | (module->aoStopMode[ch] ? 0x08 : 0));
            PutWord(block, offset + 1, static_cast<int>(module->aoFreezeValue[ch] & 0xFFFF));
        }
    }
}

void CDownloadImageBuilder::WritePort(std::vector<BYTE>& block, int offset, int port) const
{
    const CModulePortSettings& settings = m_project.Modules[0]->ports[port];
    block[offset] = settings.address;
    block[offset + 1] = settings.baud;
    block[offset + 2] = settings.dataBits;
    block[offset + 3] = settings.parity;
    block[offset + 4] = settings.stopBits;
}

BOOL CDownloadImageBuilder::BuildCpuBlockVariant0(int size, bool writeAO)
{
    std::vector<BYTE>& block = Block(5);
    StartBlock(block, 5, 0);
    block.resize(size, 0);
    WriteCommonCpuSettings(block, 32);
    WriteAIChannels(block, V0_AI_BASE, V0_AI_CHANNELS, MODULE_KINDS_WITH_AI & ~MODULE_KIND_AIO_2);
    WritePort(block, V0_PORT_BASE, 0);
    WritePort(block, V0_PORT_BASE + 5, 1);
    if (writeAO)
        WriteAORecords(block, V0_AO_BASE, (size - V0_AO_BASE) / AO_RECORD_BYTES,
                       MODULE_KIND_AO | MODULE_KIND_AIO_4);
    return FinishBlock(block);
}

BOOL CDownloadImageBuilder::BuildCpuBlockLarge(int builder)
{
    const CZUL_Q7_PLC& cpu = *m_project.Modules[0];
    std::vector<BYTE>& block = Block(5);
    StartBlock(block, 5, 0);
    block.resize(LARGE_FIXED_BYTES, 0);
    WriteCommonCpuSettings(block, LARGE_CHANNELS);
    for (int j = 0; j < MODULE_INPUT_FILTERS / 2; ++j)
        block[FILTER_BASE + j] =
            static_cast<BYTE>((cpu.inputFilters[2 * j] & 0x0F) | ((cpu.inputFilters[2 * j + 1] & 0x0F) << 4));
    const DWORD aiKinds =
        builder == IMAGE_BUILDER_TYPE1 ? MODULE_KINDS_WITH_AI : MODULE_KINDS_WITH_AI & ~MODULE_KIND_AIO_2;
    WriteAIChannels(block, LARGE_AI_BASE, LARGE_CHANNELS, aiKinds);
    WritePort(block, LARGE_PORT_BASE, 0);
    WritePort(block, LARGE_PORT_BASE + 5, 1);

    const int masterSwitch = m_project.GetModbusInt(1, MODBUS_SWITCH_OFFSET);
    if (masterSwitch == -1) {
        AppendWord(block, 2);
    } else {
        AppendWord(block, 6);
        AppendByte(block, masterSwitch);
        AppendWord(block, m_project.GetModbusInt(1, MODBUS_TIMEOUT_OFFSET));
        AppendByte(block, m_project.ModbusRetries);
    }
    if (builder == IMAGE_BUILDER_TYPE2) {
        std::vector<BYTE> section;
        if (!CCanOpenImageSection(m_project).Build(section))
            return FALSE;
        block.insert(block.end(), section.begin(), section.end());
    }
    const int aoBase = static_cast<int>(block.size());
    block.resize(block.size() + AO_RECORD_BYTES * LARGE_CHANNELS, 0);
    if (builder == IMAGE_BUILDER_TYPE1)
        WriteAORecords(block, aoBase, LARGE_CHANNELS, MODULE_KIND_AO | MODULE_KIND_AIO_2);
    AppendWord(block, 2);
    return FinishBlock(block);
}

BOOL CDownloadImageBuilder::BuildObjectCodeBlock(bool chineseTexts)
{
    std::vector<BYTE>& block = Block(6);
    StartBlock(block, 6, 0);
    const std::string path = ObjectCodePath();
    if (!FileSystem::FileExists(path)) {
        if (chineseTexts)
            ShowMessage(NO_OBJECT_FILE_CAPTION_GBK, NO_OBJECT_FILE_GBK, MB_OK | MB_ICONERROR);
        else
            ShowMessage(NO_OBJECT_FILE_CAPTION, NO_OBJECT_FILE, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    std::vector<BYTE> code;
    if (!FileSystem::ReadFileBytes(path, code)) {
        if (chineseTexts)
            ShowMessage(OBJECT_FILE_UNREADABLE_CAPTION_GBK, OBJECT_FILE_UNREADABLE_GBK, MB_OK | MB_ICONERROR);
        else
            ShowMessage(OBJECT_FILE_UNREADABLE_CAPTION, OBJECT_FILE_UNREADABLE, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    block.insert(block.end(), code.begin(), code.end());
    return FinishBlock(block);
}

BOOL CDownloadImageBuilder::BuildInitialDataBlock()
{
    std::vector<BYTE>& block = Block(7);
    StartBlock(block, 7, 0);
    AppendWord(block, 0);
    for (size_t row = 0; row < m_project.InitialData.size(); ++row) {
        CZULInitData* data = m_project.InitialData[row].get();
        if (!data || data->texts.size() <= 1)
            continue;
        const EncodedPlcAddress address = EncodeAddress(data->texts[0], 0);
        if (data->values.empty())
            data->values.push_back(address);
        else
            data->values[0] = address;
        AppendWord(block, address);
        // A row of no value type carries its address alone.
        int width = 0;
        int code = 0;
        if (!InitialValueType(data->rowState1, width, code))
            continue;
        const int count = std::min<int>(static_cast<int>(data->texts.size()) - 1, 255 / width);
        AppendByte(block, count * width);
        for (int v = 1; v <= count; ++v) {
            const DWORD value = static_cast<size_t>(v) < data->values.size() ? data->values[v] : 0;
            for (int b = 0; b < width; ++b)
                AppendByte(block, static_cast<int>(value >> (8 * b)));
        }
        AppendByte(block, code);
    }
    if (!FinishBlock(block))
        return FALSE;
    PutWord(block, HEADER_BYTES, static_cast<int>(block.size()) - HEADER_BYTES);
    return TRUE;
}

BOOL CDownloadImageBuilder::BuildMonitorBlock(bool languageArea)
{
    std::vector<BYTE>& block = Block(8);
    StartBlock(block, 8, 0);
    if (languageArea) {
        block.resize(HEADER_BYTES + LANGUAGE_AREA_BYTES, 0);
        for (int j = 0; j < POU_LANGUAGE_ENTRIES / 2; ++j)
            block[LANGUAGE_TABLE_OFFSET + j] = static_cast<BYTE>((g_POULanguageTable[2 * j] & 0x0F) |
                                                                 ((g_POULanguageTable[2 * j + 1] & 0x0F) << 4));
    }
    size_t codes = 0;
    for (const std::vector<WORD>& list : m_project.MonitorAddressLists)
        codes += list.size();
    AppendWord(block, static_cast<int>(std::min<size_t>(codes, MAX_BLOCK_BYTES)));
    for (const std::vector<WORD>& list : m_project.MonitorAddressLists) {
        for (WORD code : list)
            AppendWord(block, code);
    }
    AppendWord(block, MonitorReplyLength(m_app));
    return FinishBlock(block);
}

BOOL CDownloadImageBuilder::BuildVariableBlock()
{
    std::vector<BYTE>& block = Block(9);
    StartBlock(block, 9, 0);
    AppendByte(block, 0);
    int records = 0;
    for (const CPOUVarList& list : m_project.POUVarLists) {
        if (list.varCount <= 0 || static_cast<size_t>(list.varCount) != list.vars.size())
            continue;
        AppendWord(block, 8 + 3 * list.varCount);
        AppendByte(block, list.kind);
        AppendByte(block, HEADER_BYTES);
        AppendByte(block, list.number);
        AppendByte(block, 0);
        AppendWord(block, list.varCount);
        for (const CPOUVarInfo& var : list.vars) {
            const int typeCode = VariableTypeCode(var.typeBits);
            if (typeCode == 0)
                return FALSE;
            AppendWord(block, var.address);
            AppendByte(block, (typeCode << 4) | (var.section & 0x0F));
        }
        ++records;
    }
    block[HEADER_BYTES] = static_cast<BYTE>(records);
    return FinishBlock(block);
}

BOOL CDownloadImageBuilder::BuildDirectoryBlock(BYTE variant, bool hasBlock9)
{
    std::vector<BYTE>& block = Block(3);
    StartBlock(block, 3, variant);
    const int lastBlock = hasBlock9 ? 9 : 8;
    for (int number = 4; number <= lastBlock; ++number)
        AppendWord(block, static_cast<int>(Block(number).size()));
    const int pouCount =
        1 + static_cast<int>(m_project.POUs.SubroutineNodes.size()) + static_cast<int>(m_project.POUs.InterruptNodes.size());
    AppendByte(block, pouCount);
    for (int i = 0; i < (pouCount & 0xFF); ++i) {
        AppendByte(block, i == 0 ? 1 : 2);
        block.insert(block.end(), POU_ENTRY_BYTES - 1, 0);
    }
    AppendWord(block, 0); // the image CRC, stored by Compile All
    return FinishBlock(block);
}

BOOL CDownloadImageBuilder::CheckImageSize() const
{
    const int crcBytes = static_cast<int>(Block(4).size() + Block(5).size() + Block(6).size() + Block(7).size());
    if (crcBytes > MAX_BLOCK_BYTES) {
        ReportTooLarge(crcBytes, "blocks 4 to 7", MAX_BLOCK_BYTES);
        return FALSE;
    }
    const bool hasBlock9 = Block(3)[5] != 0;
    int total = 0;
    for (int number = 3; number <= (hasBlock9 ? 9 : 8); ++number)
        total += static_cast<int>(Block(number).size());
    if (total + DOWNLOAD_OPTION_BYTES > DOWNLOAD_MAX_BYTES) {
        ReportTooLarge(total, "the image", DOWNLOAD_MAX_BYTES - DOWNLOAD_OPTION_BYTES);
        return FALSE;
    }
    return TRUE;
}

WORD CDownloadImageBuilder::ComputeImageCRC() const
{
    const std::vector<BYTE>& block6 = Block(6);
    const size_t codeBytes = block6.size() >= 2 ? std::min<size_t>(GetWord(block6, 0), block6.size()) : 0;
    std::vector<BYTE> data;
    data.reserve(Block(4).size() + Block(5).size() + codeBytes + Block(7).size());
    data.insert(data.end(), Block(4).begin(), Block(4).end());
    data.insert(data.end(), Block(5).begin(), Block(5).end());
    data.insert(data.end(), block6.begin(), block6.begin() + static_cast<long>(codeBytes));
    data.insert(data.end(), Block(7).begin(), Block(7).end());
    return CRC16Modbus(data.data(), static_cast<DWORD>(data.size()));
}

int CDownloadImageBuilder::WriteObjBlocks(int lastBlock)
{
    std::vector<BYTE> bytes;
    for (int number = 3; number <= lastBlock; ++number)
        bytes.insert(bytes.end(), Block(number).begin(), Block(number).end());
    const std::string path = ObjFilePath();
    ClearReadOnlyAttribute(path);
    return FileSystem::SafeSave(path, bytes) ? 1 : 0;
}

int CDownloadImageBuilder::WriteObjFileType0()
{
    return WriteObjBlocks(8);
}

int CDownloadImageBuilder::WriteObjFileType1()
{
    return WriteObjBlocks(9);
}

int CDownloadImageBuilder::WriteObjFileType2()
{
    return WriteObjBlocks(9);
}

int CDownloadImageBuilder::WriteObjFile()
{
    if (!CheckModules())
        return 0;
    switch (ImageBuilderOf(m_app.GetCPUFamilyMask(), m_app.ProfileSubType)) {
    case IMAGE_BUILDER_TYPE0:
        return WriteObjFileType0();
    case IMAGE_BUILDER_TYPE1:
        return WriteObjFileType1();
    case IMAGE_BUILDER_TYPE2:
        return WriteObjFileType2();
    default:
        return 0;
    }
}
