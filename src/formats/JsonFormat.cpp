#include "formats/JsonFormat.h"

#include "formats/JsonParser.h"
#include "store/ItemCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace formats {

using store::TableKind;

namespace {

enum class JsonKind { Integer, Boolean, Text, Answers, Keys };

namespace f = store::field;

// Each key of an item object and the table field it holds; the answers and the keys stand for
// their six fields, named by the first. Whether a key belongs in a table, and the range of a
// number, are the table's.
struct JsonField {
    const char* json;
    const char* field;
    JsonKind kind;
};

const JsonField jsonFields[] = {
    {"id", f::Q_ID, JsonKind::Integer},
    {"exam", f::Q_EXAM_N, JsonKind::Integer},
    {"section", f::Q_SECT, JsonKind::Integer},
    {"multiple", f::Q_TYPE, JsonKind::Boolean},
    {"question", f::Q_TEXT, JsonKind::Text},
    {"answers", f::Q1, JsonKind::Answers},
    {"correct", f::A1, JsonKind::Keys},
    {"explanation", f::Q_EXPL, JsonKind::Text},
    {"sim", f::Q_SIM, JsonKind::Text},
    {"pict1", f::PICT1, JsonKind::Text},
    {"pict2", f::PICT2, JsonKind::Text},
    {"or_number", f::Q_OR_NUMBER, JsonKind::Integer},
    {"memo", f::U_MEMO, JsonKind::Text},
};

bool belongsTo(const JsonField& jf, TableKind kind)
{
    return store::hasField(kind, jf.field);
}

const JsonField* findField(const QString& name)
{
    for (const JsonField& jf : jsonFields)
        if (name == QLatin1String(jf.json))
            return &jf;
    return nullptr;
}

int* numberMember(Item& item, const char* field)
{
    if (qstrcmp(field, f::Q_ID) == 0) return &item.id;
    if (qstrcmp(field, f::Q_EXAM_N) == 0) return &item.exam;
    if (qstrcmp(field, f::Q_SECT) == 0) return &item.section;
    if (qstrcmp(field, f::Q_OR_NUMBER) == 0) return &item.orNumber;
    return nullptr;
}

// Whether a 0 in `field` stands for no value, so that it is left out when written.
bool zeroIsNone(const store::FieldRange& range)
{
    return range.optional && range.low > 0;
}

QString* textMember(Item& item, const QString& name)
{
    if (name == QLatin1String("question")) return &item.question;
    if (name == QLatin1String("explanation")) return &item.explanation;
    if (name == QLatin1String("sim")) return &item.sim;
    if (name == QLatin1String("memo")) return &item.memo;
    if (name == QLatin1String("pict1")) return &item.pictures[0].name;
    if (name == QLatin1String("pict2")) return &item.pictures[1].name;
    return nullptr;
}

// Reads one field into the item; returns a fault text, empty when fine.
QString readField(const JsonField& jf, const JsonValue& v, Item& item)
{
    using T = JsonValue::Type;
    const QString name = QLatin1String(jf.json);
    switch (jf.kind) {
    case JsonKind::Integer: {
        const store::FieldRange& range = *store::rangeOf(jf.field);
        if (v.type != T::Number || std::floor(v.number) != v.number)
            return QStringLiteral("must be a whole number");
        if (v.number < double(range.low) || v.number > double(range.high))
            return QStringLiteral("%1 is outside %2..%3").arg(v.number, 0, 'g', 17).arg(range.low).arg(range.high);
        *numberMember(item, jf.field) = int(v.number);
        return {};
    }
    case JsonKind::Boolean:
        if (v.type != T::Boolean)
            return QStringLiteral("must be true or false");
        item.multiple = v.boolean;
        return {};
    case JsonKind::Text:
        if (v.type != T::Text)
            return QStringLiteral("must be a text");
        *textMember(item, name) = v.text;
        return {};
    case JsonKind::Answers: {
        if (v.type != T::Array)
            return QStringLiteral("must be a list of texts");
        if (v.elements.size() > size_t(MaxAnswers))
            return QStringLiteral("has %1 answers; at most %2 are allowed").arg(v.elements.size()).arg(MaxAnswers);
        for (size_t i = 0; i < v.elements.size(); ++i) {
            if (v.elements[i].type != T::Text)
                return QStringLiteral("answer %1 must be a text").arg(QChar(char16_t('a' + i)));
            item.answers[i] = v.elements[i].text;
        }
        return {};
    }
    case JsonKind::Keys: {
        if (v.type != T::Text)
            return QStringLiteral("must be a text of key letters a to f");
        for (QChar c : v.text) {
            if (c < QLatin1Char('a') || c > QLatin1Char('f'))
                return QStringLiteral("\"%1\" is not a key letter a to f").arg(c);
            bool& key = item.keys[c.unicode() - 'a'];
            if (key)
                return QStringLiteral("names the key %1 twice").arg(c);
            key = true;
        }
        return {};
    }
    }
    return {};
}

}  // namespace

