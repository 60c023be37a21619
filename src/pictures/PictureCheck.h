#pragma once
// The checks of exhibit pictures (bmp, ico, wmf, emf) that read bytes only: run before any
// decoder sees the bytes, by the exhibit windows' loader and by the import of embedded
// pictures. Qt Core only; the decoders are in PictureLoader, a library of their own.

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

namespace pictures {

enum class Kind { Bitmap, Icon, Metafile, EnhancedMetafile };

// The largest picture accepted, in pixels along either side, and the largest file in bytes.
inline constexpr int MaxSide = 8192;
inline constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// The kind a file name's extension names, compared without regard to case; nothing for others.
std::optional<Kind> kindOf(const QString& fileName);
// "bitmap", "icon", "Windows metafile", "enhanced metafile".
QString kindName(Kind kind);

// Whether a bitmap's header is sound, its size within MaxSide and its pixels wholly inside
// the file. (Qt's reader fills the rows of a cut file with black; such a file is broken.)
bool completeBitmap(const QByteArray& bytes);
// Whether every image of an icon file lies wholly inside the file.
bool completeIcon(const QByteArray& bytes);
// The part of a Windows metafile that libwmf may read: the placeable header if any, the
// standard header and every record up to and including the end record, each record lying
// wholly inside the file. Empty when the bytes are not such a metafile.
QByteArray checkedMetafile(const QByteArray& bytes);
// The part of an enhanced metafile that libemf2svg may read: the header record and every
// record up to and including the end-of-file record, each lying wholly inside the file, with
// the parts the converter would misread made harmless. Empty when the bytes are not such a
// metafile. `size` receives the natural size at 96 dpi.
QByteArray checkedEnhancedMetafile(const QByteArray& bytes, QSize& size);

// Why `bytes` cannot be the exhibit picture `fileName` ("is not a valid bitmap"), or an empty
// text when they pass every check above. Decoding may still fail.
QString faultOf(const QString& fileName, const QByteArray& bytes);

}  // namespace pictures
