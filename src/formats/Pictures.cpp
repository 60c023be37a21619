#include "formats/Pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <stdexcept>

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

// A plain file name made of safe characters, with a suffix.
QString safeName(const QString& wanted, const QByteArray& data)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    QString name = QFileInfo(QString(wanted).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
    name.replace(unsafe, QStringLiteral("_"));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (QFileInfo(name).completeBaseName().isEmpty())
        name = QStringLiteral("picture");
    if (QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + suffixFromBytes(data);
    return name;
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

QStringList storePictures(std::vector<Item>& items, const QString& folder)
{
    const QDir dir(folder);
    QStringList written;
    for (Item& item : items) {
        for (Picture& picture : item.pictures) {
            if (picture.data.isEmpty())
                continue;
            const QFileInfo wanted(safeName(picture.name, picture.data));
            const QString base = wanted.completeBaseName();
            const QString suffix = wanted.suffix();
            QString name = wanted.fileName();
            for (int n = 2;; ++n) {
                const QString path = dir.filePath(name);
                if (!QFileInfo::exists(path)) {
                    QFile file(path);
                    // NewOnly: never replaces a file that appeared in the meantime.
                    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(picture.data) != picture.data.size()
                        || !file.flush())
                        throw std::runtime_error(QStringLiteral("cannot write the picture %1: %2").arg(path, file.errorString()).toStdString());
                    written.append(path);
                    break;
                }
                if (bytesOf(path) == picture.data)
                    break;
                name = QStringLiteral("%1-%2.%3").arg(base).arg(n).arg(suffix);
            }
            picture.name = name;
        }
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
