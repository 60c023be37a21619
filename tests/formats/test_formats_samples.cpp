// Each hand-written sample reads to the items it holds, and skips what cannot be ours with a
// problem line naming its place.

#include "ItemCompare.h"

#include "formats/Format.h"

#include <QTest>

using namespace formatstest;
using formats::Item;
using Items = std::vector<Item>;
Q_DECLARE_METATYPE(Items)

namespace {

const QString dataDir = QStringLiteral(SAMPLE_DATA_DIR);
const QByteArray switchPng = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAgAAAAGAQMAAADEy024AAAABlBMVEUzZsz/zADUt7MwAAAADklEQVQI12NgYLCBQgYABawA8UkjcVEAAAAASUVORK5CYII=");

const QByteArray switchBmp = QByteArray::fromBase64(
    "Qk3GAAAAAAAAADYAAAAoAAAACAAAAAYAAAABABgAAAAAAJAAAAATCwAAEwsAAAAAAAAAAAAAzGYzzGYzzGYzzGYzzGYzzGYzzGYzzGYzzGYzzGYzAMz/AMz/AMz/AMz/zGYzzGYzzGYzzGYzAMz/AMz/AMz/AMz/zGYzzGYzzGYzzGYzAMz/AMz/AMz/AMz/zGYzzGYzzGYzzGYzAMz/AMz/AMz/AMz/zGYzzGYzzGYzzGYzzGYzzGYzzGYzzGYzzGYzzGYz");

const QString switching = QStringLiteral("Which device forwards frames by their destination MAC address?");
const QString switchWhy = QStringLiteral("A switch learns the MAC addresses seen on each port.");
const QStringList devices = {"Hub", "Switch", "Router", "Repeater"};
const QString ranges = QStringLiteral("Which two ranges are private? (Choose two.)");
const QStringList rangeAnswers = {"10.0.0.0/8", "172.32.0.0/16", "192.168.0.0/16", "224.0.0.0/4"};
const QString rangesWhy = QStringLiteral("RFC 1918 sets aside 10/8, 172.16/12 and 192.168/16.");
const QString ipv6 = QStringLiteral("Which address is 2001:db8::1 written in full?\nPick one.");
const QStringList ipv6Answers = {"2001:0db8:0000:0000:0000:0000:0000:0001", "2001:db8:1::", "2001:0db8::0001:0000"};
const QString ipv6Why = QStringLiteral("Leading zeros may go; :: stands for {one} run of zero groups = 0000 # once only ~ never twice.");
const QString entities = QStringLiteral("Is <b> a tag & is \"\u2192\" an arrow?\nPick one.");

}  // namespace

class TestFormatsSamples : public QObject {
    Q_OBJECT

private slots:
    void sampleReadsToItsItems_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<Items>("expected");
        QTest::addColumn<QStringList>("problems");
        QTest::addColumn<unsigned>("carried");

        Item switchWithPictures = makeItem(2, false, switching, devices, "b", switchWhy);
        switchWithPictures.pictures[0] = {"switch.bmp", switchBmp};

        QTest::newRow("aiken") << "aiken" << readBytes(dataDir + "/sample.txt")
            << Items{makeItem(0, false, switching, devices, "b"),
                     makeItem(0, false, "A host cannot reach 10.1.2.3.\nWhich command shows the path its packets take?",
                              {"ping", "traceroute", "ipconfig"}, "b")}
            << QStringList{"sample.txt line 15: 7 answers; at most 6 are supported; skipped",
                           "sample.txt line 25: a single-response question with 2 correct answers; skipped"}
            << unsigned(Everything);

        QTest::newRow("gift") << "gift" << readBytes(dataDir + "/sample.gift")
            << Items{makeItem(2, false, switching, {"Switch", "Hub", "Router", "Repeater"}, "a", switchWhy),
                     makeItem(2, true, ranges, rangeAnswers, "ac", rangesWhy),
                     makeItem(4, false, ipv6, ipv6Answers, "a", ipv6Why),
                     makeItem(0, false, "Is ping an ICMP tool?", {"True", "False"}, "a",
                              "Echo request and echo reply are ICMP messages.")}
            << QStringList{"sample.gift line 33: matching questions are not supported; skipped"}
            << unsigned(Everything);

        QTest::newRow("moodle") << "moodle" << readBytes(dataDir + "/sample.xml")
            << Items{switchWithPictures, makeItem(2, true, ranges, rangeAnswers, "ac", rangesWhy),
                     makeItem(4, false, entities, {"Yes & yes", "No"}, "a", "Both <b> and \u2192 are written with entities."),
                     makeItem(4, false, "Ping uses ICMP.", {"True", "False"}, "a")}
            << QStringList{"sample.xml line 62: matching questions are not supported; skipped"}
            << unsigned(Everything);

        Item switchInPackage = makeItem(2, false, switching, devices, "b", switchWhy);
        switchInPackage.pictures[0] = {"switch.png", switchPng};
        switchInPackage.pictures[1] = {"cable.png", readBytes(dataDir + "/qti/images/cable.png")};
        QTest::newRow("qti") << "qti" << zipFolder(dataDir + "/qti")
            << Items{switchInPackage, makeItem(2, true, ranges, rangeAnswers, "ac", rangesWhy),
                     makeItem(0, false, entities, {"Yes & yes", "No"}, "a", "Both <b> and \u2192 are characters.")}
            << QStringList{"sample.zip/items/order.xml: order questions are not supported; skipped"}
            << unsigned(Everything);

        Item escapes = makeItem(4, false, ipv6, ipv6Answers, "a", ipv6Why);
        escapes.memo = QStringLiteral("Escapes: \"quotes\", a back\\slash, a tab\tand \u00e9t\u00e9 \U0001F600.");
        QTest::newRow("json") << "json" << readBytes(dataDir + "/sample.json")
            << Items{makeItem(2, false, switching, devices, "b", switchWhy), makeItem(2, true, ranges, rangeAnswers, "ac", rangesWhy),
                     escapes}
            << QStringList{} << unsigned(Everything);
    }
    void sampleReadsToItsItems()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, source);
        QFETCH(Items, expected);
        QFETCH(QStringList, problems);
        QFETCH(unsigned, carried);
        QVERIFY(!source.isEmpty());
        const formats::Format* f = formats::formatNamed(format);
        QVERIFY(f);
        const formats::ReadResult result = f->read(source, store::TableKind::User);
        QStringList lines;
        for (const formats::Problem& p : result.problems)
            lines << p.toString("sample." + f->extensions().first());
        QCOMPARE(lines, problems);
        QVERIFY(!result.malformed);
        QCOMPARE(result.skipped, int(problems.size()));
        const QString d = difference(result.items, expected, carried);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    void formatIsTakenFromTheExtension_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("format");
        QTest::newRow("aiken") << "q.txt" << "aiken";
        QTest::newRow("gift") << "dir/q.GIFT" << "gift";
        QTest::newRow("moodle") << "q.xml" << "moodle";
        QTest::newRow("qti") << "q.zip" << "qti";
        QTest::newRow("json") << "q.json" << "json";
        QTest::newRow("unknown") << "q.doc" << "";
    }
    void formatIsTakenFromTheExtension()
    {
        QFETCH(QString, file);
        QFETCH(QString, format);
        const formats::Format* f = formats::formatForFile(file);
        QCOMPARE(f ? f->name() : QString(), format);
    }
};

QTEST_GUILESS_MAIN(TestFormatsSamples)
#include "test_formats_samples.moc"
