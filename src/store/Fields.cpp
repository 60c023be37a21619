#include "store/Fields.h"

#include <algorithm>

namespace store {

namespace {

using namespace field;

const QList<FieldDef> currentFields = {
    {Q_ID, FieldType::Integer},   {Q_EXAM_N, FieldType::Integer}, {Q_SECT, FieldType::Integer},
    {Q_TEXT, FieldType::Text},    {Q_EXPL, FieldType::Text},      {Q_TYPE, FieldType::Boolean},
    {Q1, FieldType::Text},        {Q2, FieldType::Text},          {Q3, FieldType::Text},
    {Q4, FieldType::Text},        {Q5, FieldType::Text},          {Q6, FieldType::Text},
    {A1, FieldType::Boolean},     {A2, FieldType::Boolean},       {A3, FieldType::Boolean},
    {A4, FieldType::Boolean},     {A5, FieldType::Boolean},       {A6, FieldType::Boolean},
    {Q_SIM, FieldType::Text},     {PICT1, FieldType::Text},       {PICT2, FieldType::Text},
    {Q_OR_NUMBER, FieldType::Integer}, {U_MEMO, FieldType::Text},
};

QList<FieldDef> without(const QStringList& names)
{
    QList<FieldDef> result;
    for (const FieldDef& f : currentFields)
        if (!names.contains(QString::fromLatin1(f.name)))
            result.append(f);
    return result;
}

}  // namespace

const QList<FieldDef>& fieldsOf(TableKind kind)
{
    static const QList<FieldDef> bank = without({Q_OR_NUMBER});
    static const QList<FieldDef> user = without({Q_EXAM_N, Q_SIM, PICT1, PICT2, Q_OR_NUMBER});
    switch (kind) {
    case TableKind::Bank: return bank;
    case TableKind::User: return user;
    case TableKind::Current: break;
    }
    return currentFields;
}

QStringList fieldNamesOf(TableKind kind)
{
    QStringList names;
    for (const FieldDef& f : fieldsOf(kind))
        names.append(QString::fromLatin1(f.name));
    return names;
}

bool hasField(TableKind kind, const char* name)
{
    const QList<FieldDef>& fields = fieldsOf(kind);
    return std::any_of(fields.begin(), fields.end(), [name](const FieldDef& f) { return qstrcmp(f.name, name) == 0; });
}

FieldType fieldTypeOf(const QString& name)
{
    for (const FieldDef& f : currentFields)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return f.type;
    return FieldType::Text;
}

QString kindName(TableKind kind)
{
    switch (kind) {
    case TableKind::Bank: return QStringLiteral("bank");
    case TableKind::Current: return QStringLiteral("current");
    case TableKind::User: return QStringLiteral("user");
    }
    return {};
}

bool parseKind(const QString& text, TableKind& kind)
{
    for (TableKind k : {TableKind::Bank, TableKind::Current, TableKind::User})
        if (text == kindName(k)) {
            kind = k;
            return true;
        }
    return false;
}

}  // namespace store
