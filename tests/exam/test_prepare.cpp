#include "exam/PrepareUnit.h"
#include "store/Session.h"
#include "store/StandaloneTable.h"
#include "store/StoreError.h"
#include "store/Table.h"
#include "support/Fixtures.h"
#include "support/TempDir.h"

#include <sqlcipher/sqlite3.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTest>

#include <set>

using namespace store;
using namespace testsupport;

namespace {

// What a preparation reported: when it started and finished, its size and its last position.
struct ProgressLog {
    QStringList events;
    int lastPosition = -1;

    PrepareProgress listener()
    {
        PrepareProgress progress;
        progress.started = [this] { events << "started"; };
        progress.sized = [this](int maximum) { events << QStringLiteral("sized %1").arg(maximum); };
        progress.advanced = [this](int position) { lastPosition = position; };
        progress.finished = [this] { events << "finished"; };
        return progress;
    }
};

// The draw as plainly as it can be written: scan the whole pick list for every candidate.
std::vector<std::int64_t> referenceDraw(const std::vector<std::int64_t>& candidates, int m, std::uint32_t seed)
{
    std::vector<std::int64_t> picks(size_t(m), 0);
    std::uint32_t state = seed;
    const auto n = std::uint32_t(candidates.size());
    for (int k = 0; k < m; ++k) {
        for (;;) {
            state = std::uint32_t(std::uint64_t(state) * 134775813u + 1u);
            const auto i = std::uint32_t((std::uint64_t(state) * n) >> 32);
            const std::int64_t c = candidates[i];
            bool taken = false;
            for (std::int64_t p : picks)
                taken = taken || p == c;
            if (!taken) {
                picks[size_t(k)] = c;
                break;
            }
        }
    }
    return picks;
}

int examOfBank(int k) { return k <= 50 ? 1 : k <= 100 ? 0 : 3; }  // 101..150 are exam C
int sectionCycle(int k) { return (k - 1) % 4 + 1; }

struct ExamTables {
    Session session{SessionName};
    Table qset, currentSet, userSet;
    ExamTables()
    {
        session.addPassword(TablePassword);
        for (auto [table, file] : {std::pair{&qset, BankFileName}, {&currentSet, CurrentSetFileName},
                                   {&userSet, UserSetFileName}}) {
            table->setSession(&session);
            table->setTableName(file);
        }
    }
    void openBank(const QString& filter)
    {
        qset.setFilter(filter);
        qset.setFiltered(true);
        qset.open();
    }
    QList<int> orNumbers()
    {
        QList<int> result;
        for (currentSet.first(); !currentSet.eof(); currentSet.next())
            result.append(currentSet.asInteger("Q_OR_NUMBER"));
        return result;
    }
};

QList<int> sorted(QList<int> list)
{
    std::sort(list.begin(), list.end());
    return list;
}

QList<int> range(int from, int to)
{
    QList<int> result;
    for (int i = from; i <= to; ++i)
        result.append(i);
    return result;
}

}  // namespace

