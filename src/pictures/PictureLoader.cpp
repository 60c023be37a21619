#include "pictures/PictureLoader.h"

#include "pictures/PictureCheck.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <libwmf/api.h>
#include <libwmf/svg.h>
}
#include <emf2svg.h>

namespace pictures {
namespace {

using Format = Kind;

[[noreturn]] void notValid(const QString& fileName, Format format)
{
    throw PictureError(QStringLiteral("Picture file %1 is not a valid %2")
                           .arg(fileName, kindName(format)));
}

Format formatOf(const QString& fileName)
{
    if (const std::optional<Format> kind = kindOf(fileName))
        return *kind;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    throw PictureError(QStringLiteral("Unknown picture file extension (.%1)").arg(dot > slash ? fileName.mid(dot + 1) : QString()));
}

QByteArray readFile(const QString& fileName)
{
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw PictureError(QStringLiteral("Cannot open file %1").arg(fileName));
    return file.read(MaxFileSize + 1);
}

bool acceptableSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxSide &&
           size.height() <= MaxSide;
}

// ------------------------------------------------------------------ bitmaps and icons

QPixmap readRaster(const QString& fileName, const QByteArray& bytes, Format format)
{
    if (bytes.size() > MaxFileSize ||
        !(format == Format::Bitmap ? completeBitmap(bytes) : completeIcon(bytes)))
        notValid(fileName, format);
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray qtFormat = format == Format::Bitmap ? "bmp" : "ico";
    QImageReader reader(&buffer, qtFormat);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    if (!reader.canRead())
        notValid(fileName, format);
    // An icon file holds several images; the largest one is the picture.
    int best = 0;
    if (format == Format::Icon) {
        QSize bestSize;
        for (int i = 0; i < reader.imageCount(); ++i) {
            if (!reader.jumpToImage(i))
                break;
            const QSize size = reader.size();
            if (size.width() * qint64(size.height()) >
                bestSize.width() * qint64(bestSize.height())) {
                bestSize = size;
                best = i;
            }
        }
        reader.jumpToImage(best);
    }
    if (reader.size().isValid() && !acceptableSize(reader.size()))
        notValid(fileName, format);
    const QImage image = reader.read();
    if (image.isNull() || !acceptableSize(image.size()))
        notValid(fileName, format);
    return QPixmap::fromImage(image);
}

// ------------------------------------------------------------------ metafiles through SVG

QPixmap drawSvg(const QString& fileName, const QByteArray& svg, QSize size, Format format)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        notValid(fileName, format);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return QPixmap::fromImage(image);
}

// libwmf draws metafile text only with the URW base fonts, read from this folder.
const char* const MetafileFontFolder = "/usr/share/fonts/type1/urw-base35";

// A metafile that libwmf could not scan or play: without its fonts the text is what failed,
// which is a fault of the machine, not of the file.
[[noreturn]] void notPlayable(const QString& fileName)
{
    if (!metafileFontsInstalled())
        throw PictureError(QStringLiteral("Cannot draw the text of Windows metafile %1: no fonts "
                                          "for metafiles are installed (fonts-urw-base35)")
                               .arg(fileName));
    notValid(fileName, Format::Metafile);
}

// Frees the libwmf player and everything attached to it.
struct WmfPlayer {
    wmfAPI* api = nullptr;
    ~WmfPlayer()
    {
        if (api)
            wmf_api_destroy(api);
    }
};

