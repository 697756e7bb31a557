#include "CQtFontCache.h"

#include "QtText.h"

#include "platform/CSystemMetrics.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Fonts a device context keeps; the oldest goes first beyond that.
constexpr std::size_t kMaxEntries = 16;
// The pixel size at which a cell height is turned into a character height.
constexpr int kProbePixels = 100;
constexpr int kFirstPrintable = 0x20;
constexpr int kMinWeight = 100;
constexpr int kMaxWeight = 900;

} // namespace

CQtFontCache::Entry::Entry(const LOGFONT& fontRecord, int devicePixels, const QFont& qtFont, QPaintDevice* device)
    : record(fontRecord), pixels(devicePixels), font(qtFont), metrics(qtFont, device)
{
    fixedPitch = QFontInfo(font).fixedPitch() ? TRUE : FALSE;
    cell = metrics.horizontalAdvance(QLatin1Char('0'));
    if (cell < 1)
        cell = 1;
    raws.push_back(QRawFont::fromFont(font));
    if (!fixedPitch)
        return;
    QString printable;
    for (int c = kFirstPrintable; c < kAsciiCount; ++c)
        printable += QLatin1Char(static_cast<char>(c));
    const QList<quint32> glyphs = raws[0].glyphIndexesForString(printable);
    for (int i = 0; i < glyphs.size(); ++i)
        m_ascii[static_cast<std::size_t>(kFirstPrintable + i)] = glyphs[i];
}

int CQtFontCache::Entry::CountCells(const std::string& text)
{
    // Every byte is one cell: a double-byte character has two bytes and two cells.
    return static_cast<int>(text.size());
}

int CQtFontCache::Entry::RawIndex(const QRawFont& raw)
{
    for (std::size_t i = 0; i < raws.size(); ++i) {
        if (raws[i] == raw)
            return static_cast<int>(i);
    }
    raws.push_back(raw);
    return static_cast<int>(raws.size() - 1);
}

const CQtFontCache::Entry::Wide& CQtFontCache::Entry::WideGlyph(unsigned code, const std::string& character, int cells)
{
    const auto found = m_wide.find(code);
    if (found != m_wide.end())
        return found->second;
    Wide wide {0, 0, 0};
    QTextLayout layout(ToQString(character), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (!runs.isEmpty() && !runs.front().glyphIndexes().isEmpty()) {
        const QGlyphRun& run = runs.front();
        wide.raw = RawIndex(run.rawFont());
        wide.glyph = run.glyphIndexes().front();
        const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(QList<quint32> {wide.glyph});
        const int advance = advances.isEmpty() ? 0 : static_cast<int>(std::lround(advances.front().x()));
        const int spare = cells * cell - advance;
        wide.offset = spare > 0 ? spare / 2 : 0;
    }
    return m_wide.emplace(code, wide).first->second;
}

int CQtFontCache::Entry::LayoutCells(const std::string& text, std::vector<Placed>* placed)
{
    placed->clear();
    placed->reserve(text.size());
    int cells = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = GbkCharLength(text, i);
        if (length == 1 && byte < kAsciiCount && m_ascii[byte] != 0) {
            if (byte != ' ')
                placed->push_back({0, m_ascii[byte], cells * cell});
            ++cells;
            ++i;
            continue;
        }
        unsigned code = byte;
        if (length == 2)
            code = (code << 8) | static_cast<unsigned char>(text[i + 1]);
        const Wide& wide = WideGlyph(code, text.substr(i, static_cast<std::size_t>(length)), length);
        if (wide.glyph != 0)
            placed->push_back({wide.raw, wide.glyph, cells * cell + wide.offset});
        cells += length;
        i += static_cast<std::size_t>(length);
    }
    return cells;
}

CQtFontCache::CQtFontCache() = default;

CQtFontCache::~CQtFontCache() = default;

BOOL CQtFontCache::SameRecord(const LOGFONT& a, const LOGFONT& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement
        && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline
        && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet
        && std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

QFont CQtFontCache::MakeFont(const LOGFONT& record, const CDCMapping& mapping)
{
    QFont font(record.lfFaceName[0] ? ToQString(std::string(record.lfFaceName, strnlen(record.lfFaceName, LF_FACESIZE)))
                                    : QString(CSystemMetrics::DefaultFace()));
    int height = record.lfHeight;
    if (height == 0)
        height = CSystemMetrics::Instance().GetMenuFont().lfHeight;
    int pixels = mapping.LengthYToDP(std::abs(height));
    if (height > 0) {
        // A cell height: the character height is the part of it without the leading.
        QFont probe(font);
        probe.setPixelSize(kProbePixels);
        const QFontMetricsF metrics(probe);
        pixels = static_cast<int>(std::lround(pixels * static_cast<double>(kProbePixels) / metrics.height()));
    }
    font.setPixelSize(pixels > 0 ? pixels : 1);
    const int weight = record.lfWeight <= 0 ? FW_NORMAL : record.lfWeight;
    font.setWeight(static_cast<QFont::Weight>(weight < kMinWeight ? kMinWeight : (weight > kMaxWeight ? kMaxWeight : weight)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    // Whole-pixel advances: text measured and drawn keeps to the pixel grid.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

CQtFontCache::Entry& CQtFontCache::Get(const LOGFONT& record, const CDCMapping& mapping, QPaintDevice* device)
{
    if (device != m_device) {
        m_entries.clear();
        m_last = nullptr;
        m_device = device;
    }
    const int height = record.lfHeight != 0 ? record.lfHeight : CSystemMetrics::Instance().GetMenuFont().lfHeight;
    const int pixels = mapping.LengthYToDP(std::abs(height));
    if (m_last != nullptr && m_last->pixels == pixels && SameRecord(m_last->record, record))
        return *m_last;
    for (const std::unique_ptr<Entry>& entry : m_entries) {
        if (entry->pixels == pixels && SameRecord(entry->record, record)) {
            m_last = entry.get();
            return *m_last;
        }
    }
    if (m_entries.size() >= kMaxEntries)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(std::make_unique<Entry>(record, pixels, MakeFont(record, mapping), device));
    m_last = m_entries.back().get();
    return *m_last;
}
