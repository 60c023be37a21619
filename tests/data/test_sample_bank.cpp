// Checks the sample question bank (data/sample/bank.json), the sample user set
// (data/sample/user.json) and the exhibit pictures they name: first by the rules every item
// obeys (the qbank tool's reader and item check), then by what a good sample needs beyond them.
// The figures of the practice exams (how many items, sections, exhibits) are read from the
// bank itself.

#include "BankRules.h"
#include "formats/ItemTable.h"
#include "formats/JsonFormat.h"
#include "store/ChoiceOrder.h"
#include "store/ItemCheck.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// The items of a JSON source as the qbank tool reads them, as table records; faults as lines.
std::vector<qbank::Record> readRecords(const QByteArray& json, store::TableKind kind, QStringList& faults)
{
    const formats::ReadResult read = formats::JsonFormat().read(json, kind);
    for (const formats::Problem& p : read.problems)
        faults.append(p.toString(QStringLiteral("source")));
    std::vector<qbank::Record> records;
    for (const formats::Item& item : read.items)
        records.push_back(formats::recordOf(item));
    return records;
}

const QString SampleDir = QStringLiteral(SAMPLE_DIR);
const QStringList PictureExtensions = {"bmp", "ico", "wmf", "emf"};

QJsonArray loadItems(const QString& fileName, QString* error)
{
    QFile file(SampleDir + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = fileName + QStringLiteral(": ") + file.errorString();
        return {};
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("%1: %2 at offset %3")
                     .arg(fileName, parseError.errorString())
                     .arg(parseError.offset);
        return {};
    }
    if (!doc.isObject() || !doc.object().value("items").isArray()) {
        *error = fileName + QStringLiteral(": no \"items\" array");
        return {};
    }
    return doc.object().value("items").toArray();
}

// The names of the pictures an item shows, empty names left out.
QStringList picturesOf(const QJsonObject& item)
{
    QStringList names;
    for (const char* field : {"pict1", "pict2"}) {
        const QString name = item.value(field).toString();
        if (!name.isEmpty()) names << name;
    }
    return names;
}

// Which exhibit buttons the exam window shows for an item: "Exhibit 1" for the first picture,
// "Exhibit 2" for the second, each on its own.
enum Exhibits { NoExhibit, FirstOnly, SecondOnly, BothExhibits };

Exhibits exhibitsOf(const QJsonObject& item)
{
    const bool first = !item.value("pict1").toString().isEmpty();
    const bool second = !item.value("pict2").toString().isEmpty();
    return first ? (second ? BothExhibits : FirstOnly) : (second ? SecondOnly : NoExhibit);
}

} // namespace

class TestSampleBank : public QObject {
    Q_OBJECT

    QJsonArray bank;
    QJsonArray user;

