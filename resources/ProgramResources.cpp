#include "resources/ProgramResources.h"

#include "platform/ui/CResourceStore.h"

#include <QtGlobal>

namespace {

// The resource files, read in this order; a later file may add to an earlier one.
const char* const kResourceFiles[] = {
    ":/resources/toolkit.rc",
    ":/resources/mainframe.rc",
    ":/resources/tablemenu.rc",
    ":/resources/hwmenu.rc",
    ":/resources/canopenmenu.rc",
    ":/resources/mainwindow.rc",
    ":/resources/ilmenus.rc",
    ":/resources/projtree.rc",
    ":/resources/customize.rc",
    ":/resources/ldmenus.rc",
};

} // namespace

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterBuiltInResources()
{
    Q_INIT_RESOURCE(orvel);
}

bool InitProgramResources(std::string* error)
{
    RegisterBuiltInResources();
    CResourceStore& store = CResourceStore::Instance();
    for (const char* file : kResourceFiles) {
        if (!store.IsLoaded(file) && !store.LoadFile(file, error))
            return false;
    }
    return true;
}
