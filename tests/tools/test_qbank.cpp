#include "ItemCompare.h"
#include "formats/Format.h"
#include "formats/Zip.h"
#include "history/HistoryStore.h"
#include "store/Fields.h"
#include "store/Session.h"
#include "store/StandaloneTable.h"
#include "support/Fixtures.h"
#include "support/QbankRun.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

#include <unistd.h>

using namespace testsupport;
namespace field = store::field;

namespace {

using Run = QbankRun;

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

// The hand-written samples of every format, into the current directory (QTI packed).
void copySamples()
{
    const QString data = QStringLiteral(FORMATS_DATA_DIR);
    for (const char* name : {"sample.txt", "sample.gift", "sample.xml", "sample.json"})
        QFile::copy(data + "/" + name, name);
    write("sample.zip", formatstest::zipFolder(data + "/qti"));
}

// Runs SQL on a table file through the sqlcipher shell, keyed with the program's password:
// tables laid out by another program.
void sqlcipher(const QString& file, const QString& sql)
{
    QProcess shell;
    shell.start(QStringLiteral("sqlcipher"), QStringList{file, QStringLiteral("PRAGMA key = '%1'; %2").arg(store::TablePassword, sql)});
    QVERIFY(shell.waitForFinished(30000));
    QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());
}

