#pragma once
// Text constants that many parts of the program share: the names of the
// settings sections and keys, the default project folder's name, the choice
// lists of the serial port, the input filters, the analog module pages and
// the retentive ranges, the messages of the initial-data check and the
// refusals of a table paste.
// The temporary folder is the path provider's private one
// (CPathProvider::TempFolder) and has no constant here.

#include <cstddef>

inline constexpr const char* kProjectFolderName = "project";
inline constexpr const char* kRegistryKey = "OrvelBuild1.0.0.1";

inline constexpr const char* kSectionConfiguration = "Configuration";
inline constexpr const char* kKeyInterface = "Interface";
inline constexpr const char* kKeyOnlineFormat = "OnlineFormat";
inline constexpr const char* kKeyCompileBeforeDown = "IfCompileBeforeDown";
inline constexpr const char* kKeyCompileBeforeOnline = "IfCompileBeforeOnline";
inline constexpr const char* kKeyDefaultPOULang = "DefaultPOULang";
inline constexpr const char* kKeyDefaultCPU = "DefaultCPU";
inline constexpr const char* kKeyPrevProj = "PrevProj";
inline constexpr const char* kKeyZipPath = "ZipPath";
inline constexpr const char* kKeyILTextFont = "ILTextFont";
inline constexpr const char* kKeyLDTextFont = "LDTextFont";
inline constexpr const char* kKeyLDCommentFont = "LDCommentFont";
inline constexpr const char* kKeyAreaTypes = "AreaTypes";
inline constexpr const char* kKeyTypesOfArea = "TypesOfArea";

inline constexpr const char* kSectionCOM = "COM";
inline constexpr const char* kKeyPort = "PORT";
inline constexpr const char* kKeyDestAddr = "DestAddr";
inline constexpr const char* kKeyBaud = "Baud";
inline constexpr const char* kKeyDataBits = "DataBits";
inline constexpr const char* kKeyParity = "Parity";
inline constexpr const char* kKeyStopBits = "StopBits";

inline constexpr const char* kSingleRangeName = "mfd502-3470";

inline constexpr const char* kKeySelArea[] = {
    "SelArea0", "SelArea1", "SelArea2",  "SelArea3",  "SelArea4",  "SelArea5",  "SelArea6", "SelArea7",
    "SelArea8", "SelArea9", "SelArea10", "SelArea11", "SelArea12", "SelArea13", "SelArea14",
};
inline constexpr const char* kKeySelType[] = {
    "SelType0", "SelType1", "SelType2", "SelType3", "SelType4", "SelType5", "SelType6",
};
inline constexpr const char* kFilterTimes[] = {"0.0", "0.8", "1.6", "3.2", "6.4", "12.8"};
inline constexpr const char* kRetainAreas[] = {"VB", "C"};
inline constexpr const char* kAnalogFilterModes[] = {"None", "Arithmetic Mean", "Median Average"};
inline constexpr const char* kAnalogRanges[] = {"[4,20]mA", "[0,20]mA", "[1,5]V", "[-10,10]V"};
inline constexpr const char* kRtdTypes[] = {"Pt100", "Cu50"};
inline constexpr const char* kThermocoupleTypes[] = {
    "type J ext. comp.", "type J int. comp.", "type K ext. comp.", "type K int. comp.",
};
inline constexpr const char* kBaudRates[] = {"1200", "2400", "4800", "9600", "19200", "38400"};
inline constexpr const char* kParityNames[] = {"None", "Odd", "Even"};
inline constexpr const char* kDataBitsChoices[] = {"", "8"};
inline constexpr const char* kStopBitsChoices[] = {"1"};

inline constexpr const char* kInitDataMessages[] = {
    "The address is not legal.",
    "You are allowed to make initial value assignments to V memory only. You can make value assignments to "
    "byte (VB), word(VW), double word (VD), or REAL (VD) addresses.",
    "The initial value is not legal.",
    "The data type of initial value is not appropriate.",
    "Unknown intial value due to illegal address.",
    "The address is out of range.",
};

// The refusals of a paste into a table, by the grid's result code 1 to 5
// (index 0, a paste that succeeded, has no text), with their box caption.
inline constexpr const char* kGridPasteCaption = "Note";
inline constexpr const char* kGridPasteMessages[] = {
    "",
    "Unable to paste because the shape of source is different from the destination",
    "Unable to retrieve the data from the clipboard.",
    "Unable to paste because the data format in the clipboard is not porper.",
    "Unable to paste because the starting column of source is different from destination.",
    "Unable to paste because the type of source table is different from the destination.",
};

template <typename T, std::size_t N>
constexpr int SharedListSize(const T (&)[N])
{
    return static_cast<int>(N);
}
