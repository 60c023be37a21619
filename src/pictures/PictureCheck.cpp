#include "pictures/PictureCheck.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pictures {

namespace {

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

bool acceptableSide(qint64 side)
{
    return side > 0 && side <= MaxSide;
}

}  // namespace

std::optional<Kind> kindOf(const QString& fileName)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > slash ? fileName.mid(dot + 1).toLower() : QString();
    if (extension == QLatin1String("bmp"))
        return Kind::Bitmap;
    if (extension == QLatin1String("ico"))
        return Kind::Icon;
    if (extension == QLatin1String("wmf"))
        return Kind::Metafile;
    if (extension == QLatin1String("emf"))
        return Kind::EnhancedMetafile;
    return std::nullopt;
}

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Bitmap:
        return QStringLiteral("bitmap");
    case Kind::Icon:
        return QStringLiteral("icon");
    case Kind::Metafile:
        return QStringLiteral("Windows metafile");
    case Kind::EnhancedMetafile:
        return QStringLiteral("enhanced metafile");
    }
    return {};
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
    if (!acceptableSide(width) || !acceptableSide(height))
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

QString faultOf(const QString& fileName, const QByteArray& bytes)
{
    const std::optional<Kind> kind = kindOf(fileName);
    if (!kind)
        return QStringLiteral("is not a bmp, ico, wmf or emf file");
    bool sound = !bytes.isEmpty() && bytes.size() <= MaxFileSize;
    QSize size;
    switch (*kind) {
    case Kind::Bitmap: sound = sound && completeBitmap(bytes); break;
    case Kind::Icon: sound = sound && completeIcon(bytes); break;
    case Kind::Metafile: sound = sound && !checkedMetafile(bytes).isEmpty(); break;
    case Kind::EnhancedMetafile:
        sound = sound && !checkedEnhancedMetafile(bytes, size).isEmpty() && acceptableSide(size.width())
                && acceptableSide(size.height());
        break;
    }
    return sound ? QString() : QStringLiteral("is not a valid %1").arg(kindName(*kind));
}

}  // namespace pictures