QPixmap readMetafile(const QString& fileName, const QByteArray& bytes)
{
    constexpr Format format = Format::Metafile;
    if (bytes.size() > MaxFileSize)
        notValid(fileName, format);
    QByteArray metafile = checkedMetafile(bytes);
    if (metafile.isEmpty())
        notValid(fileName, format);

    WmfPlayer player;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&player.api, flags, &options) != wmf_E_None || !player.api)
        throw PictureError(QStringLiteral("Cannot draw Windows metafile %1").arg(fileName));
    wmfAPI* api = player.api;

    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(metafile.data()),
                     long(metafile.size())) != wmf_E_None)
        notValid(fileName, format);
    wmfD_Rect bbox;
    std::memset(&bbox, 0, sizeof bbox);
    if (wmf_scan(api, 0, &bbox) != wmf_E_None)
        notPlayable(fileName);
    unsigned int width = 0, height = 0;
    if (wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None ||
        !acceptableSize(QSize(int(std::min(width, 100000u)), int(std::min(height, 100000u)))))
        notValid(fileName, format);

    wmf_svg_t* device = WMF_SVG_GetData(api);
    device->out = wmf_stream_create(api, nullptr);
    if (!device->out)
        throw PictureError(QStringLiteral("Cannot draw Windows metafile %1").arg(fileName));
    device->Description = nullptr;
    device->bbox = bbox;
    device->width = width;
    device->height = height;
    device->flags |= WMF_SVG_INLINE_IMAGES;
    const wmf_error_t played = wmf_play(api, 0, &bbox);

    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &text, &length);
    device->out = nullptr;
    QByteArray svg = played == wmf_E_None && text ? QByteArray(text, qsizetype(length))
                                                   : QByteArray();
    if (text)
        wmf_free(api, text);
    if (svg.isEmpty())
        notPlayable(fileName);
    // libwmf's SVG layer half-fills every shape (fill-opacity 0.5) although a metafile has no
    // transparency: fill opaquely, as the metafile says.
    svg.replace("fill-opacity:0.5", "fill-opacity:1");
    // Its document names no SVG namespace; Qt's reader wants one.
    if (!svg.contains("xmlns=\"http://www.w3.org/2000/svg\""))
        svg.replace("<svg ", "<svg xmlns=\"http://www.w3.org/2000/svg\" ");
    return drawSvg(fileName, svg, QSize(int(width), int(height)), format);
}

QPixmap readEnhancedMetafile(const QString& fileName, const QByteArray& bytes)
{
    constexpr Format format = Format::EnhancedMetafile;
    if (bytes.size() > MaxFileSize)
        notValid(fileName, format);
    QSize size;
    QByteArray metafile = checkedEnhancedMetafile(bytes, size);
    if (metafile.isEmpty() || !acceptableSize(size))
        notValid(fileName, format);

    generatorOptions options;
    std::memset(&options, 0, sizeof options);
    options.nameSpace = nullptr;  // a prefix makes malformed SVG with clip paths
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    options.imgWidth = size.width();
    options.imgHeight = size.height();
    char* text = nullptr;
    size_t length = 0;
    const int converted = emf2svg(metafile.data(), size_t(metafile.size()), &text, &length,
                                  &options);
    const QByteArray svg = converted == 1 && text ? QByteArray(text, qsizetype(length))
                                                  : QByteArray();
    std::free(text);
    if (svg.isEmpty())
        notValid(fileName, format);
    return drawSvg(fileName, svg, size, format);
}

}  // namespace

bool metafileFontsInstalled()
{
    return !QDir(QLatin1String(MetafileFontFolder)).entryList({QStringLiteral("*.t1")}, QDir::Files).isEmpty();
}

QPixmap loadPicture(const QString& fileName)
{
    formatOf(fileName);  // an unknown extension is refused before the file is opened
    return pictureFromBytes(fileName, readFile(fileName));
}

QPixmap pictureFromBytes(const QString& fileName, const QByteArray& bytes)
{
    const Format format = formatOf(fileName);
    if (bytes.isEmpty())
        notValid(fileName, format);
    switch (format) {
    case Format::Bitmap:
    case Format::Icon:
        return readRaster(fileName, bytes, format);
    case Format::Metafile:
        return readMetafile(fileName, bytes);
    case Format::EnhancedMetafile:
        return readEnhancedMetafile(fileName, bytes);
    }
    notValid(fileName, format);
}

}  // namespace pictures
