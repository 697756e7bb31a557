#include "toolkit/commandbars/draw/CTKSystemColors.h"

#include "platform/CSystemMetrics.h"
#include "toolkit/commandbars/draw/CTKVisualStyles.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr COLORREF kBlack = 0;
constexpr int kLowColorBits = 8;
constexpr int kLastSystemIndex = 27;
constexpr int kPercentLimit = 100;
constexpr int kPerMille = 1000;
// Weights of the colour space and the largest coordinate of each channel.
constexpr double kRedWeight = 195.0;
constexpr double kGreenWeight = 390.0;
constexpr double kBlueWeight = 65.0;
constexpr int kAdaptDistanceLimit = 220;
// Just above the distance of white from black (440.85).
constexpr float kWhiteDistance = 442.0f;
constexpr float kMinLength = 0.001f;
constexpr int kBrightenStep = 35;
constexpr int kDarkenStep = 43;
constexpr int kLightFaceStep = 15;
constexpr int kLightGradientWeight = 205;

struct PlainEntry {
    int target;
    int source;
};

// Low-colour values, and the starting values of the blends, in refresh order.
constexpr PlainEntry kPlainEntries[] = {
    {30, COLOR_BTNFACE},       {31, COLOR_WINDOW},    {33, COLOR_HIGHLIGHT},     {41, COLOR_WINDOW},
    {35, COLOR_GRAYTEXT},      {38, COLOR_BTNSHADOW}, {39, COLOR_BTNSHADOW},     {43, COLOR_BTNSHADOW},
    {40, COLOR_BTNSHADOW},     {36, COLOR_WINDOW},    {32, COLOR_HIGHLIGHT},     {37, COLOR_HIGHLIGHT},
    {44, COLOR_WINDOWTEXT},    {45, COLOR_MENUTEXT},  {46, COLOR_BTNTEXT},       {47, COLOR_HIGHLIGHTTEXT},
    {48, COLOR_BTNFACE},       {49, COLOR_BTNTEXT},   {42, COLOR_BTNSHADOW},     {50, COLOR_HIGHLIGHT},
    {34, COLOR_BTNSHADOW},     {51, COLOR_BTNFACE},   {52, COLOR_BTNSHADOW},     {53, COLOR_BTNFACE},
    {54, COLOR_BTNSHADOW},     {55, COLOR_BTNFACE},
};

struct BlendEntry {
    int target;
    int first;
    int second;
    int weight;
};

// High-colour blends, in refresh order; 43 blends the still plain entry 46 (button text).
constexpr BlendEntry kBlends[] = {
    {30, 5, 15, 165}, {31, 13, 5, 30}, {33, 13, 5, 50}, {41, 15, 5, 143}, {35, 17, 5, 70},
    {38, 16, 5, 75},  {39, 16, 5, 70}, {43, 46, 16, 20}, {40, 16, 5, 90}, {42, 15, 16, 90},
};

struct ContrastEntry {
    int target;
    int background;
    int color;
    float threshold;
};

// Entries made to contrast with a background, in refresh order.
constexpr ContrastEntry kContrasts[] = {
    {31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},  {37, 33, 37, 100},
    {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 47, 43, 100}, {40, 30, 40, 80},  {44, 41, 44, 180},
    {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180},
};

struct LunaScheme {
    const char* colorName;
    COLORREF entry54;
    COLORREF gradientFirst;
    COLORREF gradientSecond;
};

constexpr LunaScheme kLunaSchemes[] = {
    {"normalcolor", RGB(0, 45, 150), RGB(158, 190, 245), RGB(196, 218, 250)},
    {"homestead", RGB(96, 128, 88), RGB(217, 217, 167), RGB(242, 241, 228)},
    {"metallic", RGB(124, 124, 148), RGB(215, 215, 229), RGB(243, 243, 247)},
};
constexpr int kLunaEntry = 54;

struct Weighted {
    float r;
    float g;
    float b;
};

Weighted ToWeighted(COLORREF c)
{
    return {static_cast<float>(CTKSystemColors::WeightedRed(c)), static_cast<float>(CTKSystemColors::WeightedGreen(c)),
            static_cast<float>(CTKSystemColors::WeightedBlue(c))};
}

int BackToChannel(float value, double weight)
{
    const double clamped = std::clamp(static_cast<double>(value), 0.0, weight);
    const int channel = static_cast<int>(std::floor(clamped * 255.0 / weight + 0.5));
    return std::clamp(channel, 0, 255);
}

COLORREF FromWeighted(const Weighted& w)
{
    return RGB(BackToChannel(w.r, kRedWeight), BackToChannel(w.g, kGreenWeight), BackToChannel(w.b, kBlueWeight));
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The largest channel moved to newMax, the others in proportion.
COLORREF ScaleToMax(COLORREF c, int max, int newMax)
{
    return RGB(GetRValue(c) * newMax / max, GetGValue(c) * newMax / max, GetBValue(c) * newMax / max);
}

int MaxChannel(COLORREF c)
{
    return std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
}

} // namespace

