#pragma once
// The cross-reference filter page of the Options sheet: a check box per
// memory area and per data type, each with a "Select All/None" box. A
// click stores the box states at once; the masks the list filters by
// change only when the page is applied.

#include "platform/ui/CPropertyPage.h"
#include "shell/CrossRefRules.h"

class CZULAppData;
class QCheckBox;

constexpr UINT IDD_CROSS_REFERENCE_OPTIONS = 311;
constexpr UINT IDC_SELECT_ALL_AREAS = 1311;
constexpr UINT IDC_SELECT_ALL_TYPES = 1314;

class CPropSelCross : public CPropertyPage {
    DECLARE_DYNAMIC(CPropSelCross)
public:
    explicit CPropSelCross(CZULAppData& app);

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void OnHelp() override;
    void ApplyFilter();

private:
    struct BoxGroup {
        const CXrefFilterBox* boxes;
        int count;
        int* states;
        QCheckBox* selectAll;
        std::vector<QCheckBox*> checks;
    };

    void BuildGroup(BoxGroup& group, const char* caption, UINT selectAllId, int columns);
    void ShowGroup(const BoxGroup& group);
    void OnBoxClicked(BoxGroup& group, int box);
    void OnSelectAll(BoxGroup& group);

    CZULAppData& m_app;
    BoxGroup m_areas;
    BoxGroup m_types;
};
