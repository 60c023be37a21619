// The bank-wide item-writing rules: a key that is the longest answer too often, keys that are
// longer than the distractors, and key letters that are not spread evenly.

#include "BankRules.h"

#include <QTest>

using qbank::Record;
Q_DECLARE_METATYPE(std::vector<qbank::Record>)

namespace {

// A single-response item with four answers; the key is `key` (0..3) and has `keyLength` characters,
// the distractors 10 each.
Record single(int key, int keyLength = 10)
{
    Record r;
    r["Q_TYPE"] = false;
    for (int k = 0; k < 4; ++k) {
        r[QStringLiteral("Q%1").arg(k + 1)] = QString(k == key ? keyLength : 10, QChar('x'));
        r[QStringLiteral("A%1").arg(k + 1)] = k == key;
    }
    return r;
}

// A multiple-response item with five answers and keys at `first` and `second`.
Record multiple(int first, int second, int keyLength)
{
    Record r;
    r["Q_TYPE"] = true;
    for (int k = 0; k < 5; ++k) {
        const bool key = k == first || k == second;
        r[QStringLiteral("Q%1").arg(k + 1)] = QString(key ? keyLength : 20, QChar('y'));
        r[QStringLiteral("A%1").arg(k + 1)] = key;
    }
    return r;
}

// `count` single-response items whose keys cycle through a..d; every `longEvery`-th key is longer
// than its distractors (0: none).
std::vector<Record> cycledBank(int count, int longEvery)
{
    std::vector<Record> bank;
    for (int i = 0; i < count; ++i)
        bank.push_back(single(i % 4, longEvery && i % longEvery == 0 ? 15 : 10));
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

        QTest::newRow("balanced, key never longest") << cycledBank(200, 0) << QString();
        // Chance makes one key in four the longest: 50 of 200; 1.3 x 50 = 65 allowed.
        QTest::newRow("key longest in 1 of 4") << cycledBank(200, 4) << QString();
        QTest::newRow("key longest in 1 of 3")
            << cycledBank(200, 3) << "the key is the longest answer in 67 of 200 single-response items";
        QTest::newRow("key longest in every item")
            << cycledBank(200, 1) << "chance gives 50.0, so at most 65.0 are allowed";

        std::vector<Record> allA;
        for (int i = 0; i < 200; ++i) allA.push_back(single(0));
        QTest::newRow("every key is a") << allA << "the letter a is a key 200 times where 50.0 are expected";

        std::vector<Record> slightlyOff = cycledBank(196, 0);  // 49 each
        for (int i = 0; i < 4; ++i) slightlyOff.push_back(single(1));  // b: 53 of 50 expected
        QTest::newRow("within ten percent") << slightlyOff << QString();
        for (int i = 0; i < 8; ++i) slightlyOff.push_back(single(1));  // b: 61 of 52 expected
        QTest::newRow("beyond ten percent") << slightlyOff << "the letter b is a key 61 times";

        std::vector<Record> longKeys = cycledBank(200, 0), evenKeys = cycledBank(200, 0);
        for (int i = 0; i < 40; ++i) {
            longKeys.push_back(multiple(i % 5, (i + 2) % 5, 30));
            evenKeys.push_back(multiple(i % 5, (i + 2) % 5, 24));
        }
        QTest::newRow("multiple-response keys much longer")
            << longKeys << "the keys average 30.0 characters against 20.0 for the distractors";
        QTest::newRow("multiple-response keys a little longer") << evenKeys << QString();

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
};

QTEST_GUILESS_MAIN(TestBankRules)
#include "test_bank_rules.moc"
