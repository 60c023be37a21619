// Items read from a source go into a real table file: in one transaction, with their pictures
// beside the file under names that overwrite nothing.

#include "ItemCompare.h"

#include "formats/Format.h"
#include "formats/ItemTable.h"
#include "store/StandaloneTable.h"
#include "store/TableFile.h"
#include "support/Fixtures.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <cstdio>

using namespace formatstest;
using formats::Item;
using formats::Picture;

namespace {

const QString dataDir = QStringLiteral(SAMPLE_DATA_DIR);
const int bigImport = 1000;

// An Aiken source of `count` questions.
QByteArray manyQuestions(int count)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("Question %1?\nA. yes\nB. no\nANSWER: A\n\n").arg(i).toUtf8();
    return text;
}

std::vector<Item> readSource(const QString& format, const QByteArray& source, store::TableKind kind, int section,
                             int firstId = 1)
{
    formats::ReadResult read = formats::formatNamed(format)->read(source, kind);
    formats::fitItems(read.items, kind, section, firstId);
    return read.items;
}

int recordCount(const QString& file)
{
    store::StandaloneTable t(file);
    t.table.open();
    return t.table.recordCount();
}

// The child process of the kill test: imports the big source into `file`, and after half of
// it says so and waits, inside the transaction, for the parent to kill it.
int importAndWaitHalfway(const QString& file)
{
    std::vector<Item> items = readSource("aiken", manyQuestions(bigImport), store::TableKind::User, 1);
    store::StandaloneTable t(file);
    t.table.open();
    formats::importItems(t.table, items, [](int appended) {
        if (appended == bigImport / 2) {
            std::puts("halfway");
            std::fflush(stdout);
            std::getchar();  // blocks: the parent never writes
        }
    });
    return 0;
}

}  // namespace

class TestFormatsImport : public QObject {
    Q_OBJECT

private slots:
    void importIsOneTransaction()
    {
        testsupport::TempDirCwd dir;
        testsupport::makeTable("u.DAT", store::TableKind::User, {testsupport::item(0, 2, "Already there")});
        const QByteArray before = testsupport::fileBytes("u.DAT");

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--import-and-wait-halfway", dir.file("u.DAT")});
        QVERIFY(child.waitForStarted(-1));
        QByteArray said;
        while (!said.contains("halfway\n") && child.waitForReadyRead(-1))
            said += child.readAllStandardOutput();
        QVERIFY2(said.contains("halfway"), qPrintable(QString::fromUtf8(child.readAllStandardError())));
        child.kill();  // SIGKILL
        QVERIFY(child.waitForFinished(-1));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        QCOMPARE(recordCount("u.DAT"), 1);
        std::vector<Item> items = readSource("aiken", manyQuestions(bigImport), store::TableKind::User, 1);
        store::StandaloneTable t("u.DAT");
        t.table.open();
        formats::importItems(t.table, items);
        QCOMPARE(t.table.recordCount(), 1 + bigImport);
        QVERIFY(testsupport::fileBytes("u.DAT") != before);
    }

    void picturesGoBesideTheTableWithoutOverwriting()
    {
        testsupport::TempDirCwd dir;
        store::createTableFile("b.DAT", store::TableKind::Bank, store::TablePassword);
        {
            QFile mine("switch.bmp");
            QVERIFY(mine.open(QIODevice::WriteOnly));
            mine.write("my own picture");
        }
        const QByteArray source = readBytes(dataDir + "/sample.xml");
        for (int round = 1; round <= 2; ++round) {
            store::StandaloneTable t("b.DAT");
            t.table.open();
            std::vector<Item> items = readSource("moodle", source, store::TableKind::Bank, 1, t.table.recordCount() + 1);
            formats::importItems(t.table, items);
            t.table.first();
            QCOMPARE(t.table.asString("PICT1"), "switch-2.bmp");  // the second round reuses it
        }
        QCOMPARE(testsupport::fileBytes("switch.bmp"), QByteArray("my own picture"));
        QCOMPARE(testsupport::fileBytes("switch-2.bmp").left(2), QByteArray("BM"));
        QVERIFY(!QFile::exists("switch-3.bmp"));
        QCOMPARE(recordCount("b.DAT"), 8);
    }

