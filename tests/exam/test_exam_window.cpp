// The exam window as a whole: its creation, menu and layout, the look of each state, the
// centring of the exam choice, leaving an exam and closing the window.

#include "exam/NameUnit.h"
#include "exam/PrepareUnit.h"
#include "exam/ProgressUnit.h"
#include "exam/TestUnit.h"
#include "store/ExamKinds.h"
#include "options/OptionsStore.h"
#include "platform/ClockText.h"
#include "store/Fields.h"
#include "support/Fixtures.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "widgets/OutlinedLabel.h"
#include "widgets/ShapeButton.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using platform::PromptButton;
using platform::PromptKind;

namespace {

// How far a test takes the window from state 0.
enum Stage { NoExam, Running, RunningClockOff, Graded, Reviewing, LeftAfterReview };

void reach(TTestForm& form, Stage stage)
{
    form.TimerOn = stage != RunningClockOff;
    if (stage == NoExam)
        return;
    form.ExamState = TTestForm::ExamRunning;
    form.ExamControls();
    form.StartClock();
    if (stage == Running || stage == RunningClockOff)
        return;
    form.GradedControls();
    if (stage == Graded)
        return;
    form.ExamState = TTestForm::Reviewing;
    form.ReviewControls();
    form.ScrollBox1->show();
    if (stage == Reviewing)
        return;
    form.CloseCurrentExam();
}

}  // namespace

Q_DECLARE_METATYPE(Stage)
using Stored = QMap<QString, QString>;
using FormProbe = std::function<QVariant(TTestForm&)>;
Q_DECLARE_METATYPE(Stored)
Q_DECLARE_METATYPE(FormProbe)

class TestExamWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void creation();
    void creationFollowsTheStore_data();
    void creationFollowsTheStore();
    void menuEntries_data();
    void menuEntries();
    void layoutAtDesignWidth_data();
    void layoutAtDesignWidth();
    void examChoiceIsCentred_data();
    void examChoiceIsCentred();
    void examChoiceFollowsResize();
    void stateLook_data();
    void stateLook();
    void learnNowFollowsOption();
    void exitExam_data();
    void exitExam();
    void closingTheWindow_data();
    void closingTheWindow();
    void altLetterStartsAPracticeExam();
    void f10OpensTheFileMenu();
    void progressBarIsPaintedWhileTheSetFills();

private:
    QTemporaryDir m_config;
    std::unique_ptr<testsupport::TempDirCwd> m_dir;
};

void TestExamWindow::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
    m_dir = std::make_unique<testsupport::TempDirCwd>();
    ProgressForm = new TProgressForm;
    NameForm = new TNameForm;
    TestForm = new TTestForm;
}

void TestExamWindow::cleanupTestCase()
{
    delete TestForm;
    delete NameForm;
    delete ProgressForm;
    TestForm = nullptr;
    NameForm = nullptr;
    ProgressForm = nullptr;
    m_dir.reset();
}

void TestExamWindow::init()
{
    TestForm->setWindowState(Qt::WindowNoState);
    TestForm->resize(732, 505);
}

void TestExamWindow::cleanup()
{
    TestForm->hide();
    TestForm->CloseCurrentExam();
    TestForm->GradeButton->setText("&Grade Now");
    TestForm->TimerOn = true;
}