CTKSystemColors::CTKSystemColors()
{
    RefreshColors(FALSE);
}

CTKSystemColors& CTKSystemColors::Instance()
{
    static CTKSystemColors colors;
    return colors;
}

COLORREF CTKSystemColors::LookupColor(UINT index) const
{
    if (index < kColorCount)
        return m_colors[index];
    return index;
}

COLORREF CTKSystemColors::BlendColors(COLORREF first, COLORREF second, int weight)
{
    const int d = weight < kPercentLimit ? kPercentLimit : kPerMille;
    auto mix = [&](int a, int b) { return (a * weight + b * (d - weight) + d / 2) / d; };
    return RGB(mix(GetRValue(first), GetRValue(second)), mix(GetGValue(first), GetGValue(second)),
               mix(GetBValue(first), GetBValue(second)));
}

double CTKSystemColors::WeightedRed(COLORREF color)
{
    return GetRValue(color) * kRedWeight / 255.0;
}

double CTKSystemColors::WeightedGreen(COLORREF color)
{
    return GetGValue(color) * kGreenWeight / 255.0;
}

double CTKSystemColors::WeightedBlue(COLORREF color)
{
    return GetBValue(color) * kBlueWeight / 255.0;
}

double CTKSystemColors::ColorDistanceSquared(COLORREF a, COLORREF b)
{
    const double db = WeightedBlue(a) - WeightedBlue(b);
    const double dg = WeightedGreen(a) - WeightedGreen(b);
    const double dr = WeightedRed(a) - WeightedRed(b);
    return db * db + dg * dg + dr * dr;
}

double CTKSystemColors::ColorDistance(COLORREF a, COLORREF b)
{
    return std::sqrt(ColorDistanceSquared(a, b));
}

double CTKSystemColors::AdaptContrastThreshold(int distance, int threshold)
{
    const float k = 1.0f / static_cast<float>(kAdaptDistanceLimit);
    const int limited = std::min(distance, kAdaptDistanceLimit);
    const float result = (2.0f - static_cast<float>(limited) * k) * static_cast<float>(threshold);
    return result;
}

BOOL CTKSystemColors::HasContrast(COLORREF a, COLORREF b, BOOL adaptive, float threshold)
{
    float t = threshold;
    if (adaptive) {
        const int distance = static_cast<int>(std::floor(ColorDistance(a, kBlack)));
        t = static_cast<float>(AdaptContrastThreshold(distance, static_cast<int>(std::floor(threshold))));
    }
    return ColorDistanceSquared(a, b) > static_cast<double>(t) * static_cast<double>(t);
}

COLORREF CTKSystemColors::EnsureContrast(COLORREF background, COLORREF color, float threshold)
{
    const float dA = static_cast<float>(ColorDistance(background, kBlack));
    const float t = static_cast<float>(
        AdaptContrastThreshold(static_cast<int>(std::floor(dA)), static_cast<int>(std::floor(threshold))));
    const float dB = static_cast<float>(ColorDistance(color, kBlack));
    const bool lighten = dB > dA ? dA <= kWhiteDistance - t : dA <= t;

    Weighted a = ToWeighted(background);
    Weighted b = ToWeighted(color);
    const Weighted max = {static_cast<float>(kRedWeight), static_cast<float>(kGreenWeight),
                          static_cast<float>(kBlueWeight)};
    if (lighten) {
        a = {max.r - a.r, max.g - a.g, max.b - a.b};
        b = {max.r - b.r, max.g - b.g, max.b - b.b};
    }
    const float length = std::max(std::sqrt(b.b * b.b + b.g * b.g + b.r * b.r), kMinLength);
    const float dot = a.b * b.b + a.g * b.g + a.r * b.r;
    const float k = dot / (length * length);
    const float p = dot / length;
    const float pb = k * b.b - a.b;
    const float pg = k * b.g - a.g;
    const float pr = k * b.r - a.r;
    const float perp2 = pb * pb + pg * pg + pr * pr;
    const float s = std::sqrt(std::max(t * t - perp2, 0.0f));
    const float along = p - s;
    Weighted n = {along * b.r / length, along * b.g / length, along * b.b / length};
    if (lighten)
        n = {max.r - n.r, max.g - n.g, max.b - n.b};
    return FromWeighted(n);
}

COLORREF CTKSystemColors::ReduceContrast(COLORREF reference, COLORREF color, float threshold)
{
    const float d = static_cast<float>(ColorDistance(reference, color));
    if (d <= 0.0f)
        return color;
    const float t = static_cast<float>(AdaptContrastThreshold(
        static_cast<int>(std::floor(ColorDistance(kBlack, reference))), static_cast<int>(std::floor(threshold))));
    const float h = (d - t) / d;
    const Weighted a = ToWeighted(reference);
    const Weighted b = ToWeighted(color);
    return FromWeighted({b.r + h * (a.r - b.r), b.g + h * (a.g - b.g), b.b + h * (a.b - b.b)});
}