QString jsonNameOf(const QString& field)
{
    for (const JsonField& jf : jsonFields)
        if (field.compare(QLatin1String(jf.field), Qt::CaseInsensitive) == 0)
            return QLatin1String(jf.json);
    for (int k = 1; k <= f::AnswerCount; ++k) {
        if (field.compare(f::text(k), Qt::CaseInsensitive) == 0)
            return QStringLiteral("answers");
        if (field.compare(f::key(k), Qt::CaseInsensitive) == 0)
            return QStringLiteral("correct");
    }
    return field;
}

ReadResult JsonFormat::read(const QByteArray& source, TableKind kind) const
{
    ReadResult result;
    const auto fault = [&](const JsonValue& at, const QString& text) {
        result.problems.append(Problem{at.line, at.column, text, {}});
    };
    Problem parseFault;
    const std::optional<JsonValue> doc = parseJson(source, parseFault);
    if (!doc) {
        result.problems.append(parseFault);
        result.malformed = true;
        return result;
    }
    const JsonValue* items = doc->member(QStringLiteral("items"));
    if (doc->type != JsonValue::Type::Object || !items || items->type != JsonValue::Type::Array) {
        fault(*doc, QStringLiteral("the source must be an object with a list \"items\""));
        result.malformed = true;
        return result;
    }
    for (const auto& [key, value] : doc->members)
        if (key != QLatin1String("items"))
            fault(value, QStringLiteral("unknown field \"%1\" at the top").arg(key));

    for (size_t i = 0; i < items->elements.size(); ++i) {
        const JsonValue& object = items->elements[i];
        const QString where = QStringLiteral("item %1").arg(i + 1);
        if (object.type != JsonValue::Type::Object) {
            fault(object, where + QStringLiteral(": must be an object"));
            continue;
        }
        Item item;
        item.line = object.line;
        for (const auto& [key, value] : object.members) {
            const JsonField* jf = findField(key);
            if (!jf)
                fault(value, QStringLiteral("%1: unknown field \"%2\"").arg(where, key));
            else if (!belongsTo(*jf, kind))
                fault(value, QStringLiteral("%1: field \"%2\" does not belong in a %3 table").arg(where, key, store::kindName(kind)));
            else if (const QString why = readField(*jf, value, item); !why.isEmpty())
                fault(value, QStringLiteral("%1: \"%2\" %3").arg(where, key, why));
        }
        if (!object.member(QStringLiteral("question")))
            fault(object, where + QStringLiteral(": \"question\" is missing"));
        if (kind == TableKind::Bank) {
            if (item.id != 0 && item.id != int(i) + 1)
                fault(*object.member(QStringLiteral("id")),
                      QStringLiteral("%1: \"id\" must be %2, its position in the bank").arg(where).arg(i + 1));
            item.id = int(i) + 1;
        }
        result.items.push_back(std::move(item));
    }
    if (!result.problems.isEmpty()) {
        result.items.clear();
        result.malformed = true;
    }
    return result;
}

WriteResult JsonFormat::write(const std::vector<Item>& items, TableKind kind) const
{
    QJsonArray array;
    for (const Item& source : items) {
        Item item = source;
        QJsonObject object;
        for (const JsonField& jf : jsonFields) {
            if (!belongsTo(jf, kind))
                continue;
            const QString name = QLatin1String(jf.json);
            switch (jf.kind) {
            case JsonKind::Integer: {
                const int n = *numberMember(item, jf.field);
                if (n != 0 || !zeroIsNone(*store::rangeOf(jf.field)))
                    object[name] = n;
                break;
            }
            case JsonKind::Boolean: object[name] = item.multiple; break;
            case JsonKind::Text: object[name] = *textMember(item, name); break;
            case JsonKind::Answers: {
                QJsonArray answers;
                int last = 0;
                for (int k = 0; k < MaxAnswers; ++k)
                    if (!item.answers[k].isEmpty())
                        last = k + 1;
                for (int k = 0; k < last; ++k)
                    answers.append(item.answers[k]);
                object[name] = answers;
                break;
            }
            case JsonKind::Keys: object[name] = item.keyLetters(); break;
            }
        }
        array.append(object);
    }
    QJsonObject root;
    root[QStringLiteral("items")] = array;
    WriteResult result;
    result.data = QJsonDocument(root).toJson(QJsonDocument::Indented);
    result.written = int(items.size());
    return result;
}

}  // namespace formats