void TestExamWindow::creation()
{
    // A fresh window: caption, maximized, state 0 and the options of an empty store.
    TTestForm form;
    QCOMPARE(form.windowTitle(), QString("Quizlore Prep 2.0"));
    QVERIFY(form.windowState() & Qt::WindowMaximized);
    QCOMPARE(form.minimumSize(), QSize(732, 502));
    QCOMPARE(form.ExamState, TTestForm::NoExam);
    QVERIFY(form.Session1.passwords().contains(store::TablePassword));
    QCOMPARE(form.DefaultTime, 90);
    QVERIFY(form.TimerOn);
    QVERIFY(!form.ShowLearnBtn);
    QVERIFY(!form.LearnButton->isVisibleTo(&form));
    QCOMPARE(form.ScrollBox1->font().family(), QString("MS Sans Serif"));
    QCOMPARE(form.explanationFont.color, QColor(0, 0, 128));
    // Design captions of the button bar.
    QCOMPARE(form.GradeButton->text(), QString("&Grade Now"));
    QCOMPARE(form.LearnButton->text(), QString("&Learn Now"));
    QCOMPARE(form.Button1->text(), QString("Items &Review"));
    QCOMPARE(form.NoteButton->text(), QString("&Note"));
    QCOMPARE(form.Button3->text(), QString("E&xit Exam"));
    QCOMPARE(form.PrevButton->text(), QString("&< Previous Item"));
    QCOMPARE(form.NextButton->text(), QString("Next Item &>"));
    QCOMPARE(form.ReviewLabel->text(), QString("Review items"));
    QCOMPARE(form.MarkBox->text(), QString("&Mark this item"));
    QCOMPARE(form.fcLabel1->text(), QString("Quizlore Prep 2.0"));
    // Times in 12-hour form carry a bare carriage return as designator.
    QCOMPARE(platform::morningDesignator(), QString("\r"));
    QCOMPARE(platform::afternoonDesignator(), QString("\r"));
}

void TestExamWindow::creationFollowsTheStore_data()
{
    QTest::addColumn<Stored>("stored");
    QTest::addColumn<FormProbe>("probe");
    QTest::addColumn<QVariant>("expected");
    const FormProbe learnShown = [](TTestForm& f) {
        return QVariant(f.LearnButton->isVisibleTo(f.Panel2));
    };
    const FormProbe calc = [](TTestForm& f) { return QVariant(f.ShowCalcBtn); };
    QTest::newRow("learn now shown") << Stored{{"ShowLearnBtn", "1"}} << learnShown << QVariant(true);
    QTest::newRow("learn now hidden") << Stored{{"ShowLearnBtn", "0"}} << learnShown
                                      << QVariant(false);
    QTest::newRow("time 45") << Stored{{"DefaultTime", "45"}}
                             << FormProbe([](TTestForm& f) { return QVariant(f.DefaultTime); })
                             << QVariant(45);
    QTest::newRow("clock off") << Stored{{"TimerOn", "0"}}
                               << FormProbe([](TTestForm& f) { return QVariant(f.TimerOn); })
                               << QVariant(false);
    QTest::newRow("calculator missing") << Stored{{"CalcPath", "/no/such/calculator"}} << calc
                                        << QVariant(false);
    QTest::newRow("calculator present") << Stored{{"CalcPath", "/bin/sh"}} << calc << QVariant(true);
    QTest::newRow("calculator present, off") << Stored{{"CalcPath", "/bin/sh"}, {"ShowCalcBtn", "0"}}
                                             << calc << QVariant(false);
    QTest::newRow("answers font on the item area")
        << Stored{{"AFontName", "Arial"}, {"AFontSize", "12"}, {"AFontBold", "1"}}
        << FormProbe([](TTestForm& f) {
               const QFont font = f.ScrollBox1->font();
               return QVariant(QStringLiteral("%1 %2 %3")
                                   .arg(font.family())
                                   .arg(font.pointSize())
                                   .arg(font.bold()));
           })
        << QVariant("Arial 12 1");
    QTest::newRow("question font kept")
        << Stored{{"QFontName", "Verdana"}, {"QFontColor", "255"}}
        << FormProbe([](TTestForm& f) {
               return QVariant(f.questionFont.font.family() + " " + f.questionFont.color.name());
           })
        << QVariant("Verdana #ff0000");
}

void TestExamWindow::creationFollowsTheStore()
{
    QFETCH(Stored, stored);
    QFETCH(FormProbe, probe);
    QFETCH(QVariant, expected);
    {
        auto settings = options::openStore();
        for (auto it = stored.begin(); it != stored.end(); ++it)
            settings->setValue(it.key(), it.value());
        settings->sync();
    }
    TTestForm form;
    {
        auto settings = options::openStore();
        settings->remove(QString());
    }
    QCOMPARE(probe(form), expected);
}

