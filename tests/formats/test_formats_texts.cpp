// How the readers take the texts of others' questions apart: what belongs to the question,
// the answers and the explanation, and what must stay out of them because it gives the key away.

#include "ItemCompare.h"

#include "formats/Format.h"
#include "formats/Zip.h"

#include <QTest>

using namespace formatstest;
using formats::Item;

namespace {

// A package of one QTI item: `body` inside <itemBody> after the prompt, `after` after it
// (response processing, modal feedback). Choice A is the key.
QByteArray qtiItem(const QByteArray& choices, const QByteArray& body, const QByteArray& after)
{
    const QByteArray item = "<assessmentItem xmlns=\"http://www.imsglobal.org/xsd/imsqti_v2p2\">"
                            "<responseDeclaration identifier=\"RESPONSE\"><correctResponse><value>A</value></correctResponse></responseDeclaration>"
                            "<itemBody><p>Which?</p>" + body + "<choiceInteraction responseIdentifier=\"RESPONSE\" maxChoices=\"1\">" + choices +
                            "</choiceInteraction></itemBody>" + after + "</assessmentItem>";
    return formats::writeZip({{"imsmanifest.xml", "<manifest><resources><resource type=\"imsqti_item_xmlv2p2\" href=\"i.xml\"/></resources></manifest>"},
                              {"i.xml", item}});
}

const QByteArray twoChoices = "<simpleChoice identifier=\"A\">right</simpleChoice><simpleChoice identifier=\"B\">wrong</simpleChoice>";

QByteArray modal(const char* identifier, const char* showHide, const char* text)
{
    return QByteArray("<modalFeedback outcomeIdentifier=\"FEEDBACK\" identifier=\"") + identifier + "\" showHide=\"" + showHide + "\">" + text + "</modalFeedback>";
}

// Response processing that sets FEEDBACK to `right` when the response is correct, else `wrong`.
QByteArray processing(const char* right, const char* wrong)
{
    return QByteArray("<responseProcessing><responseCondition><responseIf><match><variable identifier=\"RESPONSE\"/><correct identifier=\"RESPONSE\"/></match>"
                      "<setOutcomeValue identifier=\"FEEDBACK\"><baseValue baseType=\"identifier\">") + right + "</baseValue></setOutcomeValue></responseIf>"
                      "<responseElse><setOutcomeValue identifier=\"FEEDBACK\"><baseValue baseType=\"identifier\">" + wrong + "</baseValue></setOutcomeValue>"
                      "</responseElse></responseCondition></responseProcessing>";
}

}  // namespace

Q_DECLARE_METATYPE(formats::Item)

class TestFormatsTexts : public QObject {
    Q_OBJECT

private slots:
    void textsAreTakenApart_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<Item>("expected");
        const Item plain = makeItem(0, false, "Which?", {"right", "wrong"}, "a");
        const auto explained = [&](const QString& explanation) { return makeItem(0, false, "Which?", {"right", "wrong"}, "a", explanation); };

        QTest::newRow("qti inline feedback in choices") << "qti"
            << qtiItem("<simpleChoice identifier=\"A\">right <feedbackInline outcomeIdentifier=\"FEEDBACK\" identifier=\"A\" showHide=\"show\">Yes.</feedbackInline></simpleChoice>"
                       "<simpleChoice identifier=\"B\">wrong <feedbackInline outcomeIdentifier=\"FEEDBACK\" identifier=\"B\" showHide=\"show\">No.</feedbackInline></simpleChoice>", {}, {})
            << plain;
        QTest::newRow("qti feedback block in the body") << "qti"
            << qtiItem(twoChoices, "<feedbackBlock outcomeIdentifier=\"FEEDBACK\" identifier=\"B\" showHide=\"show\"><p>You already tried that option!</p></feedbackBlock>", {})
            << plain;
        QTest::newRow("qti MathML once") << "qti"
            << qtiItem(twoChoices, "<p>Length: <math xmlns=\"http://www.w3.org/1998/Math/MathML\"><semantics><mrow><mn>5</mn><mi>m</mi></mrow>"
                                   "<annotation encoding=\"LaTeX\">5\\,m</annotation></semantics></math></p>", {})
            << makeItem(0, false, "Which?\nLength: 5m", {"right", "wrong"}, "a");
        QTest::newRow("qti feedback of the correct response") << "qti"
            << qtiItem(twoChoices, {}, processing("correct", "incorrect") + modal("correct", "show", "Right, because.") + modal("incorrect", "show", "Wrong."))
            << explained("Right, because.");
        QTest::newRow("qti feedback named by the correct choice") << "qti"
            << qtiItem(twoChoices, {}, modal("B", "show", "B is wrong.") + modal("A", "show", "A it is."))
            << explained("A it is.");
        QTest::newRow("qti general feedback when none is for the correct response") << "qti"
            << qtiItem(twoChoices, {}, processing("correct", "incorrect") + modal("incorrect", "show", "Wrong.") + modal("GENERAL", "hide", "Read chapter 2."))
            << explained("Read chapter 2.");
        QTest::newRow("qti feedback hidden on the correct response is a wrong one") << "qti"
            << qtiItem(twoChoices, {}, processing("correct", "incorrect") + modal("correct", "hide", "No, it is A."))
            << plain;

        QTest::newRow("gift markers on answers") << "gift" << QByteArray("Which? {=[plain]right ~[moodle]wrong}") << plain;
        QTest::newRow("gift html answer") << "gift" << QByteArray("[html]<p>Which?</p> {=[html]<b>bold</b> right ~wrong}")
            << makeItem(0, false, "Which?", {"bold right", "wrong"}, "a");
        QTest::newRow("gift marker of the feedback") << "gift" << QByteArray("Which? {=right ~wrong ####[html]<i>Because</i> so.}")
            << explained("Because so.");
    }
    void textsAreTakenApart()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, source);
        QFETCH(Item, expected);
        const formats::ReadResult read = formats::formatNamed(format)->read(source, store::TableKind::Bank);
        QVERIFY2(read.problems.isEmpty(), qPrintable(read.problems.value(0).toString("f")));
        const QString d = difference(read.items, {expected}, Question | Answers | Explanation);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }
};

QTEST_GUILESS_MAIN(TestFormatsTexts)
#include "test_formats_texts.moc"
