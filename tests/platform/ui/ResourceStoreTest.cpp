// Resource files: menus, accelerators, strings, toolbars and cursors, and
// the errors a broken file gets.

#include "platform/Gbk.h"
#include "platform/ui/CQtCursors.h"
#include "platform/ui/CResourceStore.h"
#include "resources/ProgramResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

TEST(ResourceStoreTest, AResourceFileGivesMenusAcceleratorsStringsToolbarsAndCursors)
{
    CResourceStore store;
    std::string error;
    ASSERT_TRUE(store.LoadFile(":/tests/fixture.rc", &error)) << error;

    const CMenu* menu = store.FindMenu(123);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemCount(), 4);
    EXPECT_EQ(menu->GetMenuItemID(0), static_cast<UINT>(-1));
    CMenu* file = menu->GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetMenuItemCount(), 5);
    EXPECT_EQ(file->GetMenuItemID(1), 32697u);
    EXPECT_EQ(file->GetMenuItemID(2), 0u);
    EXPECT_TRUE(file->GetMenuState(2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(menu->GetMenuState(32690, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(menu->GetMenuState(61449, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(menu->GetMenuString(61449, MF_BYCOMMAND), Utf8ToGbk("PID自整定"));
    EXPECT_EQ(menu->GetMenuState(1, MF_BYCOMMAND), static_cast<UINT>(-1));

    const CAcceleratorTable* accel = store.FindAccelerators(122);
    ASSERT_NE(accel, nullptr);
    MSG ctrlN{nullptr, WM_KEYDOWN, 'N', 1, {}};
    MSG altY{nullptr, WM_SYSKEYDOWN, 'Y', static_cast<LPARAM>(1u << 29), {}};
    MSG f6{nullptr, WM_KEYDOWN, 0x75, 1, {}};
    EXPECT_EQ(accel->FindCommand(ctrlN, FALSE, TRUE), 32695);
    EXPECT_EQ(accel->FindCommand(ctrlN, FALSE, FALSE), 0);
    EXPECT_EQ(accel->FindCommand(ctrlN, TRUE, TRUE), 0);
    EXPECT_EQ(accel->FindCommand(altY, FALSE, FALSE), 32927);
    EXPECT_EQ(accel->FindCommand(f6, FALSE, FALSE), 32806);

    EXPECT_EQ(store.LoadString(122), "OrvelBuilder V1.1.8.0\nZUL_Q7");
    std::string missing = "kept";
    EXPECT_FALSE(store.FindString(1, &missing));
    EXPECT_EQ(missing, "kept");

    const CToolBarResource* bar = store.FindToolBar(284);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->buttonWidth, 16);
    EXPECT_EQ(bar->commands, (std::vector<UINT>{32921, 32922, 0, 32927}));

    QCursor cursor;
    EXPECT_TRUE(store.LoadCursor(9425, &cursor));
    EXPECT_EQ(cursor.shape(), Qt::SplitVCursor);
    EXPECT_TRUE(store.LoadCursor(32644, &cursor));
    EXPECT_EQ(cursor.shape(), Qt::SizeHorCursor);
    EXPECT_FALSE(store.LoadCursor(1, &cursor));
}

TEST(ResourceStoreTest, BrokenFilesSayWhereAndKeepNothing)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"1 MENU\nBEGIN\n  MENUITEM \"a\", 5, BOLD\nEND\n", "x.rc: line 3: unknown menu option BOLD"},
        {"1 MENU\nBEGIN\n  MENUITEM \"a\n", "x.rc: line 3: unterminated string"},
        {"1 MENU\nBEGIN\n  POPUP \"a\"\n  BEGIN\n  END\n", "x.rc: line 6: expected MENUITEM, POPUP or END"},
        {"2 ACCELERATORS\nBEGIN\n  \"N\", 5\nEND\n", "x.rc: line 3: accelerators must be VIRTKEY"},
        {"2 ACCELERATORS\nBEGIN\n  VK_F13, 5, VIRTKEY\nEND\n", "x.rc: line 3: unknown key VK_F13"},
        {"STRINGTABLE\nBEGIN\n  7 \"a\"\n  7 \"b\"\nEND\n", "x.rc: line 4: string 7 defined twice"},
        {"3 TOOLBAR\nBEGIN\n  BUTTON 0\nEND\n", "x.rc: line 3: a button needs a command id other than 0"},
        {"4 CURSOR \"Spinning\"\n", "x.rc: line 1: unknown cursor shape Spinning"},
        {"4 CURSOR \"a.png\", 1, 1\n", "x.rc: cursor 4: a.png cannot be read"},
        {"4 CURSOR \"a.png\"\n", "x.rc: line 2: expected a number"},
        {"5 ICON \"a.ico\"\n", "x.rc: line 1: unknown resource type ICON"},
        {"5 BITMAP \"a.bmp\"\n", "x.rc: bitmap 5: a.bmp cannot be read"},
        {"5 BITMAP 7\n", "x.rc: line 1: expected a quoted text"},
        {"0x1G MENU\n", "x.rc: line 1: bad number '0x1G'"},
        {"6 MENU BEGIN MENUITEM \"a\\q\", 1 END", "x.rc: line 1: unknown escape \\q"},
        {"STRINGTABLE BEGIN 9 \"ok\" END $", "x.rc: line 1: unexpected character '$'"},
    };
    for (const auto& c : cases) {
        CResourceStore store;
        std::string error;
        EXPECT_FALSE(store.LoadText(c.text, "x.rc", &error)) << c.text;
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(store.FindMenu(1), nullptr);
        EXPECT_FALSE(store.FindString(9, &error));
    }
    CResourceStore store;
    std::string error;
    EXPECT_FALSE(store.LoadFile("/nonexistent/app.rc", &error));
    EXPECT_EQ(error, "/nonexistent/app.rc: cannot be read");
}

TEST(ResourceStoreTest, TextsKeepEscapesCommentsAndHexNumbers)
{
    CResourceStore store;
    std::string error;
    const char* text =
        "# a comment line\n"
        "STRINGTABLE { 0x10, \"tab\\there \"\"quoted\"\" back\\\\slash\" // trailing comment\n }\n";
    ASSERT_TRUE(store.LoadText(text, "t.rc", &error)) << error;
    EXPECT_EQ(store.LoadString(16), "tab\there \"quoted\" back\\slash");
}

} // namespace