void TestExamWindow::menuEntries_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("action");  // the exam kind it starts, if any
    QTest::newRow("options") << "N11" << "Preferences1" << "&Options..." << "";
    QTest::newRow("print all") << "N11" << "Print2" << "Print all items in this exam" << "";
    QTest::newRow("print one") << "N11" << "Print1" << "&Print this item" << "";
    QTest::newRow("exit") << "N11" << "Exit1" << "E&xit" << "";
    QTest::newRow("A") << "N21" << "PracticeExamA1" << "Practice Exam &A" << "Action1";
    QTest::newRow("B") << "N21" << "PracticeExamB1" << "Practice Exam &B" << "Action2";
    QTest::newRow("C") << "N21" << "PracticeExamC1" << "Practice Exam &C" << "Action3";
    QTest::newRow("D") << "N21" << "PracticeExamD1" << "Practice Exam &D" << "Action4";
    QTest::newRow("E") << "N21" << "PracticeExamE1" << "Practice Exam &E" << "Action5";
    QTest::newRow("F") << "N21" << "PracticeExamF1" << "Practice Exam &F" << "Action6";
    QTest::newRow("G, no space") << "N21" << "G1" << "Practice Exam&G" << "Action7";
    QTest::newRow("all") << "N21" << "TakeAllQuestions1" << "&Take All &Questions" << "AllQAct";
    QTest::newRow("random") << "N21" << "CreateRandomExam1" << "&Random Exam" << "RandAct";
    QTest::newRow("user") << "N21" << "UserExam1" << "&User Exam" << "UserAct";
    QTest::newRow("study history") << "History1" << "StudyHistory1" << "Study &History..." << "";
    QTest::newRow("missed") << "History1" << "MissedQuestions1" << "&Missed Questions" << "MissedAct";
    QTest::newRow("marked") << "History1" << "MarkedQuestions1" << "Mar&ked Questions" << "MarkedAct";
    QTest::newRow("due for review") << "History1" << "due-for-reviewEntry" << "&Due for Review" << "due-for-reviewAct";
    QTest::newRow("about") << "Help1" << "About1" << "Ab&out" << "";
}

void TestExamWindow::menuEntries()
{
    QFETCH(QString, menu);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, action);

    const QList<QAction*> bar = TestForm->menuBar()->actions();
    QCOMPARE(bar.size(), 4);
    QCOMPARE(bar[0]->text(), QString("&File"));
    QCOMPARE(bar[1]->text(), QString("Exa&ms"));
    QCOMPARE(bar[2]->text(), QString("Hi&story"));
    QCOMPARE(bar[3]->text(), QString("&Help"));

    auto* owner = TestForm->findChild<QMenu*>(menu);
    QVERIFY(owner);
    QAction* entry = nullptr;
    for (QAction* a : owner->actions())
        if (a->objectName() == name)
            entry = a;
    QVERIFY(entry);
    QCOMPARE(entry->text(), caption);
    if (!action.isEmpty()) {
        // The entry starts its exam kind: the action runs.
        auto* kind = TestForm->findChild<QAction*>(action);
        QVERIFY(kind);
        QSignalSpy spy(kind, &QAction::triggered);
        QObject::disconnect(kind, &QAction::triggered, TestForm, nullptr);
        entry->trigger();
        QCOMPARE(spy.size(), 1);
        // Put the handler back for the other tests: recreate the window's connections.
        delete TestForm;
        TestForm = new TTestForm;
        init();
    }
}