int CTKSystemColors::IsLunaVisualStyle()
{
    CTKVisualStyles styles;
    std::string fileName;
    std::string colorName;
    if (styles.GetCurrentThemeName(&fileName, &colorName, nullptr) != S_OK)
        return 0;
    if (Lower(fileName).find("luna.msstyles") == std::string::npos)
        return 0;
    const std::string color = Lower(colorName);
    for (int i = 0; i < static_cast<int>(std::size(kLunaSchemes)); ++i) {
        if (color == kLunaSchemes[i].colorName)
            return i + 1;
    }
    return 0;
}

void CTKSystemColors::RefreshColors(BOOL onlyIfNotDone)
{
    if (onlyIfNotDone && m_initialized)
        return;
    m_initialized = TRUE;
    const int bits = CSystemMetrics::Instance().GetBitsPerPixel();
    const bool lowColor = bits >= 1 && bits <= kLowColorBits;

    m_colors[0] = kBlack;
    for (int i = 1; i <= kLastSystemIndex; ++i)
        m_colors[i] = GetSysColor(i);
    for (const PlainEntry& entry : kPlainEntries)
        m_colors[entry.target] = GetSysColor(entry.source);
    if (!lowColor)
        RefreshHighColor();

    const COLORREF face = m_colors[COLOR_BTNFACE];
    m_lightGradient.SetColors(face, BlendColors(face, m_colors[COLOR_WINDOW], kLightGradientWeight));
    if (m_lunaColorsDisabled)
        return;
    const int scheme = IsLunaVisualStyle();
    if (scheme == 0)
        return;
    const LunaScheme& luna = kLunaSchemes[scheme - 1];
    m_colors[kLunaEntry] = luna.entry54;
    m_lightGradient.SetColors(luna.gradientFirst, luna.gradientSecond);
}

void CTKSystemColors::RefreshHighColor()
{
    COLORREF* c = m_colors;
    for (const BlendEntry& blend : kBlends)
        c[blend.target] = BlendColors(c[blend.first], c[blend.second], blend.weight);
    const COLORREF face = c[COLOR_BTNFACE];
    if (HasContrast(face, c[30], TRUE, 35))
        c[30] = ReduceContrast(face, c[30], 35);
    ApplyContrastCorrections();
    if (HasContrast(c[41], c[35], TRUE, 145))
        c[35] = ReduceContrast(c[41], c[35], 145);

    auto part = [](int percent, int channel) { return percent * channel / 100; };
    const COLORREF window = c[COLOR_WINDOW];
    const COLORREF highlight = c[COLOR_HIGHLIGHT];
    c[36] = RGB(part(50, GetRValue(c[30])) + part(40, GetRValue(window)) + part(10, GetRValue(highlight)),
                part(50, GetGValue(c[30])) + part(40, GetGValue(window)) + part(10, GetGValue(highlight)),
                part(50, GetBValue(c[30])) + part(40, GetBValue(window)) + part(10, GetBValue(highlight)));

    const int faceMax = MaxChannel(face);
    c[48] = faceMax == 0 ? RGB(kBrightenStep, kBrightenStep, kBrightenStep)
                         : ScaleToMax(face, faceMax, faceMax + std::min(255 - faceMax, kBrightenStep));
    const COLORREF shadow = c[COLOR_BTNSHADOW];
    const int shadowMax = MaxChannel(shadow);
    if (face == kBlack)
        c[49] = RGB(127, 127, 127);
    else if (shadowMax == 0)
        c[49] = kBlack;
    else
        c[49] = ScaleToMax(shadow, shadowMax, std::max(shadowMax - kDarkenStep, 0));

    const COLORREF base = c[31];
    c[34] = RGB(static_cast<int>(GetRValue(base) * 0.75), static_cast<int>(GetGValue(base) * 0.75),
                static_cast<int>(GetBValue(base) * 0.75));
    c[COLOR_3DLIGHT] = RGB(std::min(GetRValue(face) + kLightFaceStep, 255),
                           std::min(GetGValue(face) + kLightFaceStep, 255),
                           std::min(GetBValue(face) + kLightFaceStep, 255));
    c[53] = c[30];
}

void CTKSystemColors::ApplyContrastCorrections()
{
    for (const ContrastEntry& entry : kContrasts) {
        const COLORREF background = m_colors[entry.background];
        const COLORREF color = m_colors[entry.color];
        if (!HasContrast(background, color, TRUE, entry.threshold))
            m_colors[entry.target] = EnsureContrast(background, color, entry.threshold);
    }
}