namespace {

TEST(ResourceStoreTest, ProgramCursorsDrawnAsPicturesKeepTheirHotSpot)
{
    std::string error;
    ASSERT_TRUE(InitProgramResources(&error)) << error;
    QCursor cursor;
    ASSERT_TRUE(CQtCursors::Find(IDC_IL_GUTTER, &cursor));
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(27, 1));
    const QImage art = cursor.pixmap().toImage();
    ASSERT_EQ(art.size(), QSize(32, 32));
    // The tip is drawn; the far corner stays clear.
    EXPECT_EQ(qAlpha(art.pixel(27, 1)), 255);
    EXPECT_EQ(qAlpha(art.pixel(0, 31)), 0);

    CResourceStore store;
    EXPECT_FALSE(store.LoadText("7 CURSOR \"pictures/ilgutter.png\", 40, 1\n", ":/resources/x.rc", &error));
    EXPECT_EQ(error, ":/resources/x.rc: cursor 7: hot spot outside the picture");
}

// Each toolbar cuts its picture strip into one cell per button in list
// order, so a strip that does not match its list puts pictures on the wrong
// buttons. Every cell is drawn, and no two buttons share a picture.
TEST(ResourceStoreTest, ProgramToolbarStripsHoldOneDistinctPicturePerButton)
{
    const UINT toolBarIds[] = {123, 284, 286, 288};
    std::string error;
    ASSERT_TRUE(InitProgramResources(&error)) << error;
    const CResourceStore& store = CResourceStore::Instance();
    std::map<std::vector<DWORD>, UINT> commandOfPicture;
    for (UINT id : toolBarIds) {
        const CToolBarResource* bar = store.FindToolBar(id);
        const CIconImage* strip = store.FindBitmap(id);
        ASSERT_NE(bar, nullptr) << id;
        ASSERT_NE(strip, nullptr) << id;
        std::vector<UINT> buttons;
        std::copy_if(bar->commands.begin(), bar->commands.end(), std::back_inserter(buttons),
                     [](UINT command) { return command != 0; });
        EXPECT_TRUE(strip->IsAlpha()) << id;
        EXPECT_EQ(strip->Height(), bar->buttonHeight) << id;
        ASSERT_EQ(strip->Width(), bar->buttonWidth * static_cast<int>(buttons.size())) << id;
        // The bar shows through around the pictures, not a background of the strip's own.
        const std::vector<DWORD>& all = strip->Pixels();
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](DWORD argb) { return CIconImage::AlphaOf(argb) == 0; }))
            << id;
        for (size_t i = 0; i < buttons.size(); ++i) {
            const CIconImage cell =
                strip->Copy(static_cast<int>(i) * bar->buttonWidth, 0, bar->buttonWidth, bar->buttonHeight);
            const std::vector<DWORD>& pixels = cell.Pixels();
            const auto opaque = std::count_if(pixels.begin(), pixels.end(),
                                              [](DWORD argb) { return CIconImage::AlphaOf(argb) == 255; });
            EXPECT_GT(opaque, 0) << "button " << buttons[i] << " has an empty picture";
            const auto [entry, added] = commandOfPicture.emplace(pixels, buttons[i]);
            EXPECT_TRUE(added) << "buttons " << entry->second << " and " << buttons[i] << " share a picture";
        }
    }
}

} // namespace