void TestExamWindow::layoutAtDesignWidth_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");  // x < 0: measured from the right edge of its parent
    QTest::newRow("item counter") << "Label1" << QRect(4, 4, -1, -1);
    QTest::newRow("item identifier") << "Label2" << QRect(124, 4, -1, -1);
    QTest::newRow("exam title") << "Label3" << QRect(-203, 4, 200, -1);
    QTest::newRow("mark box") << "MarkBox" << QRect(4, 24, -1, -1);
    QTest::newRow("verdict") << "CorrectLabel" << QRect(4, 24, -1, -1);
    QTest::newRow("clock") << "TimeLabel" << QRect(-203, 24, 200, -1);
    QTest::newRow("review label") << "ReviewLabel" << QRect(-203, 24, 200, -1);
    QTest::newRow("previous") << "PrevButton" << QRect(4, 8, 101, 29);
    QTest::newRow("next") << "NextButton" << QRect(108, 8, 101, 29);
    QTest::newRow("learn now") << "LearnButton" << QRect(224, 8, 93, 29);
    QTest::newRow("items review") << "Button1" << QRect(320, 8, 93, 29);
    QTest::newRow("note") << "NoteButton" << QRect(416, 8, 93, 29);
    QTest::newRow("grade") << "GradeButton" << QRect(-(2 + 93 + 96), 8, 93, 29);
    QTest::newRow("exit exam") << "Button3" << QRect(-(2 + 93), 8, 93, 29);
    QTest::newRow("A") << "fcShapeBtn1" << QRect(240, 45, 30, 30);
    QTest::newRow("G sits one higher") << "fcShapeBtn7" << QRect(240 + 6 * 36, 44, 30, 30);
    QTest::newRow("all questions") << "AllQBtn" << QRect(196, 156, 109, 30);
    QTest::newRow("random") << "RandomBtn" << QRect(196 + 115, 156, 109, 30);
    QTest::newRow("user") << "UserBtn" << QRect(196 + 230, 156, 109, 30);
}

void TestExamWindow::layoutAtDesignWidth()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    reach(*TestForm, Running);
    TestForm->show();
    TestForm->CloseCurrentExam();
    TestForm->ExamControls();  // every control laid out once
    TestForm->CloseCurrentExam();
    QVERIFY(QTest::qWaitForWindowExposed(TestForm));
    QCOMPARE(TestForm->width(), 732);

    auto* widget = TestForm->findChild<QWidget*>(name);
    QVERIFY(widget);
    const int parentWidth = widget->parentWidget()->width();
    const int x = geometry.x() < 0 ? parentWidth + geometry.x() : geometry.x();
    QCOMPARE(widget->x(), x);
    QCOMPARE(widget->y(), geometry.y());
    if (geometry.width() >= 0)
        QCOMPARE(widget->width(), geometry.width());
    if (geometry.height() >= 0)
        QCOMPARE(widget->height(), geometry.height());
    // The header and the button bar keep their heights.
    QCOMPARE(TestForm->Panel1->height(), 45);
    QCOMPARE(TestForm->Panel2->height(), 41);
}

void TestExamWindow::examChoiceIsCentred_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("letters");  // left of "&A"
    QTest::addColumn<int>("wide");     // left of "All &Questions"
    // Halves of odd numbers go to the even neighbour.
    QTest::newRow("732: 480/2, 393/2 = 196.5") << 732 << 240 << 196;
    QTest::newRow("733: 240.5, 197") << 733 << 240 << 197;
    QTest::newRow("734: 241, 197.5") << 734 << 241 << 198;
    QTest::newRow("735: 241.5, 198") << 735 << 242 << 198;
    QTest::newRow("800: 274, 230.5") << 800 << 274 << 230;
    QTest::newRow("1024: 386, 342.5") << 1024 << 386 << 342;
}

void TestExamWindow::examChoiceIsCentred()
{
    QFETCH(int, width);
    QFETCH(int, letters);
    QFETCH(int, wide);
    TestForm->resize(width, 505);
    TestForm->ArrangeExamChoice();
    const widgets::ShapeButton* row[] = {TestForm->fcShapeBtn1, TestForm->fcShapeBtn2,
                                         TestForm->fcShapeBtn3, TestForm->fcShapeBtn4,
                                         TestForm->fcShapeBtn5, TestForm->fcShapeBtn6,
                                         TestForm->fcShapeBtn7};
    for (int k = 0; k < 7; ++k)
        QCOMPARE(row[k]->x(), letters + 36 * k);
    QCOMPARE(TestForm->AllQBtn->x(), wide);
    QCOMPARE(TestForm->RandomBtn->x(), wide + 115);
    QCOMPARE(TestForm->UserBtn->x(), wide + 230);
}

