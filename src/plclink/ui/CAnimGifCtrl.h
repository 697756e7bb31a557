#pragma once
// A static control that plays a multi-frame GIF picture (or shows any single
// picture) with its own drawing thread: the thread renders each frame into
// the control's memory image, waits the frame's delay, disposes of the frame
// as the picture asks, and has the control repainted from the image.

#include "platform/WinTypes.h"

#include <QImage>
#include <QLabel>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CAnimGifCtrl : public QLabel {
    Q_OBJECT
public:
    struct FrameRecord {
        QImage picture;
        int width = 0;
        int height = 0;
        int left = 0;
        int top = 0;
        int delay = 0;      // hundredths of a second
        int disposal = 0;   // 0..7, from the graphic control extension
    };

    explicit CAnimGifCtrl(QWidget* parent = nullptr);
    ~CAnimGifCtrl() override;

    // Loads the resource ":/<type>/<name>" of the program.
    BOOL Load(const std::string& resourceName, const std::string& resourceType);
    BOOL LoadFromMemory(const BYTE* data, DWORD size);
    // Starts the animation of an animated GIF, or shows a still picture once.
    void Draw();
    void Stop();
    void UnLoad();
    BOOL IsPlaying() const { return m_playing.load(); }
    BOOL IsAnimatedGif() const { return m_frames.size() > 1; }

    const std::vector<FrameRecord>& Frames() const { return m_frames; }
    QSize ScreenSize() const { return QSize(m_screenWidth, m_screenHeight); }
    // A copy of the memory image.
    QImage CurrentImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BOOL LoadGif(const BYTE* data, DWORD size);
    void PrepareImage(int width, int height);
    void ThreadProc();
    void RenderFrame(const FrameRecord& frame, QImage& saved);
    void DisposeFrame(const FrameRecord& frame, const QImage& saved);
    void FillImage(const QRect& area);
    // Waits up to ms for the stop event; TRUE when it was signalled.
    bool WaitStop(int ms);
    void Invalidate();

    QImage m_still;
    std::vector<FrameRecord> m_frames;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    COLORREF m_background = 0xFFFFFF;
    int m_colorTableSize = 0;
    QImage m_image;            // the memory image the control shows
    mutable std::mutex m_imageLock;
    size_t m_currentFrame = 0;
    std::thread m_thread;
    std::mutex m_stopLock;
    std::condition_variable m_stopSignal;
    bool m_stopEvent = false;  // manual reset
    std::atomic<bool> m_playing {false};
    std::atomic<bool> m_exit {false};
    bool m_ready = false;
    std::vector<BYTE> m_data;
};
