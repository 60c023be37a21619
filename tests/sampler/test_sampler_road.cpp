// The sampler as the program runs it: opened from the launcher on the user set, and the items
// it saved, or imported from a GIFT file, taken as the user exam, shown, graded and counted per
// section.

#include "SamplerFixture.h"
#include "app/MainUnit.h"
#include "app/Startup.h"
#include "exam/PrepareUnit.h"
#include "exam/TestUnit.h"
#include "charts/BarChart.h"
#include "results/ScoreUnit.h"
#include "sampler/Rep1Unit.h"
#include "sampler/SamplerUnit.h"
#include "store/Fields.h"
#include "support/Fixtures.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "widgets/DBItemTree.h"
#include "widgets/OutlinedLabel.h"
#include "widgets/ShapeButton.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>

using platform::PromptButton;

namespace {

// Runs `act` as soon as the event loop that a modal window starts is running.
void onceModal(std::function<void()> act)
{
    QTimer::singleShot(0, qApp, std::move(act));
}

// Adds an item through the sampler's pages and saves it; returns the heading after Save.
QString addItem(TSamplerForm& f, const QString& question, bool multiple, int section,
                const QStringList& answers, const QString& key)
{
    f.AddAct->trigger();
    QTest::keyClicks(f.DBMemo1, question);
    f.PageControl1->setCurrentWidget(f.TabSheet2);
    f.ComboBox1->setCurrentIndex(multiple ? 1 : 0);
    f.ListBox1->setCurrentRow(section - 1);
    f.PageControl1->setCurrentWidget(f.TabSheet3);
    for (int k = 0; k < answers.size(); ++k)
        QTest::keyClicks(f.DBEdits[size_t(k)], answers[k]);
    for (QChar letter : key)
        f.DBCheckBoxes[size_t(letter.unicode() - u'a')]->click();
    f.BitBtn1->click();
    return f.fcLabel4->text();
}

// Chooses the answers of the item shown whose texts are `texts`.
void chooseAnswers(TTestForm& t, const QStringList& texts)
{
    for (int k = 1; k <= 6; ++k) {
        if (t.answerLabel(k)->isHidden() || !texts.contains(t.answerLabel(k)->text()))
            continue;
        if (t.checkBox(k)->isHidden())
            t.radioButton(k)->click();
        else
            t.checkBox(k)->click();
    }
}

// The section bars of the score window, bottom first: "label=value".
QStringList sectionBars()
{
    QStringList bars;
    for (const charts::ChartBar& bar : ScoreForm->Chart1->model().bars)
        bars.append(QStringLiteral("%1=%2").arg(bar.label.trimmed()).arg(bar.value));
    return bars;
}

struct ExamOutcome {
    QString total;      // the score window's total line
    QStringList bars;   // its section bars
};

// The user exam on the user set in the exam window, started from the launcher: `answer` answers
// each item shown, then the exam is graded and ended from the score window (a "Yes" the
// caller queues with the grade's "OK").
ExamOutcome takeUserExam(const std::function<void(TTestForm&)>& answer)
{
    ExamOutcome outcome;
    onceModal([&] {
        TTestForm& t = *TestForm;
        t.dtUserSet->open();
        t.ExamTitle = QStringLiteral("User Exam");
        t.StartRunning(PrepareUserSet(*t.dtUserSet, *t.dtCurrentSet));
        for (int i = 0; i < t.ItemCount; ++i) {
            answer(t);
            if (i + 1 < t.ItemCount)
                t.NextButton->click();
        }
        onceModal([&] {
            outcome.total = ScoreForm->TotalLabel->text();
            outcome.bars = sectionBars();
            ScoreForm->BitBtn3->click();
        });
        t.GradeButton->click();
        t.close();
    });
    QTest::mouseClick(MainForm->StartTestBtn, Qt::LeftButton);
    return outcome;
}

}  // namespace

class TestSamplerRoad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void aMissingUserSetIsReportedAndTheLauncherStays();
    void aUserExamFromTheSavedItems();
    void aUserExamFromImportedGiftQuestions();

private:
    QTemporaryDir m_config;
    std::unique_ptr<testsupport::TempDirCwd> m_dir;
};

void TestSamplerRoad::initTestCase()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
    m_dir = std::make_unique<testsupport::TempDirCwd>();
    testsupport::makeBank(store::BankFileName, 4, [](int) { return 1; }, [](int k) { return k; });
    testsupport::makeTable(store::CurrentSetFileName, store::TableKind::Current, {});
    testsupport::makeTable(store::UserSetFileName, store::TableKind::User,
                           {testsupport::item(0, 2, "Sample one"), testsupport::item(0, 4, "Sample two")});
    configureApplication(*qApp);
    createWindows();
}

void TestSamplerRoad::cleanupTestCase()
{
    destroyWindows();
    m_dir.reset();
}

void TestSamplerRoad::aMissingUserSetIsReportedAndTheLauncherStays()
{
    QVERIFY(QFile::rename(store::UserSetFileName, "kept.DAT"));
    testsupport::ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);
    MainForm->show();
    QTest::mouseClick(MainForm->SamplerBtn, Qt::LeftButton);
    QVERIFY(QFile::rename("kept.DAT", store::UserSetFileName));

    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& error = prompts.requests()[0];
    QCOMPARE(int(error.kind), int(platform::PromptKind::Error));
    QVERIFY2(error.text.contains("qbank2usr.DAT") && error.text.contains("file not found"),
             qPrintable(error.text));
    QVERIFY(MainForm->isVisible());
    QVERIFY(!SamplerForm->isVisible());
}

