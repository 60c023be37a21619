#include "charts/BarChart.h"
#include "results/ScoreUnit.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

store::ItemStates sheet(int items, int correct)
{
    store::ItemStates states(items);
    for (int i = 0; i < items; ++i) {
        states[i].Section = i % 4 + 1;
        states[i].Correct = i < correct;
    }
    return states;
}

}  // namespace

class TestScoreWindow : public QObject {
    Q_OBJECT

private slots:
    void windowAndCaptions()
    {
        TScoreForm form;
        QCOMPARE(form.windowTitle(), QString("Quizlore"));
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(form.BitBtn1->text(), QString("&View Answers"));
        QCOMPARE(form.BitBtn1->size(), QSize(98, 30));
        QVERIFY(form.BitBtn1->isDefault());
        QCOMPARE(form.BitBtn3->text(), QString("E&xit Exam"));
        QCOMPARE(form.BitBtn3->size(), QSize(97, 30));
        QCOMPARE(form.BitBtn2->text(), QString("&Print Report"));
        QCOMPARE(form.BitBtn2->size(), QSize(98, 30));
    }

    void showResultFillsChartsAndResultLine()
    {
        TScoreForm form;
        const results::Grade grade = results::gradeSheet(sheet(60, 51));
        form.showResult(grade, "Ann,  Quizlore Prep 2.0,  Practice Exam A");
        QCOMPARE(form.TotalLabel->text(), QString("Passing Score: 850   Your Score: 850   Grade: Pass"));
        const charts::BarChartModel total = form.TotalChart->model();
        QCOMPARE(total.bars.size(), 2);
        QCOMPARE(total.bars[0].label, QString("Your score"));
        QCOMPARE(total.bars[0].value, 850.0);
        QCOMPARE(total.bars[1].label, QString("Required score"));
        QCOMPARE(form.Chart1->model().bars.size(), 4);
        QVERIFY(form.TotalChart->accessibleName().contains("850"));
        // QUIZLORE_SHOTS=<folder> keeps a picture of the window for a look by eye.
        if (qEnvironmentVariableIsSet("QUIZLORE_SHOTS")) {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.grab().save(qEnvironmentVariable("QUIZLORE_SHOTS") + "/score-pass.png");
        }
    }

    void sectionsFitAtTheDesignSize()
    {
        // The four sections and the whole value axis fit without a scroll bar.
        TScoreForm form;
        form.showResult(results::gradeSheet(sheet(60, 40)), "Ann,  Quizlore Prep 2.0,  Practice Exam A");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(582, 389));
        const int needed = form.Chart1->minimumSizeHint().height();
        QVERIFY2(form.ScrollBox1->viewport()->height() >= needed,
                 qPrintable(QString("%1 px for a chart of %2 px").arg(form.ScrollBox1->viewport()->height()).arg(needed)));
        QVERIFY(!form.ScrollBox1->verticalScrollBar()->isVisible());
        QCOMPARE(form.Chart1->height(), form.ScrollBox1->viewport()->height());
    }

    void leavingTheWindow()
    {
        TScoreForm form;
        QSignalSpy view(&form, &TScoreForm::viewAnswers);
        QSignalSpy exit(&form, &TScoreForm::exitExam);
        testsupport::ScriptedPrompts prompts;

        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);  // no Cancel button: Escape does nothing
        QVERIFY(form.isVisible());

        prompts.answer(platform::PromptButton::No);
        QTest::mouseClick(form.BitBtn3, Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(exit.count(), 0);
        QCOMPARE(prompts.requests().last().text, QString("Are you sure you wish to end this exam?"));
        QCOMPARE(prompts.requests().last().buttons,
                 (QList<platform::PromptButton>{platform::PromptButton::Yes, platform::PromptButton::No}));

        prompts.answer(platform::PromptButton::Yes);
        QTest::mouseClick(form.BitBtn3, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(exit.count(), 1);

        form.show();
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(view.count(), 1);
    }
};

QTEST_MAIN(TestScoreWindow)
#include "test_score_window.moc"
