// One picture loader (bmp, ico, wmf or emf, chosen by PICTURE_EXTENSION when built) fed
// bytes through the same checks the program runs before a decoder sees them.

#include "exam/PictureLoader.h"

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
        const QPixmap picture = exam::pictureFromBytes(QStringLiteral("fuzz." PICTURE_EXTENSION), bytes);
        if (picture.width() > exam::MaxPictureSide || picture.height() > exam::MaxPictureSide)
            __builtin_trap();
    } catch (const exam::PictureError&) {
    }
    return 0;
}
