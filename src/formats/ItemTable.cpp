#include "formats/ItemTable.h"

#include "formats/Pictures.h"
#include "store/Table.h"

#include <QFile>
#include <QFileInfo>

namespace formats {

namespace {

QString answerField(int k) { return QStringLiteral("Q%1").arg(k + 1); }
QString keyField(int k) { return QStringLiteral("A%1").arg(k + 1); }

}  // namespace

std::vector<Item> readTableItems(store::Table& table)
{
    const auto text = [&](const char* field) { return table.hasField(field) ? table.asString(field) : QString(); };
    const auto number = [&](const char* field) { return table.hasField(field) ? table.asInteger(field) : 0; };
    std::vector<Item> items;
    for (table.first(); !table.eof(); table.next()) {
        Item item;
        item.id = number("Q_ID");
        item.exam = number("Q_EXAM_N");
        item.section = number("Q_SECT");
        item.multiple = table.asBoolean("Q_TYPE");
        item.question = text("Q_TEXT");
        item.explanation = text("Q_EXPL");
        for (int k = 0; k < MaxAnswers; ++k) {
            item.answers[k] = table.asString(answerField(k));
            item.keys[k] = table.asBoolean(keyField(k));
        }
        item.sim = text("Q_SIM");
        item.pictures[0].name = text("PICT1");
        item.pictures[1].name = text("PICT2");
        item.orNumber = number("Q_OR_NUMBER");
        item.memo = text("U_MEMO");
        items.push_back(std::move(item));
    }
    return items;
}

QList<Problem> fitItems(std::vector<Item>& items, store::TableKind kind, int section, int firstId)
{
    QList<Problem> problems;
    for (size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        if (item.section == 0)
            item.section = section;
        if (kind == store::TableKind::Bank && item.id == 0)
            item.id = firstId + int(i);
        if (kind != store::TableKind::User)
            continue;
        for (Picture& picture : item.pictures)
            if (!picture.isEmpty()) {
                problems.append({item.line, 0, QStringLiteral("the user set keeps no pictures; %1 left out")
                                                   .arg(picture.name.isEmpty() ? QStringLiteral("a picture") : picture.name), {}});
                picture = {};
            }
    }
    return problems;
}

void appendItems(store::Table& table, const std::vector<Item>& items, const std::function<void(int)>& afterEach)
{
    const auto set = [&](const char* field, const QVariant& value) {
        if (table.hasField(field))
            table.setValue(field, value);
    };
    table.startTransaction();
    try {
        int appended = 0;
        for (const Item& item : items) {
            table.append();
            if (item.id != 0)
                set("Q_ID", item.id);
            set("Q_EXAM_N", item.exam);
            set("Q_SECT", item.section);
            set("Q_TEXT", item.question);
            set("Q_EXPL", item.explanation);
            set("Q_TYPE", item.multiple);
            for (int k = 0; k < MaxAnswers; ++k) {
                table.setValue(answerField(k), item.answers[k]);
                table.setValue(keyField(k), item.keys[k]);
            }
            set("Q_SIM", item.sim);
            set("PICT1", item.pictures[0].name);
            set("PICT2", item.pictures[1].name);
            if (item.orNumber != 0)
                set("Q_OR_NUMBER", item.orNumber);
            set("U_MEMO", item.memo);
            table.post();
            if (afterEach)
                afterEach(++appended);
        }
        table.commit();
    } catch (...) {
        if (table.state() != store::DataSetState::Browse && table.state() != store::DataSetState::Inactive)
            table.cancel();
        table.rollback();
        throw;
    }
}

void importItems(store::Table& table, std::vector<Item>& items, const std::function<void(int)>& afterEach)
{
    const QStringList written = storePictures(items, QFileInfo(table.tableName()).absolutePath());
    try {
        appendItems(table, items, afterEach);
    } catch (...) {
        for (const QString& file : written)
            QFile::remove(file);
        throw;
    }
}

}  // namespace formats
