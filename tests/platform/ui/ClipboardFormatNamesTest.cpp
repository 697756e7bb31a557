// The names of the formats a clipboard holds: our own registered formats
// by name, other programs' offers by their MIME types, on the desktop
// clipboard and on the in-memory one.

#include "platform/CClipboard.h"
#include "platform/CMemoryClipboard.h"
#include "platform/ui/CQtClipboard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(ClipboardFormatNamesTest, OwnFormatsAreNamedAndTextAndBitmapAreNotListed)
{
    CQtClipboard desktop;
    CMemoryClipboard memory;
    IClipboard* clipboards[] = {&desktop, &memory};
    const UINT marker = CClipboard::RegisterFormat(kAlphaBitmapImageFormat);
    for (IClipboard* clipboard : clipboards) {
        clipboard->Empty();
        EXPECT_TRUE(clipboard->GetFormatNames().empty());
        clipboard->SetText("text");
        clipboard->SetBitmap(CIconImage(2, 2, 0xFF000000));
        clipboard->SetData(marker, {1});
        const std::vector<std::string> names = clipboard->GetFormatNames();
        std::vector<std::string> own;
        for (const std::string& name : names)
            if (name == kAlphaBitmapImageFormat)
                own.push_back(name);
        EXPECT_EQ(own.size(), 1u);
        clipboard->Empty();
        EXPECT_TRUE(clipboard->GetFormatNames().empty());
    }
}

TEST(ClipboardFormatNamesTest, AnotherProgramsOfferIsListedByItsTypes)
{
    CQtClipboard clipboard;
    auto* foreign = new QMimeData;
    foreign->setData("application/x-qt-windows-mime;value=\"CF_DIB32\"", QByteArray(1, '\0'));
    QApplication::clipboard()->setMimeData(foreign);
    const std::vector<std::string> names = clipboard.GetFormatNames();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_NE(names[0].find("DIB32"), std::string::npos);
    clipboard.Empty();
}

} // namespace