void TestExamWindow::examChoiceFollowsResize()
{
    TestForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(TestForm));
    TestForm->resize(800, 505);
    QTRY_COMPARE(TestForm->fcShapeBtn1->x(), 274);
    // Resized during an exam, the choice is centred again when the exam ends.
    reach(*TestForm, Running);
    TestForm->resize(732, 505);
    QTRY_COMPARE(TestForm->width(), 732);
    TestForm->CloseCurrentExam();
    QCOMPARE(TestForm->fcShapeBtn1->x(), 240);
    QCOMPARE(TestForm->AllQBtn->x(), 196);
}

void TestExamWindow::stateLook_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<int>("state");
    // Visible: choice panel, title, item area, button bar, counter+id+exam title, mark box,
    // verdict, clock, review label.
    QTest::addColumn<QString>("visible");  // one letter per control, "1" shown, "0" hidden
    QTest::addColumn<bool>("learnEnabled");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<bool>("examsMenu");
    QTest::addColumn<bool>("printing");

    QTest::newRow("0: no exam") << NoExam << 0 << "110000000" << true << "&Grade Now" << true
                                << false;
    QTest::newRow("1: running") << Running << 1 << "001111010" << true << "Grade Now" << false
                                << true;
    QTest::newRow("1: running, clock off") << RunningClockOff << 1 << "001111000" << true
                                           << "Grade Now" << false << true;
    QTest::newRow("1: graded") << Graded << 1 << "000111000" << true << "Score Report" << false
                               << true;
    QTest::newRow("3: reviewing") << Reviewing << 3 << "001110101" << false << "Score Report"
                                  << false << true;
    QTest::newRow("0: left after review") << LeftAfterReview << 0 << "110000000" << false
                                          << "Score Report" << true << false;
}

void TestExamWindow::stateLook()
{
    QFETCH(Stage, stage);
    QFETCH(int, state);
    QFETCH(QString, visible);
    QFETCH(bool, learnEnabled);
    QFETCH(QString, grade);
    QFETCH(bool, examsMenu);
    QFETCH(bool, printing);

    TTestForm& f = *TestForm;
    f.GradeButton->setText("&Grade Now");
    f.LearnButton->setEnabled(true);
    reach(f, stage);
    QCOMPARE(f.ExamState, state);

    const QList<QWidget*> controls = {f.Panel4, f.fcLabel1, f.ScrollBox1, f.Panel2, f.Label1,
                                      f.MarkBox, f.CorrectLabel, f.TimeLabel, f.ReviewLabel};
    for (int i = 0; i < controls.size(); ++i)
        QVERIFY2(controls[i]->isVisibleTo(&f) == (visible[i] == QLatin1Char('1')),
                 qPrintable(controls[i]->objectName()));
    // The item counter, the item identifier and the exam title go together.
    QCOMPARE(f.Label2->isVisibleTo(&f), f.Label1->isVisibleTo(&f));
    QCOMPARE(f.Label3->isVisibleTo(&f), f.Label1->isVisibleTo(&f));
    QCOMPARE(f.LearnButton->isEnabled(), learnEnabled);
    QCOMPARE(f.GradeButton->text(), grade);
    QCOMPARE(f.N21->menuAction()->isEnabled(), examsMenu);
    QVERIFY(f.History1->menuAction()->isEnabled());
    QVERIFY(f.StudyHistory1->isEnabled());
    QCOMPARE(f.MissedQuestions1->isEnabled(), examsMenu);
    QCOMPARE(f.MarkedQuestions1->isEnabled(), examsMenu);
    QCOMPARE(f.examKindEntry(store::examkind::DueForReview)->isEnabled(), examsMenu);
    QCOMPARE(f.Print1->isEnabled(), printing);
    QCOMPARE(f.Print2->isEnabled(), printing);
    QVERIFY(f.Preferences1->isEnabled());
    QVERIFY(f.Exit1->isEnabled());
    QVERIFY(f.About1->isEnabled());
    // Note is shown in every state but a user exam's.
    QVERIFY(f.NoteButton->isVisibleTo(f.Panel2));
}

