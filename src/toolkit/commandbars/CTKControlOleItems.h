#pragma once
// The place of the verbs of the selected OLE object in a menu. The program
// has no OLE documents, so it never generates a verb popup.

#include "toolkit/commandbars/CTKControlList.h"

constexpr UINT kTKOleVerbsId = 57872;
// The menu text that makes a 57872 item the OLE verbs placeholder.
constexpr char kTKOleVerbsText[] = "<<OLE VERBS GO HERE>>";
constexpr char kTKOleItemParameter[] = "OLEMENUPOPUP";

class CTKControlOleItems : public CTKControlList {
    DECLARE_SERIAL(CTKControlOleItems)
public:
    CTKControlOleItems();

    void OnCalcDynamicSize(DWORD layoutMode) override;
};
