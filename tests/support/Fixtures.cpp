#include "support/Fixtures.h"

#include "store/StandaloneTable.h"
#include "store/Table.h"
#include "store/TableFile.h"

#include <QFile>

namespace testsupport {

Item item(int exam, int section, const QString& question)
{
    Item result;
    result["Q_EXAM_N"] = exam;
    result["Q_SECT"] = section;
    result["Q_TEXT"] = question.isEmpty() ? QStringLiteral("Question in exam %1").arg(exam) : question;
    result["Q1"] = QStringLiteral("Answer a");
    result["Q2"] = QStringLiteral("Answer b");
    result["A1"] = true;
    result["Q_EXPL"] = QStringLiteral("Because a.");
    return result;
}

void makeTable(const QString& file, store::TableKind kind, const std::vector<Item>& items)
{
    store::createTableFile(file, kind, store::TablePassword);
    store::StandaloneTable standalone(file);
    store::Table& table = standalone.table;
    table.open();
    table.startTransaction();
    for (const Item& it : items) {
        table.append();
        for (auto f = it.begin(); f != it.end(); ++f)
            if (table.hasField(f.key()))
                table.setValue(f.key(), f.value());
        table.post();
    }
    table.commit();
}

void makeBank(const QString& file, int count, int (*examOf)(int k), int (*sectionOf)(int k))
{
    std::vector<Item> items;
    items.reserve(size_t(count));
    for (int k = 1; k <= count; ++k) {
        Item it = item(examOf(k), sectionOf(k), QStringLiteral("Question %1").arg(k));
        it["Q_ID"] = k;
        items.push_back(it);
    }
    makeTable(file, store::TableKind::Bank, items);
}

QByteArray fileBytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace testsupport
