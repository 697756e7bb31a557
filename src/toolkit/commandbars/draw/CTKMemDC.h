#pragma once
// The toolkit's name for the flicker-free back buffer of the window layer:
// drawing at (x, y) lands at (left + x, top + y) on the target when the
// object goes out of scope. An empty rectangle takes the target's clip box.

#include "platform/CMemDC.h"

class CTKMemDC : public CMemDC {
public:
    using CMemDC::CMemDC;
};
