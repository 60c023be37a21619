#include "formats/ItemTable.h"

#include "formats/Pictures.h"
#include "pictures/PictureCheck.h"
#include "store/StoreError.h"
#include "store/Table.h"

#include <QFile>
#include <QFileInfo>

namespace formats {

namespace f = store::field;

std::vector<Item> readTableItems(store::Table& table)
{
    const auto text = [&](const char* field) { return table.hasField(field) ? table.asString(field) : QString(); };
    const auto number = [&](const char* field) { return table.hasField(field) ? table.asInteger(field) : 0; };
    std::vector<Item> items;
    for (table.first(); !table.eof(); table.next()) {
        Item item;
        item.id = number(f::Q_ID);
        item.exam = number(f::Q_EXAM_N);
        item.section = number(f::Q_SECT);
        item.multiple = table.asBoolean(f::Q_TYPE);
        item.question = text(f::Q_TEXT);
        item.explanation = text(f::Q_EXPL);
        for (int k = 0; k < MaxAnswers; ++k) {
            item.answers[k] = table.asString(f::text(k + 1));
            item.keys[k] = table.asBoolean(f::key(k + 1));
        }
        item.sim = text(f::Q_SIM);
        item.pictures[0].name = text(f::PICT1);
        item.pictures[1].name = text(f::PICT2);
        item.orNumber = number(f::Q_OR_NUMBER);
        item.memo = text(f::U_MEMO);
        items.push_back(std::move(item));
    }
    return items;
}

QList<Problem> fitItems(std::vector<Item>& items, store::TableKind kind, int section, int firstId)
{
    QList<Problem> problems;
    for (size_t i = 0; i < items.size(); ++i)
        problems += fitItem(items[i], kind, section, firstId + int(i));
    return problems;
}

QList<Problem> fitItem(Item& item, store::TableKind kind, int section, int id)
{
    QList<Problem> problems;
    if (item.section == 0)
        item.section = section;
    if (kind == store::TableKind::Bank && item.id == 0)
        item.id = id;
    for (Picture& picture : item.pictures) {
        if (picture.isEmpty())
            continue;
        const QString name = picture.name.isEmpty() ? QStringLiteral("a picture") : picture.name;
        QString note;
        if (kind == store::TableKind::User) {
            note = QStringLiteral("the user set keeps no pictures; %1 left out").arg(name);
        } else if (!picture.data.isEmpty()) {
            picture.name = plainPictureName(picture.name, picture.data);
            // The checks the exhibit windows run before a decoder sees the bytes.
            if (const QString why = pictures::faultOf(picture.name, picture.data); !why.isEmpty())
                note = QStringLiteral("the picture %1 %2; left out").arg(name, why);
        }
        if (!note.isEmpty()) {
            problems.append({item.line, 0, note, {}});
            picture = {};
        }
    }
    return problems;
}

store::ItemRecord recordOf(const Item& item)
{
    store::ItemRecord record;
    const auto set = [&](const char* field, const QVariant& value) { record[QLatin1String(field)] = value; };
    if (item.id != 0)
        set(f::Q_ID, item.id);
    set(f::Q_EXAM_N, item.exam);
    set(f::Q_SECT, item.section);
    set(f::Q_TEXT, item.question);
    set(f::Q_EXPL, item.explanation);
    set(f::Q_TYPE, item.multiple);
    for (int k = 0; k < MaxAnswers; ++k) {
        set(f::answerText[k], item.answers[k]);
        set(f::answerKey[k], item.keys[k]);
    }
    set(f::Q_SIM, item.sim);
    set(f::PICT1, item.pictures[0].name);
    set(f::PICT2, item.pictures[1].name);
    if (item.orNumber != 0)
        set(f::Q_OR_NUMBER, item.orNumber);
    set(f::U_MEMO, item.memo);
    return record;
}

namespace {

// Appends item number `number` (from 1) with the fields the table has.
void appendItem(store::Table& table, const Item& item, int number)
{
    table.append();
    for (const auto& [field, value] : recordOf(item))
        if (table.hasField(field))
            table.setValue(field, value);
    table.post();
    // An item without an id gets the next key, which may pass the field's 32 bits.
    const qint64 id = table.value(f::Q_ID).toLongLong();
    if (id > store::MaxItemId)
        throw store::StoreError(QStringLiteral("item %1 would get Q_ID %2, beyond the largest, %3")
                                    .arg(number).arg(id).arg(store::MaxItemId));
}

}  // namespace

ItemImport::ItemImport(store::Table& table) : m_table(table)
{
    m_table.startTransaction();
}

ItemImport::~ItemImport()
{
    if (!m_open)
        return;
    try {
        if (m_table.state() == store::DataSetState::Insert || m_table.state() == store::DataSetState::Edit)
            m_table.cancel();
        m_table.rollback();
    } catch (...) {
        // The transaction ends with the connection all the same; nothing was committed.
    }
    for (const QString& file : m_pictures)
        QFile::remove(file);
}

void ItemImport::add(Item& item)
{
    m_pictures += storePictures(item, QFileInfo(m_table.tableName()).absolutePath());
    appendItem(m_table, item, ++m_added);
}

void ItemImport::commit()
{
    m_table.commit();
    m_open = false;
}

void importItems(store::Table& table, std::vector<Item>& items, const std::function<void(int)>& afterEach)
{
    ItemImport import(table);
    for (Item& item : items) {
        import.add(item);
        if (afterEach)
            afterEach(import.added());
    }
    import.commit();
}

}  // namespace formats
