#include "ItemJson.h"

#include "StrictJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace qbank {

using store::TableKind;
using namespace store::field;

namespace {

enum class JsonKind { Integer, Boolean, Text, Answers, Keys };

struct JsonField {
    const char* json;
    const char* field;  // the table field, or the first of Q1..Q6 / A1..A6
    JsonKind kind;
    bool bank, current, user;
};

const JsonField jsonFields[] = {
    {"id", Q_ID, JsonKind::Integer, true, true, true},
    {"exam", Q_EXAM_N, JsonKind::Integer, true, true, false},
    {"section", Q_SECT, JsonKind::Integer, true, true, true},
    {"multiple", Q_TYPE, JsonKind::Boolean, true, true, true},
    {"question", Q_TEXT, JsonKind::Text, true, true, true},
    {"answers", Q1, JsonKind::Answers, true, true, true},
    {"correct", A1, JsonKind::Keys, true, true, true},
    {"explanation", Q_EXPL, JsonKind::Text, true, true, true},
    {"sim", Q_SIM, JsonKind::Text, true, true, false},
    {"pict1", PICT1, JsonKind::Text, true, true, false},
    {"pict2", PICT2, JsonKind::Text, true, true, false},
    {"or_number", Q_OR_NUMBER, JsonKind::Integer, false, true, false},
    {"memo", U_MEMO, JsonKind::Text, true, true, true},
};

// Whole numbers beyond this are not exact in a JSON reader's double.
constexpr double LargestExactNumber = 9007199254740992.0;

bool belongsTo(const JsonField& f, TableKind kind)
{
    return kind == TableKind::Bank ? f.bank : kind == TableKind::Current ? f.current : f.user;
}

const JsonField* findField(const QString& name)
{
    for (const JsonField& f : jsonFields)
        if (name == QLatin1String(f.json))
            return &f;
    return nullptr;
}

// Reads one field into the record; returns a fault text, empty when fine.
QString readField(const JsonField& f, const QJsonValue& v, Record& record)
{
    switch (f.kind) {
    case JsonKind::Integer:
        if (!v.isDouble() || std::floor(v.toDouble()) != v.toDouble() || std::fabs(v.toDouble()) > LargestExactNumber)
            return QStringLiteral("must be a whole number");
        record[QLatin1String(f.field)] = qint64(v.toDouble());
        return {};
    case JsonKind::Boolean:
        if (!v.isBool())
            return QStringLiteral("must be true or false");
        record[QLatin1String(f.field)] = v.toBool();
        return {};
    case JsonKind::Text:
        if (!v.isString())
            return QStringLiteral("must be a text");
        record[QLatin1String(f.field)] = v.toString();
        return {};
    case JsonKind::Answers: {
        if (!v.isArray())
            return QStringLiteral("must be a list of texts");
        const QJsonArray answers = v.toArray();
        if (answers.size() > AnswerCount)
            return QStringLiteral("has %1 answers; at most 6 are allowed").arg(answers.size());
        for (int i = 0; i < answers.size(); ++i) {
            if (!answers[i].isString())
                return QStringLiteral("answer %1 must be a text").arg(QChar('a' + i));
            record[text(i + 1)] = answers[i].toString();
        }
        return {};
    }
    case JsonKind::Keys: {
        if (!v.isString())
            return QStringLiteral("must be a text of key letters a to f");
        for (QChar c : v.toString()) {
            if (c < 'a' || c > 'f')
                return QStringLiteral("\"%1\" is not a key letter a to f").arg(c);
            const QString field = key(c.unicode() - 'a' + 1);
            if (record.count(field))
                return QStringLiteral("names the key %1 twice").arg(c);
            record[field] = true;
        }
        return {};
    }
    }
    return {};
}

}  // namespace

