#pragma once
// The name box in the context menu of a customised control: Enter tells
// the customise sheet, which gives the control the typed caption.

#include "toolkit/commandbars/CTKControlEdit.h"

class CTKCustomizeMenuEdit : public CTKControlEdit {
public:
    void Execute() override;
};
