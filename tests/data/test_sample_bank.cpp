// Checks the sample question bank (data/sample/bank.json), the sample user set
// (data/sample/user.json) and the exhibit pictures they name. The figures of the practice exams
// (how many items, sections, exhibits) are read from the bank itself.

#include "BankRules.h"

#include "formats/JsonFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>

namespace {

const QString SampleDir = QStringLiteral(SAMPLE_DIR);
const QStringList PictureExtensions = {"bmp", "ico", "wmf", "emf"};
const QSet<QString> BankFields = {"id",       "exam",    "section", "multiple",
                                  "question", "answers", "correct", "explanation",
                                  "sim",      "pict1",   "pict2",   "memo"};
const QSet<QString> UserFields = {"id",      "section", "multiple",    "question",
                                  "answers", "correct", "explanation", "memo"};
constexpr int MaxAnswers = 6;

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

    void fieldsAreKnownAndFilled_data() { addItemRows(); }
    void fieldsAreKnownAndFilled()
    {
        QFETCH(QJsonObject, item);
        QFETCH(bool, isBank);
        const QSet<QString>& allowed = isBank ? BankFields : UserFields;
        for (const QString& key : item.keys())
            QVERIFY2(allowed.contains(key), qPrintable("field not allowed here: " + key));

        QVERIFY(item.value("multiple").isBool());
        const int section = item.value("section").toInt();
        QVERIFY2(section >= 1 && section <= 4, qPrintable(QString::number(section)));
        if (isBank) {
            QVERIFY(item.value("exam").isDouble());
            const int exam = item.value("exam").toInt();
            QVERIFY2(exam >= 0 && exam <= 7, qPrintable(QString::number(exam)));
        }
        QVERIFY(!item.value("question").toString().trimmed().isEmpty());
        QVERIFY2(!item.value("explanation").toString().trimmed().isEmpty(), "empty explanation");

        const QJsonArray answers = item.value("answers").toArray();
        QVERIFY2(answers.size() <= MaxAnswers, "more than six answers");
        int filled = 0;
        for (const QJsonValue& answer : answers) {
            QVERIFY(answer.isString());
            if (!answer.toString().trimmed().isEmpty()) ++filled;
        }
        QVERIFY2(filled >= 3, "fewer than three answers to choose from");
    }

    void keysNameFilledAnswers_data() { addItemRows(); }
    void keysNameFilledAnswers()
    {
        QFETCH(QJsonObject, item);
        const QString keys = item.value("correct").toString();
        const QJsonArray answers = item.value("answers").toArray();
        const bool multiple = item.value("multiple").toBool();

        QVERIFY2(!keys.isEmpty(), "no key");
        if (multiple)
            QVERIFY2(keys.size() >= 2, "multiple response with a single key");
        else
            QVERIFY2(keys.size() == 1, qPrintable("single response with keys " + keys));

        QSet<QChar> seen;
        for (const QChar letter : keys) {
            QVERIFY2(letter >= u'a' && letter <= u'f',
                     qPrintable(QString("bad key letter ") + letter));
            QVERIFY2(!seen.contains(letter), qPrintable(QString("key letter repeated: ") + letter));
            seen.insert(letter);
            const int index = letter.unicode() - u'a';
            QVERIFY2(index < answers.size(),
                     qPrintable(QString("key past the answers: ") + letter));
            QVERIFY2(!answers.at(index).toString().trimmed().isEmpty(),
                     qPrintable(QString("key names an empty answer: ") + letter));
        }
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
        const formats::ReadResult read = formats::JsonFormat().read(file.readAll(), store::TableKind::Bank);
        QVERIFY2(!read.malformed, qPrintable(read.problems.value(0).toString("bank.json")));
        std::vector<qbank::Record> records;
        for (const formats::Item& item : read.items) {
            qbank::Record& record = records.emplace_back();
            record["Q_ID"] = item.id;
            record["Q_TYPE"] = item.multiple;
            for (int k = 0; k < formats::MaxAnswers; ++k) {
                record[store::field::text(k + 1)] = item.answers[k];
                record[store::field::key(k + 1)] = item.keys[k];
            }
        }
        QVERIFY(records.size() >= size_t(qbank::BankRulesMinimumItems));
        const QStringList faults = qbank::checkBankRules(records);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    void referencedPicturesExist_data()
    {
        QTest::addColumn<QString>("name");
        QSet<QString> done;
        for (const QJsonValue& value : std::as_const(bank)) {
            for (const QString& name : picturesOf(value.toObject())) {
                if (!done.contains(name)) QTest::newRow(qPrintable(name)) << name;
                done.insert(name);
            }
        }
    }
    void referencedPicturesExist()
    {
        QFETCH(QString, name);
        QVERIFY2(!name.contains(u'/') && !name.contains(u'\\'), "not a plain file name");
        QVERIFY2(PictureExtensions.contains(QFileInfo(name).suffix()), "unexpected picture format");
        QVERIFY2(QFileInfo(SampleDir + "/pictures/" + name).isFile(), "no such file in pictures/");
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