std::vector<Record> readItems(const QByteArray& json, TableKind kind, QStringList& faults)
{
    const QString strictFault = strictJsonFault(json);
    if (!strictFault.isEmpty()) {
        faults.append(strictFault);
        return {};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        int line, column;
        lineAndColumn(json, error.offset, line, column);
        faults.append(QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(error.errorString()));
        return {};
    }
    if (!doc.isObject() || !doc.object().value("items").isArray()) {
        faults.append(QStringLiteral("the source must be an object with a list \"items\""));
        return {};
    }
    for (const QString& key : doc.object().keys())
        if (key != QLatin1String("items"))
            faults.append(QStringLiteral("unknown field \"%1\" at the top").arg(key));

    std::vector<Record> records;
    const QJsonArray items = doc.object().value("items").toArray();
    for (int i = 0; i < items.size(); ++i) {
        const QString where = QStringLiteral("item %1").arg(i + 1);
        if (!items[i].isObject()) {
            faults.append(where + QStringLiteral(": must be an object"));
            continue;
        }
        const QJsonObject item = items[i].toObject();
        Record record;
        for (const QString& key : item.keys()) {
            const JsonField* f = findField(key);
            if (!f) {
                faults.append(QStringLiteral("%1: unknown field \"%2\"").arg(where, key));
                continue;
            }
            if (!belongsTo(*f, kind)) {
                faults.append(QStringLiteral("%1: field \"%2\" does not belong in a %3 table")
                                  .arg(where, key, store::kindName(kind)));
                continue;
            }
            const QString fault = readField(*f, item.value(key), record);
            if (!fault.isEmpty())
                faults.append(QStringLiteral("%1: \"%2\" %3").arg(where, key, fault));
        }
        if (!item.contains("question"))
            faults.append(where + QStringLiteral(": \"question\" is missing"));
        if (kind == TableKind::Bank) {
            if (record.count(Q_ID) && record[Q_ID].toLongLong() != i + 1)
                faults.append(QStringLiteral("%1: \"id\" must be %2, its position in the bank").arg(where).arg(i + 1));
            record[Q_ID] = qint64(i + 1);
        }
        records.push_back(std::move(record));
    }
    if (!faults.isEmpty())
        records.clear();
    return records;
}

QString jsonNameOf(const QString& field)
{
    for (const JsonField& f : jsonFields)
        if (field == QLatin1String(f.field))
            return QLatin1String(f.json);
    for (int k = 1; k <= AnswerCount; ++k) {
        if (field == text(k))
            return QStringLiteral("answers");
        if (field == key(k))
            return QStringLiteral("correct");
    }
    return field;
}

QJsonObject toJson(const Record& record, TableKind kind)
{
    auto get = [&](const QString& field) {
        auto it = record.find(field);
        return it == record.end() ? QVariant() : it->second;
    };
    QJsonObject item;
    for (const JsonField& f : jsonFields) {
        if (!belongsTo(f, kind))
            continue;
        const QString name = QLatin1String(f.json);
        switch (f.kind) {
        case JsonKind::Integer: {
            const qint64 n = get(QLatin1String(f.field)).toLongLong();
            const QLatin1String field(f.field);
            const bool identifier = field == QLatin1String(Q_ID) || field == QLatin1String(Q_OR_NUMBER);
            if (n != 0 || !identifier)
                item[name] = n;
            break;
        }
        case JsonKind::Boolean: item[name] = get(QLatin1String(f.field)).toLongLong() != 0; break;
        case JsonKind::Text: item[name] = get(QLatin1String(f.field)).toString(); break;
        case JsonKind::Answers: {
            QJsonArray answers;
            int last = 0;
            for (int k = 1; k <= AnswerCount; ++k)
                if (!get(text(k)).toString().isEmpty())
                    last = k;
            for (int k = 1; k <= last; ++k)
                answers.append(get(text(k)).toString());
            item[name] = answers;
            break;
        }
        case JsonKind::Keys: {
            QString keys;
            for (int k = 1; k <= AnswerCount; ++k)
                if (get(key(k)).toLongLong() != 0)
                    keys += QChar('a' + k - 1);
            item[name] = keys;
            break;
        }
        }
    }
    return item;
}

}  // namespace qbank
