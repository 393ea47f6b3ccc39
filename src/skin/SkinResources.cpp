#include "SkinResources.h"

#include <QtGlobal>

static void initOnce()
{
    Q_INIT_RESOURCE(skin);
}

void initSkinResources()
{
    static const bool done = (initOnce(), true);
    Q_UNUSED(done);
}