void TestSamplerRoad::aUserExamFromTheSavedItems()
{
    testsupport::ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);  // empty the question set
    prompts.answer(PromptButton::Ok);  // exit the sampler
    prompts.answer(PromptButton::Ok);  // grade
    prompts.answer(PromptButton::Yes);  // end the exam in the score window

    // The sampler, opened from the launcher on the sample user set.
    bool samplerModal = false;
    bool launcherHidden = false;
    QStringList sampleNodes;
    QString emptied;
    QString savedSingle;
    QString savedMultiple;
    onceModal([&] {
        TSamplerForm& f = *SamplerForm;
        samplerModal = QApplication::activeModalWidget() == &f;
        launcherHidden = !MainForm->isVisible();
        for (int i = 0; i < f.fcDBTreeView1->topLevelItemCount(); ++i)
            sampleNodes.append(f.fcDBTreeView1->topLevelItem(i)->text(0));
        f.Emptyquestionset1->trigger();
        emptied = f.fcLabel4->text();
        savedSingle = addItem(f, "Which port does HTTPS use by default?", false, 1,
                              {"80", "443", "22"}, "b");
        savedMultiple = addItem(f, "Which three are routing protocols?", true, 3,
                                {"OSPF", "HTTP", "BGP", "SMTP", "RIP"}, "ace");
        f.Exit1->trigger();
    });
    QTest::mouseClick(MainForm->SamplerBtn, Qt::LeftButton);
    QVERIFY(samplerModal);
    QVERIFY(launcherHidden);
    QCOMPARE(sampleNodes, (QStringList{"1", "2"}));
    QCOMPARE(emptied, QStringLiteral("The question set is empty"));
    QCOMPARE(savedSingle, QStringLiteral("Item ID: 1"));
    QCOMPARE(savedMultiple, QStringLiteral("Item ID: 2"));
    QVERIFY(!SamplerForm->isVisible());
    QVERIFY(MainForm->isVisible());
    QVERIFY(!DM->dtUserSet->isOpen());

    // The user exam, built from the two saved items in the exam window: the single-response
    // item answered right, the multiple-response one with one key missing.
    QStringList shownIds;
    const ExamOutcome outcome = takeUserExam([&](TTestForm& t) {
        shownIds.append(t.Label2->text());
        if (t.QText->text().startsWith("Which port")) {
            t.radioButton(2)->click();
        } else {
            t.checkBox(1)->click();
            t.checkBox(3)->click();
        }
    });

    shownIds.sort();
    QCOMPARE(shownIds, (QStringList{"Item ID: 1", "Item ID: 2"}));
    QCOMPARE(outcome.total, QStringLiteral("Passing Score: 850   Your Score: 500   Grade: Fail"));
    QCOMPARE(outcome.bars, (QStringList{"Troubleshooting (0/0)=0", "Implementation (0/1)=0",
                                "Planning (0/0)=0", "Standards and Terminology (1/1)=100"}));
    QCOMPARE(prompts.requests().size(), 4);
    QCOMPARE(prompts.unusedAnswers(), 0);
    QVERIFY(!TestForm->isVisible());
    QVERIFY(MainForm->isVisible());
}

void TestSamplerRoad::aUserExamFromImportedGiftQuestions()
{
    testsupport::ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);  // empty the question set
    prompts.answerFile(QStringLiteral(SAMPLE_DATA_DIR "/sample.gift"));
    prompts.answerChoice(0);  // Standards and Terminology, for the item without a category
    prompts.answer(PromptButton::Ok);   // exit the sampler
    prompts.answer(PromptButton::Ok);   // grade
    prompts.answer(PromptButton::Yes);  // end the exam in the score window

    // The sampler, opened from the launcher: the set emptied, then the GIFT sample imported.
    QString report;
    QStringList nodes;
    onceModal([&] {
        TSamplerForm& f = *SamplerForm;
        f.Emptyquestionset1->trigger();
        f.Importquestions1->trigger();
        report = prompts.choiceRequests().value(0).text;
        nodes = samplerfixture::treeLabels(f);
        f.Exit1->trigger();
    });
    QTest::mouseClick(MainForm->SamplerBtn, Qt::LeftButton);
    QVERIFY2(report.startsWith("4 items from sample.gift will be added"), qPrintable(report));
    QCOMPARE(nodes, (QStringList{"1", "2", "3", "4"}));

    // The user exam on the imported items: three answered right, the IPv6 one wrong.
    const std::map<QString, QStringList> answers = {
        {"Which device forwards frames", {"Switch"}},
        {"Which two ranges are private?", {"10.0.0.0/8", "192.168.0.0/16"}},
        {"Which address is 2001:db8::1", {"2001:db8:1::"}},
        {"Is ping an ICMP tool?", {"True"}},
    };
    QStringList answered;
    const ExamOutcome outcome = takeUserExam([&](TTestForm& t) {
        for (const auto& [question, texts] : answers)
            if (t.QText->text().startsWith(question)) {
                chooseAnswers(t, texts);
                answered.append(question);
            }
    });

    QCOMPARE(answered.size(), 4);
    QCOMPARE(outcome.total, QStringLiteral("Passing Score: 850   Your Score: 750   Grade: Fail"));
    QCOMPARE(outcome.bars, (QStringList{"Troubleshooting (0/1)=0", "Implementation (0/0)=0",
                                "Planning (2/2)=100", "Standards and Terminology (1/1)=100"}));
    QCOMPARE(prompts.unexpected(), 0);
    QCOMPARE(prompts.unusedAnswers(), 0);
    QVERIFY(MainForm->isVisible());
}

QTEST_MAIN(TestSamplerRoad)
#include "test_sampler_road.moc"
