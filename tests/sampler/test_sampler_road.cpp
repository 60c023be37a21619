// The sampler as the program runs it: opened from the launcher on the user set, and the items
// it saved taken as the user exam, shown, graded and counted per section.

#include "app/MainUnit.h"
#include "app/Startup.h"
#include "exam/PrepareUnit.h"
#include "exam/TestUnit.h"
#include "results/BarChart.h"
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

// The section bars of the score window, bottom first: "label=value".
QStringList sectionBars()
{
    QStringList bars;
    for (const results::ChartBar& bar : ScoreForm->Chart1->model().bars)
        bars.append(QStringLiteral("%1=%2").arg(bar.label.trimmed()).arg(bar.value));
    return bars;
}

}  // namespace

class TestSamplerRoad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void aMissingUserSetIsReportedAndTheLauncherStays();
    void aUserExamFromTheSavedItems();

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
    int itemCount = 0;
    QStringList shownIds;
    QString total;
    QStringList bars;
    onceModal([&] {
        TTestForm& t = *TestForm;
        t.dtUserSet->open();
        t.StartRunning(PrepareUserSet(*t.dtUserSet, *t.dtCurrentSet));
        itemCount = t.ItemCount;
        for (int i = 0; i < t.ItemCount; ++i) {
            shownIds.append(t.Label2->text());
            if (t.QText->text().startsWith("Which port")) {
                t.radioButton(2)->click();
            } else {
                t.checkBox(1)->click();
                t.checkBox(3)->click();
            }
            if (i + 1 < t.ItemCount)
                t.NextButton->click();
        }
        onceModal([&] {
            total = ScoreForm->TotalLabel->text();
            bars = sectionBars();
            ScoreForm->BitBtn3->click();
        });
        t.GradeButton->click();
        t.close();
    });
    QTest::mouseClick(MainForm->StartTestBtn, Qt::LeftButton);

    QCOMPARE(itemCount, 2);
    shownIds.sort();
    QCOMPARE(shownIds, (QStringList{"Item ID: 1", "Item ID: 2"}));
    QCOMPARE(total, QStringLiteral("Passing Score: 850   Your Score: 500   Grade: Fail"));
    QCOMPARE(bars, (QStringList{"Troubleshooting (0/0)=0", "Implementation (0/1)=0",
                                "Planning (0/0)=0", "Standards and Terminology (1/1)=100"}));
    QCOMPARE(prompts.requests().size(), 4);
    QCOMPARE(prompts.unusedAnswers(), 0);
    QVERIFY(!TestForm->isVisible());
    QVERIFY(MainForm->isVisible());
}

QTEST_MAIN(TestSamplerRoad)
#include "test_sampler_road.moc"
