// The exam window's clock, grading with the score window, and the items review.

#include "exam/TestUnit.h"

#include "platform/Handler.h"
#include "platform/Prompts.h"
#include "results/Grading.h"
#include "results/ReviewUnit.h"
#include "results/ScoreUnit.h"
#include "results/TimeCounter.h"
#include "widgets/OutlinedLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include <stdexcept>

void TTestForm::setClockSource(std::shared_ptr<results::TimeSource> source)
{
    delete Timer1;
    delete TimeUsed;
    TimeUsed = new results::TKZTimeCounter(this, source);
    Timer1 = new results::TKZTimeCounter(this, std::move(source));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &results::TKZTimeCounter::OnTimer, this, platform::handled([this] { Timer1Timer(); }));
    connect(Timer1, &results::TKZTimeCounter::remainingChanged, TimeLabel, &widgets::OutlinedLabel::setText);
}

void TTestForm::StartClock()
{
    // A graded exam keeps its clock off, also when the option is switched off and on again.
    const bool running = TimerOn && ExamState == ExamRunning && !m_graded;
    TimeLabel->setVisible(running);
    Timer1->setTimeLimit(TimeLimit);
    TimeLabel->setText(Timer1->limitText());
    Timer1->setEnabled(running);
    // A new count from zero in every case: switching the option off and on gives the full time.
    Timer1->Restart();
}

void TTestForm::StopClock()
{
    TimeLabel->hide();
    Timer1->setEnabled(false);
}

void TTestForm::Timer1Timer()
{
    // The label shows the time left; at the limit the timer is already off.
    if (Timer1->countDown().reached)
        TimeExpired();
}

void TTestForm::TimeExpired()
{
    platform::PromptRequest question;
    question.kind = platform::PromptKind::Information;
    question.caption = QStringLiteral("Information");
    question.text = QStringLiteral("Your time has expired.\rDo you want continue the exam anyway?");
    question.buttons = {platform::PromptButton::No, platform::PromptButton::Ok};
    // Enter continues the exam; grading takes a deliberate No.
    question.defaultButton = platform::PromptButton::Ok;
    if (platform::Prompts::current().ask(question) == platform::PromptButton::No)
        GradeButtonClick();
    else
        TimeLabel->hide();
}

void TTestForm::GradeButtonClick()
{
    if (ExamState == Reviewing)
        GradeExam();
    if (ExamState == ExamRunning &&
        platform::confirmOkCancel(QStringLiteral("Confirm"),
                                  QStringLiteral("This will end your practice exam.\rAre you sure to end this exam?")) ==
            platform::PromptButton::Ok)
        GradeExam();
}

void TTestForm::GradeExam()
{
    if (!ScoreWindow)
        throw std::runtime_error("The score window is missing");
    if (ExamState == ExamRunning) {
        m_grade = results::gradeSheet(ItemStates);
        // An exam without items cannot be scored; it stays as it is.
        if (!m_grade.hasItems) {
            platform::inform(QStringLiteral("Information"), results::noItemsText());
            return;
        }
        // Before the graded look: the walk through the exam set shows the current item again.
        const QString notRecorded = RecordAttempt();
        ShowTotalScore();
        ShowSectionScores();
        GradedControls();
        if (!notRecorded.isEmpty()) {
            platform::PromptRequest message;
            message.kind = platform::PromptKind::Warning;
            message.caption = QStringLiteral("Study History");
            message.text = notRecorded;
            message.buttons = {platform::PromptButton::Ok};
            platform::Prompts::current().ask(message);
        }
    }
    ScoreWindow->exec();
}

QString TTestForm::RecordAttempt()
{
    examhistory::ExamFacts facts;
    facts.key = m_attemptKey;
    facts.kindId = ExamKindId;
    facts.title = ExamTitle;
    facts.candidateName = CandidateName;
    // A limit holds only with the clock on; the time used counts whether or not it is shown.
    facts.timeLimitSeconds = TimerOn ? int(Timer1->timeLimitSeconds()) : 0;
    facts.timeUsedSeconds = int(TimeUsed->elapsedSeconds());
    facts.source = m_itemSource;
    facts.choiceOrders = ChoiceOrders;
    return examhistory::recordExam(*dtCurrentSet, ItemStates, m_grade, facts);
}

void TTestForm::ShowTotalScore()
{
    ScoreWindow->showTotal(m_grade, results::titleLine(CandidateName, ExamTitle));
}

void TTestForm::ShowSectionScores()
{
    ScoreWindow->showSections(m_grade);
}

void TTestForm::ViewAnswers()
{
    ExamState = Reviewing;
    ReviewControls();
    LearnButton->setEnabled(false);
    // The table reports a move also when item 1 is current, so item 1 is laid out again.
    dtCurrentSet->first();
}

void TTestForm::Button1Click()
{
    if (!ReviewForm)
        throw std::runtime_error("The items review window is missing");
    if (ExamState == ExamRunning)
        FillRunningReview();
    else if (ExamState == Reviewing)
        FillGradedReview();
    else
        return;
    ReviewForm->BitBtn2->setEnabled(false);
    ReviewForm->setCurrentSet(dtCurrentSet);
    ReviewForm->exec();
}

void TTestForm::FillRunningReview()
{
    ReviewForm->fill(ItemStates, false);
}

void TTestForm::FillGradedReview()
{
    ReviewForm->fill(ItemStates, true);
}
