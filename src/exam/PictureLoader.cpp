#include "exam/PictureLoader.h"

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

namespace exam {
namespace {

enum class Format { Bitmap, Icon, Metafile, EnhancedMetafile };

QString kindName(Format format)
{
    switch (format) {
    case Format::Bitmap:
        return QStringLiteral("bitmap");
    case Format::Icon:
        return QStringLiteral("icon");
    case Format::Metafile:
        return QStringLiteral("Windows metafile");
    case Format::EnhancedMetafile:
        return QStringLiteral("enhanced metafile");
    }
    return {};
}

[[noreturn]] void notValid(const QString& fileName, Format format)
{
    throw PictureError(QStringLiteral("Picture file %1 is not a valid %2")
                           .arg(fileName, kindName(format)));
}

// The extension of the last part of `fileName` without its dot ("" when it has none).
QString extensionOf(const QString& fileName)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(QLatin1Char('/')),
                                     fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        return {};
    return fileName.mid(dot + 1);
}

Format formatOf(const QString& fileName)
{
    const QString extension = extensionOf(fileName);
    const QString lower = extension.toLower();
    if (lower == QLatin1String("bmp"))
        return Format::Bitmap;
    if (lower == QLatin1String("ico"))
        return Format::Icon;
    if (lower == QLatin1String("wmf"))
        return Format::Metafile;
    if (lower == QLatin1String("emf"))
        return Format::EnhancedMetafile;
    throw PictureError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
}

QByteArray readFile(const QString& fileName)
{
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw PictureError(QStringLiteral("Cannot open file %1").arg(fileName));
    return file.read(MaxPictureFileSize + 1);
}

bool acceptableSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxPictureSide &&
           size.height() <= MaxPictureSide;
}

// ------------------------------------------------------------------ bitmaps and icons