    // One row per item of both files, named after the file and the item's position.
    void addItemRows()
    {
        QTest::addColumn<QJsonObject>("item");
        QTest::addColumn<bool>("isBank");
        for (qsizetype i = 0; i < bank.size(); ++i)
            QTest::addRow("bank item %lld", qlonglong(i + 1)) << bank.at(i).toObject() << true;
        for (qsizetype i = 0; i < user.size(); ++i)
            QTest::addRow("user item %lld", qlonglong(i + 1)) << user.at(i).toObject() << false;
    }

private slots:
    void initTestCase()
    {
        QString error;
        bank = loadItems("bank.json", &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        user = loadItems("user.json", &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!bank.isEmpty());
        QVERIFY(!user.isEmpty());
    }

    // Both files as the qbank tool reads them, each item through the item check, pictures
    // looked up in the sample's picture folder.
    void itemsKeepTheRules_data()
    {
        QTest::addColumn<qbank::Record>("record");
        QTest::addColumn<int>("kind");
        for (auto [fileName, kind] : {std::pair{"bank.json", store::TableKind::Bank}, {"user.json", store::TableKind::User}}) {
            QFile file(SampleDir + QLatin1Char('/') + QLatin1String(fileName));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QStringList faults;
            const std::vector<qbank::Record> records = readRecords(file.readAll(), kind, faults);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
            for (size_t i = 0; i < records.size(); ++i)
                QTest::addRow("%s item %zu", fileName, i + 1) << records[i] << int(kind);
        }
    }
    void itemsKeepTheRules()
    {
        QFETCH(qbank::Record, record);
        QFETCH(int, kind);
        const auto faults = store::checkItem(record, store::TableKind(kind), SampleDir + QStringLiteral("/pictures"));
        for (const store::ItemFault& fault : faults)
            qWarning("%s %s", qPrintable(fault.field), qPrintable(fault.text));
        QVERIFY(faults.empty());
    }

    // Beyond the rules: a question, an explanation, three answers or more to choose from, and
    // more than one key in a multiple-response item.
    void itemsAreFilled_data() { addItemRows(); }
    void itemsAreFilled()
    {
        QFETCH(QJsonObject, item);
        QVERIFY(!item.value("question").toString().trimmed().isEmpty());
        QVERIFY2(!item.value("explanation").toString().trimmed().isEmpty(), "empty explanation");
        int filled = 0;
        for (const QJsonValue& answer : item.value("answers").toArray())
            filled += !answer.toString().trimmed().isEmpty();
        QVERIFY2(filled >= 3, "fewer than three answers to choose from");
        if (item.value("multiple").toBool())
            QVERIFY2(item.value("correct").toString().size() >= 2, "multiple response with a single key");
    }

    void questionsAreUnique_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("bank") << "bank.json";
        QTest::newRow("user") << "user.json";
    }
    void questionsAreUnique()
    {
        QFETCH(QString, fileName);
        const QJsonArray& items = fileName == "bank.json" ? bank : user;
        QHash<QString, qsizetype> firstSeen;
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString text = items.at(i).toObject().value("question").toString().simplified();
            const auto it = firstSeen.constFind(text);
            if (it != firstSeen.cend())
                QFAIL(qPrintable(QStringLiteral("items %1 and %2 ask the same question")
                                     .arg(it.value() + 1)
                                     .arg(i + 1)));
            firstSeen.insert(text, i);
        }
    }

    void practiceExamsHaveEverySection()
    {
        QHash<int, QSet<int>> sections;
        for (const QJsonValue& value : std::as_const(bank)) {
            const QJsonObject item = value.toObject();
            sections[item.value("exam").toInt()].insert(item.value("section").toInt());
        }
        for (int exam = 1; exam <= 7; ++exam) {
            for (int section = 1; section <= 4; ++section)
                QVERIFY2(sections.value(exam).contains(section),
                         qPrintable(QStringLiteral("exam %1 has no item of section %2")
                                        .arg(exam)
                                        .arg(section)));
        }
    }

    // Every practice exam is a full exam like the first one: the same number of items, each
    // section within one item of an even share, a fifth to a third multiple response, and
    // at least five items with exhibits.
    void practiceExamsAreAlike()
    {
        QHash<int, QHash<int, int>> perSection;
        QHash<int, int> items, multiple, exhibits;
        for (const QJsonValue& value : std::as_const(bank)) {
            const QJsonObject item = value.toObject();
            const int exam = item.value("exam").toInt();
            ++items[exam];
            ++perSection[exam][item.value("section").toInt()];
            multiple[exam] += item.value("multiple").toBool();
            exhibits[exam] += !picturesOf(item).isEmpty();
        }
        const int size = items.value(1);
        QVERIFY(size > 0);
        for (int exam = 1; exam <= 7; ++exam) {
            const QString where = QStringLiteral("exam %1").arg(exam);
            QVERIFY2(items.value(exam) == size, qPrintable(where + " differs in size from exam 1"));
            for (int section = 1; section <= 4; ++section) {
                const int count = perSection[exam].value(section);
                QVERIFY2(count * 4 >= size - 4 && count * 4 <= size + 4,
                         qPrintable(QStringLiteral("%1 section %2 has %3 items").arg(where).arg(section).arg(count)));
            }
            QVERIFY2(multiple.value(exam) * 5 >= size && multiple.value(exam) * 10 <= size * 3,
                     qPrintable(QStringLiteral("%1 has %2 multiple-response items").arg(where).arg(multiple.value(exam))));
            QVERIFY2(exhibits.value(exam) >= 5, qPrintable(where + " has fewer than five exhibit items"));
        }
    }

    // Shuffled, only the item whose answers name the others ("None of them") keeps its order;
    // answers such as "None, until ..." or "Both links now carry traffic" do not count.
    void onlyItemsThatReferToTheirAnswersKeepTheirOrder()
    {
        QList<int> kept;
        for (qsizetype i = 0; i < bank.size(); ++i) {
            QStringList answers;
            for (const QJsonValue& answer : bank.at(i).toObject().value("answers").toArray())
                answers << answer.toString();
            if (store::keepsStoredOrder(answers))
                kept << int(i + 1);
        }
        QCOMPARE(kept, QList<int>{322});
    }

    void multipleResponseSaysHowMany_data() { addItemRows(); }
    void multipleResponseSaysHowMany()
    {
        QFETCH(QJsonObject, item);
        const QString question = item.value("question").toString();
        const int keys = int(item.value("correct").toString().size());
        if (!item.value("multiple").toBool()) {
            QVERIFY2(!question.contains("(Choose"), "single response asks to choose several");
            return;
        }
        const char* words[] = {"", "", "two", "three", "four", "five", "six"};
        if (question.contains("(pick")) return;  // the user's own wording in the user set
        QVERIFY2(question.contains(QStringLiteral("(Choose %1.)").arg(words[keys])),
                 qPrintable(QStringLiteral("%1 keys, but the question says otherwise").arg(keys)));
    }

    void bankKeepsTheWritingRules()
    {
        QFile file(SampleDir + "/bank.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList faults;
        const std::vector<qbank::Record> records = readRecords(file.readAll(), store::TableKind::Bank, faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        QVERIFY(records.size() >= size_t(qbank::BankRulesMinimumItems));
        faults = qbank::checkBankRules(records);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    // The coverage table of data/sample/README.md names every item once, with the count its
    // row gives, and every practice exam has an item of each group.
    void coverageTableCoversEveryItemAndGroup()
    {
        QFile readme(SampleDir + "/README.md");
        QVERIFY(readme.open(QIODevice::ReadOnly | QIODevice::Text));
        static const QRegularExpression row(QStringLiteral("^\\| ([^|]+) \\| ([^|]+) \\| (\\d+) \\| ([\\d, ]+) \\|$"));
        QHash<int, QString> groupOf;
        QSet<QString> groups;
        for (const QString& line : QString::fromUtf8(readme.readAll()).split('\n')) {
            const QRegularExpressionMatch m = row.match(line);
            if (!m.hasMatch()) continue;
            const QStringList ids = m.captured(4).split(',');
            QVERIFY2(ids.size() == m.captured(3).toInt(), qPrintable("count differs in the row of " + m.captured(2)));
            for (const QString& id : ids) {
                QVERIFY2(!groupOf.contains(id.trimmed().toInt()), qPrintable("item listed twice: " + id.trimmed()));
                groupOf.insert(id.trimmed().toInt(), m.captured(1));
            }
            groups.insert(m.captured(1));
        }
        QCOMPARE(groups.size(), 11);
        QHash<int, QSet<QString>> covered;
        for (qsizetype i = 0; i < bank.size(); ++i) {
            QVERIFY2(groupOf.contains(int(i + 1)), qPrintable(QStringLiteral("item %1 has no topic").arg(i + 1)));
            covered[bank.at(i).toObject().value("exam").toInt()].insert(groupOf.value(int(i + 1)));
        }
        QCOMPARE(groupOf.size(), bank.size());
        for (int exam = 1; exam <= 7; ++exam)
            for (const QString& group : std::as_const(groups))
                QVERIFY2(covered.value(exam).contains(group),
                         qPrintable(QStringLiteral("exam %1 has no item of %2").arg(exam).arg(group)));
    }

    void everyPictureIsReferenced()
    {
        QSet<QString> referenced;
        for (const QJsonValue& value : std::as_const(bank)) {
            for (const QString& name : picturesOf(value.toObject()))
                referenced.insert(name);
        }
        QStringList filters;
        for (const QString& ext : PictureExtensions)
            filters << "*." + ext;
        const QDir dir(SampleDir + "/pictures");
        const QStringList present = dir.entryList(filters, QDir::Files);
        QVERIFY(!present.isEmpty());
        for (const QString& name : present)
            QVERIFY2(referenced.contains(name), qPrintable("no item shows " + name));
    }

    // The question sends the learner to the button the exam window shows: an item with only
    // the second picture shows "Exhibit 2" alone, so it must not say "the exhibit".
    void questionNamesTheExhibitsShown_data() { addItemRows(); }
    void questionNamesTheExhibitsShown()
    {
        QFETCH(QJsonObject, item);
        const QString question = item.value("question").toString();
        static const QRegularExpression reference(QStringLiteral("^Refer to (the exhibits?|Exhibit 2)\\b"));
        const QString named = reference.match(question).captured(1);
        switch (exhibitsOf(item)) {
        case NoExhibit:
            QVERIFY2(!question.contains("exhibit", Qt::CaseInsensitive), "refers to an exhibit it does not have");
            break;
        case FirstOnly: QCOMPARE(named, QStringLiteral("the exhibit")); break;
        case SecondOnly: QCOMPARE(named, QStringLiteral("Exhibit 2")); break;
        case BothExhibits: QCOMPARE(named, QStringLiteral("the exhibits")); break;
        }
    }

    // The sample shows each way the exam window lays out its exhibit buttons: the first alone,
    // the second alone (in its own place, after the empty place of the first) and both.
    void practiceExamsShowEveryExhibitCase()
    {
        QSet<int> shown;
        for (const QJsonValue& value : std::as_const(bank)) {
            const QJsonObject item = value.toObject();
            if (item.value("exam").toInt() >= 1) shown.insert(exhibitsOf(item));
        }
        QVERIFY2(shown.contains(FirstOnly), "no practice item with only the first exhibit");
        QVERIFY2(shown.contains(SecondOnly), "no practice item with only the second exhibit");
        QVERIFY2(shown.contains(BothExhibits), "no practice item with both exhibits");
    }

    void userIdsArePositiveAndUnique()
    {
        QSet<int> ids;
        for (const QJsonValue& value : std::as_const(user)) {
            const QJsonValue id = value.toObject().value("id");
            QVERIFY2(id.isDouble() && id.toDouble() == double(id.toInt()),
                     "id is not a whole number");
            QVERIFY2(id.toInt() >= 1, qPrintable(QString::number(id.toInt())));
            QVERIFY2(!ids.contains(id.toInt()),
                     qPrintable("id repeated: " + QString::number(id.toInt())));
            ids.insert(id.toInt());
        }
    }
};

QTEST_GUILESS_MAIN(TestSampleBank)
#include "test_sample_bank.moc"
