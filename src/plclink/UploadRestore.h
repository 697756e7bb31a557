#pragma once
// The restore steps of the Upload command: once the current project is
// closed, the image's variant byte is checked; once the new project has been
// created, it is restored from the image in the project's transfer buffer.

#include "platform/WinTypes.h"

#include <vector>

class CZULAppData;

// The upload format from the image's variant byte (byte 5): its low six
// bits; FALSE when the two top bits are 10 or 01 or the image is too short
// to carry the byte.
BOOL ReadUploadFormat(const std::vector<BYTE>& image, int& format);

// Sets the upload format from the image; FALSE after "Unknown project in the
// PLC." for an image of no known variant.
BOOL CheckUploadedImage(CZULAppData& app);

// Restores the new project from the image; on failure shows "Failed to
// restore the project." (after the checksum message, when that was the
// cause) and gives FALSE. What was restored before the failure stays in the
// project, which the Upload command saves and shows all the same.
BOOL RestoreUploadedProject(CZULAppData& app);