void TestExamWindow::learnNowFollowsOption()
{
    TestForm->ShowLearnBtn = true;
    TestForm->LearnButton->setVisible(true);
    reach(*TestForm, Reviewing);
    QVERIFY(TestForm->LearnButton->isVisibleTo(TestForm));
    QVERIFY(!TestForm->LearnButton->isEnabled());
    TestForm->CloseCurrentExam();
    reach(*TestForm, Running);
    QVERIFY(TestForm->LearnButton->isVisibleTo(TestForm));
    QVERIFY(TestForm->LearnButton->isEnabled());
    TestForm->ShowLearnBtn = false;
    TestForm->LearnButton->setVisible(false);
}

void TestExamWindow::exitExam_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<PromptButton>("answer");
    QTest::addColumn<int>("stateAfter");
    QTest::newRow("running, yes") << Running << PromptButton::Yes << 0;
    QTest::newRow("running, no") << Running << PromptButton::No << 1;
    QTest::newRow("running, box closed") << Running << PromptButton::None << 1;
    QTest::newRow("reviewing, yes") << Reviewing << PromptButton::Yes << 0;
    QTest::newRow("reviewing, no") << Reviewing << PromptButton::No << 3;
}

void TestExamWindow::exitExam()
{
    QFETCH(Stage, stage);
    QFETCH(PromptButton, answer);
    QFETCH(int, stateAfter);
    testsupport::ScriptedPrompts prompts;
    prompts.answer(answer);
    TestForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(TestForm));
    reach(*TestForm, stage);
    TestForm->NoteButton->hide();  // as a user exam leaves it
    TestForm->dtQSet->setFilter("Q_EXAM_N=3");
    TestForm->dtQSet->setFiltered(true);

    QTest::mouseClick(TestForm->Button3, Qt::LeftButton);

    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& asked = prompts.requests().first();
    QCOMPARE(asked.kind, PromptKind::Confirmation);
    QCOMPARE(asked.caption, QString("Confirm"));
    QCOMPARE(asked.text, QString("Are you sure you wish to end this exam?"));
    QCOMPARE(asked.buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
    QCOMPARE(TestForm->ExamState, stateAfter);
    QVERIFY(TestForm->isVisible());  // the window stays open either way
    const bool ended = stateAfter == 0;
    QCOMPARE(TestForm->Panel4->isVisible(), ended);
    QCOMPARE(TestForm->N21->menuAction()->isEnabled(), ended);
    QCOMPARE(TestForm->MissedQuestions1->isEnabled(), ended);
    QCOMPARE(TestForm->MarkedQuestions1->isEnabled(), ended);
    QCOMPARE(TestForm->examKindEntry(store::examkind::DueForReview)->isEnabled(), ended);
    QCOMPARE(TestForm->Print1->isEnabled(), !ended);
    QCOMPARE(TestForm->NoteButton->isVisibleTo(TestForm->Panel2), ended);
    QCOMPARE(TestForm->dtQSet->filter().isEmpty(), ended);
    QCOMPARE(TestForm->dtQSet->filtered(), !ended);
}

void TestExamWindow::closingTheWindow_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<PromptButton>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("no exam") << NoExam << false << PromptButton::None << true;
    QTest::newRow("running, OK") << Running << true << PromptButton::Ok << true;
    QTest::newRow("running, Cancel") << Running << true << PromptButton::Cancel << false;
    QTest::newRow("running, box closed") << Running << true << PromptButton::None << false;
    QTest::newRow("graded, OK") << Graded << true << PromptButton::Ok << true;
    QTest::newRow("graded, Cancel") << Graded << true << PromptButton::Cancel << false;
    QTest::newRow("reviewing") << Reviewing << false << PromptButton::None << true;
}

