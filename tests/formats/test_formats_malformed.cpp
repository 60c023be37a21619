// A source that cannot be read as its format gives one problem naming the place of the fault,
// and no items at all; our JSON is strict where a lenient reader would guess. In the other
// formats a fault inside one question leaves out that question only.

#include "ItemCompare.h"

#include "formats/Format.h"
#include "formats/JsonParser.h"
#include "formats/Zip.h"

#include <QBuffer>
#include <QTest>

using namespace formatstest;

namespace {

QByteArray package(const QByteArray& manifest, const std::vector<std::pair<QString, QByteArray>>& more = {})
{
    std::vector<std::pair<QString, QByteArray>> files{{"imsmanifest.xml", manifest}};
    files.insert(files.end(), more.begin(), more.end());
    return formats::writeZip(files);
}

const QByteArray manifestOfOne = "<manifest xmlns=\"http://www.imsglobal.org/xsd/imscp_v1p1\"><resources>\n"
                                 "<resource identifier=\"a\" type=\"imsqti_item_xmlv2p1\" href=\"items/a.xml\"/></resources></manifest>";

}  // namespace

class TestFormatsMalformed : public QObject {
    Q_OBJECT

private slots:
    void malformedSourceGivesItsPlaceAndNoItems_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("problem");

        QTest::newRow("aiken not UTF-8") << "aiken" << QByteArray("Q\xE9?\nA. x\nANSWER: A\n")
            << "f line 1, column 2: the text is not UTF-8";

        QTest::newRow("moodle not well-formed") << "moodle" << QByteArray("<quiz>\n  <question type=\"multichoice\">\n  </quiz>\n")
            << "f line 3, column 9: Opening and ending tag mismatch.";
        QTest::newRow("moodle not a quiz") << "moodle" << QByteArray("<?xml version=\"1.0\"?>\n<questions/>\n")
            << "f line 2, column 1: the document must be a <quiz>, not <questions>";
        QTest::newRow("moodle Latin-1 without a declaration") << "moodle"
            << QByteArray("<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"multichoice\"><questiontext><text>Caf\xE9</text>")
            << "f line 3, column 53: the text is not UTF-8";
        QTest::newRow("moodle unknown encoding") << "moodle" << QByteArray("<?xml version=\"1.0\" encoding=\"x-nothing\"?>\n<quiz/>")
            << "f: the encoding x-nothing is not supported";
        QTest::newRow("qti not a zip") << "qti" << QByteArray("PK but not really") << "f: not a zip archive (Not a zip archive)";
        QTest::newRow("qti no manifest") << "qti" << formats::writeZip({{"item.xml", "<assessmentItem/>"}})
            << "f: the package has no imsmanifest.xml";
        QTest::newRow("qti manifest not well-formed") << "qti" << package("<manifest>\n<resources>\n</manifest>")
            << "f/imsmanifest.xml line 3, column 11: Opening and ending tag mismatch.";

