// The end of an exam: the Grade button with its question, the score window, review, the items
// review, and the clock counting down to the expiry question.

#include "ItemFixture.h"

#include "exam/TestUnit.h"
#include "charts/BarChart.h"
#include "results/ReviewUnit.h"
#include "results/ScoreUnit.h"
#include "results/TimeCounter.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using itemfixture::choiceItem;
using itemfixture::runExam;
using platform::PromptButton;

namespace {

// Runs `act` on the next modal window as soon as it is shown.
void whenModal(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start();
}

std::vector<testsupport::Item> fourItems()
{
    std::vector<testsupport::Item> items;
    for (int k = 0; k < 4; ++k) {
        auto it = choiceItem({"one", "two", "three"}, "b", false, QStringLiteral("Question %1").arg(k), "Because.", k + 1);
        it["Q_SECT"] = k + 1;
        items.push_back(it);
    }
    return items;
}

}  // namespace

class TestGradingRoad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_window = std::make_unique<itemfixture::ExamWindow>();
        m_form = m_window->form();
        m_score = std::make_unique<TScoreForm>();
        m_review = std::make_unique<TReviewForm>();
        ReviewForm = m_review.get();
        // Grading reaches the score window through this link alone: the global one stays empty.
        m_form->linkWindows(m_score.get(), nullptr, nullptr);
        m_clock = std::make_shared<results::ManualTimeSource>();
        m_form->setClockSource(m_clock);
    }
    void cleanupTestCase()
    {
        m_window.reset();
        ReviewForm = nullptr;
    }

    void gradeReviewAndLeave()
    {
        testsupport::ScriptedPrompts prompts;
        TTestForm& f = *m_form;
        runExam(f, fourItems());
        QTest::mouseClick(f.answerLabel(2), Qt::LeftButton);  // item 1 right
        f.NextButtonClick();
        QTest::mouseClick(f.answerLabel(1), Qt::LeftButton);  // item 2 wrong
        f.NextButtonClick();
        QTest::mouseClick(f.answerLabel(2), Qt::LeftButton);  // item 3 right

        prompts.answer(PromptButton::Cancel);
        QTest::mouseClick(f.GradeButton, Qt::LeftButton);
        QCOMPARE(prompts.requests().last().text, QString("This will end your practice exam.\rAre you sure to end this exam?"));
        QCOMPARE(f.ExamState, TTestForm::ExamRunning);
        QCOMPARE(f.GradeButton->text(), QString("Grade Now"));
        QVERIFY(f.ScrollBox1->isVisible());

        QString result;
        int bars = 0;
        bool clockAfterGrading = true;
        whenModal([&](QWidget* modal) {
            QCOMPARE(modal, static_cast<QWidget*>(m_score.get()));
            // Switching the clock option off and on again leaves a graded exam's clock off.
            f.StartClock();
            clockAfterGrading = f.Timer1->Enabled() || f.TimeLabel->isVisible();
            result = m_score->TotalLabel->text();
            bars = int(m_score->Chart1->model().bars.size());
            QTest::mouseClick(m_score->BitBtn1, Qt::LeftButton);  // "&View Answers"
        });
        f.dtCurrentSet->last();
        prompts.answer(PromptButton::Ok);
        QTest::mouseClick(f.GradeButton, Qt::LeftButton);
        QCOMPARE(result, QString("Passing Score: 850   Your Score: 500   Grade: Fail"));
        QCOMPARE(bars, 4);
        QVERIFY(!clockAfterGrading);
        QCOMPARE(f.ExamState, TTestForm::Reviewing);
        QCOMPARE(f.GradeButton->text(), QString("Score Report"));
        QCOMPARE(f.dtCurrentSet->recNo(), 1);
        QVERIFY(f.ScrollBox1->isVisible());
        QVERIFY(f.ReviewLabel->isVisible() && f.CorrectLabel->isVisible());
        QVERIFY(!f.LearnButton->isEnabled());

        // The items review lists the verdicts and goes to the chosen item.
        whenModal([&](QWidget*) {
            QVERIFY(m_review->Panel4->isVisible());
            const QAbstractItemModel* rows = m_review->ListView1->model();
            QCOMPARE(rows->rowCount(), 4);
            QCOMPARE(rows->index(1, 0).data().toString(), QString("2  A"));
            m_review->ListView1->setCurrentIndex(rows->index(2, 0));
            QTest::mouseClick(m_review->BitBtn2, Qt::LeftButton);
        });
        QTest::mouseClick(f.Button1, Qt::LeftButton);
        QCOMPARE(f.dtCurrentSet->recNo(), 3);

        // In review the score window comes again without a question, then the exam ends.
        const int asked = int(prompts.requests().size());
        whenModal([&](QWidget*) {
            prompts.answer(PromptButton::Yes);
            QTest::mouseClick(m_score->BitBtn3, Qt::LeftButton);  // "E&xit Exam"
        });
        QTest::mouseClick(f.GradeButton, Qt::LeftButton);
        QCOMPARE(int(prompts.requests().size()), asked + 1);  // only the exit question
        QCOMPARE(f.ExamState, TTestForm::NoExam);
        QVERIFY(!f.dtCurrentSet->isOpen());
    }

    void runningReviewShowsAnswersAndMarks()
    {
        testsupport::ScriptedPrompts prompts;
        TTestForm& f = *m_form;
        runExam(f, fourItems());
        QTest::mouseClick(f.answerLabel(3), Qt::LeftButton);
        f.NextButtonClick();
        f.MarkBox->setChecked(true);
        QStringList captions;
        whenModal([&](QWidget*) {
            QVERIFY(m_review->Panel5->isVisible());
            const QAbstractItemModel* rows = m_review->ListView1->model();
            for (int i = 0; i < rows->rowCount(); ++i)
                captions.append(rows->index(i, 0).data().toString() + "|" +
                                QString::number(rows->index(i, 0).data(Qt::UserRole).toInt()));
            QTest::mouseClick(m_review->BitBtn1, Qt::LeftButton);  // "&Return"
        });
        QTest::mouseClick(f.Button1, Qt::LeftButton);
        QCOMPARE(captions, (QStringList{"1  C|1", "2  |2", "3  |0", "4  |0"}));
        QCOMPARE(f.dtCurrentSet->recNo(), 2);
    }

    void anExamWithoutItemsIsNotGraded()
    {
        testsupport::ScriptedPrompts prompts;
        TTestForm& f = *m_form;
        runExam(f, {});
        prompts.answer(PromptButton::Ok);
        prompts.answer(PromptButton::Ok);
        QTest::mouseClick(f.GradeButton, Qt::LeftButton);
        QCOMPARE(prompts.requests().last().kind, platform::PromptKind::Information);
        QCOMPARE(f.ExamState, TTestForm::ExamRunning);
        QCOMPARE(f.GradeButton->text(), QString("Grade Now"));
    }

    void clockCountsDownToTheQuestion()
    {
        testsupport::ScriptedPrompts prompts;
        TTestForm& f = *m_form;
        runExam(f, fourItems());
        f.TimerOn = true;
        f.TimeLimit = 1.0 / 1440;  // one minute
        f.StartClock();
        QVERIFY(f.TimeLabel->isVisible());
        QCOMPARE(f.TimeLabel->text(), QString("0:01:00"));
        QVERIFY(f.Timer1->Enabled());

        m_clock->advanceSeconds(59);
        f.Timer1Timer();
        QCOMPARE(f.TimeLabel->text(), QString("0:00:01"));

        // OK: the exam goes on without a clock.
        prompts.answer(PromptButton::Ok);
        m_clock->advanceMs(1400);
        f.Timer1Timer();
        QCOMPARE(prompts.requests().last().text, QString("Your time has expired.\rDo you want continue the exam anyway?"));
        QCOMPARE(prompts.requests().last().buttons, (QList<PromptButton>{PromptButton::No, PromptButton::Ok}));
        QCOMPARE(prompts.requests().last().defaultButton, PromptButton::Ok);
        QVERIFY(!f.TimeLabel->isVisible());
        QVERIFY(!f.Timer1->Enabled());
        QCOMPARE(f.ExamState, TTestForm::ExamRunning);

        // No, then Cancel: the label stays at 0:00:00 and nothing more is asked; a late tick
        // shows zero, not a negative time.
        f.StartClock();
        QCOMPARE(f.TimeLabel->text(), QString("0:01:00"));
        prompts.answer(PromptButton::No);
        prompts.answer(PromptButton::Cancel);
        m_clock->advanceSeconds(75);
        f.Timer1Timer();
        QCOMPARE(f.TimeLabel->text(), QString("0:00:00"));
        QVERIFY(f.TimeLabel->isVisible());
        QVERIFY(!f.Timer1->Enabled());
        QCOMPARE(f.ExamState, TTestForm::ExamRunning);
        QCOMPARE(prompts.unusedAnswers(), 0);

        // With the option off the clock stays hidden and still.
        f.TimerOn = false;
        f.StartClock();
        QVERIFY(!f.TimeLabel->isVisible());
        QVERIFY(!f.Timer1->Enabled());

        // The longest limit.
        f.TimerOn = true;
        f.TimeLimit = 600.0 / 1440;
        f.StartClock();
        QCOMPARE(f.TimeLabel->text(), QString("10:00:00"));
        f.CloseCurrentExam();
        QVERIFY(!f.Timer1->Enabled());
    }

private:
    std::unique_ptr<itemfixture::ExamWindow> m_window;
    TTestForm* m_form = nullptr;
    std::unique_ptr<TScoreForm> m_score;
    std::unique_ptr<TReviewForm> m_review;
    std::shared_ptr<results::ManualTimeSource> m_clock;
};

QTEST_MAIN(TestGradingRoad)
#include "test_grading_road.moc"
