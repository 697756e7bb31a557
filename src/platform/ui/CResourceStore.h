#pragma once
// The program's resources: menus, accelerator tables, string tables,
// toolbar command lists and cursor shapes, read from resource files (UTF-8
// text in the resource-script form below, built into the program with the
// Qt resource system) and looked up by number. Texts are handed out as GBK.
//
//   123 MENU
//   BEGIN
//       POPUP "&File"
//       BEGIN
//           MENUITEM "&New Project...\tCtrl+N", 32695
//           MENUITEM SEPARATOR
//           MENUITEM "Symbolic &Addressing", 32927, CHECKED
//       END
//   END
//   122 ACCELERATORS
//   BEGIN
//       "N", 32695, VIRTKEY, CONTROL
//       VK_F7, 32935, VIRTKEY
//   END
//   STRINGTABLE
//   BEGIN
//       122 "OrvelBuilder V1.1.8.0"
//   END
//   123 TOOLBAR 16, 15
//   BEGIN
//       BUTTON 32695
//       SEPARATOR
//   END
//   9970 CURSOR "SplitV"
//   144 CURSOR "pictures/ilgutter.png", 27, 1
//   4001 BITMAP "standard16.png"
//
// A CURSOR names a Qt shape, or a picture file beside the resource file
// and the hot spot in it.
// A BITMAP names a picture file beside the resource file: with an alpha
// channel it is a 32-bit alpha strip, without one a strip whose mask colour
// marks the transparent pixels.
//
// Numbers are decimal or 0x hexadecimal; "//" and "#" start comments.

#include "platform/CIconImage.h"
#include "platform/ui/CAcceleratorTable.h"
#include "platform/ui/CMenu.h"

#include <QCursor>

#include <map>
#include <set>
#include <string>
#include <vector>

struct CToolBarResource {
    int buttonWidth = 16;
    int buttonHeight = 15;
    std::vector<UINT> commands;   // 0 is a separator
};

class CResourceStore {
public:
    static CResourceStore& Instance();

    // Reads a resource file (a file path or a ":/" resource path). On an
    // error nothing of the file is kept and error says where and what.
    BOOL LoadFile(const std::string& path, std::string* error);
    // Whether LoadFile has read this path since the last Clear.
    BOOL IsLoaded(const std::string& path) const { return m_loadedFiles.count(path) != 0; }
    BOOL LoadText(const std::string& utf8Text, const std::string& sourceName, std::string* error);
    void Clear();

    const CMenu* FindMenu(UINT id) const;
    // The ids of the menus, accelerator tables and toolbars held, ascending.
    std::vector<UINT> GetMenuIds() const;
    std::vector<UINT> GetAcceleratorIds() const;
    std::vector<UINT> GetToolBarIds() const;
    const CAcceleratorTable* FindAccelerators(UINT id) const;
    BOOL FindString(UINT id, std::string* text) const;
    // The string, or "" when there is none.
    std::string LoadString(UINT id) const;
    const CToolBarResource* FindToolBar(UINT id) const;
    // The cursor of a resource id, else of a standard or registered cursor
    // id (CQtCursors). Resource cursors are registered there as they load.
    BOOL LoadCursor(UINT id, QCursor* cursor) const;
    // The pixels of a bitmap resource (IsAlpha() for a 32-bit alpha strip), or nullptr.
    const CIconImage* FindBitmap(UINT id) const;

private:
    std::set<std::string> m_loadedFiles;
    std::map<UINT, CMenu> m_menus;
    std::map<UINT, CAcceleratorTable> m_accelerators;
    std::map<UINT, std::string> m_strings;
    std::map<UINT, CToolBarResource> m_toolBars;
    std::map<UINT, Qt::CursorShape> m_cursors;
    std::map<UINT, CIconImage> m_bitmaps;
};
