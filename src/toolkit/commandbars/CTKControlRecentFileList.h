#pragma once
// The recently used files in the File menu: one numbered item per entry of
// the program's recent-file list (ids 57616 upwards); the placeholder shows
// disabled when the list is empty.

#include "toolkit/commandbars/CTKControlList.h"

constexpr UINT kTKRecentFileFirstId = 57616;
constexpr UINT kTKRecentFileLastId = 57631;

class CTKControlRecentFileList : public CTKControlList {
    DECLARE_SERIAL(CTKControlRecentFileList)
public:
    CTKControlRecentFileList();

    void OnCalcDynamicSize(DWORD layoutMode) override;
};