    void pictureNamesCannotLeaveTheFolder()
    {
        testsupport::TempDirCwd dir;
        QDir().mkdir("tables");
        store::createTableFile("tables/b.DAT", store::TableKind::Bank, store::TablePassword);
        const QByteArray evil = bitmap(2, 2, 'e');
        const QByteArray source = "<quiz><question type=\"multichoice\"><questiontext format=\"html\"><text>Q</text>"
                                  "<file name=\"../evil.bmp\" encoding=\"base64\">" + evil.toBase64() + "</file>"
                                  "<file name=\"..\\\\..\\\\x y.bmp\" encoding=\"base64\">" + bitmap(2, 2, 'x').toBase64() + "</file></questiontext>"
                                  "<answer fraction=\"100\"><text>a</text></answer><answer fraction=\"0\"><text>b</text></answer></question></quiz>";
        std::vector<Item> items = readSource("moodle", source, store::TableKind::Bank, 1);
        QCOMPARE(items.size(), size_t(1));
        store::StandaloneTable t("tables/b.DAT");
        t.table.open();
        formats::importItems(t.table, items);
        QCOMPARE(t.table.asString("PICT1"), "evil.bmp");
        QCOMPARE(t.table.asString("PICT2"), "x_y.bmp");
        QCOMPARE(testsupport::fileBytes("tables/evil.bmp"), evil);
        QVERIFY(!QFile::exists("evil.bmp"));
    }

    void userSetKeepsNoPictures()
    {
        formats::ReadResult read = formats::formatNamed("moodle")->read(readBytes(dataDir + "/sample.xml"), store::TableKind::User);
        const QList<formats::Problem> notes = formats::fitItems(read.items, store::TableKind::User, 3);
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.first().toString("sample.xml"), "sample.xml line 8: the user set keeps no pictures; switch.bmp left out");
        QVERIFY(read.items[0].pictures[0].isEmpty());
        QCOMPARE(read.items[0].section, 2);  // from the source
        QCOMPARE(read.items[3].section, 4);
    }

    // Pictures of kinds the exhibit windows cannot show, and bytes that fail the checks the
    // exhibit windows run before a decoder sees them, are left out of a bank with a note.
    void bankKeepsOnlyPicturesTheExhibitsShow()
    {
        formats::ReadResult read = formats::formatNamed("qti")->read(zipFolder(dataDir + "/qti"), store::TableKind::Bank);
        QStringList notes;
        for (const formats::Problem& p : formats::fitItems(read.items, store::TableKind::Bank, 1))
            notes << p.toString("sample.zip");
        QCOMPARE(notes, QStringList({"sample.zip: the picture switch.png is not a bmp, ico, wmf or emf file; left out",
                                     "sample.zip: the picture cable.png is not a bmp, ico, wmf or emf file; left out"}));
        QVERIFY(read.items[0].pictures[0].isEmpty() && read.items[0].pictures[1].isEmpty());

        std::vector<Item> items(2);
        items[0].pictures = {Picture{"fake.bmp", "#!/bin/sh\nrm -rf ~\n"}, Picture{"bomb.bmp", QByteArray(70, '\0')}};
        items[1].pictures = {Picture{"passwd.bmp", "/etc/passwd"}, Picture{"good.bmp", bitmap(4, 4, 'g')}};
        notes.clear();
        for (const formats::Problem& p : formats::fitItems(items, store::TableKind::Bank, 1))
            notes << p.toString("f");
        QCOMPARE(notes, QStringList({"f: the picture fake.bmp is not a valid bitmap; left out", "f: the picture bomb.bmp is not a valid bitmap; left out",
                                     "f: the picture passwd.bmp is not a valid bitmap; left out"}));
        QVERIFY(items[0].pictures[0].isEmpty() && items[0].pictures[1].isEmpty() && items[1].pictures[0].isEmpty());
        QCOMPARE(items[1].pictures[1].name, QStringLiteral("good.bmp"));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--import-and-wait-halfway")
        return importAndWaitHalfway(QString::fromLocal8Bit(argv[2]));
    TestFormatsImport test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_formats_import.moc"
