#include "app/Banner.h"

#include <QFile>

// Registers the resources of this static library (outside any namespace, as Qt requires).
static void registerAppResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(app);
        return true;
    }();
    Q_UNUSED(registered);
}

QPixmap bannerPicture()
{
    registerAppResources();
    return QPixmap(QStringLiteral(":/app/images/banner.png"));
}
