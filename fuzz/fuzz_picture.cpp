// One picture loader (bmp, ico, wmf or emf, chosen by PICTURE_EXTENSION when built) fed
// bytes through the same checks the program runs before a decoder sees them.

#include "pictures/PictureCheck.h"
#include "pictures/PictureLoader.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QPixmap picture = pictures::pictureFromBytes(QStringLiteral("fuzz." PICTURE_EXTENSION), bytes);
        if (picture.width() > pictures::MaxSide || picture.height() > pictures::MaxSide)
            __builtin_trap();
    } catch (const pictures::PictureError&) {
    }
    return 0;
}
