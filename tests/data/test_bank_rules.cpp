// The bank-wide item-writing rules: a practice exam where the longest answer is the key too
// often (ties split), multiple-response keys that are the longest answers, a distractor text
// that comes back in many items, keys longer than the distractors, and key letters that are
// not spread evenly.

#include "BankRules.h"

#include <QTest>

#include <set>
#include <vector>

using qbank::Record;
Q_DECLARE_METATYPE(std::vector<qbank::Record>)

namespace {

// An answer text of `length` characters that no other item's answer repeats: a tag of letters
// made from the item's serial number and the answer's position, then filler.
QString uniqueText(int serial, int answer, int length)
{
    QString tag;
    for (int n = serial * 6 + answer; ; n /= 26) {
        tag += QChar('a' + n % 26);
        if (n < 26) break;
    }
    return tag + QLatin1Char(' ') + QString(std::max<qsizetype>(length - tag.size() - 1, 0), QChar('x'));
}

// One item of practice exam `exam`: answers of the given lengths, keys at the given positions.
Record item(int exam, const std::vector<int>& lengths, const std::set<int>& keys)
{
    static int serial = 0;
    ++serial;
    Record r;
    r["Q_EXAM_N"] = exam;
    r["Q_TYPE"] = keys.size() > 1;
    for (int k = 0; k < int(lengths.size()); ++k) {
        r[QStringLiteral("Q%1").arg(k + 1)] = uniqueText(serial, k, lengths[k]);
        r[QStringLiteral("A%1").arg(k + 1)] = keys.count(k) > 0;
    }
    return r;
}

// A single-response item with four answers, distractors of 20 characters; the key is `key`
// (0..3) and has `keyLength` characters.
Record single(int exam, int key, int keyLength = 16)
{
    std::vector<int> lengths(4, 20);
    lengths[key] = keyLength;
    return item(exam, lengths, {key});
}

// Practice exams of 50 single-response items each, keys cycling through a..d; in exam e the
// key is longer than the distractors in every longEvery[e - 1]-th item (0: never).
std::vector<Record> examsOf(const std::vector<int>& longEvery)
{
    std::vector<Record> bank;
    for (int e = 0; e < int(longEvery.size()); ++e)
        for (int i = 0; i < 50; ++i)
            bank.push_back(single(e + 1, i % 4, longEvery[e] && i % longEvery[e] == 0 ? 30 : 16));
    return bank;
}

// `bank` with ten multiple-response items added to each of its four exams; two keys of the
// given lengths among five answers, the distractors 20 characters long.
std::vector<Record> withMultiples(std::vector<Record> bank, int firstKeyLength, int secondKeyLength)
{
    for (int i = 0; i < 40; ++i) {
        const int first = i % 5, second = (i + 2) % 5;
        std::vector<int> lengths(5, 20);
        lengths[first] = firstKeyLength;
        lengths[second] = secondKeyLength;
        bank.push_back(item(1 + i / 10, lengths, {first, second}));
    }
    return bank;
}

// `bank` with `items` more items that share one distractor, written with other case,
// punctuation and digits each time.
std::vector<Record> withSharedDistractor(std::vector<Record> bank, int items, const QStringList& spellings)
{
    for (int i = 0; i < items; ++i) {
        Record r = single(1, i % 4);
        r[QStringLiteral("Q%1").arg((i + 1) % 4 + 1)] = spellings.at(i % spellings.size());
        bank.push_back(r);
    }
    return bank;
}

}  // namespace