// A bank source of `count` good items.
QByteArray bankOf(int count)
{
    // Answers of the same length, each text its own (the bank rules ignore digits), keys on a
    // and b in turn: a bank that passes the rules of the sample bank.
    auto word = [](int n) {
        QString w;
        for (int i = 0; i < 3; ++i, n /= 26)
            w += QChar(u'a' + n % 26);
        return w;
    };
    QByteArray json = "{\"items\": [";
    for (int k = 1; k <= count; ++k)
        json += QStringLiteral("%1{\"exam\": 1, \"section\": 1, \"question\": \"Q%2\", \"answers\": [\"x%3\", \"y%3\"], \"correct\": \"%4\"}")
                    .arg(k > 1 ? "," : "").arg(k).arg(word(k)).arg(k % 2 ? "a" : "b").toUtf8();
    return json + "]}";
}

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
            << QByteArray(R"({"items": [{"id": 1, "section": 2, "question": "A", "answers": ["x", "y"], "correct": "b"},
                                        {"id": 4, "section": 3, "question": "B", "answers": ["x", "y"], "correct": "a"},
                                        {"id": 9, "section": 1, "question": "C", "answers": ["x", "y"], "correct": "a", "memo": "m"}]})");
        QTest::newRow("current set") << "current"
            << QByteArray(R"({"items": [{"exam": 2, "section": 2, "question": "A", "answers": ["x", "y"], "correct": "a", "or_number": 17}]})");
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
            << "bank" << QByteArray(R"({"items": [{"question": "q", "exam": 8, "section": 0}, {"question": "r", "exam": -1}]})")
            << QStringList{"item 1: \"exam\" 8 is outside 0..7", "item 1: \"section\" 0 is outside 1..4",
                           "item 2: \"exam\" -1 is outside 0..7"};
        QTest::newRow("fraction") << "bank" << QByteArray(R"({"items": [{"question": "r", "exam": 1.5}]})")
                                  << QStringList{"item 1: \"exam\" must be a whole number"};
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
        QTest::newRow("duplicate user id")
            << "user" << QByteArray(R"({"items": [{"id": 3, "section": 1, "question": "q", "answers": ["x", "y"], "correct": "a"},
                                                 {"id": 3, "section": 1, "question": "r", "answers": ["x", "y"], "correct": "a"}]})")
            << QStringList{"cannot add a record"};
        // JSON's own rules, which a lenient reader lets pass.
        QTest::newRow("raw tab in a text") << "user" << QByteArray("{\"items\": [{\"question\": \"a\tb\"}]}")
                                           << QStringList{"line 1, column 27: a control character (code 9) stands raw in a text"};
        QTest::newRow("raw NUL in a text") << "user" << QByteArray("{\"items\": [\n{\"question\": \"a\0b\"}]}", 32)
                                           << QStringList{"line 2, column 16: a control character (code 0)"};
        QTest::newRow("unknown escape") << "bank" << QByteArray(R"({"items": [{"question": "Wir\eless"}]})")
                                        << QStringList{"line 1, column 29: \"\\e\" is not an escape of JSON"};
        QTest::newRow("short unicode escape") << "bank" << QByteArray(R"({"items": [{"question": "\u12"}]})")
                                              << QStringList{"line 1, column 26: \\u must be followed by four hexadecimal digits"};
        QTest::newRow("key given twice") << "bank" << QByteArray("{\"items\": [{\"question\": \"q\",\n   \"question\": \"r\"}]}")
                                         << QStringList{"line 2, column 4: the key \"question\" is given twice in one object"};
        QTest::newRow("key given twice, once escaped") << "bank" << QByteArray(R"({"items": [], "it\u0065ms": []})")
                                                       << QStringList{"the key \"items\" is given twice"};
        // Q_ID holds 32 bits: neither a given id nor the next one assigned may pass them.
        QTest::newRow("id beyond 32 bits") << "user" << QByteArray(R"({"items": [{"id": 2147483648, "section": 1, "question": "q", "answers": ["x", "y"], "correct": "a"}]})")
                                           << QStringList{"item 1: \"id\" 2147483648 is outside 1..2147483647"};
        QTest::newRow("next id beyond 32 bits")
            << "user" << QByteArray(R"({"items": [{"id": 2147483647, "section": 1, "question": "q", "answers": ["x", "y"], "correct": "a"},
                                                 {"section": 1, "question": "r", "answers": ["x", "y"], "correct": "a"}]})")
            << QStringList{"item 2 would get Q_ID 2147483648, beyond the largest, 2147483647"};
        QTest::newRow("item rules")
            << "bank" << QByteArray(R"({"items": [{"section": 1, "question": "q", "answers": ["x", ""], "correct": "b"},
                                                 {"section": 1, "question": "r", "answers": ["x", "y"], "correct": "ab", "pict1": "../x.bmp"},
                                                 {"section": 1, "question": "s", "answers": ["x"], "correct": "a"},
                                                 {"section": 1, "multiple": true, "question": "t", "answers": ["x", "y"]}]})")
            << QStringList{"item 1: answer b is a key but has no text", "item 2: a single-response item needs exactly one key, it has 2",
                           "item 2: \"pict1\" ../x.bmp must be a plain file name",
                           "item 3: one answer text, an item needs at least two",
                           "item 4: a multiple-response item needs at least one key"};
    }
    void badSourcesChangeNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, source);
        QFETCH(QStringList, faults);
        TempDirCwd dir;
        QCOMPARE(qbank({"create", "t.DAT", "--kind", kind}).exitCode, 0);
        write("ok.json", R"({"items": [{"question": "kept", "section": 1, "answers": ["yes", "no"], "correct": "a"}]})");
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
        gapItem[field::Q_ID] = 4;  // record number 3
        Item twoKeys = item(1, 1, "Two keys");
        twoKeys[field::A2] = true;
        twoKeys[field::PICT1] = "one.bmp";
        twoKeys[field::PICT2] = "gone.wmf";
        Item noAnswers = item(1, 2, "Nothing to choose");
        noAnswers[field::Q1] = "";
        noAnswers[field::Q2] = "";
        Item oneAnswer = item(1, 2, "One choice");
        oneAnswer[field::Q2] = "";
        Item noKey = item(1, 3, "Multiple without a key");
        noKey[field::Q_TYPE] = true;
        noKey[field::A1] = false;
        makeTable("bad.DAT", store::TableKind::Bank, {twoKeys, noAnswers, gapItem, oneAnswer, noKey});
        const Run run = qbank({"check", "bad.DAT"});
        QCOMPARE(run.exitCode, 1);
        for (const char* fault : {"item Q_ID 1: a single-response item needs exactly one key, it has 2",
                                  "item Q_ID 1: PICT2 gone.wmf does not exist",
                                  "item Q_ID 2: no answer text", "item Q_ID 2: answer a is a key but has no text",
                                  "item Q_ID 4: record number 3 should have Q_ID 3",
                                  "item Q_ID 4: Q_EXAM_N 9 is outside 0..7", "item Q_ID 4: Q_SECT 5 is outside 1..4",
                                  "item Q_ID 5: one answer text, an item needs at least two",
                                  "item Q_ID 6: a multiple-response item needs at least one key"})
            QVERIFY2(run.err.contains(fault), qPrintable(run.err));
        QVERIFY(!run.err.contains("one.bmp"));

        write("source.json", bankSource);
        write("two.wmf", "x");
        QCOMPARE(qbank({"create", "good.DAT", "--kind", "bank"}).exitCode, 0);
        QCOMPARE(qbank({"import", "good.DAT", "source.json"}).exitCode, 0);
        const Run good = qbank({"check", "good.DAT"});
        QVERIFY2(good.exitCode == 0, qPrintable(good.err));
    }

    void checkReadsTheStudyHistory()
    {
        TempDirCwd dir;
        history::Attempt attempt;
        attempt.key = history::newAttemptKey();
        attempt.gradedAt = QDateTime::currentDateTime();
        attempt.examTitle = QStringLiteral("Practice Exam A");
        for (int k = 1; k <= 3; ++k) {
            history::ItemResult answer;
            answer.sourceId = k;
            answer.answered = answer.correct = k != 2;
            attempt.items.push_back(answer);
        }
        history::HistoryStore(history::HistoryFileName).record(attempt);
        const Run good = qbank({"check", history::HistoryFileName});
        QVERIFY2(good.exitCode == 0, qPrintable(good.err));

        sqlcipher(history::HistoryFileName, "UPDATE questions SET missed = 3 WHERE source_id = 2;");
        const Run bad = qbank({"check", history::HistoryFileName});
        QCOMPARE(bad.exitCode, 1);
        QVERIFY2(bad.err.contains("history.DAT: the figures kept for item Q_ID 2"), qPrintable(bad.err));

        write(history::HistoryFileName, QByteArray(2048, 'x'));
        const Run damaged = qbank({"check", history::HistoryFileName});
        QCOMPARE(damaged.exitCode, 1);
        QVERIFY2(damaged.err.contains("history.DAT: the file is damaged"), qPrintable(damaged.err));
    }

    // Numbers are checked as stored, never cut to 32 bits on the way.
    void checkReadsNumbersAsStored()
    {
        TempDirCwd dir;
        Item big = item(1, 1, "Far out");
        big[field::Q_EXAM_N] = qint64(4294967297);
        big[field::Q_SECT] = qint64(99999999999);
        makeTable("big.DAT", store::TableKind::Bank, {big});
        const Run run = qbank({"check", "big.DAT"});
        QCOMPARE(run.exitCode, 1);
        for (const char* fault : {"item Q_ID 1: Q_EXAM_N 4294967297 is outside 0..7", "item Q_ID 1: Q_SECT 99999999999 is outside 1..4"})
            QVERIFY2(run.err.contains(fault), qPrintable(run.err));
    }

    // Tables that are not laid out as ours are refused by every command, with what is wrong.
    void foreignLayouts_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("says");
        const QString oneUnknownField = "CREATE TABLE items(Q_ID INTEGER PRIMARY KEY, COLOUR TEXT); INSERT INTO items VALUES(1, 'red');";
        for (const char* command : {"export", "check", "import"}) {
            QTest::addRow("unknown field, %s", command) << oneUnknownField << command << "the layout lacks the field Q_SECT";
            QTest::addRow("unknown field named, %s", command) << oneUnknownField << command << "has a field COLOUR that a user table does not have";
        }
        const QString textKey = "CREATE TABLE items(Q_ID INTEGER, Q_SECT INTEGER, Q_TEXT TEXT); INSERT INTO items VALUES('abc', 1, 'q');";
        for (const char* command : {"export", "check"})
            QTest::addRow("text in Q_ID, %s", command) << textKey << command << "a record's Q_ID holds \"abc\", not a whole number";
    }
    void foreignLayouts()
    {
        QFETCH(QString, sql);
        QFETCH(QString, command);
        QFETCH(QString, says);
        TempDirCwd dir;
        sqlcipher("t.DAT", sql);
        write("ok.json", R"({"items": [{"question": "q", "section": 1, "answers": ["x", "y"], "correct": "a"}]})");
        const QByteArray before = fileBytes("t.DAT");
        QStringList args{command, "t.DAT"};
        if (command == "import")
            args << "ok.json";
        const Run run = qbank(args);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("t.DAT") && run.err.contains(says), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(fileBytes("t.DAT"), before);
    }

    // The table file may be writable while its folder is not: then the journal is the fault.
    void readOnlyFolderNamesTheJournal()
    {
        TempDirCwd dir;
        QDir().mkdir("locked");
        QCOMPARE(qbank({"create", "locked/u.DAT", "--kind", "user"}).exitCode, 0);
        write("ok.json", R"({"items": [{"question": "q", "section": 1, "answers": ["x", "y"], "correct": "a"}]})");
        QFile::setPermissions("locked", QFile::ReadOwner | QFile::ExeOwner);
        QStringList args{"import", "locked/u.DAT", "ok.json"};
        QString program = qEnvironmentVariable("QUIZLORE_QBANK");
        if (QFileInfo("locked").isWritable()) {
            // Root may write anywhere; in a user namespace of its own it keeps no such right.
            args.prepend(program);
            args.prepend("-U");
            program = "unshare";
        }
        QProcess p;
        p.start(program, args);
        QVERIFY(p.waitForFinished(30000));
        const Run run{p.exitCode(), {}, QString::fromUtf8(p.readAllStandardError())};
        QFile::setPermissions("locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (run.err.startsWith("unshare:"))
            QSKIP("running with rights that ignore folder permissions");
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("read-only, so the journal beside the file cannot be made"), qPrintable(run.err));
    }

    // Two imports into one empty bank at once: one wins, the other is told the bank is taken.
    void concurrentImportsIntoOneBank()
    {
        TempDirCwd dir;
        write("source.json", bankOf(300));
        QCOMPARE(qbank({"create", "b.DAT", "--kind", "bank"}).exitCode, 0);
        QProcess first, second;
        for (QProcess* p : {&first, &second})
            p->start(qEnvironmentVariable("QUIZLORE_QBANK"), {"import", "b.DAT", "source.json"});
        for (QProcess* p : {&first, &second})
            QVERIFY(p->waitForFinished(60000));
        QCOMPARE(first.exitCode() + second.exitCode(), 1);
        QProcess& loser = first.exitCode() == 1 ? first : second;
        const QString error = QString::fromUtf8(loser.readAllStandardError());
        QVERIFY2(error.contains("the bank is not empty") || error.contains("locked by another program"), qPrintable(error));
        const Run check = qbank({"check", "b.DAT"});
        QVERIFY2(check.exitCode == 0, qPrintable(check.err));
        QCOMPARE(qbank({"export", "b.DAT"}).out.count("\"question\""), 300);
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

    // Questions of every format go in with a summary; what cannot be ours is named and skipped.
    void importsEveryFormat_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<int>("count");
        QTest::newRow("aiken") << "sample.txt"
            << QStringList{"sample.txt line 15: 7 answers; at most 6 are supported; skipped", "Imported 2 items, skipped 2 (see above)"} << 2;
        QTest::newRow("gift") << "sample.gift"
            << QStringList{"sample.gift line 33: matching questions are not supported; skipped", "Imported 4 items, skipped 1 (see above)"} << 4;
        QTest::newRow("moodle") << "sample.xml"
            << QStringList{"sample.xml line 8: the user set keeps no pictures; switch.bmp left out",
                           "sample.xml line 62: matching questions are not supported; skipped", "Imported 4 items, skipped 1 (see above)"} << 4;
        QTest::newRow("qti") << "sample.zip"
            << QStringList{"sample.zip/items/order.xml: order questions are not supported; skipped", "Imported 3 items, skipped 1 (see above)"} << 3;
        QTest::newRow("json") << "sample.json" << QStringList{"Imported 3 items, skipped 0"} << 3;
    }
    void importsEveryFormat()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, said);
        QFETCH(int, count);
        TempDirCwd dir;
        copySamples();
        QCOMPARE(qbank({"create", "u.DAT", "--kind", "user"}).exitCode, 0);
        const Run run = qbank({"import", "u.DAT", source, "--section", "3"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        for (const QString& line : said)
            QVERIFY2(run.err.contains(line + "\n"), qPrintable(run.err));
        store::StandaloneTable t("u.DAT");
        t.table.open();
        QCOMPARE(t.table.recordCount(), count);
        QVERIFY(t.table.asInteger("Q_SECT") >= 1);
    }

    void importNeedsASectionWhenTheSourceHasNone()
    {
        TempDirCwd dir;
        copySamples();
        QCOMPARE(qbank({"create", "u.DAT", "--kind", "user"}).exitCode, 0);
        const QByteArray before = fileBytes("u.DAT");
        const Run run = qbank({"import", "u.DAT", "sample.txt"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("qbank: 2 items in sample.txt name no section; give one with --section 1..4"), qPrintable(run.err));
        QCOMPARE(fileBytes("u.DAT"), before);
        QCOMPARE(qbank({"import", "u.DAT", "sample.txt", "--section", "4"}).exitCode, 0);
        store::StandaloneTable t("u.DAT");
        t.table.open();
        QCOMPARE(t.table.asInteger("Q_SECT"), 4);
    }

    // A malformed source leaves the table and its folder as they were.
    void malformedSourceWritesNothing()
    {
        TempDirCwd dir;
        QCOMPARE(qbank({"create", "b.DAT", "--kind", "bank"}).exitCode, 0);
        const QByteArray before = fileBytes("b.DAT");
        QByteArray source = testsupport::fileBytes(QStringLiteral(FORMATS_DATA_DIR) + "/sample.xml");
        source.replace("</quiz>", "</question>\n</quiz>");
        write("bad.xml", source);
        const Run run = qbank({"import", "b.DAT", "bad.xml", "--section", "1"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("bad.xml line 68, column "), qPrintable(run.err));
        QVERIFY(!run.err.contains("Imported"));
        QCOMPARE(fileBytes("b.DAT"), before);
        QCOMPARE(QDir().entryList(QDir::Files), QStringList({"b.DAT", "bad.xml"}));
    }

    // A source that imports nothing says why. A package whose test cannot be read would lose
    // the sections of its items: it is refused, naming the manifest entry, and nothing of it is
    // taken. A source without any question is no failure.
    void sourcesThatImportNothingSayWhy_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        const QByteArray item = "<assessmentItem><responseDeclaration identifier=\"R\"><correctResponse><value>A</value>"
                                "</correctResponse></responseDeclaration><itemBody><p>Which?</p><choiceInteraction responseIdentifier=\"R\">"
                                "<simpleChoice identifier=\"A\">yes</simpleChoice><simpleChoice identifier=\"B\">no</simpleChoice>"
                                "</choiceInteraction></itemBody></assessmentItem>";
        const auto package = [&](const QByteArray& testHref, const std::vector<std::pair<QString, QByteArray>>& more) {
            std::vector<std::pair<QString, QByteArray>> files{
                {"imsmanifest.xml", "<manifest><resources>\n<resource identifier=\"a\" type=\"imsqti_item_xmlv2p1\" href=\"a.xml\"/>\n"
                                    "<resource identifier=\"exam\" type=\"imsqti_test_xmlv2p1\" href=\"" + testHref + "\"/>\n</resources></manifest>"},
                {"a.xml", item}};
            files.insert(files.end(), more.begin(), more.end());
            return formats::writeZip(files);
        };
        QTest::newRow("test missing") << "q.zip" << package("test.xml", {}) << 1
            << "q.zip/imsmanifest.xml line 3: the test exam (test.xml) is not in the package; nothing is imported";
        QTest::newRow("test outside the package") << "q.zip" << package("../outside.xml", {{"outside.xml", "<assessmentTest/>"}}) << 1
            << "q.zip/imsmanifest.xml line 3: the test exam (../outside.xml) lies outside the package; nothing is imported";
        QTest::newRow("test not well-formed") << "q.zip" << package("test.xml", {{"test.xml", "<assessmentTest>\n<testPart>"}}) << 1
            << "q.zip/test.xml line 2, column 10: Premature end of document.";
        QTest::newRow("exported empty package") << "q.zip" << formats::formatNamed("qti")->write({}, store::TableKind::User).data << 0
            << "q.zip holds no questions; nothing was imported";
        QTest::newRow("exported empty Moodle XML") << "q.xml" << formats::formatNamed("moodle")->write({}, store::TableKind::User).data << 0
            << "q.xml holds no questions; nothing was imported";
        QTest::newRow("empty GIFT") << "q.gift" << QByteArray("// nothing yet\n") << 0 << "q.gift holds no questions; nothing was imported";
    }
    void sourcesThatImportNothingSayWhy()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, bytes);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        TempDirCwd dir;
        QCOMPARE(qbank({"create", "u.DAT", "--kind", "user"}).exitCode, 0);
        write("ok.json", R"({"items": [{"question": "kept", "section": 1, "answers": ["yes", "no"], "correct": "a"}]})");
        QCOMPARE(qbank({"import", "u.DAT", "ok.json"}).exitCode, 0);
        const QByteArray before = fileBytes("u.DAT");
        write(source, bytes);
        const Run run = qbank({"import", "u.DAT", source, "--section", "1"});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(says + "\n"), qPrintable(run.err));
        QVERIFY2(!run.err.contains("Imported"), qPrintable(run.err));
        QCOMPARE(fileBytes("u.DAT"), before);
    }

    // The items of a large source are written as they are read; a fault at its very end undoes
    // them all, with the pictures they brought.
    void faultAtTheEndOfALargeSourceChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<QString>("says");
        QTest::newRow("not well-formed") << QByteArray("<question type=\"multichoice\">\n</quiz>\n")
            << "column 7: Opening and ending tag mismatch.";
        QTest::newRow("not UTF-8") << QByteArray("<question type=\"multichoice\"><questiontext><text>\n  Caf\xE9</text></questiontext></question>\n</quiz>\n")
            << "column 6: the text is not UTF-8";
    }
    void faultAtTheEndOfALargeSourceChangesNothing()
    {
        QFETCH(QByteArray, end);
        QFETCH(QString, says);
        TempDirCwd dir;
        QByteArray xml = "<quiz>\n<question type=\"multichoice\"><questiontext><text>With a picture</text>"
                         "<file name=\"diagram.bmp\" encoding=\"base64\">" + formatstest::bitmap(4, 4, 'd').toBase64() + "</file></questiontext>"
                         "<answer fraction=\"100\"><text>yes</text></answer><answer fraction=\"0\"><text>no</text></answer></question>\n";
        for (int q = 0; q < 6000; ++q)
            xml += "<question type=\"multichoice\"><questiontext><text>Which one is number " + QByteArray::number(q)
                   + "?</text></questiontext>\n<answer fraction=\"100\"><text>this</text></answer><answer fraction=\"0\"><text>that</text></answer></question>\n";
        const int lastLine = int(xml.count('\n')) + 2;
        write("big.xml", xml + end);
        QCOMPARE(qbank({"create", "b.DAT", "--kind", "bank"}).exitCode, 0);
        const QByteArray before = fileBytes("b.DAT");
        const Run run = qbank({"import", "b.DAT", "big.xml", "--section", "1"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("big.xml line %1, %2").arg(lastLine).arg(says)), qPrintable(run.err));
        QVERIFY(!run.err.contains("Imported"));
        QCOMPARE(fileBytes("b.DAT"), before);
        QCOMPARE(QDir().entryList(QDir::Files), QStringList({"b.DAT", "big.xml"}));
        // The same source whole goes in, the picture with it.
        write("big.xml", xml + "</quiz>\n");
        QCOMPARE(qbank({"import", "b.DAT", "big.xml", "--section", "1"}).err, QStringLiteral("Imported 6001 items, skipped 0\n"));
        QVERIFY(QFile::exists("diagram.bmp"));
    }

    // Four embedded pictures of 72 KB each on a file system of 200 KB: the third does not fit.
    // The import says why, and leaves no picture behind, whole or cut, nor a changed table.
    void fullDiskLeavesNoPictureBehind()
    {
        TempDirCwd dir;
        QByteArray xml = "<quiz>";
        for (int q = 0; q < 2; ++q) {
            xml += "<question type=\"multichoice\"><questiontext format=\"html\"><text>Which?</text>";
            for (int p = 0; p < 2; ++p)
                xml += QStringLiteral("<file name=\"diag-%1.bmp\" encoding=\"base64\">").arg(2 * q + p).toUtf8()
                       + formatstest::bitmap(120, 200, char('a' + 2 * q + p)).toBase64() + "</file>";
            xml += "</questiontext><answer fraction=\"100\"><text>yes</text></answer>"
                   "<answer fraction=\"0\"><text>no</text></answer></question>";
        }
        write("source.xml", xml + "</quiz>");
        QDir().mkdir("small");
        QCOMPARE(qbank({"create", "b.DAT", "--kind", "bank"}).exitCode, 0);
        // A file system of its own in a mount namespace of its own: root needs no user namespace.
        const QString unshare = getuid() == 0 ? "unshare -m" : "unshare -rm";
        const QString script = QStringLiteral(
            "mount -t tmpfs -o size=200k tmpfs small || exit 77; cp b.DAT small/; "
            "\"$QBANK\" import small/b.DAT source.xml --section 1; echo \"exit=$?\"; "
            "cmp b.DAT small/b.DAT && echo same; ls -a small");
        QProcess shell;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QBANK", qEnvironmentVariable("QUIZLORE_QBANK"));
        shell.setProcessEnvironment(env);
        shell.start("sh", {"-c", unshare + " sh -c '" + script + "'"});
        QVERIFY(shell.waitForFinished(60000));
        const QString out = QString::fromUtf8(shell.readAllStandardOutput());
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        if (shell.exitCode() == 77 || out.isEmpty())
            QSKIP(qPrintable("no small file system can be mounted here: " + err));
        QVERIFY2(out.contains("exit=1"), qPrintable(out + err));
        QVERIFY2(err.contains("cannot write the picture") && err.contains("diag-2.bmp: No space left on device"), qPrintable(err));
        QVERIFY2(out.contains("same"), qPrintable(out));
        QCOMPARE(out.section("same\n", 1).split('\n', Qt::SkipEmptyParts), QStringList({".", "..", "b.DAT"}));
    }

    // Picture names from a source are reduced to plain file names of a length every file
    // system takes; they never leave the folder or refuse the import.
    void pictureNamesBecomePlainFileNames()
    {
        TempDirCwd dir;
        const QByteArray picture = formatstest::bitmap(2, 2, 'p').toBase64();
        const QString longName = QString(300, 'n') + ".bmp";
        write("source.xml", "<quiz><question type=\"multichoice\"><questiontext><text>Q</text>"
                            "<file name=\"../up.bmp\" encoding=\"base64\">" + picture + "</file>"
                            "<file name=\"" + longName.toUtf8() + "\" encoding=\"base64\">" + picture + "</file></questiontext>"
                            "<answer fraction=\"100\"><text>a</text></answer><answer fraction=\"0\"><text>b</text></answer></question></quiz>");
        QDir().mkdir("bank");
        QCOMPARE(qbank({"create", "bank/b.DAT", "--kind", "bank"}).exitCode, 0);
        const Run run = qbank({"import", "bank/b.DAT", "source.xml", "--section", "2"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        store::StandaloneTable t("bank/b.DAT");
        t.table.open();
        QCOMPARE(t.table.asString("PICT1"), "up.bmp");
        QCOMPARE(t.table.asString("PICT2"), QString(100, 'n') + ".bmp");
        QVERIFY(QFile::exists("bank/up.bmp") && !QFile::exists("up.bmp"));
        // Written under a private temporary name, then given the permissions of a new file.
        QVERIFY(QFileInfo("bank/up.bmp").permissions() & QFileDevice::ReadOther);
        QCOMPARE(qbank({"check", "bank/b.DAT"}).exitCode, 0);
    }

    void commandLineOfImportAndExport_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("says");
        QTest::newRow("unknown format") << QStringList{"import", "u.DAT", "q.txt", "--format", "word"} << "unknown format \"word\" (gift|aiken|moodle|qti|json)";
        QTest::newRow("unknown extension") << QStringList{"import", "u.DAT", "q.doc"} << "cannot tell the format of q.doc from its extension";
        QTest::newRow("section out of range") << QStringList{"import", "u.DAT", "q.txt", "--section", "5"} << "--section must be 1, 2, 3 or 4, not \"5\"";
        QTest::newRow("option without value") << QStringList{"export", "u.DAT", "-o"} << "-o needs a value";
        QTest::newRow("section on export") << QStringList{"export", "u.DAT", "--section", "1"} << "export needs: FILE [--format F] [-o OUT]";
        QTest::newRow("export to unknown extension") << QStringList{"export", "u.DAT", "-o", "x.doc"} << "cannot tell the format of x.doc";
    }
    void commandLineOfImportAndExport()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, says);
        TempDirCwd dir;
        QCOMPARE(qbank({"create", "u.DAT", "--kind", "user"}).exitCode, 0);
        const Run run = qbank(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
    }

    // A bank goes out as Moodle XML with its pictures embedded and comes back into another
    // folder with the pictures beside the new table.
    void exportCarriesPicturesAcrossFolders()
    {
        TempDirCwd dir;
        write("source.json", bankSource);
        const QByteArray one = formatstest::bitmap(3, 2, 'o');
        write("one.bmp", one);
        write("two.wmf", "two");  // not a metafile: the import leaves it out
        QCOMPARE(qbank({"create", "a.DAT", "--kind", "bank"}).exitCode, 0);
        QCOMPARE(qbank({"import", "a.DAT", "source.json"}).exitCode, 0);
        const Run exported = qbank({"export", "a.DAT", "-o", "out.xml"});
        QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));
        QVERIFY2(exported.err.contains("Exported 2 items, skipped 0"), qPrintable(exported.err));
        QDir().mkdir("other");
        QCOMPARE(qbank({"create", "other/b.DAT", "--kind", "bank"}).exitCode, 0);
        const Run imported = qbank({"import", "other/b.DAT", "out.xml"});
        QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
        QVERIFY2(imported.err.contains("out.xml line 8: the picture two.wmf is not a valid Windows metafile; left out"), qPrintable(imported.err));
        QCOMPARE(fileBytes("other/one.bmp"), one);
        QVERIFY(!QFile::exists("other/two.wmf"));
        QCOMPARE(qbank({"check", "other/b.DAT"}).exitCode, 0);
        store::StandaloneTable t("other/b.DAT");
        t.table.open();
        QCOMPARE(t.table.asString("Q_TEXT"), "First?\nSecond line.");
        QCOMPARE(t.table.asString("Q2"), "c");  // answers moved up over the gap
        QVERIFY(t.table.asBoolean("A2"));
        QCOMPARE(t.table.asString("PICT1"), "one.bmp");
        QCOMPARE(t.table.asString("PICT2"), "");
    }

    void exportWritesTheChosenFormat_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("begins");
        QTest::newRow("gift by extension") << QStringList{"-o", "q.gift"} << "q.gift" << QByteArray("// Questions exported");
        QTest::newRow("aiken by name") << QStringList{"--format", "aiken", "-o", "q.out"} << "q.out" << QByteArray("First?\nSecond line.\nA. a\nB. c\nANSWER: B");
        QTest::newRow("qti package") << QStringList{"-o", "q.zip"} << "q.zip" << QByteArray("PK");
    }
    void exportWritesTheChosenFormat()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(QByteArray, begins);
        TempDirCwd dir;
        write("source.json", bankSource);
        QCOMPARE(qbank({"create", "a.DAT", "--kind", "bank"}).exitCode, 0);
        QCOMPARE(qbank({"import", "a.DAT", "source.json"}).exitCode, 0);
        const Run run = qbank(QStringList{"export", "a.DAT"} + args);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(fileBytes(file).startsWith(begins), fileBytes(file).left(80).constData());
    }
};

QTEST_GUILESS_MAIN(TestQbank)
#include "test_qbank.moc"
