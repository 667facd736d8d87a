#include "app/resources.h"

#include <QIcon>
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

QIcon ProgramIcon() {
    InitResources();
    QIcon icon;
    for (const char* size : {"-16", "-22", "-24", "", "-48", "-64", "-128", "-256"})
        icon.addFile(QStringLiteral(":/icons/marlock%1.png").arg(QLatin1String(size)));
    return icon;
}
