#include "plclink/ui/CAnimGifCtrl.h"

#include <QBuffer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A GIF of a 2 x 1 screen with two colours (black, white; background white).
std::vector<BYTE> GifHeader()
{
    return {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 1, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF};
}

void AddControl(std::vector<BYTE>& gif, int delay, int disposal)
{
    std::vector<BYTE> block = {0x21, 0xF9, 4, static_cast<BYTE>(disposal << 2), static_cast<BYTE>(delay & 0xFF),
                               static_cast<BYTE>(delay >> 8), 0, 0};
    gif.insert(gif.end(), block.begin(), block.end());
}

// One black pixel at (left, 0).
void AddPixel(std::vector<BYTE>& gif, int left)
{
    std::vector<BYTE> block = {0x2C, static_cast<BYTE>(left), 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0};
    gif.insert(gif.end(), block.begin(), block.end());
}

std::vector<BYTE> ThreeFrameGif()
{
    std::vector<BYTE> gif = GifHeader();
    gif.insert(gif.end(), {0x21, 0xFE, 3, 'Q', '7', '!', 0});  // a comment between the frames
    AddControl(gif, 10, 1);
    AddPixel(gif, 0);
    AddControl(gif, 3, 2);
    AddPixel(gif, 1);
    AddPixel(gif, 0);
    gif.push_back(0x3B);
    return gif;
}

} // namespace

TEST(AnimGifCtrlTest, SplitsAnAnimatedGifIntoFramesWithTheirTimingAndDisposal)
{
    CAnimGifCtrl control;
    std::vector<BYTE> gif = ThreeFrameGif();
    ASSERT_TRUE(control.LoadFromMemory(gif.data(), static_cast<DWORD>(gif.size())));
    EXPECT_TRUE(control.IsAnimatedGif());
    EXPECT_EQ(control.ScreenSize(), QSize(2, 1));
    EXPECT_EQ(control.size(), QSize(2, 1));
    const std::vector<CAnimGifCtrl::FrameRecord>& frames = control.Frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].delay, 10);
    EXPECT_EQ(frames[0].disposal, 1);
    EXPECT_EQ(frames[1].left, 1);
    EXPECT_EQ(frames[1].delay, 3);
    EXPECT_EQ(frames[1].disposal, 2);
    EXPECT_EQ(frames[2].delay, 0);
    EXPECT_EQ(frames[2].width, 1);
    EXPECT_EQ(frames[2].height, 1);
    EXPECT_FALSE(frames[0].picture.isNull());

    EXPECT_FALSE(control.IsPlaying());
    control.Draw();
    EXPECT_TRUE(control.IsPlaying());
    // The first frame's black pixel reaches the image.
    EXPECT_TRUE(QTest::qWaitFor([&] { return control.CurrentImage().pixelColor(0, 0) == QColor(Qt::black); }, 10000));
    control.Stop();
    EXPECT_FALSE(control.IsPlaying());
    control.Draw();
    EXPECT_TRUE(control.IsPlaying());
    control.UnLoad();
    EXPECT_FALSE(control.IsPlaying());
    EXPECT_TRUE(control.Frames().empty());
}

TEST(AnimGifCtrlTest, ShowsOtherPicturesStillAndRefusesDataItCannotRead)
{
    CAnimGifCtrl control;
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    ASSERT_TRUE(control.LoadFromMemory(reinterpret_cast<const BYTE*>(png.constData()), static_cast<DWORD>(png.size())));
    EXPECT_FALSE(control.IsAnimatedGif());
    control.Draw();
    EXPECT_FALSE(control.IsPlaying());
    EXPECT_EQ(control.CurrentImage().pixelColor(2, 1), QColor(Qt::red));

    std::vector<BYTE> gif = ThreeFrameGif();
    struct Case {
        const char* name;
        std::vector<BYTE> data;
    };
    const Case cases[] = {
        {"empty", {}},
        {"header only", std::vector<BYTE>(gif.begin(), gif.begin() + 8)},
        {"colour table cut", std::vector<BYTE>(gif.begin(), gif.begin() + 15)},
        {"no frame", GifHeader()},
        {"not a picture", {'Q', '7', 0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(control.LoadFromMemory(c.data.data(), static_cast<DWORD>(c.data.size()))) << c.name;
        EXPECT_FALSE(control.IsAnimatedGif()) << c.name;
        control.Draw();
        EXPECT_FALSE(control.IsPlaying()) << c.name;
    }
    EXPECT_FALSE(control.Load("999", "Gif"));

    // A GIF cut inside its second frame keeps the frame before the cut.
    std::vector<BYTE> cut(gif.begin(), gif.begin() + 65);
    EXPECT_TRUE(control.LoadFromMemory(cut.data(), static_cast<DWORD>(cut.size())));
    EXPECT_FALSE(control.IsAnimatedGif());
}
