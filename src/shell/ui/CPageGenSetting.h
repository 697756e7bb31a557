#pragma once
// The General page of the Options sheet: the language and the CPU of new
// projects, the integer format of monitored values and the two
// compile-before switches (shown, not changeable).

#include "platform/ui/CPropertyPage.h"
#include "shell/GeneralSettingsRules.h"

class CZULAppData;
class QButtonGroup;
class QCheckBox;
class QComboBox;

constexpr UINT IDD_GENERAL_SETTINGS = 252;
constexpr UINT IDC_DEFAULT_LANGUAGE = 1219;
constexpr UINT IDC_DEFAULT_CPU = 1220;
constexpr UINT IDC_FORMAT_MIXED = 1232;
constexpr UINT IDC_FORMAT_DEC = 1233;
constexpr UINT IDC_FORMAT_HEX = 1234;
constexpr UINT IDC_COMPILE_BEFORE_DOWNLOAD = 1210;
constexpr UINT IDC_COMPILE_BEFORE_MONITORING = 1212;

class CPageGenSetting : public CPropertyPage {
    DECLARE_DYNAMIC(CPageGenSetting)
public:
    explicit CPageGenSetting(CZULAppData& app);

    BOOL OnInitDialog() override;
    BOOL OnApply() override { return ApplyGeneralSettings(); }
    void OnHelp() override;
    BOOL ApplyGeneralSettings();

private:
    void BuildControls();
    void ShowControls();
    CGeneralSettingsControls ReadControls() const;

    CZULAppData& m_app;
    CGeneralSettingsControls m_loaded;
    QComboBox* m_language = nullptr;
    QComboBox* m_cpu = nullptr;
    QButtonGroup* m_format = nullptr;
    QCheckBox* m_compileBeforeDownload = nullptr;
    QCheckBox* m_compileBeforeMonitoring = nullptr;
};
