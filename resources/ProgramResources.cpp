#include "resources/ProgramResources.h"

#include "platform/ui/CResourceStore.h"

#include <QtGlobal>

namespace {

// The resource files, read in this order; a later file may add to an earlier one.
const char* const kResourceFiles[] = {
    ":/resources/toolkit.rc",
    ":/resources/mainframe.rc",
    ":/resources/tablemenu.rc",
};

bool g_loaded = false;

} // namespace

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterBuiltInResources()
{
    Q_INIT_RESOURCE(orvel);
}

bool InitProgramResources(std::string* error)
{
    if (g_loaded)
        return true;
    RegisterBuiltInResources();
    for (const char* file : kResourceFiles) {
        if (!CResourceStore::Instance().LoadFile(file, error))
            return false;
    }
    g_loaded = true;
    return true;
}