quint16 word(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 dword(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
qint32 sdword(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

// Whether the bitmap's pixels lie wholly inside the file. Qt's reader fills the rows of a cut
// file with black; such a file is broken.
bool completeBitmap(const QByteArray& bytes)
{
    if (bytes.size() < 26 || !bytes.startsWith("BM"))
        return false;
    const quint32 pixelsAt = dword(bytes, 10);
    const quint32 infoSize = dword(bytes, 14);
    qint64 width = 0, height = 0, bitsPerPixel = 0, compression = 0, imageSize = 0;
    if (infoSize == 12) {
        width = word(bytes, 18);
        height = word(bytes, 20);
        bitsPerPixel = word(bytes, 24);
    } else {
        if (infoSize < 40 || bytes.size() < 38)
            return false;
        width = sdword(bytes, 18);
        height = std::abs(qint64(sdword(bytes, 22)));
        bitsPerPixel = word(bytes, 28);
        compression = dword(bytes, 30);
        imageSize = dword(bytes, 34);
    }
    if (width <= 0 || height <= 0)
        return false;
    const qint64 available = bytes.size() - qint64(pixelsAt);
    constexpr qint64 Rgb = 0, BitFields = 3, AlphaBitFields = 6;
    if (compression == Rgb || compression == BitFields || compression == AlphaBitFields) {
        // Compared by division first: a forged header's row size times its height overflows.
        const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        return available >= 0 && rowBytes <= available / height && rowBytes * height <= available;
    }
    return imageSize <= available;
}

// Whether every image of the icon file lies wholly inside the file.
bool completeIcon(const QByteArray& bytes)
{
    if (bytes.size() < 6 || word(bytes, 0) != 0 || word(bytes, 2) != 1)
        return false;
    const int count = word(bytes, 4);
    if (count == 0 || bytes.size() < 6 + 16 * qsizetype(count))
        return false;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * qsizetype(i);
        const quint64 size = dword(bytes, entry + 8), at = dword(bytes, entry + 12);
        if (size == 0 || at + size > quint64(bytes.size()))
            return false;
    }
    return true;
}

QPixmap readRaster(const QString& fileName, const QByteArray& bytes, Format format)
{
    if (bytes.size() > MaxPictureFileSize ||
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

// The part of a Windows metafile that libwmf may read: the placeable header if any, the
// standard header and every record up to and including the end record, each record lying
// wholly inside the file. Empty when the bytes are not such a metafile.
QByteArray checkedMetafile(const QByteArray& bytes)
{
    constexpr quint32 PlaceableKey = 0x9AC6CDD7;
    constexpr qsizetype PlaceableSize = 22;
    constexpr qsizetype HeaderSize = 18;
    qsizetype at = 0;
    if (bytes.size() >= 4 && dword(bytes, 0) == PlaceableKey) {
        if (bytes.size() < PlaceableSize)
            return {};
        const qint16 left = qint16(word(bytes, 6)), top = qint16(word(bytes, 8));
        const qint16 right = qint16(word(bytes, 10)), bottom = qint16(word(bytes, 12));
        const quint16 inch = word(bytes, 14);
        if (right == left || bottom == top || inch == 0)
            return {};
        at = PlaceableSize;
    }
    if (bytes.size() < at + HeaderSize)
        return {};
    const quint16 type = word(bytes, at);
    const quint16 headerWords = word(bytes, at + 2);
    const quint16 version = word(bytes, at + 4);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        return {};
    at += HeaderSize;
    while (true) {
        if (bytes.size() - at < 6)
            return {};
        const quint32 words = dword(bytes, at);
        const quint16 function = word(bytes, at + 4);
        if (words < 3 || words > quint32((bytes.size() - at) / 2))
            return {};
        at += qsizetype(words) * 2;
        if (function == 0)
            return bytes.left(at);
    }
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
    if (bytes.size() > MaxPictureFileSize)
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

// Text drawn by glyph index makes libemf2svg look the font up through fontconfig and then shut
// fontconfig down (FcFini) under Qt's feet, which aborts the program. Such a text record, at
// `at` in `metafile`, is turned into a record that changes nothing (EMR_SETICMMODE, which the
// converter ignores): the picture loses that text instead of the program crashing.
void dropGlyphIndexText(QByteArray& metafile, qsizetype at, quint32 type, quint32 recordSize)
{
    constexpr quint32 ExtTextOutA = 83, ExtTextOutW = 84, PolyTextOutA = 96, PolyTextOutW = 97;
    constexpr quint32 SetIcmMode = 98;
    constexpr quint32 GlyphIndex = 0x0010;  // ETO_GLYPH_INDEX
    constexpr qsizetype OptionsAt = 52;     // fOptions of the record's EMRTEXT
    bool drop = type == PolyTextOutA || type == PolyTextOutW;
    if ((type == ExtTextOutA || type == ExtTextOutW) &&
        (recordSize < OptionsAt + 4 || (dword(metafile, at + OptionsAt) & GlyphIndex)))
        drop = true;
    if (!drop)
        return;
    qToLittleEndian<quint32>(SetIcmMode, metafile.data() + at);
    constexpr quint32 IcmOff = 1;
    if (recordSize >= 12)
        qToLittleEndian<quint32>(IcmOff, metafile.data() + at + 8);
}

// The converter reads the header's description and pixel format where the header says, without
// looking: a description that lies outside the header record (or is empty, which makes it
// search for the text's end) and such a pixel format are dropped. Neither is drawn.
void dropOutlyingHeaderParts(QByteArray& metafile, quint32 headerSize)
{
    const auto inside = [headerSize](quint64 offset, quint64 length) {
        constexpr quint64 MinHeaderSize = 88;
        return offset >= MinHeaderSize && offset + length <= headerSize;
    };
    const auto clear = [&metafile](qsizetype at) { qToLittleEndian<quint32>(0, metafile.data() + at); };
    constexpr qsizetype DescriptionChars = 60, DescriptionAt = 64;
    const quint32 chars = dword(metafile, DescriptionChars);
    if (chars == 0 || !inside(dword(metafile, DescriptionAt), 2ull * chars)) {
        clear(DescriptionChars);
        clear(DescriptionAt);
    }
    constexpr qsizetype PixelFormatSize = 88, PixelFormatAt = 92;  // in headers of 100 bytes or more
    if (headerSize >= 100 && !inside(dword(metafile, PixelFormatAt), dword(metafile, PixelFormatSize))) {
        clear(PixelFormatSize);
        clear(PixelFormatAt);
    }
}

// The part of an enhanced metafile that libemf2svg may read: the header record and every
// record up to and including the end-of-file record, each lying wholly inside the file.
// Empty when the bytes are not such a metafile. `size` receives the natural size at 96 dpi.
QByteArray checkedEnhancedMetafile(const QByteArray& bytes, QSize& size)
{
    constexpr quint32 HeaderRecord = 1;
    constexpr quint32 EndRecord = 14;
    constexpr quint32 Signature = 0x464D4520;  // " EMF"
    constexpr qsizetype MinHeaderSize = 88;
    if (bytes.size() < MinHeaderSize || dword(bytes, 0) != HeaderRecord ||
        dword(bytes, 40) != Signature)
        return {};
    const quint32 headerSize = dword(bytes, 4);
    if (headerSize < MinHeaderSize || headerSize % 4 != 0 || headerSize > quint32(bytes.size()))
        return {};
    // The frame, in hundredths of a millimetre, gives the size; the bounds, in device pixels
    // and inclusive, stand in when the frame is empty.
    const qint64 frameWidth = qint64(sdword(bytes, 32)) - sdword(bytes, 24);
    const qint64 frameHeight = qint64(sdword(bytes, 36)) - sdword(bytes, 28);
    if (frameWidth > 0 && frameHeight > 0) {
        size = QSize(int(std::min<qint64>(std::llround(frameWidth * 96.0 / 2540.0), 100000)),
                     int(std::min<qint64>(std::llround(frameHeight * 96.0 / 2540.0), 100000)));
    } else {
        const qint64 w = qint64(sdword(bytes, 16)) - sdword(bytes, 8) + 1;
        const qint64 h = qint64(sdword(bytes, 20)) - sdword(bytes, 12) + 1;
        size = QSize(int(std::clamp<qint64>(w, 0, 100000)), int(std::clamp<qint64>(h, 0, 100000)));
    }
    QByteArray checked = bytes;
    dropOutlyingHeaderParts(checked, headerSize);
    qsizetype at = 0;
    while (true) {
        if (checked.size() - at < 8)
            return {};
        const quint32 type = dword(checked, at);
        const quint32 recordSize = dword(checked, at + 4);
        if (recordSize < 8 || recordSize % 4 != 0 || recordSize > quint64(checked.size() - at))
            return {};
        if (at > 0 && type == HeaderRecord)
            return {};
        dropGlyphIndexText(checked, at, type, recordSize);
        at += recordSize;
        if (type == EndRecord) {
            checked.truncate(at);
            return checked;
        }
    }
}

QPixmap readEnhancedMetafile(const QString& fileName, const QByteArray& bytes)
{
    constexpr Format format = Format::EnhancedMetafile;
    if (bytes.size() > MaxPictureFileSize)
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

}  // namespace exam
