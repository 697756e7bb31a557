#pragma once
// The sheet in which the user customises the command bars. It carries the
// Toolbars page and the images offered for buttons; while it is open the
// controls of the bars can be dragged between them.

#include "platform/CImageList.h"
#include "platform/ui/CPropertySheet.h"

#include <memory>

class CTKCommandBars;
class CTKCustomizeToolbarsPage;

class CTKCustomizeSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CTKCustomizeSheet)
public:
    explicit CTKCustomizeSheet(CTKCommandBars* bars, CWnd* parent = nullptr);
    ~CTKCustomizeSheet() override;

    CTKCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // The images offered to the buttons.
    CImageList& GetImageList() { return m_imageList; }
    CTKCustomizeToolbarsPage& GetToolbarsPage() { return *m_toolbarsPage; }

private:
    CImageList m_imageList;
    CTKCommandBars* m_pCommandBars;
    std::unique_ptr<CTKCustomizeToolbarsPage> m_toolbarsPage;
};
