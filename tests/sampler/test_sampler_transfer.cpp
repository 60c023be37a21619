// Import and export of question files in the test sampler: the report shown before anything is
// written, the section chosen for items that name none, cancels and bad sources that leave the
// user set as it was, and a set that goes out in every format and comes back.

#include "ItemCompare.h"
#include "SamplerFixture.h"
#include "formats/ItemTable.h"
#include "support/ScriptedPrompts.h"
#include "widgets/DBItemTree.h"
#include "widgets/OutlinedLabel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

using platform::PromptKind;
using samplerfixture::Sampler;
using samplerfixture::currentNode;
using samplerfixture::treeLabels;
using samplerfixture::userItem;

namespace {

const QString sampleGift = QStringLiteral(SAMPLE_DATA_DIR "/sample.gift");

// A file in the current (temporary) folder.
QString here(const QString& name)
{
    return QDir::current().filePath(name);
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every item of the user set as the formats see it.
std::vector<formats::Item> userSetItems()
{
    store::StandaloneTable file(store::UserSetFileName);
    file.table.open();
    return formats::readTableItems(file.table);
}

const std::vector<testsupport::Item> twoItems = {
    userItem("Which port does HTTPS use by default?", 2, false, {"80", "443", "22"}, "b"),
    userItem("Which three are routing protocols?", 3, true, {"OSPF", "HTTP", "BGP", "SMTP", "RIP"}, "ace"),
};

}  // namespace

class TestSamplerTransfer : public QObject {
    Q_OBJECT
private slots:
    void theGiftSampleIsReportedThenAdded();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void badSourcesWriteNothing_data();
    void badSourcesWriteNothing();
    void exportThenImportComesBack_data();
    void exportThenImportComesBack();
    void itemsSavedAtTheEdgesComeBackFromEveryFormat_data();
    void itemsSavedAtTheEdgesComeBackFromEveryFormat();
    void exportFailuresAreReported_data();
    void exportFailuresAreReported();
    void importAndExportWaitForTheItemBeingWritten();
    void anEditBegunByTypingIsKeptAsAMoveKeepsIt();
};

void TestSamplerTransfer::theGiftSampleIsReportedThenAdded()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s({userItem("Existing one", 1), userItem("Existing two", 4)});
    TSamplerForm& f = s.form();
    prompts.answerFile(sampleGift);
    prompts.answerChoice(2);  // Implementation, for the item without a category
    f.Importquestions1->trigger();

    QCOMPARE(prompts.fileCaptions(), QStringList{"Import questions"});
    QVERIFY2(prompts.fileFilters().value(0).startsWith("Question files (*.gift *.txt *.xml *.zip *.json);;GIFT (*.gift);;"),
             qPrintable(prompts.fileFilters().value(0)));
    QCOMPARE(prompts.choiceRequests().size(), 1);
    const platform::ChoiceRequest& report = prompts.choiceRequests()[0];
    QCOMPARE(report.caption, QStringLiteral("Import questions"));
    QCOMPARE(report.text, QStringLiteral("4 items from sample.gift will be added to the user set.\r"
                                         "1 question is skipped, for the reasons below."));
    QCOMPARE(report.details, QStringList{"sample.gift line 33: matching questions are not supported; skipped"});
    QCOMPARE(report.choiceLabel, QStringLiteral("Section for the 1 item without one:"));
    QCOMPARE(report.choices, store::SectionNames);
    QVERIFY(prompts.requests().isEmpty());
    QCOMPARE(prompts.unexpected(), 0);

    // The items follow the two there were; the categories gave the sections of three of them.
    const std::vector<samplerfixture::Stored> set = samplerfixture::readUserSet();
    QCOMPARE(int(set.size()), 6);
    QStringList added;
    for (size_t i = 2; i < set.size(); ++i)
        added.append(QStringLiteral("%1 s%2 %3 %4").arg(set[i].id).arg(set[i].section)
                         .arg(set[i].multiple ? "multiple" : "single", set[i].key));
    QCOMPARE(added, (QStringList{"3 s2 single a", "4 s2 multiple ac", "5 s4 single a", "6 s3 single a"}));
    QCOMPARE(set[2].question, QStringLiteral("Which device forwards frames by their destination MAC address?"));
    QCOMPARE(set[2].explanation, QStringLiteral("A switch learns the MAC addresses seen on each port."));
    QCOMPARE(set[5].question, QStringLiteral("Is ping an ICMP tool?"));

