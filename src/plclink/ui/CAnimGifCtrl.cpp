#include "CAnimGifCtrl.h"

#include "platform/CSystemMetrics.h"

#include <QFile>
#include <QPainter>

#include <cstring>

namespace {

constexpr BYTE kExtensionIntroducer = 0x21;
constexpr BYTE kImageSeparator = 0x2C;
constexpr BYTE kTrailer = 0x3B;
constexpr BYTE kGraphicControlLabel = 0xF9;
constexpr int kHeaderBytes = 13;
constexpr int kDescriptorBytes = 10;
constexpr int kShortestDelay = 5;
constexpr int kDefaultDelayMs = 100;

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

// One frame's bytes inside the GIF: from its graphic control extension (or
// its image descriptor) to the end of its image data.
struct FrameSpan {
    size_t start = 0;
    size_t end = 0;
    size_t descriptor = 0;
    int delay = 0;
    int disposal = 0;
};

class CGifWalker {
public:
    CGifWalker(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    // Skips a chain of sub-blocks from pos; false when it runs past the data.
    bool SkipSubBlocks(size_t& pos) const
    {
        while (pos < m_size) {
            BYTE length = m_data[pos++];
            if (length == 0)
                return true;
            pos += length;
        }
        return false;
    }

    // The frames between pos and the trailer; stops at the first block that
    // does not fit the data.
    std::vector<FrameSpan> Frames(size_t pos) const
    {
        std::vector<FrameSpan> frames;
        FrameSpan pending;
        bool hasControl = false;
        while (pos < m_size && m_data[pos] != kTrailer) {
            size_t blockStart = pos;
            if (m_data[pos] == kExtensionIntroducer) {
                if (pos + 1 >= m_size)
                    break;
                BYTE label = m_data[pos + 1];
                pos += 2;
                if (label == kGraphicControlLabel && pos + 4 < m_size && m_data[pos] >= 4) {
                    pending = FrameSpan();
                    pending.start = blockStart;
                    pending.disposal = (m_data[pos + 1] >> 2) & 0x07;
                    pending.delay = m_data[pos + 2] | (m_data[pos + 3] << 8);
                    hasControl = true;
                }
                if (!SkipSubBlocks(pos))
                    break;
                continue;
            }
            if (m_data[pos] != kImageSeparator || pos + kDescriptorBytes > m_size)
                break;
            BYTE packed = m_data[pos + 9];
            pos += kDescriptorBytes;
            if ((packed & 0x80) != 0)
                pos += 3u << ((packed & 7) + 1);
            pos += 1;  // LZW minimum code size
            if (pos > m_size || !SkipSubBlocks(pos))
                break;
            if (!hasControl) {
                pending = FrameSpan();
                pending.start = blockStart;
            }
            pending.descriptor = blockStart;
            pending.end = pos;
            frames.push_back(pending);
            hasControl = false;
        }
        return frames;
    }

private:
    const BYTE* m_data;
    size_t m_size;
};

int Word(const BYTE* data)
{
    return data[0] | (data[1] << 8);
}

} // namespace

CAnimGifCtrl::CAnimGifCtrl(QWidget* parent) : QLabel(parent)
{
}

CAnimGifCtrl::~CAnimGifCtrl()
{
    UnLoad();
}

BOOL CAnimGifCtrl::Load(const std::string& resourceName, const std::string& resourceType)
{
    QFile file(QString::fromStdString(":/" + resourceType + "/" + resourceName));
    if (!file.open(QIODevice::ReadOnly))
        return FALSE;
    QByteArray bytes = file.readAll();
    return LoadFromMemory(reinterpret_cast<const BYTE*>(bytes.constData()), static_cast<DWORD>(bytes.size()));
}

BOOL CAnimGifCtrl::LoadFromMemory(const BYTE* data, DWORD size)
{
    UnLoad();
    if (data == nullptr || size == 0)
        return FALSE;
    m_data.assign(data, data + size);
    if (size < 3 || std::memcmp(data, "GIF", 3) != 0) {
        if (!m_still.loadFromData(data, static_cast<int>(size)))
            return FALSE;
        PrepareImage(m_still.width(), m_still.height());
        return TRUE;
    }
    return LoadGif(data, size);
}

BOOL CAnimGifCtrl::LoadGif(const BYTE* data, DWORD size)
{
    if (size < kHeaderBytes)
        return FALSE;
    m_screenWidth = Word(data + 6);
    m_screenHeight = Word(data + 8);
    BYTE flags = data[10];
    if ((flags & 0x80) != 0) {
        m_colorTableSize = 3 << ((flags & 7) + 1);
        size_t entry = kHeaderBytes + 3u * data[11];
        if (entry + 2 < size)
            m_background = RGB(data[entry], data[entry + 1], data[entry + 2]);
    }
    size_t tableEnd = kHeaderBytes + static_cast<size_t>(m_colorTableSize);
    if (tableEnd > size)
        return FALSE;
    std::vector<FrameSpan> spans = CGifWalker(data, size).Frames(tableEnd);
    if (spans.empty())
        return FALSE;
    for (const FrameSpan& span : spans) {
        QByteArray single(reinterpret_cast<const char*>(data), static_cast<int>(tableEnd));
        single.append(reinterpret_cast<const char*>(data + span.start), static_cast<int>(span.end - span.start));
        single.append(static_cast<char>(kTrailer));
        FrameRecord frame;
        if (!frame.picture.loadFromData(single, "GIF"))
            continue;
        const BYTE* descriptor = data + span.descriptor;
        frame.left = Word(descriptor + 1);
        frame.top = Word(descriptor + 3);
        frame.width = Word(descriptor + 5);
        frame.height = Word(descriptor + 7);
        frame.delay = span.delay;
        frame.disposal = span.disposal;
        m_frames.push_back(frame);
    }
    if (m_frames.empty())
        return FALSE;
    // A single picture is shown still, read whole when the loader can.
    if (spans.size() == 1) {
        if (!m_still.loadFromData(data, static_cast<int>(size), "GIF"))
            m_still = m_frames.front().picture;
        m_frames.clear();
    }
    PrepareImage(m_screenWidth, m_screenHeight);
    return TRUE;
}

void CAnimGifCtrl::PrepareImage(int width, int height)
{
    // The control takes the picture's size, also inside a dialog's layout.
    setFixedSize(width, height);
    m_background = GetSysColor(COLOR_BTNFACE);
    std::lock_guard<std::mutex> hold(m_imageLock);
    m_image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(ToQColor(GetSysColor(COLOR_MENU)));
    m_ready = true;
}

void CAnimGifCtrl::Draw()
{
    if (!m_ready || m_thread.joinable())
        return;
    if (!IsAnimatedGif()) {
        {
            std::lock_guard<std::mutex> hold(m_imageLock);
            QPainter painter(&m_image);
            if (!m_still.isNull())
                painter.drawImage(m_image.rect(), m_still);
            else if (!m_frames.empty())
                painter.drawImage(m_image.rect(), m_frames.front().picture);
        }
        update();
        return;
    }
    m_exit.store(false);
    m_playing.store(true);
    m_thread = std::thread([this] { ThreadProc(); });
}

bool CAnimGifCtrl::WaitStop(int ms)
{
    std::unique_lock<std::mutex> hold(m_stopLock);
    return m_stopSignal.wait_for(hold, std::chrono::milliseconds(ms), [this] { return m_stopEvent; });
}

void CAnimGifCtrl::Invalidate()
{
    QMetaObject::invokeMethod(this, [this] { update(); }, Qt::QueuedConnection);
}

void CAnimGifCtrl::FillImage(const QRect& area)
{
    QPainter painter(&m_image);
    painter.fillRect(area, ToQColor(m_background));
}

void CAnimGifCtrl::RenderFrame(const FrameRecord& frame, QImage& saved)
{
    std::lock_guard<std::mutex> hold(m_imageLock);
    QRect area(frame.left, frame.top, frame.width, frame.height);
    if (frame.disposal == 3)
        saved = m_image.copy(area);
    // The picture loader gives either the frame alone or the whole screen with the frame in place.
    QRect source = frame.picture.size() == area.size() ? frame.picture.rect() : area;
    QPainter painter(&m_image);
    painter.drawImage(area, frame.picture, source);
}

void CAnimGifCtrl::DisposeFrame(const FrameRecord& frame, const QImage& saved)
{
    std::lock_guard<std::mutex> hold(m_imageLock);
    QRect area(frame.left, frame.top, frame.width, frame.height);
    if (frame.disposal == 2) {
        FillImage(area);
    } else if (frame.disposal == 3 && !saved.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(area.topLeft(), saved);
    }
}

void CAnimGifCtrl::ThreadProc()
{
    m_playing.store(true);
    while (!m_exit.load()) {
        const FrameRecord& frame = m_frames[m_currentFrame];
        QImage saved;
        RenderFrame(frame, saved);
        Invalidate();
        int wait = frame.delay >= kShortestDelay ? frame.delay * 10 : kDefaultDelayMs;
        WaitStop(wait);
        DisposeFrame(frame, saved);
        if (++m_currentFrame >= m_frames.size()) {
            m_currentFrame = 0;
            std::lock_guard<std::mutex> hold(m_imageLock);
            FillImage(m_image.rect());
        }
    }
    m_playing.store(false);
}

void CAnimGifCtrl::Stop()
{
    m_playing.store(false);
    m_exit.store(true);
    {
        std::lock_guard<std::mutex> hold(m_stopLock);
        m_stopEvent = true;
    }
    m_stopSignal.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard<std::mutex> hold(m_stopLock);
    m_stopEvent = false;
    m_exit.store(false);
}

void CAnimGifCtrl::UnLoad()
{
    Stop();
    m_still = QImage();
    m_frames.clear();
    m_data.clear();
    m_screenWidth = 0;
    m_screenHeight = 0;
    m_colorTableSize = 0;
    m_background = 0xFFFFFF;
    m_currentFrame = 0;
    m_ready = false;
    std::lock_guard<std::mutex> hold(m_imageLock);
    m_image = QImage();
}

QImage CAnimGifCtrl::CurrentImage() const
{
    std::lock_guard<std::mutex> hold(m_imageLock);
    return m_image.copy();
}

void CAnimGifCtrl::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    std::lock_guard<std::mutex> hold(m_imageLock);
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}
