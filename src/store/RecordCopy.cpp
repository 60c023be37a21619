#include "store/RecordCopy.h"

#include "store/StoreError.h"
#include "store/Table.h"

#include <QStringList>

namespace store {

namespace {

// The quoted column name of a field, or an error naming the table.
QString column(const Table& table, const char* name)
{
    const int index = table.fieldIndex(QLatin1String(name));
    if (index < 0)
        throw StoreError(QStringLiteral("Table %1: the table lacks the field %2")
                             .arg(table.tableName(), QLatin1String(name)));
    return QLatin1Char('"') + table.fieldNames().at(index) + QLatin1Char('"');
}

// A stored value that is not already of its field's type, turned into it as the table cursor's
// values are: a number as its text, a text as the number it spells (0 if none), 0/1 for a truth.
// The choice slot of a field name: its text (0..5), its key (AnswerCount + 0..5), else -1.
int choiceSlotOf(const char* name)
{
    for (int k = 0; k < field::AnswerCount; ++k) {
        if (qstrcmp(name, field::answerText[k]) == 0)
            return k;
        if (qstrcmp(name, field::answerKey[k]) == 0)
            return field::AnswerCount + k;
    }
    return -1;
}

QVariant converted(const QVariant& value, FieldType type)
{
    switch (type) {
    case FieldType::Text: return value.toString();
    case FieldType::Boolean: return qint64(value.toLongLong() != 0);
    case FieldType::Integer: break;
    }
    return qint64(value.toLongLong());
}

}  // namespace

RecordCopy::RecordCopy(Table& source, Table& target, const std::vector<CopiedField>& fields)
    : m_source(source), m_target(target)
{
    source.requireOpen("copy records");
    target.requireOpen("copy records");
    QStringList read;
    for (const CopiedField& f : fields) {
        read.append(column(source, f.source));
        column(target, f.target);  // the error when the target lacks it
        m_parameters.push_back(target.fieldIndex(QLatin1String(f.target)) + 1);
        m_types.push_back(f.type);
        m_choiceSlot.push_back(choiceSlotOf(f.source) == choiceSlotOf(f.target) ? choiceSlotOf(f.target) : -1);
    }
    for (int k = 0; k < field::AnswerCount; ++k) {
        m_choiceParameter[std::size_t(k)] = target.fieldIndex(field::text(k + 1)) + 1;
        m_choiceParameter[std::size_t(field::AnswerCount + k)] = target.fieldIndex(field::key(k + 1)) + 1;
    }
    // Every field of the target is written, as an appended record of the cursor is: those not
    // copied and Q_ID (which the table then chooses) as NULL.
    QStringList written, marks;
    for (const QString& name : target.fieldNames()) {
        written.append(QLatin1Char('"') + name + QLatin1Char('"'));
        marks.append(QStringLiteral("?"));
    }
    const QString items = QLatin1Char('"') + QLatin1String(ItemsTable) + QLatin1Char('"');
    m_select.emplace(source.m_connection,
                     QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                         .arg(read.join(','), items, column(source, field::Q_ID)),
                     QStringLiteral("cannot read a record"));
    m_insert.emplace(target.m_connection,
                     QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(items, written.join(','), marks.join(',')),
                     QStringLiteral("cannot add a record"));
}

void RecordCopy::bindConverted(int field, int parameter)
{
    const FieldType type = m_types[size_t(field)];
    // The usual case, a value already of its field's type, goes across as it is.
    switch (m_select->type(field)) {
    case ColumnType::Null:
        if (type == FieldType::Text)
            m_insert->bind(parameter, QStringLiteral(""));
        else
            m_insert->bind(parameter, std::int64_t(0));
        return;
    case ColumnType::Integer:
        if (type == FieldType::Text)
            break;
        m_insert->bind(parameter, type == FieldType::Boolean ? std::int64_t(m_select->integer(field) != 0)
                                                             : m_select->integer(field));
        return;
    case ColumnType::Text:
        if (type != FieldType::Text)
            break;
        m_insert->bindColumn(parameter, *m_select, field);
        return;
    default: break;
    }
    m_insert->bindValue(parameter, converted(m_select->value(field), type));
}

bool RecordCopy::append(std::int64_t key)
{
    m_select->reset();
    m_select->bind(1, key);
    if (!m_select->step())
        return false;
    m_insert->reset();
    m_insert->clearBindings();
    m_lastOrder = m_shuffle ? orderOfSelected() : ChoiceOrder{};
    for (int f = 0; f < int(m_types.size()); ++f) {
        const int slot = m_choiceSlot[size_t(f)];
        if (slot < 0 || m_lastOrder.isStored()) {
            bindConverted(f, m_parameters[size_t(f)]);
            continue;
        }
        // Stored choice k goes to the place it is shown at, its text and its key alike.
        const int k = slot % field::AnswerCount;
        const int place = m_lastOrder.placeOf(k);
        bindConverted(f, m_choiceParameter[size_t(slot - k + place)]);
    }
    m_select->reset();
    m_insert->run();
    return true;
}

ChoiceOrder RecordCopy::orderOfSelected()
{
    QStringList texts(field::AnswerCount);
    for (int f = 0; f < int(m_types.size()); ++f) {
        const int slot = m_choiceSlot[size_t(f)];
        if (slot >= 0 && slot < field::AnswerCount && m_select->type(f) != ColumnType::Null)
            texts[slot] = m_select->text(f);
    }
    return m_shuffle->orderFor(texts);
}

void RecordCopy::finish()
{
    m_target.rereadKeepingPosition();
}

}  // namespace store
