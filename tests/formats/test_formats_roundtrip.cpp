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

    // Texts that the formats must escape come back as they were.
    void awkwardTextsComeBack_data()
    {
        QTest::addColumn<QString>("format");
        for (const char* f : {"gift", "moodle", "qti", "json"})
            QTest::newRow(f) << f;
    }
    void awkwardTextsComeBack()
    {
        QFETCH(QString, format);
        Item item = makeItem(3, true, "Braces {x}, a ~tilde, a = sign, # hash, a::b, back\\slash\nand <b>not bold</b> & &amp;",
                             {"%50% is not a weight", "-> not matching", "\"quoted\" 'single'", "\u00e9t\u00e9 \U0001F600"},
                             "ad", "Line one\nLine two\n\nafter a blank line");
        const formats::Format* f = formats::formatNamed(format);
        const formats::ReadResult read = f->read(f->write({item}, store::TableKind::User).data, store::TableKind::User);
        QVERIFY2(!read.malformed && read.problems.isEmpty(), qPrintable(read.problems.value(0).toString(format)));
        const QString d = difference(read.items, {item}, Question | Answers | Explanation | Section);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }
};

QTEST_GUILESS_MAIN(TestFormatsRoundTrip)
#include "test_formats_roundtrip.moc"