class TestPrepare : public QObject {
    Q_OBJECT

private slots:
    void drawMatchesTheReference_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("m");
        QTest::addColumn<uint>("seed");
        QTest::newRow("one of one") << 1 << 1 << 5u;
        QTest::newRow("all of ten") << 10 << 10 << 12345u;
        QTest::newRow("350, midnight") << 350 << 350 << 0u;
        QTest::newRow("350, last ms of the day") << 350 << 350 << 86399999u;
        QTest::newRow("20 of 350") << 350 << 20 << 43200000u;
        QTest::newRow("1 of 1000") << 1000 << 1 << 777u;
    }
    void drawMatchesTheReference()
    {
        QFETCH(int, n);
        QFETCH(int, m);
        QFETCH(uint, seed);
        std::vector<std::int64_t> candidates;
        for (int i = 0; i < n; ++i)
            candidates.push_back(1000 + 3 * i);  // distinct, not 0..n-1
        RandomDraw random(seed);
        const auto picks = drawPicks(candidates, m, random);
        QCOMPARE(picks, referenceDraw(candidates, m, seed));
        // Two runs in the same millisecond of the day give the same order.
        RandomDraw again(seed);
        QCOMPARE(drawPicks(candidates, m, again), picks);
    }

    void practiceExamCopiesEveryItemOnceInRandomOrder()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 150, examOfBank, sectionCycle);
        makeTable("ces.DAT", TableKind::Current, {item(1, 1, "left over from the last exam")});
        ExamTables t;
        t.openBank("Q_EXAM_N=3");
        ProgressLog progress;
        const PreparedSet result = PrepareExamSet(t.qset, t.currentSet, progress.listener());
        QCOMPARE(result.FirstItemNo, 1);
        QCOMPARE(result.ItemCount, 50);
        QCOMPARE(progress.events, QStringList({"started", "sized 50", "finished"}));
        QCOMPARE(progress.lastPosition, 49);
        const QList<int> order = t.orNumbers();
        QCOMPARE(sorted(order), range(101, 150));
        QVERIFY(order != range(101, 150));  // 1 in 50! to fail by chance

        // Each record is a copy of its bank record; the answer sheet matches the records.
        store::ItemStates states;
        states.resize(3);
        states[0].Marked = true;
        BuildItemStates(t.currentSet, states);
        QCOMPARE(states.size(), 50);
        int k = 0;
        for (t.currentSet.first(); !t.currentSet.eof(); t.currentSet.next(), ++k) {
            const int id = t.currentSet.asInteger("Q_OR_NUMBER");
            QCOMPARE(t.currentSet.recNo(), k + 1);
            QCOMPARE(t.currentSet.asString("Q_TEXT"), QStringLiteral("Question %1").arg(id));
            QCOMPARE(t.currentSet.asInteger("Q_EXAM_N"), 3);
            QCOMPARE(t.currentSet.asInteger("Q_SECT"), sectionCycle(id));
            QVERIFY(t.currentSet.asBoolean("A1"));
            QCOMPARE(states[k].Section, sectionCycle(id));
            QVERIFY(!states[k].Marked && !states[k].Correct && !states[k].Choice1);
        }
    }

    // An exam start holds the tables' pages while it reads them in random order; the exam
    // that follows must not keep them.
    void theCopyGivesItsPageCacheBack()
    {
        TempDirCwd dir;
        const QString longText = QStringLiteral("A scenario about routers and switches. ").repeated(100);
        std::vector<Item> items;
        for (int k = 1; k <= 1500; ++k) {
            Item it = item(1, 1, longText + QString::number(k));
            it["Q_ID"] = k;
            items.push_back(it);
        }
        makeTable("qbank2.DAT", TableKind::Bank, items);
        makeTable("ces.DAT", TableKind::Current, {});
        const qint64 bankBytes = QFileInfo("qbank2.DAT").size();
        QVERIFY(bankBytes > 2 * Table::DefaultPageCacheKb * 1024);
        ExamTables t;
        t.openBank("Q_EXAM_N<>0");
        QCOMPARE(PrepareExamSet(t.qset, t.currentSet).ItemCount, 1500);
        store::ItemStates states;
        BuildItemStates(t.currentSet, states);
        const qint64 held = sqlite3_memory_used();
        QVERIFY2(held < bankBytes / 2, qPrintable(QStringLiteral("%1 bytes held for a bank of %2").arg(held).arg(bankBytes)));
        t.currentSet.last();
        QCOMPARE(t.currentSet.asString("Q_TEXT").left(longText.size()), longText);
    }

    // A copy holds each field in its field's type whatever the bank stored in it: the texts of
    // numbers, the numbers texts spell, 0/1 for truths, an empty text for an empty text field.
    void copyTurnsStoredValuesIntoTheirFieldsTypes_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("stored");  // invalid: left empty
        QTest::addColumn<QString>("copied");   // as the cursor reads it back, never empty (NULL)
        QTest::newRow("text kept") << "Q_TEXT" << QVariant("Which port?") << "Which port?";
        QTest::newRow("number into text") << "Q_TEXT" << QVariant(42) << "42";
        QTest::newRow("empty text") << "Q_SIM" << QVariant() << "";
        QTest::newRow("picture name") << "PICT1" << QVariant("net.bmp") << "net.bmp";
        QTest::newRow("number kept") << "Q_SECT" << QVariant(3) << "3";
        QTest::newRow("number spelt as text") << "Q_SECT" << QVariant("2") << "2";
        QTest::newRow("text that is no number") << "Q_SECT" << QVariant("two") << "0";
        QTest::newRow("empty number") << "Q_EXAM_N" << QVariant() << "0";
        QTest::newRow("truth other than 1") << "A2" << QVariant(5) << "1";
        QTest::newRow("truth as text") << "A3" << QVariant("1") << "1";
        QTest::newRow("empty truth") << "A4" << QVariant() << "0";
        QTest::newRow("note") << "U_MEMO" << QVariant("see RFC 1918") << "see RFC 1918";
    }
    void copyTurnsStoredValuesIntoTheirFieldsTypes()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, stored);
        QFETCH(QString, copied);
        TempDirCwd dir;
        Item it = item(1, 1);
        it["Q_ID"] = 1;
        it.remove(field);
        if (stored.isValid())
            it[field] = stored;
        makeTable("qbank2.DAT", TableKind::Bank, {it});
        makeTable("ces.DAT", TableKind::Current, {});
        ExamTables t;
        t.openBank(field == "Q_EXAM_N" ? "Q_SECT=1" : "Q_EXAM_N=1");
        QCOMPARE(PrepareExamSet(t.qset, t.currentSet).ItemCount, 1);
        QVERIFY(!t.currentSet.value(field).isNull());
        QCOMPARE(t.currentSet.value(field).toString(), copied);
        QCOMPARE(t.currentSet.asInteger("Q_OR_NUMBER"), 1);
        QVERIFY(t.currentSet.value("Q_ID").toLongLong() == 1);
    }

    void sizesOfTheExam_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("m");  // 0: every item (practice exam); otherwise a random exam of m
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("no item") << "Q_EXAM_N=7" << 0 << QList<int>{};
        QTest::newRow("one item") << "Q_EXAM_N=2" << 0 << QList<int>{4};
        QTest::newRow("random, m = N") << "Q_EXAM_N<>0" << 5 << QList<int>{1, 2, 3, 4, 6};
        QTest::newRow("random, m above N") << "Q_EXAM_N<>0" << 999 << QList<int>{1, 2, 3, 4, 6};
    }
    void sizesOfTheExam()
    {
        QFETCH(QString, filter);
        QFETCH(int, m);
        QFETCH(QList<int>, expected);
        TempDirCwd dir;
        // Q_ID 1..6 in exams 1, 1, 1, 2, 0, 3.
        makeBank("qbank2.DAT", 6, [](int k) { return QList<int>{1, 1, 1, 2, 0, 3}[k - 1]; }, sectionCycle);
        makeTable("ces.DAT", TableKind::Current, {});
        ExamTables t;
        t.openBank(filter);
        const PreparedSet result = m == 0 ? PrepareExamSet(t.qset, t.currentSet)
                                          : PrepareRandomSet(t.qset, t.currentSet, m);
        QCOMPARE(result.ItemCount, expected.size());
        QCOMPARE(result.FirstItemNo, expected.isEmpty() ? 0 : 1);
        QVERIFY(t.currentSet.isOpen());
        QCOMPARE(sorted(t.orNumbers()), expected);
        store::ItemStates states(4);
        BuildItemStates(t.currentSet, states);
        QCOMPARE(states.size(), expected.size());
    }

    void randomExamOfOneDrawsOneItemOfAnyExam()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 150, examOfBank, sectionCycle);
        makeTable("ces.DAT", TableKind::Current, {});
        ExamTables t;
        t.openBank("Q_EXAM_N<>0");
        QCOMPARE(PrepareRandomSet(t.qset, t.currentSet, 1).ItemCount, 1);
        const int id = t.orNumbers().value(0);
        QVERIFY(id <= 50 || id > 100);

        t.currentSet.close();
        QCOMPARE(PrepareRandomSet(t.qset, t.currentSet, 20).ItemCount, 20);
        const QList<int> picks = t.orNumbers();
        QCOMPARE(std::set<int>(picks.begin(), picks.end()).size(), size_t(20));
    }

    void userExamTakesItsItemsByKey()
    {
        TempDirCwd dir;
        std::vector<Item> items;
        for (int id : {1, 4, 9}) {
            Item it = item(0, id % 4 + 1, QStringLiteral("Mine %1").arg(id));
            it["Q_ID"] = id;
            it["U_MEMO"] = QStringLiteral("memo %1").arg(id);
            items.push_back(it);
        }
        makeTable("qbank2usr.DAT", TableKind::User, items);
        makeTable("ces.DAT", TableKind::Current, {});
        ExamTables t;
        t.userSet.open();
        const PreparedSet result = PrepareUserSet(t.userSet, t.currentSet);
        QCOMPARE(result.ItemCount, 3);
        QCOMPARE(sorted(t.orNumbers()), (QList<int>{1, 4, 9}));
        for (t.currentSet.first(); !t.currentSet.eof(); t.currentSet.next()) {
            const int id = t.currentSet.asInteger("Q_OR_NUMBER");
            QCOMPARE(t.currentSet.asString("Q_TEXT"), QStringLiteral("Mine %1").arg(id));
            QCOMPARE(t.currentSet.asString("U_MEMO"), QStringLiteral("memo %1").arg(id));
            QCOMPARE(t.currentSet.asInteger("Q_SECT"), id % 4 + 1);
            QVERIFY(t.currentSet.value("Q_EXAM_N").isNull());
            QVERIFY(t.currentSet.asString("PICT1").isEmpty() && t.currentSet.asString("PICT2").isEmpty());
        }
    }

    // The exams of missed or marked items: the listed bank items, each once; an item the bank
    // does not show (retired here) stops the run before the exam set changes.
    void listedItemsAreTakenOnce()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 150, examOfBank, sectionCycle);
        makeTable("ces.DAT", TableKind::Current, {item(1, 1, "left over")});
        ExamTables t;
        t.openBank("Q_EXAM_N<>0");
        ProgressLog progress;
        QCOMPARE(PrepareListedSet(t.qset, t.currentSet, {120, 3, 50, 3, 101}, progress.listener()).ItemCount, 4);
        QCOMPARE(sorted(t.orNumbers()), (QList<int>{3, 50, 101, 120}));
        QCOMPARE(progress.events, (QStringList{"started", "sized 4", "finished"}));

        t.currentSet.close();
        const QByteArray before = fileBytes("ces.DAT");
        try {
            PrepareListedSet(t.qset, t.currentSet, {3, 75});
            QFAIL("a retired item was taken");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains("qbank2.DAT") && e.message().contains("75"), qPrintable(e.message()));
        }
        t.currentSet.close();
        QCOMPARE(fileBytes("ces.DAT"), before);
    }

    // A bank whose Q_ID values leave a gap would copy the wrong records: it is refused,
    // naming the file, and the last exam set stays as it was.
    void bankWithAGapIsRefused()
    {
        TempDirCwd dir;
        std::vector<Item> items;
        for (int id : {1, 2, 4}) {
            Item it = item(1, 1);
            it["Q_ID"] = id;
            items.push_back(it);
        }
        makeTable("qbank2.DAT", TableKind::Bank, items);
        makeTable("ces.DAT", TableKind::Current, {item(1, 1, "left over")});
        const QByteArray before = fileBytes("ces.DAT");
        ExamTables t;
        t.openBank("Q_EXAM_N=1");
        ProgressLog progress;
        try {
            PrepareExamSet(t.qset, t.currentSet, progress.listener());
            QFAIL("a bank with a gap was accepted");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains("qbank2.DAT") && e.message().contains("record number 3 has Q_ID 4"),
                     qPrintable(e.message()));
        }
        QCOMPARE(progress.events.last(), QString("finished"));
        QCOMPARE(fileBytes("ces.DAT"), before);
    }

    // Another program deletes an item after the bank was opened: the run stops naming it, and
    // the last exam set stays as it was.
    void itemDeletedByAnotherProgramStopsTheRun()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 3, [](int) { return 1; }, sectionCycle);
        makeTable("ces.DAT", TableKind::Current, {item(1, 1, "left over")});
        const QByteArray before = fileBytes("ces.DAT");
        ExamTables t;
        t.openBank("Q_EXAM_N=1");
        {
            StandaloneTable other("qbank2.DAT");
            other.table.open();
            QVERIFY(other.table.findKey(2));
            other.table.deleteRecord();
        }
        try {
            PrepareExamSet(t.qset, t.currentSet);
            QFAIL("no error");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains("qbank2.DAT") && e.message().contains("item Q_ID 2 has vanished"),
                     qPrintable(e.message()));
        }
        t.currentSet.close();
        QCOMPARE(fileBytes("ces.DAT"), before);
    }

    void missingExamSetFileStopsTheRun()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 3, [](int) { return 1; }, sectionCycle);
        ExamTables t;
        t.openBank("Q_EXAM_N=1");
        ProgressLog progress;
        try {
            PrepareExamSet(t.qset, t.currentSet, progress.listener());
            QFAIL("no error");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains("ces.DAT") && e.message().contains("file not found"),
                     qPrintable(e.message()));
        }
        QCOMPARE(progress.events.last(), QString("finished"));
        QVERIFY(!t.currentSet.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestPrepare)
#include "test_prepare.moc"
