#include "history/Fingerprint.h"

#include "store/Fields.h"
#include "store/Table.h"

#include <QCryptographicHash>
#include <QtEndian>

namespace history {

namespace {

// Each text with its length before it, so that no two lists of texts hash alike by accident.
// Line breaks count alike whether written "\r\n" or "\n".
void addText(QCryptographicHash& hash, const QString& text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QByteArray utf8 = normal.toUtf8();
    const quint32 length = qToBigEndian(quint32(utf8.size()));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(&length), sizeof length));
    hash.addData(utf8);
}

}  // namespace

Fingerprint fingerprint(const ItemTexts& item)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    addText(hash, item.question);
    for (const QString& answer : item.answers)
        addText(hash, answer);
    for (bool key : item.keys)
        hash.addData(QByteArrayView(key ? "1" : "0", 1));
    return qFromBigEndian<qint64>(hash.result().constData());
}

Fingerprint fingerprintOfRecord(const store::Table& table, const store::ChoiceOrder& shown)
{
    ItemTexts item;
    item.question = table.asString(QLatin1String(store::field::Q_TEXT));
    for (int place = 0; place < store::field::AnswerCount; ++place) {
        const auto stored = std::size_t(shown.shown[std::size_t(place)]);
        item.answers[stored] = table.asString(store::field::text(place + 1));
        item.keys[stored] = table.asBoolean(store::field::key(place + 1));
    }
    return fingerprint(item);
}

QStringList fingerprintFields()
{
    QStringList names{QLatin1String(store::field::Q_TEXT)};
    for (int place = 1; place <= store::field::AnswerCount; ++place)
        names << store::field::text(place);
    for (int place = 1; place <= store::field::AnswerCount; ++place)
        names << store::field::key(place);
    return names;
}

Fingerprint fingerprintOfValues(const std::vector<QVariant>& values)
{
    // As the table gives a record's fields: a text's value as a string, a key's as a number.
    ItemTexts item;
    item.question = values.at(0).toString();
    for (std::size_t place = 0; place < std::size_t(store::field::AnswerCount); ++place) {
        item.answers[place] = values.at(1 + place).toString();
        item.keys[place] = values.at(1 + std::size_t(store::field::AnswerCount) + place).toLongLong() != 0;
    }
    return fingerprint(item);
}

}  // namespace history
