#pragma once
// The times of a file: creation from the file system's birth time (absent
// where the file system keeps none), the last status change and the last
// write.

#include "WinTypes.h"

#include <ctime>
#include <string>

struct CFileTimes {
    BOOL hasCreation = FALSE;
    std::time_t creation = 0;
    std::time_t statusChange = 0;
    std::time_t lastWrite = 0;
};

// FALSE when the file's status cannot be read.
BOOL GetFileTimes(const std::string& path, CFileTimes& times);
