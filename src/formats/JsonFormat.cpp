#include "formats/JsonFormat.h"

#include "formats/JsonParser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace formats {

using store::TableKind;

namespace {

enum class JsonKind { Integer, Boolean, Text, Answers, Keys };

struct JsonField {
    const char* json;
    JsonKind kind;
    bool bank, current, user;
};

const JsonField jsonFields[] = {
    {"id", JsonKind::Integer, true, true, true},
    {"exam", JsonKind::Integer, true, true, false},
    {"section", JsonKind::Integer, true, true, true},
    {"multiple", JsonKind::Boolean, true, true, true},
    {"question", JsonKind::Text, true, true, true},
    {"answers", JsonKind::Answers, true, true, true},
    {"correct", JsonKind::Keys, true, true, true},
    {"explanation", JsonKind::Text, true, true, true},
    {"sim", JsonKind::Text, true, true, false},
    {"pict1", JsonKind::Text, true, true, false},
    {"pict2", JsonKind::Text, true, true, false},
    {"or_number", JsonKind::Integer, false, true, false},
    {"memo", JsonKind::Text, true, true, true},
};

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

struct IntegerRule {
    const char* json;
    int low, high;
    int Item::*member;
};

// Identifiers are signed 32-bit numbers of at least 1, as the table stores them.
const IntegerRule integerRules[] = {
    {"id", 1, std::numeric_limits<int>::max(), &Item::id},
    {"exam", 0, 7, &Item::exam},
    {"section", 1, 4, &Item::section},
    {"or_number", 1, std::numeric_limits<int>::max(), &Item::orNumber},
};

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
QString readField(const JsonField& f, const JsonValue& v, Item& item)
{
    using T = JsonValue::Type;
    const QString name = QLatin1String(f.json);
    switch (f.kind) {
    case JsonKind::Integer:
        for (const IntegerRule& rule : integerRules) {
            if (name != QLatin1String(rule.json))
                continue;
            if (v.type != T::Number || std::floor(v.number) != v.number)
                return QStringLiteral("must be a whole number");
            if (v.number < rule.low || v.number > rule.high)
                return rule.high == std::numeric_limits<int>::max()
                           ? QStringLiteral("%1 is outside 1..2147483647").arg(v.number, 0, 'g', 17)
                           : QStringLiteral("%1 is outside %2..%3").arg(v.number, 0, 'g', 17).arg(rule.low).arg(rule.high);
            item.*rule.member = int(v.number);
        }
        return {};
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
    static const std::pair<const char*, const char*> names[] = {
        {"Q_ID", "id"},          {"Q_EXAM_N", "exam"}, {"Q_SECT", "section"}, {"Q_TYPE", "multiple"},
        {"Q_TEXT", "question"},  {"Q_EXPL", "explanation"}, {"Q_SIM", "sim"}, {"PICT1", "pict1"},
        {"PICT2", "pict2"},      {"Q_OR_NUMBER", "or_number"}, {"U_MEMO", "memo"}};
    for (const auto& [table, json] : names)
        if (field.compare(QLatin1String(table), Qt::CaseInsensitive) == 0)
            return QLatin1String(json);
    static const QRegularExpression answer(QStringLiteral("^[Qq][1-6]$")), key(QStringLiteral("^[Aa][1-6]$"));
    if (answer.match(field).hasMatch())
        return QStringLiteral("answers");
    if (key.match(field).hasMatch())
        return QStringLiteral("correct");
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
            const JsonField* f = findField(key);
            if (!f)
                fault(value, QStringLiteral("%1: unknown field \"%2\"").arg(where, key));
            else if (!belongsTo(*f, kind))
                fault(value, QStringLiteral("%1: field \"%2\" does not belong in a %3 table").arg(where, key, store::kindName(kind)));
            else if (const QString why = readField(*f, value, item); !why.isEmpty())
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
        for (const JsonField& f : jsonFields) {
            if (!belongsTo(f, kind))
                continue;
            const QString name = QLatin1String(f.json);
            switch (f.kind) {
            case JsonKind::Integer:
                for (const IntegerRule& rule : integerRules)
                    if (name == QLatin1String(rule.json)) {
                        const int n = item.*rule.member;
                        const bool identifier = rule.low == 1 && rule.high == std::numeric_limits<int>::max();
                        if (n != 0 || !identifier)
                            object[name] = n;
                    }
                break;
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
