#include "pelmoraresources.h"

#include <QtGlobal>

static void initAll()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(fonts);
}

namespace pelmora {
void initResources()
{
    initAll();
}
} // namespace pelmora
