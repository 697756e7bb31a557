#pragma once
// The fonts a device context (or a window, for all its paints) has used,
// each built once: the Qt font with full hinting (so that advances are whole
// pixels), its metrics and, for fixed-pitch fonts, the glyphs of the
// character grid. Fixed-pitch text is laid out cell by cell: a single-byte
// character takes one cell, a GBK double-byte character two, whatever the
// glyphs' own advances, so that text stays on the editors' column grid. Characters the font lacks come from the
// fallback font Qt picks (a Chinese font for Chinese text).

#include "platform/CDCMapping.h"
#include "platform/GdiTypes.h"

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QPaintDevice;

class CQtFontCache {
public:
    // A glyph placed on the grid: its font (an index into Entry::raws), its
    // index in that font and its left edge in device pixels from the text start.
    struct Placed {
        int raw;
        quint32 glyph;
        int x;
    };

    class Entry {
    public:
        Entry(const LOGFONT& record, int pixels, const QFont& font, QPaintDevice* device);

        // Places the glyphs of the text on the grid; returns the number of cells.
        int LayoutCells(const std::string& text, std::vector<Placed>* placed);
        // The cell count of the text, a double-byte character counting two.
        static int CountCells(const std::string& text);

        LOGFONT record;
        int pixels;
        QFont font;
        QFontMetrics metrics;
        BOOL fixedPitch;
        // The width of one grid cell in device pixels (fixed-pitch fonts).
        int cell;
        // Index 0 is the font itself, then the fallback fonts met so far.
        std::vector<QRawFont> raws;

    private:
        struct Wide {
            int raw;
            quint32 glyph;
            int offset;   // left edge within its cells
        };
        const Wide& WideGlyph(unsigned code, const std::string& character, int cells);
        int RawIndex(const QRawFont& raw);

        static constexpr int kAsciiCount = 128;
        std::array<quint32, kAsciiCount> m_ascii {};
        std::unordered_map<unsigned, Wide> m_wide;
    };

    CQtFontCache();
    ~CQtFontCache();
    CQtFontCache(const CQtFontCache&) = delete;
    CQtFontCache& operator=(const CQtFontCache&) = delete;

    // The entry of the record at the mapping's device size on the device.
    Entry& Get(const LOGFONT& record, const CDCMapping& mapping, QPaintDevice* device);

    // The Qt font of a font record at the device's size of the mapping.
    static QFont MakeFont(const LOGFONT& record, const CDCMapping& mapping);

private:
    static BOOL SameRecord(const LOGFONT& a, const LOGFONT& b);

    std::vector<std::unique_ptr<Entry>> m_entries;
    Entry* m_last = nullptr;
    QPaintDevice* m_device = nullptr;
};
