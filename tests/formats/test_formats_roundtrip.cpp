// The sample question bank goes out in every format and comes back: field by field, keys and
// exhibit pictures included, as far as the format carries them.

#include "ItemCompare.h"

#include "formats/Format.h"
#include "formats/Pictures.h"

#include <QTest>

using namespace formatstest;
using formats::Item;

namespace {

const QString sampleDir = QStringLiteral(SAMPLE_DIR);

// The sample bank with the bytes of its pictures.
std::vector<Item> sampleBank()
{
    const formats::ReadResult bank = formats::formatNamed("json")->read(readBytes(sampleDir + "/bank.json"), store::TableKind::Bank);
    std::vector<Item> items = bank.items;
    if (!formats::loadPictures(items, sampleDir + "/pictures").isEmpty())
        items.clear();
    return items;
}

}  // namespace

class TestFormatsRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void sampleBankComesBack_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<unsigned>("carried");
        QTest::addColumn<bool>("singleOnly");
        QTest::addColumn<bool>("compacts");  // answers move up over gaps
        const unsigned texts = Question | Answers;
        QTest::newRow("json") << "json" << unsigned(Everything & ~PictureData) << false << false;
        QTest::newRow("aiken") << "aiken" << texts << true << true;
        QTest::newRow("gift") << "gift" << (texts | Explanation | Section) << false << true;
        QTest::newRow("moodle") << "moodle" << (texts | Explanation | Section | PictureNames | PictureData) << false << true;
        QTest::newRow("qti") << "qti" << (texts | Explanation | Section | PictureNames | PictureData) << false << true;
    }
    void sampleBankComesBack()
    {
        QFETCH(QString, format);
        QFETCH(unsigned, carried);
        QFETCH(bool, singleOnly);
        QFETCH(bool, compacts);
        const std::vector<Item> bank = sampleBank();
        QVERIFY(bank.size() > 100);
        std::vector<Item> expected;
        for (const Item& item : bank)
            if (!singleOnly || !item.multiple)
                expected.push_back(compacts ? item.compacted() : item);
        QVERIFY(expected.size() < bank.size() || !singleOnly);

        const formats::Format* f = formats::formatNamed(format);
        const formats::WriteResult written = f->write(bank, store::TableKind::Bank);
        QCOMPARE(written.written, int(expected.size()));
        QCOMPARE(written.skipped, int(bank.size() - expected.size()));
        const formats::ReadResult read = f->read(written.data, store::TableKind::Bank);
        QVERIFY2(!read.malformed, qPrintable(read.problems.value(0).toString(format)));
        QVERIFY2(read.problems.isEmpty(), qPrintable(read.problems.value(0).toString(format)));
        const QString d = difference(read.items, expected, carried);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    // Texts that the formats must escape, code with its indentation and blank lines, and both
    // exhibits come back as they were, field by field, in every format that carries them.
    void awkwardItemsComeBack_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<unsigned>("carried");
        const unsigned texts = Question | Answers | Explanation | Section;
        QTest::newRow("gift") << "gift" << texts;
        QTest::newRow("moodle") << "moodle" << (texts | PictureNames | PictureData);
        QTest::newRow("qti") << "qti" << (texts | PictureNames | PictureData);
        QTest::newRow("json") << "json" << (texts | PictureNames);
    }
    void awkwardItemsComeBack()
    {
        QFETCH(QString, format);
        QFETCH(unsigned, carried);
        Item escapes = makeItem(3, true, "Braces {x}, a ~tilde, a = sign, # hash, a::b, back\\slash\nand <b>not bold</b> & &amp; &nbsp;",
                                {"%50% is not a weight", "-> not matching", "\"quoted\" 'single'", "\u00e9t\u00e9 \U0001F600"},
                                "ad", "Line one\nLine two\n\nafter a blank line");
        const formats::Format* f = formats::formatNamed(format);
        if (carried & PictureNames)
            escapes.pictures = {formats::Picture{"one.bmp", bitmap(3, 2, 'o')}, formats::Picture{"two.bmp", bitmap(2, 3, 't')}};
        const Item code = makeItem(1, false, "What does f(0) return?\n\ndef f(x):\n    if x:\n        return 1\n    return  2",
                                   {"1", "2\n  (two)", "None"}, "b", "The test is false:\n\n    return  2\nruns.");
        const formats::WriteResult written = f->write({escapes, code}, store::TableKind::Bank);
        QVERIFY2(written.problems.isEmpty(), qPrintable(written.problems.value(0).toString(format)));
        const formats::ReadResult read = f->read(written.data, store::TableKind::Bank);
        QVERIFY2(!read.malformed && read.problems.isEmpty(), qPrintable(read.problems.value(0).toString(format)));
        const QString d = difference(read.items, {escapes, code}, carried);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    // An export names each item that loses something the format cannot carry.
    void exportNamesWhatIsLost_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("aiken") << "aiken" << QStringList{
            "item Q_ID 7: Aiken cannot carry the explanation, blank lines and indentation, line breaks in answers, the exhibit one.bmp, the exhibit two.wmf; left out"};
        QTest::newRow("gift") << "gift" << QStringList{"item Q_ID 7: GIFT cannot carry the indentation of a first line, the exhibit one.bmp, the exhibit two.wmf; left out"};
        QTest::newRow("moodle") << "moodle" << QStringList{};
    }
    void exportNamesWhatIsLost()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, problems);
        Item item = makeItem(1, false, "  indented\n\nafter a blank line", {"one\ntwo", "three"}, "a", "Because.");
        item.id = 7;
        item.pictures = {formats::Picture{"one.bmp", bitmap(2, 2, 'o')}, formats::Picture{"two.wmf", {}}};
        const formats::WriteResult written = formats::formatNamed(format)->write({item}, store::TableKind::Bank);
        QStringList said;
        for (const formats::Problem& p : written.problems)
            said << p.toString("f").mid(3);
        QCOMPARE(said, problems);
        QCOMPARE(written.written, 1);
    }
};

QTEST_GUILESS_MAIN(TestFormatsRoundTrip)
#include "test_formats_roundtrip.moc"
