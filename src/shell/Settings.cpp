#include "Settings.h"

#include "IProfile.h"
#include "model/CZULAppData.h"
#include "model/SharedStrings.h"
#include "platform/ByteString.h"
#include "plclink/CPlcCommPort.h"

#include <cctype>
#include <climits>

namespace {

// "Interface" is read from its first two characters only.
constexpr std::size_t kInterfaceDigits = 2;
// Missing mask values select every area and type; missing boxes are ticked.
constexpr int kAllBits = -1;
constexpr int kBoxTicked = 1;

std::string ReadText(const IProfile& profile, const char* section, const char* key)
{
    return profile.GetProfileString(section, key, "");
}

int ReadInt(const IProfile& profile, const char* key, int missing)
{
    const std::string text = ReadText(profile, kSectionConfiguration, key);
    return text.empty() ? missing : ProfileTextToInt(text);
}

void WriteInt(IProfile& profile, const char* key, int value)
{
    profile.WriteProfileString(kSectionConfiguration, key, ByteString::Format("%d", value));
}

void LoadComSection(const IProfile& profile, CPlcCommPort& port)
{
    const std::string station = ReadText(profile, kSectionCOM, kKeyDestAddr);
    const std::string portName = ReadText(profile, kSectionCOM, kKeyPort);
    if (station.empty() || portName.empty())
        return;
    port.Station = ProfileTextToInt(station);
    port.PortName = portName;
    port.BaudRate = ProfileTextToInt(ReadText(profile, kSectionCOM, kKeyBaud));
    port.DataBits = static_cast<BYTE>(ProfileTextToInt(ReadText(profile, kSectionCOM, kKeyDataBits)));
    port.StopBits = static_cast<BYTE>(ProfileTextToInt(ReadText(profile, kSectionCOM, kKeyStopBits)));
    const std::string parity = ReadText(profile, kSectionCOM, kKeyParity);
    for (int k = 0; k < SharedListSize(kParityNames); ++k) {
        if (parity == kParityNames[k])
            port.ParityIndex = static_cast<BYTE>(k);
    }
}

} // namespace

int ProfileTextToInt(const std::string& text)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    value = negative ? -value : value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

void LoadSettings(const IProfile& profile, CZULAppData& app, CPlcCommPort& port)
{
    const std::string theme = ReadText(profile, kSectionConfiguration, kKeyInterface);
    app.Interface = theme.empty() ? DEFAULT_INTERFACE_THEME : ProfileTextToInt(theme.substr(0, kInterfaceDigits));
    // The compile-before choices hold for one run only.
    ReadInt(profile, kKeyCompileBeforeDown, 0);
    app.IfCompileBeforeDown = 0;
    ReadInt(profile, kKeyCompileBeforeOnline, 0);
    app.IfCompileBeforeOnline = 0;
    // The monitor number format always starts as mixed.
    ReadInt(profile, kKeyOnlineFormat, 0);
    app.OnlineFormat = 0;
    // A language other than IL or LD would give a new POU no program file.
    const int language = ReadInt(profile, kKeyDefaultPOULang, POU_LANGUAGE_LD);
    app.DefaultPOULang = language == POU_LANGUAGE_IL ? POU_LANGUAGE_IL : POU_LANGUAGE_LD;
    app.AreaTypes = ReadInt(profile, kKeyAreaTypes, kAllBits);
    app.TypesOfArea = ReadInt(profile, kKeyTypesOfArea, kAllBits);
    for (int k = 0; k < XREF_AREA_SELECTIONS; ++k)
        app.SelArea[k] = ReadInt(profile, kKeySelArea[k], kBoxTicked);
    for (int k = 0; k < XREF_TYPE_SELECTIONS; ++k)
        app.SelType[k] = ReadInt(profile, kKeySelType[k], kBoxTicked);
    const int cpu = ReadInt(profile, kKeyDefaultCPU, DEFAULT_CPU_ROW);
    app.DefaultCPU = (cpu < 0 || cpu > LAST_CPU_ROW) ? DEFAULT_CPU_ROW : cpu;
    LoadComSection(profile, port);
}

void SaveSettings(IProfile& profile, const CZULAppData& app)
{
    profile.WriteProfileString(kSectionConfiguration, kKeyInterface, ByteString::Format("%2d", app.Interface));
    WriteInt(profile, kKeyCompileBeforeDown, app.IfCompileBeforeDown);
    WriteInt(profile, kKeyCompileBeforeOnline, app.IfCompileBeforeOnline);
    WriteInt(profile, kKeyOnlineFormat, app.OnlineFormat);
    WriteInt(profile, kKeyDefaultPOULang, app.DefaultPOULang);
    WriteInt(profile, kKeyAreaTypes, app.AreaTypes);
    WriteInt(profile, kKeyTypesOfArea, app.TypesOfArea);
    for (int k = 0; k < XREF_AREA_SELECTIONS; ++k)
        WriteInt(profile, kKeySelArea[k], app.SelArea[k]);
    for (int k = 0; k < XREF_TYPE_SELECTIONS; ++k)
        WriteInt(profile, kKeySelType[k], app.SelType[k]);
    WriteInt(profile, kKeyDefaultCPU, app.DefaultCPU);
}
