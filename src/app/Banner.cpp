#include "app/Banner.h"

#include <QImageReader>

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
    // Read as PNG only: a reader left to detect the format loads every image plugin first,
    // which costs start-up a quarter of its time.
    QImageReader reader(QStringLiteral(":/app/images/banner.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}
