#pragma once
// The restore step of the Upload command: the image in the project's
// transfer buffer is checked before the current project is closed, and
// restored into the new project once that has been created.

#include "platform/WinTypes.h"

#include <vector>

class CZULAppData;

// The upload format from the image's variant byte (byte 5): its low six
// bits; FALSE when the two top bits are 10 or 01 or the image is too short
// to carry the byte.
BOOL ReadUploadFormat(const std::vector<BYTE>& image, int& format);

// Before the current project is closed: sets the upload format and checks
// the image's layout and checksum. FALSE after "Unknown project in the PLC.",
// the checksum message, or "Failed to restore the project." for an image
// whose layout does not hold; the project is not touched.
BOOL CheckUploadedImage(CZULAppData& app);

// After the new project has been created: restores it from the image; on
// failure shows "Failed to restore the project." and gives FALSE, and the
// caller does not open the half-restored project.
BOOL RestoreUploadedProject(CZULAppData& app);
