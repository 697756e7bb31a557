#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"

#include "resources/ProgramResources.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKControls.h"

bool RegisterToolkitCommandBarsClasses(std::string* error)
{
    // Bars, controls and collections are created by class name when
    // archives are read.
    const CRuntimeClass* const classes[] = {
        RUNTIME_CLASS(CTKCommandBar),
        RUNTIME_CLASS(CTKControl),
        RUNTIME_CLASS(CTKControlButton),
        RUNTIME_CLASS(CTKControls),
    };
    for (const CRuntimeClass* cls : classes)
        CRuntimeClass::Register(cls);
    return InitProgramResources(error);
}