void TestExamWindow::closingTheWindow()
{
    QFETCH(Stage, stage);
    QFETCH(bool, asked);
    QFETCH(PromptButton, answer);
    QFETCH(bool, closes);
    testsupport::ScriptedPrompts prompts;
    if (asked)
        prompts.answer(answer);
    TestForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(TestForm));
    reach(*TestForm, stage);
    const int before = TestForm->ExamState;
    QSignalSpy closed(TestForm, &TTestForm::formClosed);

    TestForm->Exit1->trigger();

    QCOMPARE(prompts.requests().size(), asked ? 1 : 0);
    if (asked) {
        const platform::PromptRequest& request = prompts.requests().first();
        QCOMPARE(request.kind, PromptKind::Warning);
        QCOMPARE(request.caption, QString("Warning"));
        QCOMPARE(request.text, QString("This exam is not completed.\rAre you shure ?"));
        QCOMPARE(request.buttons, (QList<PromptButton>{PromptButton::Ok, PromptButton::Cancel}));
    }
    QCOMPARE(TestForm->isVisible(), !closes);
    QCOMPARE(closed.size(), closes ? 1 : 0);
    // Closing ends the exam; a refused close leaves it as it was.
    QCOMPARE(TestForm->ExamState, closes ? 0 : before);
    QCOMPARE(TestForm->Panel4->isVisibleTo(TestForm), closes || stage == NoExam);
}

QTEST_MAIN(TestExamWindow)
void TestExamWindow::altLetterStartsAPracticeExam()
{
    // In the exam choice Alt+F belongs to practice exam F, not to the File menu.
    testsupport::makeBank(store::BankFileName, 14, [](int k) { return (k - 1) % 7 + 1; },
                          [](int k) { return (k - 1) % 4 + 1; });
    TestForm->show();
    QString dialogTitle;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialogTitle = dialog->windowTitle();
            static_cast<QDialog*>(dialog)->reject();
        }
    });
    QTest::keyClick(TestForm, Qt::Key_F, Qt::AltModifier);
    QCOMPARE(dialogTitle, QString("Begin Practice Exam F"));
    QFile::remove(store::BankFileName);
}

void TestExamWindow::f10OpensTheFileMenu()
{
    TestForm->show();
    QTest::keyClick(TestForm, Qt::Key_F10);
    QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(TestForm->N11));
    TestForm->N11->close();
}

namespace {

// Records the value of a progress bar each time it is painted.
class PaintedValues : public QObject {
public:
    explicit PaintedValues(QProgressBar* bar) : m_bar(bar) { bar->installEventFilter(this); }
    QList<int> values;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_bar && event->type() == QEvent::Paint)
            values.append(m_bar->value());
        return false;
    }

private:
    QProgressBar* m_bar;
};

}  // namespace

void TestExamWindow::progressBarIsPaintedWhileTheSetFills()
{
    // The preparation holds the event loop: the bar is painted from inside it, as it moves.
    testsupport::makeBank(store::BankFileName, 2000, [](int) { return 1; }, [](int) { return 1; });
    testsupport::makeTable(store::CurrentSetFileName, store::TableKind::Current, {});
    TTestForm& f = *TestForm;
    f.dtQSet->setFilter("Q_EXAM_N=1");
    f.dtQSet->setFiltered(true);
    f.dtQSet->open();
    PaintedValues painted(ProgressForm->ProgressBar1);
    PrepareExamSet(*f.dtQSet, *f.dtCurrentSet, ProgressForm->listener());
    QVERIFY(!ProgressForm->isVisible());
    QCOMPARE(ProgressForm->windowTitle(), QString("Randomizing question set..."));
    QCOMPARE(ProgressForm->ProgressBar1->maximum(), 2000);
    const bool halfway = std::any_of(painted.values.begin(), painted.values.end(),
                                     [](int value) { return value >= 800 && value <= 1200; });
    QVERIFY2(halfway, qPrintable(QString("painted at %1 values").arg(painted.values.size())));
    f.CloseCurrentExam();
    QFile::remove(store::BankFileName);
    QFile::remove(store::CurrentSetFileName);
}

#include "test_exam_window.moc"
