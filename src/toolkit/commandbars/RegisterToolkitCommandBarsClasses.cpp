#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"

#include "resources/ProgramResources.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKControlComboBox.h"
#include "toolkit/commandbars/CTKControlComboBoxList.h"
#include "toolkit/commandbars/CTKControlCustom.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/CTKControlOleItems.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControlRecentFileList.h"
#include "toolkit/commandbars/CTKControlSelector.h"
#include "toolkit/commandbars/CTKControlToolbars.h"
#include "toolkit/commandbars/CTKControlWindowList.h"
#include "toolkit/commandbars/CTKControlWorkspaceActions.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupToolBar.h"
#include "toolkit/commandbars/CTKToolBar.h"

bool RegisterToolkitCommandBarsClasses(std::string* error)
{
    // Bars, controls and collections are created by class name when
    // archives are read.
    const CRuntimeClass* const classes[] = {
        RUNTIME_CLASS(CTKCommandBar),
        RUNTIME_CLASS(CTKControl),
        RUNTIME_CLASS(CTKControlButton),
        RUNTIME_CLASS(CTKControlComboBox),
        RUNTIME_CLASS(CTKControlComboBoxList),
        RUNTIME_CLASS(CTKControlCustom),
        RUNTIME_CLASS(CTKControlEdit),
        RUNTIME_CLASS(CTKControlPopup),
        RUNTIME_CLASS(CTKControlWindowList),
        RUNTIME_CLASS(CTKControlToolbars),
        RUNTIME_CLASS(CTKControlOleItems),
        RUNTIME_CLASS(CTKControlRecentFileList),
        RUNTIME_CLASS(CTKControlWorkspaceActions),
        RUNTIME_CLASS(CTKControlSelector),
        RUNTIME_CLASS(CTKControls),
        RUNTIME_CLASS(CTKCommandBars),
        RUNTIME_CLASS(CTKToolBar),
        RUNTIME_CLASS(CTKMenuBar),
        RUNTIME_CLASS(CTKPopupBar),
        RUNTIME_CLASS(CTKPopupToolBar),
    };
    for (const CRuntimeClass* cls : classes)
        CRuntimeClass::Register(cls);
    return InitProgramResources(error);
}