    // The view shows them, standing on the first one added.
    QCOMPARE(treeLabels(f), (QStringList{"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(currentNode(f), QStringLiteral("3"));
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 3"));
    QCOMPARE(f.DBMemo1->toPlainText(), set[2].question);
    QCOMPARE(f.StatusPanel(TSamplerForm::CountPanel)->text(), QStringLiteral(" Items: 6"));
    QCOMPARE(f.StatusPanel(TSamplerForm::ModificationPanel)->text(), QStringLiteral(" Imported"));
    QVERIFY(f.EditAct->isEnabled() && f.DelAct->isEnabled());
}

void TestSamplerTransfer::cancelWritesNothing_data()
{
    QTest::addColumn<bool>("cancelTheFile");
    QTest::newRow("file dialog") << true;
    QTest::newRow("report") << false;
}

void TestSamplerTransfer::cancelWritesNothing()
{
    QFETCH(bool, cancelTheFile);
    testsupport::ScriptedPrompts prompts;
    Sampler s({userItem("Existing one", 1), userItem("Existing two", 4)});
    TSamplerForm& f = s.form();
    s.table().last();
    const QByteArray before = testsupport::fileBytes(store::UserSetFileName);
    if (cancelTheFile) {
        prompts.answerFile(QString());
    } else {
        prompts.answerFile(sampleGift);
        prompts.cancelChoice();
    }
    f.Importquestions1->trigger();

    QCOMPARE(prompts.unexpected(), 0);
    QCOMPARE(prompts.choiceRequests().size(), cancelTheFile ? 0 : 1);
    QVERIFY(testsupport::fileBytes(store::UserSetFileName) == before);
    QCOMPARE(treeLabels(f), (QStringList{"1", "2"}));
    QCOMPARE(currentNode(f), QStringLiteral("2"));
    QCOMPARE(f.StatusPanel(TSamplerForm::ModificationPanel)->text(), QString());
}

void TestSamplerTransfer::badSourcesWriteNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");  // null: the file does not exist
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");  // the box's text begins so
    const int error = int(PromptKind::Error);
    QTest::newRow("GIFT not UTF-8") << "bad.gift" << QByteArray("Q1 {=a ~b}\n\nQ\xE9 {=c ~d}\n") << error
        << "bad.gift line 3, column 2: the text is not UTF-8\rNothing was imported.";
    QTest::newRow("malformed Moodle XML") << "bad.xml" << QByteArray("<quiz>\n  <question type=\"multichoice\">\n  </quiz>\n")
        << error << "bad.xml line 3, column 9: Opening and ending tag mismatch.";
    QTest::newRow("unknown extension") << "notes.doc" << QByteArray("Q {=a ~b}") << error
        << "Cannot tell the question format of notes.doc from its extension: use .gift, .txt, .xml, .zip, .json.";
    QTest::newRow("missing file") << "gone.gift" << QByteArray() << error << "Cannot read ";
    QTest::newRow("no question of ours") << "only.gift" << QByteArray("Capital of France? {=Paris =paris}")
        << int(PromptKind::Information)
        << "only.gift holds no questions that can be added to the user set.\r"
           "only.gift line 1: short answer questions are not supported; skipped";
}

void TestSamplerTransfer::badSourcesWriteNothing()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(int, kind);
    QFETCH(QString, message);
    testsupport::ScriptedPrompts prompts;
    Sampler s({userItem("Existing one", 1)});
    if (!content.isNull())
        writeFile(file, content);
    const QByteArray before = testsupport::fileBytes(store::UserSetFileName);
    prompts.answerFile(here(file));
    prompts.answer(platform::PromptButton::Ok);
    s.form().Importquestions1->trigger();

    QCOMPARE(prompts.unexpected(), 0);
    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& box = prompts.requests()[0];
    QCOMPARE(int(box.kind), kind);
    QVERIFY2(box.text.startsWith(message), qPrintable(box.text));
    QVERIFY2(box.text.contains(file), qPrintable(box.text));
    QVERIFY(prompts.choiceRequests().isEmpty());
    QVERIFY(testsupport::fileBytes(store::UserSetFileName) == before);
    QCOMPARE(treeLabels(s.form()), QStringList{"1"});
}

void TestSamplerTransfer::exportThenImportComesBack_data()
{
    using namespace formatstest;
    QTest::addColumn<QString>("file");
    QTest::addColumn<unsigned>("carried");
    QTest::addColumn<bool>("singleOnly");
    const unsigned all = Question | Answers | Explanation | Section;
    QTest::newRow("GIFT") << "out.gift" << all << false;
    QTest::newRow("Moodle XML") << "out.xml" << all << false;
    QTest::newRow("QTI") << "out.zip" << all << false;
    QTest::newRow("JSON") << "out.json" << all << false;
    // Aiken carries no section: the one chosen in the report, that of the single-response item.
    QTest::newRow("Aiken") << "out.txt" << unsigned(Question | Answers | Section) << true;
}

void TestSamplerTransfer::exportThenImportComesBack()
{
    QFETCH(QString, file);
    QFETCH(unsigned, carried);
    QFETCH(bool, singleOnly);
    testsupport::ScriptedPrompts prompts;
    Sampler s(twoItems);
    TSamplerForm& f = s.form();
    std::vector<formats::Item> expected = userSetItems();
    if (singleOnly)
        expected.pop_back();

    prompts.answerSaveFile(here(file));
    prompts.answer(platform::PromptButton::Ok);
    f.Exportquestions1->trigger();
    QCOMPARE(prompts.fileFilters().value(0),
             QStringLiteral("GIFT (*.gift);;Aiken (*.txt);;Moodle XML (*.xml);;QTI 2.1 package (*.zip);;JSON (*.json)"));
    QCOMPARE(prompts.requests().size(), 1);
    const QString said = prompts.requests()[0].text;
    if (singleOnly)
        QVERIFY2(said.startsWith("1 item written to out.txt.\r") && said.contains("\rout.txt: item Q_ID 2: multiple-response questions cannot be written as Aiken; skipped"),
                 qPrintable(said));
    else
        QCOMPARE(said, QStringLiteral("2 items written to %1.").arg(file));

    prompts.answerFile(here(file));
    prompts.answerChoice(1);  // Planning
    f.Importquestions1->trigger();
    QCOMPARE(prompts.unexpected(), 0);
    QCOMPARE(prompts.choiceRequests().size(), 1);
    QCOMPARE(prompts.choiceRequests()[0].choices.isEmpty(), !singleOnly);

    std::vector<formats::Item> set = userSetItems();
    QCOMPARE(set.size(), 2 + expected.size());
    const std::vector<formats::Item> back(set.begin() + 2, set.end());
    const QString d = formatstest::difference(back, expected, carried);
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

void TestSamplerTransfer::itemsSavedAtTheEdgesComeBackFromEveryFormat_data()
{
    exportThenImportComesBack_data();
}

// Items at the edges of what Save accepts, written through the window, go out in a format,
// the set is emptied, and they come back as they were (answers moved up over a gap, as the
// formats write them).
void TestSamplerTransfer::itemsSavedAtTheEdgesComeBackFromEveryFormat()
{
    QFETCH(QString, file);
    QFETCH(unsigned, carried);
    QFETCH(bool, singleOnly);
    struct Edge {
        bool multiple;
        int section;
        QStringList answers;
        QString key;
    };
    const std::vector<Edge> edges = {
        {false, 1, {"Two answers", "The fewest"}, "b"},
        {false, 2, {"a", "b", "c", "d", "e", "Six, the key last"}, "f"},
        {false, 3, {"First", "", "Third after a gap"}, "c"},
        {true, 4, {"One key", "of three", "in a multiple"}, "b"},
        {true, 1, {"All", "six", "are", "keys", "of", "this"}, "abcdef"},
    };
    testsupport::ScriptedPrompts prompts;
    Sampler s({});
    TSamplerForm& f = s.form();
    for (const Edge& e : edges) {
        f.AddAct->trigger();
        samplerfixture::typeQuestion(f, QStringLiteral("Edge with %1 answers, key %2").arg(e.answers.size()).arg(e.key));
        samplerfixture::chooseType(f, e.multiple);
        samplerfixture::clickSection(f, e.section);
        samplerfixture::typeAnswers(f, e.answers, e.key);
        QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
        QCOMPARE(prompts.requests().size(), 0);
    }
    std::vector<formats::Item> expected;
    for (const formats::Item& item : userSetItems()) {
        if (!singleOnly || !item.multiple)
            expected.push_back(file.endsWith(".json") ? item : item.compacted());  // JSON keeps gaps
    }
    QCOMPARE(int(expected.size()), singleOnly ? 3 : 5);

    prompts.answerSaveFile(here(file));
    prompts.answer(platform::PromptButton::Ok);
    f.Exportquestions1->trigger();
    prompts.answer(platform::PromptButton::Ok);
    f.Emptyquestionset1->trigger();
    // Emptied, the set is the sampler's alone until it closes: read through its own table.
    QVERIFY(formats::readTableItems(s.table()).empty());
    prompts.answerFile(here(file));
    prompts.answerChoice(0);
    f.Importquestions1->trigger();
    QCOMPARE(prompts.unexpected(), 0);

    std::vector<formats::Item> back = formats::readTableItems(s.table());
    if (singleOnly) {  // Aiken carries no section: the one chosen in the report
        for (formats::Item& item : expected)
            item.section = 1;
    }
    const QString d = formatstest::difference(back, expected, carried);
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

void TestSamplerTransfer::exportFailuresAreReported_data()
{
    QTest::addColumn<bool>("emptySet");
    QTest::addColumn<QString>("file");  // empty: no file dialog
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");  // the box's text begins so
    QTest::newRow("folder missing") << false << "no such folder/out.gift" << int(PromptKind::Error) << "Cannot write ";
    QTest::newRow("unknown extension") << false << "out.doc" << int(PromptKind::Error)
                                       << "Cannot tell the question format of out.doc from its extension";
    QTest::newRow("empty set") << true << "" << int(PromptKind::Information)
                               << "The question set is empty: there is nothing to export.";
}

void TestSamplerTransfer::exportFailuresAreReported()
{
    QFETCH(bool, emptySet);
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QString, message);
    testsupport::ScriptedPrompts prompts;
    Sampler s(emptySet ? std::vector<testsupport::Item>{} : twoItems);
    if (!file.isEmpty())
        prompts.answerSaveFile(here(file));
    prompts.answer(platform::PromptButton::Ok);
    s.form().Exportquestions1->trigger();

    QCOMPARE(prompts.unexpected(), 0);
    QCOMPARE(prompts.unusedAnswers(), 0);
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(int(prompts.requests()[0].kind), kind);
    QVERIFY2(prompts.requests()[0].text.startsWith(message), qPrintable(prompts.requests()[0].text));
    QVERIFY(file.isEmpty() || !QFile::exists(here(file)));
}

void TestSamplerTransfer::importAndExportWaitForTheItemBeingWritten()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s({userItem("Existing one", 1)});
    TSamplerForm& f = s.form();
    for (QAction* begin : {f.AddAct, f.EditAct}) {
        begin->trigger();
        QVERIFY(!f.Importquestions1->isEnabled());
        QVERIFY(!f.Exportquestions1->isEnabled());
        f.BitBtn2->click();
        QVERIFY(f.Importquestions1->isEnabled());
        QVERIFY(f.Exportquestions1->isEnabled());
    }
}

void TestSamplerTransfer::anEditBegunByTypingIsKeptAsAMoveKeepsIt()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s({userItem("Existing one", 1)});
    TSamplerForm& f = s.form();
    f.DBMemo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.DBMemo1, " (changed)");
    QCOMPARE(int(s.table().state()), int(store::DataSetState::Edit));
    QVERIFY(f.Importquestions1->isEnabled());
    prompts.answerFile(sampleGift);
    prompts.answerChoice(0);
    f.Importquestions1->trigger();

    QCOMPARE(prompts.unexpected(), 0);
    const std::vector<samplerfixture::Stored> set = samplerfixture::readUserSet();
    QCOMPARE(int(set.size()), 5);
    QCOMPARE(set[0].question, QStringLiteral("Existing one (changed)"));
    QCOMPARE(int(s.table().state()), int(store::DataSetState::Browse));
    QVERIFY(!f.BitBtn1->isEnabled() && !f.BitBtn2->isEnabled());
    QCOMPARE(currentNode(f), QStringLiteral("2"));
}

QTEST_MAIN(TestSamplerTransfer)
#include "test_sampler_transfer.moc"
