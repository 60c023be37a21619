// The JSON format and the table layout agree: an item written for a kind of table carries one
// key for each field of that table and no other, and an import refuses a number exactly where
// the item check refuses it in a table.

#include "formats/Format.h"
#include "formats/JsonFormat.h"
#include "store/ItemCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>

#include <algorithm>

using store::TableKind;

Q_DECLARE_METATYPE(store::TableKind)

namespace {

namespace f = store::field;

// An item with every member set, so that the writer leaves nothing out for being empty.
formats::Item fullItem()
{
    formats::Item item;
    item.id = 1;
    item.exam = 3;
    item.section = 2;
    item.multiple = true;
    item.question = QStringLiteral("Which two?");
    item.explanation = QStringLiteral("Because.");
    item.answers = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                    QStringLiteral("e"), QStringLiteral("f")};
    item.keys = {true, false, true, false, false, false};
    item.sim = QStringLiteral("sim");
    item.orNumber = 5;
    item.memo = QStringLiteral("memo");
    item.pictures[0].name = QStringLiteral("one.bmp");
    item.pictures[1].name = QStringLiteral("two.bmp");
    return item;
}

// A current-set item that breaks no rule, with `field` set to `value`.
store::ItemRecord recordWith(const char* field, qint64 value)
{
    store::ItemRecord record{{f::Q_TEXT, QStringLiteral("Q?")}, {f::Q1, QStringLiteral("yes")},
                             {f::Q2, QStringLiteral("no")},     {f::A1, true},
                             {f::Q_SECT, 1}};
    record[QLatin1String(field)] = value;
    return record;
}

QByteArray jsonWith(const char* field, qint64 value)
{
    QJsonObject item{{"question", "Q?"}, {"answers", QJsonArray{"yes", "no"}}, {"correct", "a"}, {"section", 1}};
    item[formats::jsonNameOf(QLatin1String(field))] = value;
    return QJsonDocument(QJsonObject{{"items", QJsonArray{item}}}).toJson();
}

}  // namespace

class TestFormatsTableLayout : public QObject {
    Q_OBJECT

private slots:
    void jsonKeysAreTheTableFields_data()
    {
        QTest::addColumn<TableKind>("kind");
        QTest::newRow("bank") << TableKind::Bank;
        QTest::newRow("current") << TableKind::Current;
        QTest::newRow("user") << TableKind::User;
    }
    void jsonKeysAreTheTableFields()
    {
        QFETCH(TableKind, kind);
        const formats::WriteResult written = formats::formatNamed("json")->write({fullItem()}, kind);
        const QJsonObject object = QJsonDocument::fromJson(written.data)["items"][0].toObject();
        const QStringList keys = object.keys();

        QSet<QString> expected;
        for (const QString& field : store::fieldNamesOf(kind))
            expected << formats::jsonNameOf(field);
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()), expected);
    }

    // Each whole-number field just inside and just outside both ends of its range.
    void numbersAreRefusedWhereTheItemCheckRefusesThem_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<qint64>("value");
        for (const char* field : {f::Q_ID, f::Q_EXAM_N, f::Q_SECT, f::Q_OR_NUMBER}) {
            const store::FieldRange* range = store::rangeOf(field);
            QVERIFY2(range, field);
            for (const qint64 value : {range->low - 1, range->low, range->high, range->high + 1})
                QTest::addRow("%s %lld", field, static_cast<long long>(value)) << QString::fromLatin1(field) << value;
        }
    }
    void numbersAreRefusedWhereTheItemCheckRefusesThem()
    {
        QFETCH(QString, field);
        QFETCH(qint64, value);
        const QByteArray name = field.toLatin1();

        const formats::ReadResult read = formats::formatNamed("json")->read(jsonWith(name, value), TableKind::Current);
        const std::vector<store::ItemFault> faults = store::checkItem(recordWith(name, value), TableKind::Current);
        const bool checkRefuses = std::any_of(faults.begin(), faults.end(),
                                              [&](const store::ItemFault& fault) { return fault.field == field; });
        QCOMPARE(read.malformed, checkRefuses);
        if (checkRefuses)
            QVERIFY2(read.problems.value(0).text.endsWith(QStringLiteral("%1 is outside %2..%3")
                                                               .arg(value)
                                                               .arg(store::rangeOf(name)->low)
                                                               .arg(store::rangeOf(name)->high)),
                     qPrintable(read.problems.value(0).text));
    }
};

QTEST_MAIN(TestFormatsTableLayout)
#include "test_formats_table_layout.moc"
