#pragma once

#include "platform/WinTypes.h"

// Loading a page's values from the record and the project sets the
// project's modified flag; this keeps the flag as it was before loading.
class CKeepModifiedFlag {
public:
    CKeepModifiedFlag();
    ~CKeepModifiedFlag();
    CKeepModifiedFlag(const CKeepModifiedFlag&) = delete;
    CKeepModifiedFlag& operator=(const CKeepModifiedFlag&) = delete;

private:
    BOOL m_modified = FALSE;
};
