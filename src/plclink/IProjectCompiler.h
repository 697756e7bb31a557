#pragma once
// What the PLC commands need of Compile All: one full compilation of the open
// project for Download, Compare and Monitor. On success the download image
// has been built and written as the project's object file, and its CRC is
// the project signature (CZULProject::ProjectSignature).

#include "platform/WinTypes.h"

class IProjectCompiler {
public:
    virtual ~IProjectCompiler() = default;
    // TRUE when the compilation succeeded and the download image was built;
    // on failure the compiler has reported its messages.
    virtual BOOL CompileAll() = 0;
};
