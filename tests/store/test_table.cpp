#include "store/StandaloneTable.h"
#include "store/StoreError.h"
#include "store/Table.h"
#include "store/TableFile.h"
#include "support/Fixtures.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace store;
using namespace testsupport;

namespace {

// Bank of 150 items: Q_ID 1..50 exam 1, 51..100 exam 2, 101..150 exam 3.
int examByFifty(int k) { return (k - 1) / 50 + 1; }
int sectionCycle(int k) { return (k - 1) % 4 + 1; }

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const StoreError& e) {
        return e.message();
    }
    return QString();
}

}  // namespace

class TestTable : public QObject {
    Q_OBJECT

private slots:
    void recordNumbersKeepTheirPlaceUnderAFilter()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 150, examByFifty, sectionCycle);
        StandaloneTable t("qbank2.DAT");
        t.table.setFilter("Q_EXAM_N=3");
        t.table.setFiltered(true);
        t.table.open();
        QCOMPARE(t.table.recordCount(), 50);
        QList<int> seen;
        for (t.table.first(); !t.table.eof(); t.table.next())
            seen.append(t.table.recNo());
        QCOMPARE(seen.size(), 50);
        QCOMPARE(seen.first(), 101);
        QCOMPARE(seen.last(), 150);

        // The filter may change while open; switching it off shows all again.
        t.table.setFilter("Q_EXAM_N<>0");
        QCOMPARE(t.table.recordCount(), 150);
        t.table.setFiltered(false);
        t.table.setRecNo(75);
        QCOMPARE(t.table.asInteger("Q_ID"), 75);

        // A record hidden by the filter cannot be reached by its number.
        t.table.setFilter("Q_EXAM_N=1");
        t.table.setFiltered(true);
        QVERIFY(errorOf([&] { t.table.setRecNo(120); }).contains("hidden by the filter"));
        QVERIFY(errorOf([&] { t.table.setRecNo(151); }).contains("no record number 151"));
        t.table.setRecNo(20);
        QCOMPARE(t.table.recNo(), 20);
    }

    void appendOrderStartsAgainAfterEmptying()
    {
        TempDirCwd dir;
        makeTable("ces.DAT", TableKind::Current, {item(1, 1), item(1, 2), item(1, 3)});
        StandaloneTable t("ces.DAT");
        t.table.emptyTable();  // on the closed table
        t.table.setExclusive(true);
        t.table.open();
        QCOMPARE(t.table.recordCount(), 0);
        QVERIFY(t.table.eof());
        const QList<int> orNumbers{42, 7, 99, 1, 13};
        for (int n : orNumbers) {
            t.table.append();
            t.table.setValue("Q_OR_NUMBER", n);
            t.table.post();
        }
        QList<int> seen, numbers;
        for (t.table.first(); !t.table.eof(); t.table.next()) {
            seen.append(t.table.asInteger("Q_OR_NUMBER"));
            numbers.append(t.table.recNo());
        }
        QCOMPARE(seen, orNumbers);
        QCOMPARE(numbers, (QList<int>{1, 2, 3, 4, 5}));

        t.table.emptyTable();  // on the open table
        t.table.append();
        t.table.setValue("Q_OR_NUMBER", 5);
        t.table.post();
        QCOMPARE(t.table.recNo(), 1);
    }

    void keyedLookupFindsKeysAcrossGaps()
    {
        TempDirCwd dir;
        std::vector<Item> items;
        for (int id : {1, 4, 9}) {
            Item it = item(0, 2, QStringLiteral("Q%1").arg(id));
            it["Q_ID"] = id;
            items.push_back(it);
        }
        makeTable("qbank2usr.DAT", TableKind::User, items);
        StandaloneTable t("qbank2usr.DAT");
        t.table.open();
        QVERIFY(t.table.findKey(9));
        QCOMPARE(t.table.asString("Q_TEXT"), QString("Q9"));
        QCOMPARE(t.table.recNo(), 3);
        QVERIFY(!t.table.findKey(5));
        QCOMPARE(t.table.asString("Q_TEXT"), QString("Q9"));  // stays where it was
        QVERIFY(t.table.findKey(4));
        QCOMPARE(t.table.recNo(), 2);
        // Field names are matched without regard to letter case.
        QCOMPARE(t.table.asString("Q_Text"), QString("Q4"));
        QCOMPARE(t.table.asInteger("q_sect"), 2);
        QVERIFY(t.table.asBoolean("a1"));
        QVERIFY(!t.table.asBoolean("A2"));
    }

    void editingStatesPostAndCancel()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 3, examByFifty, sectionCycle);
        {
            StandaloneTable t("qbank2.DAT");
            t.table.open();
            QSignalSpy states(&t.table, &Table::stateChanged);
            t.table.setRecNo(2);
            QVERIFY(errorOf([&] { t.table.setValue("U_MEMO", "x"); }).contains("not in edit mode"));
            t.table.edit();
            QCOMPARE(t.table.state(), DataSetState::Edit);
            t.table.setValue("U_MEMO", "kept");
            t.table.post();
            t.table.setRecNo(3);
            t.table.edit();
            t.table.setValue("U_MEMO", "dropped");
            t.table.cancel();
            QCOMPARE(t.table.asString("U_MEMO"), QString());
            QCOMPARE(t.table.state(), DataSetState::Browse);
            QCOMPARE(states.count(), 4);  // edit, post, edit, cancel
            // A move while editing posts the edit first.
            t.table.edit();
            t.table.setValue("U_MEMO", "posted by the move");
            t.table.first();
        }
        StandaloneTable again("qbank2.DAT");
        again.table.open();
        again.table.setRecNo(2);
        QCOMPARE(again.table.asString("U_MEMO"), QString("kept"));
        again.table.setRecNo(3);
        QCOMPARE(again.table.asString("U_MEMO"), QString("posted by the move"));
    }

    void notificationsAndBookmarks()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 5, examByFifty, sectionCycle);
        StandaloneTable t("qbank2.DAT");
        QSignalSpy data(&t.table, &Table::dataChanged);
        t.table.open();
        QCOMPARE(data.count(), 1);
        t.table.next();
        t.table.next();
        QCOMPARE(data.count(), 3);
        const auto mark = t.table.getBookmark();

        t.table.disableControls();
        t.table.last();
        t.table.prior();
        t.table.enableControls();
        QCOMPARE(data.count(), 4);  // silent moves, then one notice
        QCOMPARE(t.table.recNo(), 4);

        t.table.gotoBookmark(mark);
        QCOMPARE(t.table.recNo(), 3);
        t.table.last();
        t.table.next();  // past the end: the end flag, no move
        QVERIFY(t.table.eof());
        QCOMPARE(t.table.recNo(), 5);
    }

    void deleteMovesToTheNeighbour()
    {
        TempDirCwd dir;
        makeTable("qbank2usr.DAT", TableKind::User, {item(0, 1, "one"), item(0, 1, "two"), item(0, 1, "three")});
        StandaloneTable t("qbank2usr.DAT");
        t.table.open();
        t.table.next();
        t.table.deleteRecord();
        QCOMPARE(t.table.asString("Q_TEXT"), QString("three"));
        t.table.deleteRecord();
        QCOMPARE(t.table.asString("Q_TEXT"), QString("one"));
        QCOMPARE(t.table.recordCount(), 1);
        // The user set keeps Q_ID gaps: a new record gets a key above the highest in use.
        t.table.append();
        t.table.setValue("Q_TEXT", "four");
        t.table.post();
        QCOMPARE(t.table.asInteger("Q_ID"), 2);
    }

    // The file is named and the fault said; nothing is written to a file that failed to open.
    void openFailures_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing" << "file not found";
        QTest::newRow("wrong password") << "password" << "not a table file, or it needs another password";
        QTest::newRow("random bytes") << "garbage" << "not a table file, or it needs another password";
        QTest::newRow("empty file") << "empty" << "the file is empty, not a table file";
        QTest::newRow("empty folder entry") << "folder" << "not a file";
        QTest::newRow("fields missing") << "fields" << "lacks the field Q_OR_NUMBER";
    }
    void openFailures()
    {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        TempDirCwd dir;
        QString password = TablePassword;
        if (setup == "password") {
            makeBank("ces.DAT", 2, examByFifty, sectionCycle);
            password = "NotThePassword1";
        } else if (setup == "garbage") {
            QFile f("ces.DAT");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, '\x5a'));
        } else if (setup == "empty") {
            QFile f("ces.DAT");
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (setup == "folder") {
            QDir().mkdir("ces.DAT");
        } else if (setup == "fields") {
            // A bank is not a current exam set: it lacks Q_OR_NUMBER.
            store::createTableFile("ces.DAT", TableKind::Bank, TablePassword);
        }
        const QByteArray before = fileBytes("ces.DAT");
        StandaloneTable t("ces.DAT", password);
        t.table.setExpectedFields({"Q_ID", "Q_TEXT", "Q_OR_NUMBER", "U_MEMO"});
        const QString error = errorOf([&] { t.table.open(); });
        QVERIFY2(error.contains("ces.DAT"), qPrintable(error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(!t.table.isOpen());
        QCOMPARE(fileBytes("ces.DAT"), before);
        QVERIFY(errorOf([&] { t.table.emptyTable(); }).contains("ces.DAT"));
        QCOMPARE(fileBytes("ces.DAT"), before);
    }

    void failedBatchLeavesTheFileAsItWas()
    {
        TempDirCwd dir;
        makeTable("qbank2usr.DAT", TableKind::User, {item(0, 1, "one"), item(0, 2, "two")});
        const QByteArray before = fileBytes("qbank2usr.DAT");
        StandaloneTable t("qbank2usr.DAT");
        t.table.open();
        t.table.startTransaction();
        t.table.emptyTable();
        t.table.append();
        t.table.setValue("Q_ID", 5);
        t.table.post();
        t.table.append();
        t.table.setValue("Q_ID", 5);  // the same key again: the write fails
        QVERIFY(errorOf([&] { t.table.post(); }).contains("cannot add a record"));
        t.table.cancel();
        t.table.rollback();
        QCOMPARE(t.table.recordCount(), 2);
        QCOMPARE(t.table.asString("Q_TEXT"), QString("one"));
        t.table.close();
        QCOMPARE(fileBytes("qbank2usr.DAT"), before);
    }

    void writeToAReadOnlyFileFails()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 2, examByFifty, sectionCycle);
        QFile::setPermissions("qbank2.DAT", QFile::ReadOwner | QFile::ReadUser);
        if (QFileInfo("qbank2.DAT").isWritable())
            QSKIP("running with rights that ignore file permissions");
        StandaloneTable t("qbank2.DAT");
        t.table.open();
        t.table.edit();
        t.table.setValue("U_MEMO", "note");
        const QString error = errorOf([&] { t.table.post(); });
        QVERIFY2(error.contains("qbank2.DAT") && error.contains("read-only"), qPrintable(error));
    }

    // Reads under one read lock see the file as it was when they began; another program's write
    // waits for the lock (and gives up after the retries), and gets in once the reading ends.
    void readingHoldsOneLockUntilItEnds()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 3, examByFifty, sectionCycle);
        StandaloneTable reader("qbank2.DAT");
        reader.table.open();
        StandaloneTable writer("qbank2.DAT");
        writer.table.open();
        auto writeNote = [&](const QString& note) {
            return errorOf([&] {
                writer.table.edit();
                writer.table.setValue("U_MEMO", note);
                writer.table.post();
            });
        };

        reader.table.startReading();
        QVERIFY(reader.table.findKey(2));
        QVERIFY(writeNote("while reading").contains("locked by another program"));
        writer.table.cancel();
        QVERIFY(reader.table.findKey(1));
        QVERIFY(reader.table.asString("U_MEMO").isEmpty());
        reader.table.endReading();

        QCOMPARE(writeNote("after reading"), QString());
        QVERIFY(reader.table.findKey(1));
        QCOMPARE(reader.table.asString("U_MEMO"), QString("after reading"));

        // A transaction takes over from the reading rather than failing inside it.
        reader.table.startReading();
        reader.table.startTransaction();
        QVERIFY(!reader.table.reading());
        reader.table.rollback();
    }

    // A record that another program deleted while this cursor still held its key: reading it
    // says so, and reading the table again shows the file as it is.
    void recordDeletedByAnotherProgram()
    {
        TempDirCwd dir;
        makeBank("qbank2.DAT", 3, examByFifty, sectionCycle);
        StandaloneTable reader("qbank2.DAT");
        reader.table.open();
        StandaloneTable("qbank2.DAT").table.emptyTable();

        const QString error = errorOf([&] { reader.table.findKey(2); });
        QVERIFY2(error.contains("qbank2.DAT") && error.contains("record 2") && error.contains("deleted"),
                 qPrintable(error));
        reader.table.refresh();
        QCOMPARE(reader.table.recordCount(), 0);
        QVERIFY(reader.table.eof());
    }

    // A second program cannot open a table held exclusively; it gives up after the retries.
    void exclusiveLockRefusesAnotherProcess()
    {
        TempDirCwd dir;
        makeTable("ces.DAT", TableKind::Current, {item(1, 1)});
        StandaloneTable t("ces.DAT");
        t.table.setExclusive(true);
        t.table.open();

        QProcess other;
        QElapsedTimer clock;
        clock.start();
        other.start(qEnvironmentVariable("QUIZLORE_QBANK"), {"export", "ces.DAT"});
        QVERIFY(other.waitForFinished(20000));
        const qint64 waited = clock.elapsed();
        QCOMPARE(other.exitCode(), 1);
        const QString error = QString::fromLocal8Bit(other.readAllStandardError());
        QVERIFY2(error.contains("ces.DAT") && error.contains("locked by another program"), qPrintable(error));
        QVERIFY2(waited >= 1400, qPrintable(QString::number(waited)));  // 15 tries, 100 ms apart

        // Shared opening lets the other program in once the lock is gone.
        t.table.close();
        other.start(qEnvironmentVariable("QUIZLORE_QBANK"), {"export", "ces.DAT"});
        QVERIFY(other.waitForFinished(20000));
        QCOMPARE(other.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "test_table.moc"
