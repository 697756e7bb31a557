#pragma once
// The Commands page of the customise sheet: the command categories and,
// for the chosen one, its controls, which the user drags onto the bars.

#include "platform/ui/CPropertyPage.h"
#include "toolkit/commandbars/CTKCustomizeCommandsList.h"

#include <string>
#include <vector>

class CTKControls;
class CTKCustomizeSheet;
class QListWidget;

class CTKCustomizeCommandsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CTKCustomizeCommandsPage)
public:
    static constexpr UINT kTemplateId = 9313;
    static constexpr UINT kCommandsListId = 9327;
    static constexpr UINT kCategoriesListId = 9338;

    explicit CTKCustomizeCommandsPage(CTKCustomizeSheet* sheet = nullptr);
    ~CTKCustomizeCommandsPage() override;

    CTKCustomizeSheet* GetSheet() const { return m_pSheet; }
    // Appends a category; the page keeps a reference to its controls.
    void AddCategory(const std::string& name, CTKControls* controls);
    int GetCategoryCount() const { return static_cast<int>(m_categories.size()); }

    BOOL OnInitDialog() override;
    // The chosen category's controls fill the command list.
    void OnCategoryChange();

    CTKCustomizeCommandsList& GetCommandsList() { return m_commandsList; }
    QListWidget* GetCategoriesList() const { return m_categoriesList; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    struct Category {
        std::string name;
        CTKControls* controls = nullptr;
    };

    CTKCustomizeCommandsList m_commandsList;
    QListWidget* m_categoriesList = nullptr;
    CTKCustomizeSheet* m_pSheet;
    std::vector<Category> m_categories;
};
