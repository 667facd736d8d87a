#include "app/resources.h"

#include <QtCore/QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace; calling it also keeps the linker from
// dropping the resource object out of the static library.
static void InitResourcesOnce() {
    Q_INIT_RESOURCE(resources);
}

void InitResources() {
    static const bool done = (InitResourcesOnce(), true);
    (void)done;
}
