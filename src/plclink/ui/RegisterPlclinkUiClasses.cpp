#include "RegisterPlclinkUiClasses.h"

#include <QtGlobal>

void RegisterPlclinkUiClasses()
{
    Q_INIT_RESOURCE(plclink);
}
