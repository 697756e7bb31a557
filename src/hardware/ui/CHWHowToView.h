#pragma once
// The note page of the module page host, also the page of an empty slot:
// four lines on how the configuration is built.

#include "platform/ui/CFormView.h"

class CHWHowToView : public CFormView {
    DECLARE_DYNCREATE(CHWHowToView)
public:
    CHWHowToView();

    void OnInitialUpdate() override;
};