class TestBankRules : public QObject {
    Q_OBJECT

private slots:
    void judgesTheWholeBank_data()
    {
        QTest::addColumn<std::vector<Record>>("bank");
        QTest::addColumn<QString>("fault");  // empty: the bank keeps every rule

        QTest::newRow("balanced, key never longest") << examsOf({0, 0, 0, 0}) << QString();
        // Chance makes one key in four the longest: 12.5 of 50; 1.3 x 12.5 = 16.25 allowed.
        QTest::newRow("key longest in 1 of 4") << examsOf({4, 4, 4, 4}) << QString();
        QTest::newRow("key longest in 1 of 3 in every exam")
            << examsOf({3, 3, 3, 3}) << "practice exam 1: picking the longest answer scores 17.0 of 50";
        // The whole bank's gain is 1.25, but one exam gives itself away.
        QTest::newRow("one exam of four skewed")
            << examsOf({4, 4, 4, 2})
            << "practice exam 4: picking the longest answer scores 25.0 of 50 single-response items "
               "against 12.5 by chance (gain 2.00; at most 1.30 allowed)";

        // A key tied with one distractor for longest is half a win for the guesser.
        std::vector<Record> tied = examsOf({0, 0, 0});
        for (int i = 0; i < 50; ++i) {
            std::vector<int> lengths = {20, 20, 20, 20};
            lengths[i % 4] = lengths[(i + 1) % 4] = 30;
            tied.push_back(item(4, lengths, {i % 4}));
        }
        QTest::newRow("key tied for longest") << tied << "practice exam 4: picking the longest answer scores 25.0";

        // The retired items are too few to judge, however they are written.
        std::vector<Record> retired = examsOf({0, 0, 0});
        for (int i = 0; i < 10; ++i) retired.push_back(single(0, i % 4, 30));
        QTest::newRow("retired items too few to judge") << retired << QString();

        QTest::newRow("multiple-response keys the two longest")
            << withMultiples(examsOf({0, 0, 0, 0}), 22, 22)
            << "practice exam 1: the keys are the longest answers in 10.0 of 10 multiple-response items "
               "against 1.0 by chance";
        // One key longest, the other shortest: the guesser's second pick is a distractor.
        QTest::newRow("multiple-response keys one long, one short")
            << withMultiples(examsOf({0, 0, 0, 0}), 30, 14) << QString();
        QTest::newRow("multiple-response keys much longer on average")
            << withMultiples(examsOf({0, 0, 0, 0}), 60, 10)
            << "the keys average 35.0 characters against 20.0 for the distractors";

        const QStringList lease = {"A longer DHCP lease", "a longer dhcp lease.", "A longer DHCP-lease (2)"};
        QTest::newRow("distractor text in six items")
            << withSharedDistractor(examsOf({0, 0, 0}), 6, lease)
            << "the distractor \"a longer dhcp lease\" appears in 6 items; at most 5 are allowed";
        QTest::newRow("distractor text in five items")
            << withSharedDistractor(examsOf({0, 0, 0}), 5, lease) << QString();
        // Numbers differ by their digits alone, which the comparison leaves out: not a text.
        QTest::newRow("numeric distractors")
            << withSharedDistractor(examsOf({0, 0, 0}), 12, {"/24", "10.0.0.1", "255.255.255.0"}) << QString();

        std::vector<Record> allA;
        for (int i = 0; i < 200; ++i) allA.push_back(single(1 + i / 50, 0, 10));
        QTest::newRow("every key is a") << allA << "the letter a is a key 200 times where 50.0 are expected";

        std::vector<Record> slightlyOff;
        for (int i = 0; i < 196; ++i) slightlyOff.push_back(single(1 + i / 50, i % 4));  // 49 each
        for (int i = 0; i < 4; ++i) slightlyOff.push_back(single(4, 1));  // b: 53 of 50 expected
        QTest::newRow("within ten percent") << slightlyOff << QString();
        for (int i = 0; i < 8; ++i) slightlyOff.push_back(single(4, 1));  // b: 61 of 52 expected
        QTest::newRow("beyond ten percent") << slightlyOff << "the letter b is a key 61 times";

        QTest::newRow("too few items to judge") << std::vector<Record>(allA.begin(), allA.begin() + 99)
                                                << QString();
    }
    void judgesTheWholeBank()
    {
        QFETCH(std::vector<Record>, bank);
        QFETCH(QString, fault);
        const QStringList faults = qbank::checkBankRules(bank);
        if (fault.isEmpty()) {
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        } else {
            QVERIFY2(faults.join('\n').contains(fault), qPrintable(faults.join('\n')));
        }
    }

    // The figures name every practice exam and the whole bank, and stay silent below the
    // size at which the rules are judged.
    void printsTheFigures()
    {
        const QStringList lines = qbank::bankFigures(examsOf({0, 2}));
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[1].startsWith("practice exam 2: longest answer is the key in 25.0 of 50 single-response "
                                     "items, chance 12.5, gain 2.00"),
                 qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith("whole bank: gain 1.00"), qPrintable(lines[2]));
        QVERIFY(qbank::bankFigures(std::vector<Record>(99, single(1, 0))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBankRules)
#include "test_bank_rules.moc"
