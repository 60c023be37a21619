#include "ItemCompare.h"

#include "formats/Zip.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtEndian>

namespace formatstest {

using formats::Item;

Item makeItem(int section, bool multiple, const QString& question, const QStringList& answers, const QString& keys,
              const QString& explanation)
{
    Item item;
    item.section = section;
    item.multiple = multiple;
    item.question = question;
    item.explanation = explanation;
    for (int k = 0; k < answers.size(); ++k)
        item.answers[k] = answers[k];
    for (QChar c : keys)
        item.keys[c.unicode() - 'a'] = true;
    return item;
}

namespace {

QString show(const QString& text) { return QLatin1Char('"') + QString(text).replace(QLatin1Char('\n'), QLatin1String("\\n")) + QLatin1Char('"'); }

}  // namespace

QString difference(const Item& a, const Item& e, unsigned carried)
{
    const auto differ = [](const QString& field, const QString& actual, const QString& expected) {
        return actual == expected ? QString() : QStringLiteral("%1: %2, expected %3").arg(field, show(actual), show(expected));
    };
    QStringList found;
    if (carried & Question)
        found << differ("question", a.question, e.question);
    if (carried & Answers) {
        for (int k = 0; k < formats::MaxAnswers; ++k)
            found << differ(QStringLiteral("answer %1").arg(QChar('a' + k)), a.answers[k], e.answers[k]);
        found << differ("keys", a.keyLetters(), e.keyLetters());
        found << differ("multiple", a.multiple ? "true" : "false", e.multiple ? "true" : "false");
    }
    if (carried & Explanation)
        found << differ("explanation", a.explanation, e.explanation);
    if (carried & Section)
        found << differ("section", QString::number(a.section), QString::number(e.section));
    for (int p = 0; p < 2; ++p) {
        if (carried & PictureNames)
            found << differ(QStringLiteral("picture %1 name").arg(p + 1), a.pictures[p].name, e.pictures[p].name);
        if ((carried & PictureData) && a.pictures[p].data != e.pictures[p].data)
            found << QStringLiteral("picture %1: %2 bytes, expected %3").arg(p + 1).arg(a.pictures[p].data.size()).arg(e.pictures[p].data.size());
    }
    if (carried & RecordFields) {
        found << differ("id", QString::number(a.id), QString::number(e.id));
        found << differ("exam", QString::number(a.exam), QString::number(e.exam));
        found << differ("sim", a.sim, e.sim);
        found << differ("or_number", QString::number(a.orNumber), QString::number(e.orNumber));
        found << differ("memo", a.memo, e.memo);
    }
    found.removeAll(QString());
    return found.join(QLatin1String("; "));
}

QString difference(const std::vector<Item>& actual, const std::vector<Item>& expected, unsigned carried)
{
    if (actual.size() != expected.size())
        return QStringLiteral("%1 items, expected %2").arg(actual.size()).arg(expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        if (const QString d = difference(actual[i], expected[i], carried); !d.isEmpty())
            return QStringLiteral("item %1: %2").arg(i + 1).arg(d);
    return {};
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray zipFolder(const QString& folder)
{
    std::vector<std::pair<QString, QByteArray>> files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.emplace_back(root.relativeFilePath(path), readBytes(path));
    }
    return formats::writeZip(files);
}

QByteArray bitmap(int width, int height, char fill)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const quint32 pixels = quint32(rowBytes) * quint32(height);
    QByteArray bmp(54, '\0');
    const auto put32 = [&bmp](int at, quint32 v) { qToLittleEndian<quint32>(v, bmp.data() + at); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + pixels);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(24, bmp.data() + 28);
    put32(34, pixels);
    return bmp + QByteArray(qsizetype(pixels), fill);
}

}  // namespace formatstest
