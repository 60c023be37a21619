#include "store/Fields.h"
#include "support/Fixtures.h"
#include "support/TempDir.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

using namespace testsupport;

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run qbank(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("QUIZLORE_QBANK"), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

void write(const QString& file, const QByteArray& text)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

const QByteArray bankSource = R"({ "items": [
  { "exam": 1, "section": 1, "question": "First?\nSecond line.", "answers": ["a", "", "c"], "correct": "c",
    "explanation": "Because.", "pict1": "one.bmp", "pict2": "two.wmf", "sim": "s", "memo": "note" },
  { "exam": 0, "section": 4, "multiple": true, "question": "Pick two", "answers": ["w", "x", "y", "z", "v", "u"],
    "correct": "bf", "explanation": "Both." }
] })";

}  // namespace

class TestQbank : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: qbank";
        QTest::newRow("nothing") << QStringList{} << 2 << "a command and a file are needed";
        QTest::newRow("unknown command") << QStringList{"frob", "x.DAT"} << 2 << "unknown command";
        QTest::newRow("unknown kind") << QStringList{"create", "x.DAT", "--kind", "other"} << 2 << "unknown kind";
        QTest::newRow("missing file") << QStringList{"export", "none.DAT"} << 1 << "file not found";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        TempDirCwd dir;
        const Run run = qbank(args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((run.out + run.err).contains(says), qPrintable(run.out + run.err));
    }

    void exportImportsBackToTheSameRecords_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("bank") << "bank" << bankSource;
        QTest::newRow("user set with gaps") << "user"
            << QByteArray(R"({"items": [{"id": 1, "section": 2, "question": "A"},
                                        {"id": 4, "section": 3, "question": "B", "answers": ["x"], "correct": "a"},
                                        {"id": 9, "section": 1, "question": "C", "memo": "m"}]})");
        QTest::newRow("current set") << "current"
            << QByteArray(R"({"items": [{"exam": 2, "section": 2, "question": "A", "or_number": 17}]})");
    }
    void exportImportsBackToTheSameRecords()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, source);
        TempDirCwd dir;
        write("source.json", source);
        QCOMPARE(qbank({"create", "a.DAT", "--kind", kind}).exitCode, 0);
        const Run imported = qbank({"import", "a.DAT", "source.json"});
        QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
        const Run first = qbank({"export", "a.DAT"});
        QCOMPARE(first.exitCode, 0);
        write("exported.json", first.out.toUtf8());
        QCOMPARE(qbank({"create", "b.DAT", "--kind", kind}).exitCode, 0);
        QCOMPARE(qbank({"import", "b.DAT", "exported.json"}).exitCode, 0);
        const Run second = qbank({"export", "b.DAT"});
        QCOMPARE(second.out, first.out);
        if (kind == "user")
            QVERIFY(first.out.contains("\"id\": 9"));
        if (kind == "bank") {
            QVERIFY(first.out.contains("\"answers\": [\n                \"a\",\n                \"\",\n                \"c\""));
            QVERIFY(first.out.contains("\"correct\": \"bf\""));
        }
    }

    // Every fault is reported with where it is, and the target file is left as it was.
    void badSourcesChangeNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QStringList>("faults");
        QTest::newRow("malformed") << "bank" << QByteArray("{\n  \"items\": [\n    { \"exam\": 1,, }\n  ]\n}")
                                   << QStringList{"line 3, column"};
        QTest::newRow("unknown field") << "bank" << QByteArray(R"({"items": [{"question": "q", "colour": 1}]})")
                                       << QStringList{"item 1: unknown field \"colour\""};
        QTest::newRow("wrong types")
            << "bank" << QByteArray(R"({"items": [{"question": 5, "exam": "1", "multiple": 1, "answers": "a"}]})")
            << QStringList{"\"question\" must be a text", "\"exam\" must be a whole number",
                           "\"multiple\" must be true or false", "\"answers\" must be a list"};
        QTest::newRow("out of range")
            << "bank" << QByteArray(R"({"items": [{"question": "q", "exam": 8, "section": 0}, {"question": "r", "exam": 1.5}]})")
            << QStringList{"item 1: \"exam\" 8 is outside 0..7", "item 1: \"section\" 0 is outside 1..4",
                           "item 2: \"exam\" must be a whole number"};
        QTest::newRow("keys") << "bank" << QByteArray(R"({"items": [{"question": "q", "correct": "ag"}, {"question": "r", "correct": "bb"}]})")
                              << QStringList{"\"g\" is not a key letter", "names the key b twice"};
        QTest::newRow("seven answers") << "bank" << QByteArray(R"({"items": [{"question": "q", "answers": ["1","2","3","4","5","6","7"]}]})")
                                       << QStringList{"has 7 answers"};
        QTest::newRow("field of a bank in a user set") << "user" << QByteArray(R"({"items": [{"question": "q", "exam": 1, "pict1": "x.bmp"}]})")
                                                       << QStringList{"\"exam\" does not belong in a user table", "\"pict1\" does not belong"};
        QTest::newRow("bank id off its position") << "bank" << QByteArray(R"({"items": [{"id": 2, "question": "q"}]})")
                                                  << QStringList{"\"id\" must be 1"};
        QTest::newRow("question missing") << "bank" << QByteArray(R"({"items": [{"exam": 1}], "extra": 1})")
                                          << QStringList{"\"question\" is missing", "unknown field \"extra\""};
        QTest::newRow("duplicate user id") << "user" << QByteArray(R"({"items": [{"id": 3, "question": "q"}, {"id": 3, "question": "r"}]})")
                                           << QStringList{"cannot add a record"};
    }
    void badSourcesChangeNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, source);
        QFETCH(QStringList, faults);
        TempDirCwd dir;
        QCOMPARE(qbank({"create", "t.DAT", "--kind", kind}).exitCode, 0);
        write("ok.json", R"({"items": [{"question": "kept", "section": 1}]})");
        QCOMPARE(qbank({"import", "t.DAT", "ok.json"}).exitCode, 0);
        const QByteArray before = fileBytes("t.DAT");
        write("bad.json", source);
        const Run run = qbank({"import", "t.DAT", "bad.json"});
        QCOMPARE(run.exitCode, 1);
        for (const QString& fault : faults)
            QVERIFY2(run.err.contains(fault), qPrintable(run.err));
        QCOMPARE(fileBytes("t.DAT"), before);
    }

    void checkFindsFaultsOfContent()
    {
        TempDirCwd dir;
        write("one.bmp", "BM");
        Item gapItem = item(9, 5, "Out of range");
        gapItem["Q_ID"] = 4;  // record number 3
        Item twoKeys = item(1, 1, "Two keys");
        twoKeys["A2"] = true;
        twoKeys["PICT1"] = "one.bmp";
        twoKeys["PICT2"] = "gone.wmf";
        Item noAnswers = item(1, 2, "Nothing to choose");
        noAnswers["Q1"] = "";
        noAnswers["Q2"] = "";
        makeTable("bad.DAT", store::TableKind::Bank, {twoKeys, noAnswers, gapItem});
        const Run run = qbank({"check", "bad.DAT"});
        QCOMPARE(run.exitCode, 1);
        for (const char* fault : {"item Q_ID 1: a single-response item needs exactly one key, it has 2",
                                  "item Q_ID 1: the picture gone.wmf (PICT2) does not exist",
                                  "item Q_ID 2: no answer text", "item Q_ID 2: answer a is a key but has no text",
                                  "item Q_ID 4: record number 3 should have Q_ID 3",
                                  "item Q_ID 4: Q_EXAM_N 9 is outside 0..7", "item Q_ID 4: Q_SECT 5 is outside 1..4"})
            QVERIFY2(run.err.contains(fault), qPrintable(run.err));
        QVERIFY(!run.err.contains("one.bmp"));

        write("source.json", bankSource);
        write("two.wmf", "x");
        QCOMPARE(qbank({"create", "good.DAT", "--kind", "bank"}).exitCode, 0);
        QCOMPARE(qbank({"import", "good.DAT", "source.json"}).exitCode, 0);
        const Run good = qbank({"check", "good.DAT"});
        QVERIFY2(good.exitCode == 0, qPrintable(good.err));
    }

    void createRefusesAnExistingFile()
    {
        TempDirCwd dir;
        write("t.DAT", "precious");
        const Run run = qbank({"create", "t.DAT", "--kind", "user"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("exists already"));
        QCOMPARE(fileBytes("t.DAT"), QByteArray("precious"));
    }

    void importIntoAFullBankIsRefused()
    {
        TempDirCwd dir;
        write("source.json", bankSource);
        QCOMPARE(qbank({"create", "b.DAT", "--kind", "bank"}).exitCode, 0);
        QCOMPARE(qbank({"import", "b.DAT", "source.json"}).exitCode, 0);
        const QByteArray before = fileBytes("b.DAT");
        const Run run = qbank({"import", "b.DAT", "source.json"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("the bank is not empty"));
        QCOMPARE(fileBytes("b.DAT"), before);
    }
};

QTEST_GUILESS_MAIN(TestQbank)
#include "test_qbank.moc"
