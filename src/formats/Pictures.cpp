#include "formats/Pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace formats {

namespace {

QString suffixFromBytes(const QByteArray& data)
{
    if (data.startsWith("\x89PNG"))
        return QStringLiteral("png");
    if (data.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("jpg");
    if (data.startsWith("GIF8"))
        return QStringLiteral("gif");
    if (data.startsWith("BM"))
        return QStringLiteral("bmp");
    return QStringLiteral("bin");
}

// Longer names are cut: with a suffix and "-n" they stay far below the 255 bytes of a name.
constexpr qsizetype MaxBaseName = 100;

}  // namespace

QString plainPictureName(const QString& wanted, const QByteArray& data)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    QString name = QFileInfo(QString(wanted).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
    name.replace(unsafe, QStringLiteral("_"));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (QFileInfo(name).completeBaseName().isEmpty())
        name = QStringLiteral("picture");
    QString suffix = QFileInfo(name).suffix().left(10);
    if (suffix.isEmpty())
        suffix = suffixFromBytes(data);
    return QFileInfo(name).completeBaseName().left(MaxBaseName) + QLatin1Char('.') + suffix;
}

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

[[noreturn]] void cannotWrite(const QString& path, const QString& why)
{
    throw std::runtime_error(QStringLiteral("cannot write the picture %1: %2").arg(path, why).toStdString());
}

// Writes all of `data` to `file`, on disk. A short write is followed by another, which then
// fails with the real reason (a short write itself sets none).
void writeAll(QFile& file, const QByteArray& data, const QString& path)
{
    for (qsizetype done = 0; done < data.size();) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            cannotWrite(path, file.errorString());
        done += n;
    }
    if (!file.flush())
        cannotWrite(path, file.errorString());
    if (::fsync(file.handle()) != 0)
        cannotWrite(path, QString::fromLocal8Bit(std::strerror(errno)));
}

// The permissions a new file gets (0666 less the umask): a temporary file is made private.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Puts `data` under the name `path` unless that name is taken: written in full under a
// temporary name first, then renamed, so that a picture cut short never bears a real name.
// False when `path` exists.
bool writeNew(const QString& path, const QByteArray& data)
{
    QTemporaryFile file(QFileInfo(path).dir().filePath(QStringLiteral(".picture-XXXXXX.part")));
    if (!file.open())
        cannotWrite(path, file.errorString());
    writeAll(file, data, path);
    if (::fchmod(file.handle(), newFileMode()) != 0)
        cannotWrite(path, QString::fromLocal8Bit(std::strerror(errno)));
    // QFile::rename never replaces a file: a name taken in the meantime is left alone.
    if (QFileInfo::exists(path))
        return false;
    if (!file.rename(path)) {
        if (QFileInfo::exists(path))
            return false;
        cannotWrite(path, file.errorString());
    }
    file.setAutoRemove(false);
    return true;
}

// Stores one picture in `dir` and returns the name it has there; appends a file it wrote to
// `written`.
QString storePicture(const Picture& picture, const QDir& dir, QStringList& written)
{
    const QFileInfo wanted(plainPictureName(picture.name, picture.data));
    const QString base = wanted.completeBaseName();
    const QString suffix = wanted.suffix();
    QString name = wanted.fileName();
    for (int n = 2;; ++n) {
        const QString path = dir.filePath(name);
        if (QFileInfo::exists(path) && bytesOf(path) == picture.data)
            return name;
        if (!QFileInfo::exists(path) && writeNew(path, picture.data)) {
            written.append(path);
            return name;
        }
        name = QStringLiteral("%1-%2.%3").arg(base).arg(n).arg(suffix);
    }
}

}  // namespace

QStringList storePictures(Item& item, const QString& folder)
{
    const QDir dir(folder);
    QStringList written;
    try {
        for (Picture& picture : item.pictures)
            if (!picture.data.isEmpty())
                picture.name = storePicture(picture, dir, written);
    } catch (...) {
        for (const QString& path : written)
            QFile::remove(path);
        throw;
    }
    return written;
}

QList<Problem> loadPictures(std::vector<Item>& items, const QString& folder)
{
    QList<Problem> problems;
    const QDir dir(folder);
    for (size_t i = 0; i < items.size(); ++i) {
        for (Picture& picture : items[i].pictures) {
            if (picture.name.isEmpty())
                continue;
            QFile file(dir.filePath(picture.name));
            if (file.open(QIODevice::ReadOnly))
                picture.data = file.readAll();
            else
                problems.append({0, 0, QStringLiteral("%1: the picture %2 cannot be read (%3); left out")
                                           .arg(itemName(items[i], int(i)), picture.name, file.errorString()), {}});
        }
    }
    return problems;
}

}  // namespace formats