        QTest::newRow("json trailing comma") << "json" << QByteArray("{\n  \"items\": [\n    { \"exam\": 1,, }\n  ]\n}")
            << "f line 3, column 17: a field name in double quotes expected";
        QTest::newRow("json duplicate field") << "json" << QByteArray("{\"items\": [\n {\"question\": \"a\", \"question\": \"b\"}]}")
            << "f line 2, column 20: the key \"question\" is given twice in one object";
        QTest::newRow("json control character") << "json" << QByteArray("{\"items\": [{\"question\": \"a\tb\"}]}")
            << "f line 1, column 27: a control character (code 9) stands raw in a text; write it as an escape such as \\n or \\t";
        QTest::newRow("json invalid escape") << "json" << QByteArray("{\"items\": [{\"question\": \"a\\qb\"}]}")
            << "f line 1, column 27: \"\\q\" is not an escape of JSON";
        QTest::newRow("json short unicode escape") << "json" << QByteArray("{\"items\": [{\"question\": \"\\u12\"}]}")
            << "f line 1, column 26: \\u must be followed by four hexadecimal digits";
        QTest::newRow("json key twice, once escaped") << "json" << QByteArray("{\"items\": [], \"it\\u0065ms\": []}")
            << "f line 1, column 15: the key \"items\" is given twice in one object";
        QTest::newRow("json lone surrogate") << "json" << QByteArray("{\"items\": [{\"question\": \"\\ud800x\"}]}")
            << "f line 1, column 26: \\ud800 must be followed by the second half of its surrogate pair";
        QTest::newRow("json text after the end") << "json" << QByteArray("{\"items\": []}\n{}")
            << "f line 2, column 1: unexpected text after the end of the document";
        QTest::newRow("json ends early") << "json" << QByteArray("{\"items\": [") << "f line 1, column 12: the document ends early; a value expected";
        QTest::newRow("json nested too deep") << "json" << QByteArray("{\"items\": ") + QByteArray(100, '[')
            << "f line 1, column 75: nested more than 64 levels deep";
        QTest::newRow("json id beyond 32 bits") << "json" << QByteArray("{\"items\": [{\"question\": \"q\", \"id\": 2147483648}]}")
            << "f line 1, column 36: item 1: \"id\" 2147483648 is outside 1..2147483647";
        QTest::newRow("json not UTF-8") << "json" << QByteArray("{\"items\": [{\"question\": \"\xC3\x28\"}]}")
            << "f line 1, column 26: the text is not UTF-8";
    }
    void malformedSourceGivesItsPlaceAndNoItems()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, source);
        QFETCH(QString, problem);
        const formats::ReadResult result = formats::formatNamed(format)->read(source, store::TableKind::User);
        QVERIFY(result.malformed);
        QVERIFY(result.items.empty());
        QCOMPARE(result.problems.size(), 1);
        QCOMPARE(result.problems.first().toString("f"), problem);
    }

    // Every value knows where it begins, counted in characters, on a long line as after a break.
    void jsonValuesKnowTheirPlace()
    {
        const QByteArray source = "{\"a\": 1, \"é\": [true, \"x\"],\n  \"c\": {\"d\": null}, \"e\": 2}";
        formats::Problem fault;
        const std::optional<formats::JsonValue> document = formats::parseJson(source, fault);
        QVERIFY(document);
        const auto placeOf = [](const formats::JsonValue* v) { return qMakePair(v->line, v->column); };
        QCOMPARE(placeOf(&*document), qMakePair(1, 1));
        QCOMPARE(placeOf(document->member("a")), qMakePair(1, 7));
        const formats::JsonValue* list = document->member("é");
        QCOMPARE(placeOf(list), qMakePair(1, 15));
        QCOMPARE(placeOf(&list->elements[0]), qMakePair(1, 16));
        QCOMPARE(placeOf(&list->elements[1]), qMakePair(1, 22));
        QCOMPARE(placeOf(document->member("c")), qMakePair(2, 8));
        QCOMPARE(placeOf(document->member("c")->member("d")), qMakePair(2, 14));
        QCOMPARE(placeOf(document->member("e")), qMakePair(2, 26));
    }

    // A question with a fault, or one that cannot be ours, is left out with its place and
    // reason; the good questions beside it are read.
    void faultyQuestionIsSkippedAlone_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("kept");
        const QByteArray goodAiken = "\nGood?\nA. p\nB. q\nANSWER: B\n";
        QTest::newRow("aiken key not a letter") << "aiken" << "Q?\nA. x\nB. y\nANSWER: 7\n" + goodAiken
            << "f line 4, column 9: \"7\" is not an answer letter; skipped" << 1;
        QTest::newRow("aiken answers out of order") << "aiken" << "Q?\nA. x\nC. y\nANSWER: A\n" + goodAiken
            << "f line 3, column 1: answer B expected, not C; skipped" << 1;
        QTest::newRow("aiken key names no answer") << "aiken" << "Q?\nA. x\nB. y\nANSWER: C\n" + goodAiken
            << "f line 4, column 1: the key C names no answer; skipped" << 1;
        QTest::newRow("aiken next question before ANSWER") << "aiken" << QByteArray("First?\nA. x\nB. y\n") + goodAiken
            << "f line 1: the question has no \"ANSWER:\" line; skipped" << 1;
        QTest::newRow("aiken no ANSWER at the end") << "aiken" << goodAiken + "\nQ?\nA. x\nB. y\n"
            << "f line 7: the question has no \"ANSWER:\" line; skipped" << 1;
        QTest::newRow("aiken answer before any question") << "aiken" << "A. x\n" + goodAiken
            << "f line 1, column 1: an answer without a question before it; skipped" << 1;

        const QByteArray goodGift = "\n\nGood? {=p ~q}\n";
        QTest::newRow("gift brace not closed") << "gift" << "Q1 {=a ~b" + goodGift
            << "f line 1, column 4: the answers opened here are not closed with \"}\"; skipped" << 1;
        QTest::newRow("gift stray closing brace") << "gift" << "// c\nQ1 =a}" + goodGift
            << "f line 2, column 6: \"}\" without its \"{\"; write a brace of the text as \\}; skipped" << 1;
        QTest::newRow("gift answer without a mark") << "gift" << "// c\nQ {\n  Paris\n}" + goodGift
            << "f line 3, column 3: an answer must begin with \"=\" (right) or \"~\" (wrong); skipped" << 1;
        QTest::newRow("gift bad weight") << "gift" << "Q {~%abc%x ~y}" + goodGift
            << "f line 1, column 5: a weight is written %50% (a number between percent signs); skipped" << 1;
        QTest::newRow("gift title not closed") << "gift" << "::Title Q {=a ~b}" + goodGift
            << "f line 1, column 1: the title is not closed with \"::\"; skipped" << 1;
        QTest::newRow("gift short answer") << "gift" << QByteArray("Capital of France? {=Paris =paris}") << "f line 1: short answer questions are not supported; skipped" << 0;
        QTest::newRow("gift essay") << "gift" << QByteArray("\n\nWrite about routing. {}") << "f line 3: essay questions are not supported; skipped" << 0;
        QTest::newRow("gift numerical") << "gift" << QByteArray("2 + 2? {#4}") << "f line 1: numerical questions are not supported; skipped" << 0;
        QTest::newRow("gift description") << "gift" << QByteArray("Just some text.") << "f line 1: descriptions without answers are not supported; skipped" << 0;
        QTest::newRow("gift no key") << "gift" << QByteArray("Q {~%0%a ~%-50%b}") << "f line 1: no correct answer; skipped" << 0;
        QTest::newRow("gift two keys in single") << "gift" << QByteArray("Q {=a =b ~c}") << "f line 1: a single-response question with 2 correct answers; skipped" << 0;
        QTest::newRow("gift seven answers") << "gift" << QByteArray("Q {=a ~b ~c ~d ~e ~f ~g}") << "f line 1: 7 answers; at most 6 are supported; skipped" << 0;

        const QByteArray goodMoodle = "<question type=\"multichoice\"><questiontext><text>Good?</text></questiontext>"
                                      "<answer fraction=\"100\"><text>p</text></answer><answer fraction=\"0\"><text>q</text></answer></question>";
        QTest::newRow("moodle fraction") << "moodle"
            << "<quiz><question type=\"multichoice\"><questiontext><text>Q</text></questiontext>\n"
               "  <answer fraction=\"most\"><text>a</text></answer></question>" + goodMoodle + "</quiz>"
            << "f line 2, column 3: the fraction \"most\" is not a number; skipped" << 1;
        QTest::newRow("moodle short answer") << "moodle" << "<quiz>\n<question type=\"shortanswer\"/>" + goodMoodle + "</quiz>"
            << "f line 2: short answer questions are not supported; skipped" << 1;
        QTest::newRow("moodle two keys in single") << "moodle"
            << QByteArray("<quiz><question type=\"multichoice\"><questiontext><text>Q</text></questiontext><single>true</single>"
                          "<answer fraction=\"100\"><text>a</text></answer><answer fraction=\"100\"><text>b</text></answer></question></quiz>")
            << "f line 1: a single-response question with 2 correct answers; skipped" << 0;
        QTest::newRow("moodle picture not base64") << "moodle"
            << QByteArray(goodMoodle).replace("</text></questiontext>", "</text>\n<file name=\"a.bmp\" encoding=\"base64\">@@@</file></questiontext>")
                   .prepend("<quiz>").append("</quiz>")
            << "f line 2, column 1: the picture a.bmp is not valid base64; left out" << 1;

        const QByteArray goodItem = "<assessmentItem><responseDeclaration identifier=\"R\"><correctResponse><value>A</value></correctResponse>"
                                    "</responseDeclaration><itemBody><p>Good?</p><choiceInteraction responseIdentifier=\"R\">"
                                    "<simpleChoice identifier=\"A\">p</simpleChoice><simpleChoice identifier=\"B\">q</simpleChoice>"
                                    "</choiceInteraction></itemBody></assessmentItem>";
        const QByteArray manifestOfTwo = "<manifest xmlns=\"http://www.imsglobal.org/xsd/imscp_v1p1\"><resources>\n"
                                         "<resource type=\"imsqti_item_xmlv2p1\" href=\"items/a.xml\"/>\n"
                                         "<resource type=\"imsqti_item_xmlv2p1\" href=\"items/good.xml\"/></resources></manifest>";
        const auto qti = [&](const QByteArray& itemA) {
            std::vector<std::pair<QString, QByteArray>> files{{"items/good.xml", goodItem}};
            if (!itemA.isEmpty())
                files.emplace_back("items/a.xml", itemA);
            return package(manifestOfTwo, files);
        };
        QTest::newRow("qti item missing") << "qti" << qti({})
            << "f/items/a.xml: the package lacks items/a.xml, which its manifest names; skipped" << 1;
        QTest::newRow("qti item not well-formed") << "qti" << qti("<assessmentItem>\n<itemBody>\n</assessmentItem>")
            << "f/items/a.xml line 3, column 17: Opening and ending tag mismatch.; skipped" << 1;
        QTest::newRow("qti resource outside the package") << "qti"
            << package("<manifest><resources>\n  <resource type=\"imsqti_item_xmlv2p1\" href=\"../../etc/x.xml\"/></resources></manifest>")
            << "f/imsmanifest.xml line 2: the item ../../etc/x.xml lies outside the package; skipped" << 0;
        QTest::newRow("qti picture outside the package") << "qti" << qti(QByteArray(goodItem).replace("<p>Good?</p>", "<p>Good?<img src=\"../../x.bmp\"/></p>"))
            << "f/items/a.xml line 1, column 144: the picture ../../x.bmp lies outside the package; left out" << 2;
        QTest::newRow("qti two interactions") << "qti" << qti("<assessmentItem><itemBody><choiceInteraction/><textEntryInteraction/></itemBody></assessmentItem>")
            << "f/items/a.xml: items with 2 interactions are not supported; skipped" << 1;
        QTest::newRow("qti text entry") << "qti" << qti("<assessmentItem><itemBody><p>Q <textEntryInteraction/></p></itemBody></assessmentItem>")
            << "f/items/a.xml: text entry questions are not supported; skipped" << 1;
        QTest::newRow("qti key names no choice") << "qti"
            << qti("<assessmentItem><responseDeclaration identifier=\"R\"><correctResponse><value>Z</value>"
                   "</correctResponse></responseDeclaration><itemBody><p>Q</p><choiceInteraction responseIdentifier=\"R\">"
                   "<simpleChoice identifier=\"A\">a</simpleChoice></choiceInteraction></itemBody></assessmentItem>")
            << "f/items/a.xml: the correct response Z names no choice; skipped" << 1;
    }
    void faultyQuestionIsSkippedAlone()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, source);
        QFETCH(QString, problem);
        QFETCH(int, kept);
        const formats::ReadResult result = formats::formatNamed(format)->read(source, store::TableKind::User);
        QVERIFY(!result.malformed);
        QCOMPARE(result.problems.size(), 1);
        QCOMPARE(result.problems.first().toString("f"), problem);
        QCOMPARE(int(result.items.size()), kept);
        for (const formats::Item& item : result.items)
            QCOMPARE(item.question, QStringLiteral("Good?"));
    }

    // A large XML source is read in pieces: the places of faults far into it stay exact, with
    // any line ends, on one long line, and with characters cut by the end of a piece.
    void placesHoldFarIntoALargeSource_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("line feeds") << QByteArray("\n");
        QTest::newRow("carriage returns and line feeds") << QByteArray("\r\n");
        QTest::newRow("carriage returns") << QByteArray("\r");
        QTest::newRow("one line") << QByteArray();
    }
    void placesHoldFarIntoALargeSource()
    {
        QFETCH(QByteArray, lineEnd);
        // Texts of two- and three-byte characters, so that pieces end inside characters.
        QByteArray xml = "<quiz>" + lineEnd;
        constexpr int Questions = 6000;
        for (int q = 0; q < Questions; ++q)
            xml += "<question type=\"multichoice\">" + lineEnd + "  <questiontext><text>¿Qué cable lleva la señal " + QByteArray::number(q)
                   + " € ?</text></questiontext>" + lineEnd + "  <answer fraction=\"100\"><text>fibra</text></answer>" + lineEnd
                   + "  <answer fraction=\"0\"><text>cobre</text></answer>" + lineEnd + "</question>" + lineEnd;
        xml += "<question type=\"multichoice\">" + lineEnd + "<answer fraction=\"many\"><text>x</text></answer></question>" + lineEnd;
        const qsizetype faultyAnswer = xml.lastIndexOf("<answer");
        xml += "</quiz>" + lineEnd;
        // The place of an offset as a reader of the text counts it: lines of any line end, and
        // columns in characters.
        const auto placeOf = [](const QByteArray& text, qsizetype offset) {
            QString before = QString::fromUtf8(text.left(offset));
            before.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
            const QStringList lines = before.split(QLatin1Char('\n'));
            return QStringLiteral("line %1, column %2").arg(lines.size()).arg(lines.last().size() + 1);
        };

        // Every question, and the faulty one skipped with the place of its answer.
        QBuffer device(&xml);
        QVERIFY(device.open(QIODevice::ReadOnly));
        int taken = 0;
        const formats::ReadResult result = formats::formatNamed("moodle")->readStream(device, store::TableKind::User, [&](formats::Item& item) {
            if (taken++ == Questions - 1)
                QCOMPARE(item.question, QStringLiteral("¿Qué cable lleva la señal %1 € ?").arg(Questions - 1));
        });
        QCOMPARE(taken, Questions);
        QVERIFY(result.items.empty());
        QCOMPARE(result.problems.size(), 1);
        QCOMPARE(result.problems.first().toString("f"), QStringLiteral("f %1: the fraction \"many\" is not a number; skipped").arg(placeOf(xml, faultyAnswer)));

        // A byte that is not UTF-8 at the end makes it all malformed, at the byte's place.
        QByteArray notUtf8 = xml;
        const qsizetype badByte = notUtf8.lastIndexOf("</quiz>");
        notUtf8.insert(badByte, "\xFF");
        const formats::ReadResult malformed = formats::formatNamed("moodle")->read(notUtf8, store::TableKind::User);
        QVERIFY(malformed.malformed);
        QCOMPARE(malformed.problems.first().toString("f"), QStringLiteral("f %1: the text is not UTF-8").arg(placeOf(notUtf8, badByte)));
    }

    // The variants of Aiken that others write: no space after "A)", lower-case key letters.
    void aikenVariantsAreRead()
    {
        const formats::ReadResult result = formats::formatNamed("aiken")->read("Which?\nA)one\nB) two\nanswer: b\n", store::TableKind::User);
        QVERIFY(result.problems.isEmpty());
        QCOMPARE(int(result.items.size()), 1);
        QCOMPARE(result.items[0].answers[0], QStringLiteral("one"));
        QCOMPARE(result.items[0].keyLetters(), QStringLiteral("b"));
    }

    // An XML file is read in the encoding its declaration names.
    void declaredEncodingIsRead()
    {
        const QByteArray source = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<quiz><question type=\"multichoice\">"
                                  "<questiontext><text>Caf\xE9?</text></questiontext><answer fraction=\"100\"><text>s\xED</text></answer>"
                                  "<answer fraction=\"0\"><text>no</text></answer></question></quiz>";
        const formats::ReadResult result = formats::formatNamed("moodle")->read(source, store::TableKind::User);
        QVERIFY(!result.malformed);
        QCOMPARE(int(result.items.size()), 1);
        QCOMPARE(result.items[0].question, QStringLiteral("Café?"));
        QCOMPARE(result.items[0].answers[0], QStringLiteral("sí"));
    }
};

QTEST_GUILESS_MAIN(TestFormatsMalformed)
#include "test_formats_malformed.moc"
