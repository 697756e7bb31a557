#include "toolkit/docking/tabs/TabFactories.h"

#include "toolkit/docking/tabs/CTKTabColorSetDefault.h"
#include "toolkit/docking/tabs/CTKTabColorSetThemed.h"
#include "toolkit/docking/tabs/CTKTabColorSetType2.h"
#include "toolkit/docking/tabs/CTKTabColorSetType4.h"
#include "toolkit/docking/tabs/CTKTabLookBox.h"
#include "toolkit/docking/tabs/CTKTabLookButton.h"
#include "toolkit/docking/tabs/CTKTabLookClassicHot.h"
#include "toolkit/docking/tabs/CTKTabLookCurved.h"
#include "toolkit/docking/tabs/CTKTabLookDefault.h"
#include "toolkit/docking/tabs/CTKTabLookFlat.h"
#include "toolkit/docking/tabs/CTKTabLookSlanted.h"
#include "toolkit/docking/tabs/CTKTabLookStacked.h"
#include "toolkit/docking/tabs/CTKTabLookTrapezoid.h"

namespace {

// One look: its class and its tab-area margins (left, top, right, bottom).
struct LookRecord {
    int type;
    std::unique_ptr<CTKTabLook> (*create)();
    CRect margins;
};

template <class T>
std::unique_ptr<CTKTabLook> Make()
{
    return std::make_unique<T>();
}

const LookRecord kLooks[] = {
    {0, &Make<CTKTabLookDefault>, CRect(2, 3, 6, 0)},
    {1, &Make<CTKTabLookClassicHot>, CRect(2, 3, 6, 0)},
    {2, &Make<CTKTabLookCurved>, CRect(2, 2, 4, 0)},
    {3, &Make<CTKTabLookSlanted>, CRect(2, 3, 6, 0)},
    {4, &Make<CTKTabLookButton>, CRect(2, 2, 2, 2)},
    {5, &Make<CTKTabLookFlat>, CRect(4, 2, 4, 0)},
    {6, &Make<CTKTabLookBox>, CRect(2, 2, 4, 0)},
    {7, &Make<CTKTabLookTrapezoid>, CRect(2, 3, 2, 0)},
    {8, &Make<CTKTabLookStacked>, CRect(0, 0, 0, 0)},
};

enum ColorType { kColorsType2 = 2, kColorsType4 = 4, kColorsThemed = 8 };

} // namespace

std::unique_ptr<CTKTabLook> CreateTabLook(int type)
{
    const LookRecord* record = &kLooks[0];
    for (const LookRecord& each : kLooks) {
        if (each.type == type)
            record = &each;
    }
    std::unique_ptr<CTKTabLook> look = record->create();
    look->SetTabAreaMargins(record->margins);
    return look;
}

std::unique_ptr<CTKTabColorSet> CreateTabColorSet(int type)
{
    switch (type) {
    case kColorsType2:
        return std::make_unique<CTKTabColorSetType2>();
    case kColorsType4:
        return std::make_unique<CTKTabColorSetType4>();
    case kColorsThemed:
        return std::make_unique<CTKTabColorSetThemed>();
    default:
        return std::make_unique<CTKTabColorSetDefault>();
    }
}
