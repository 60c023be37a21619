#pragma once
// The exam window: where every exam is chosen, taken, graded and reviewed.
//
// States (`ExamState`): 0 no exam (the exam choice is shown), 1 exam running (also after
// grading until the answers are viewed), 3 reviewing. ExamControls, ReviewControls and
// CloseCurrentExam switch the window's look between them.

#include "exam/ExamHistory.h"
#include "exam/PrepareUnit.h"
#include "options/OptionsStore.h"
#include "options/RunButton.h"
#include "store/ExamKinds.h"
#include "store/ItemStates.h"
#include "store/Session.h"
#include "store/Table.h"
#include "widgets/OutlinedLabel.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QDialog;
class TNoteForm;
class TScoreForm;
class TOptionsForm;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;

#include "results/Grading.h"

namespace results {
class TKZTimeCounter;
class TimeSource;
}  // namespace results
namespace widgets {
class OutlinedLabel;
class ShapeButton;
}  // namespace widgets

// The window keeps the current options as its own fields (ShowLearnBtn, TimerOn, ShowCalcBtn,
// DefaultTime, CalcPath and the three fonts): it is the OptionValues it loads and writes.
class TTestForm : public QMainWindow, public options::OptionValues {
    Q_OBJECT
public:
    explicit TTestForm(QWidget* parent = nullptr);
    ~TTestForm() override;

    // The data session and the exam window's tables.
    store::Session Session1{store::SessionName};
    store::Table* dtQSet;
    store::Table* dtCurrentSet;
    store::Table* dtUserSet;
    store::DataSource* dsQSet;
    store::DataSource* dsCurrentSet;
    store::DataSource* dsUserSet;

    // The values of ExamState; it stays an int, as there is no state 2.
    static constexpr int NoExam = 0;       // the exam choice is shown
    static constexpr int ExamRunning = 1;  // also after grading, until the answers are viewed
    static constexpr int Reviewing = 3;    // the answers are shown with the key

    store::ItemStates ItemStates;
    int ExamState = NoExam;
    QString ExamTitle;
    QString ExamKindId;  // the running exam's kind (store/ExamKinds.h), as the study history keys it
    QString CandidateName;
    double TimeLimit = 0;  // fraction of a day
    int FirstItemNo = 0;
    int ItemCount = 0;
    // The order each item's choices were shown in (entry r - 1 for record number r); empty
    // when the exam keeps the stored orders.
    std::vector<store::ChoiceOrder> ChoiceOrders;
    // The generator of the shuffled orders: seeded once per program start, as the window is
    // made once; tests reseed it to fix the orders.
    store::ChoiceShuffle ChoiceShuffler;

    // The current options are the fields of options::OptionValues, loaded once at creation.
    QString WindowsDir;  // the system program folder, where the calculator is looked for

    // Header.
    QWidget* Panel1;
    widgets::OutlinedLabel* fcLabel1;
    widgets::OutlinedLabel* Label1;  // "Item n of m"
    QLabel* Label2;  // "Item ID: n"
    QLabel* Label3;  // the exam title
    QCheckBox* MarkBox;
    widgets::OutlinedLabel* CorrectLabel;  // the verdict while reviewing
    widgets::OutlinedLabel* TimeLabel;     // the clock
    QLabel* ReviewLabel;
    // Client area: item area or exam choice.
    QWidget* Panel3;
    QScrollArea* ScrollBox1;
    // The item area's controls, children of ScrollBox1's content (ItemArea).
    QWidget* ItemArea;
    QWidget* QPanel;
    QLabel* QText;
    QFrame* Shape1;
    QPushButton* ExhBtnA;
    QPushButton* ExhBtnB;
    TddgRunButton* CalcButton;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    QRadioButton* RadioButton5;
    QRadioButton* RadioButton6;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox6;
    QLabel* ALabel1;
    QLabel* ALabel2;
    QLabel* ALabel3;
    QLabel* ALabel4;
    QLabel* ALabel5;
    QLabel* ALabel6;
    QLabel* ExpText;
    QWidget* Bevel2;
    // Choice k of 1..6 (a..f).
    QRadioButton* radioButton(int k) const;
    QCheckBox* checkBox(int k) const;
    QLabel* answerLabel(int k) const;
    QWidget* Panel4;  // the exam choice
    widgets::OutlinedLabel* fcLabel3;  // its heading
    QWidget* Panel5;
    widgets::OutlinedLabel* fcLabel4;  // its prompt
    widgets::ShapeButton* fcShapeBtn1;  // practice exams A (1) to G (7)
    widgets::ShapeButton* fcShapeBtn2;
    widgets::ShapeButton* fcShapeBtn3;
    widgets::ShapeButton* fcShapeBtn4;
    widgets::ShapeButton* fcShapeBtn5;
    widgets::ShapeButton* fcShapeBtn6;
    widgets::ShapeButton* fcShapeBtn7;
    widgets::ShapeButton* AllQBtn;
    widgets::ShapeButton* RandomBtn;
    widgets::ShapeButton* UserBtn;
    // Button bar.
    QWidget* Panel2;
    QPushButton* PrevButton;
    QPushButton* NextButton;
    QPushButton* LearnButton;
    QPushButton* Button1;  // "Items &Review"
    QPushButton* NoteButton;
    QPushButton* GradeButton;
    QPushButton* Button3;  // "E&xit Exam"

    // Main menu.
    QMenu* N11;  // "&File"
    QAction* Preferences1;
    QAction* Print2;  // "Print all items in this exam"
    QAction* PrintPreview2;  // "Pre&view all items...", enabled with Print2
    QAction* Print1;  // "&Print this item"
    QAction* PrintPreview1;  // "Previe&w this item...", enabled with Print1
    QAction* Exit1;
    QMenu* N21;  // "Exa&ms"
    QAction* PracticeExamA1;
    QAction* PracticeExamB1;
    QAction* PracticeExamC1;
    QAction* PracticeExamD1;
    QAction* PracticeExamE1;
    QAction* PracticeExamF1;
    QAction* G1;
    QAction* TakeAllQuestions1;
    QAction* CreateRandomExam1;
    QAction* UserExam1;
    QMenu* History1;  // "Hi&story", enabled in every state
    QAction* StudyHistory1;
    QAction* MissedQuestions1;  // bound to MissedAct; enabled with the "Exa&ms" menu
    QAction* MarkedQuestions1;  // bound to MarkedAct; enabled with the "Exa&ms" menu
    QMenu* Help1;
    QAction* About1;

    // The exam kinds (store/ExamKinds.h): Action1 to Action7 are practice exams A to G.
    QAction* Action1;
    QAction* Action2;
    QAction* Action3;
    QAction* Action4;
    QAction* Action5;
    QAction* Action6;
    QAction* Action7;
    QAction* AllQAct;
    QAction* RandAct;
    QAction* UserAct;
    // The exams aimed at weak spots: the bank items missed, or marked, in their latest attempt.
    QAction* MissedAct;
    QAction* MarkedAct;

    // Links to the windows that start-up creates beside this one: the score window, which
    // grading fills and shows, the about box and the note window.
    void linkWindows(TScoreForm* score, QDialog* about, TNoteForm* note);
    TScoreForm* ScoreWindow = nullptr;
    QDialog* AboutBox = nullptr;
    TNoteForm* NoteWindow = nullptr;
    // The options window that File > Options... shows.
    void linkOptionsWindow(TOptionsForm* options) { OptionsWindow = options; }
    TOptionsForm* OptionsWindow = nullptr;
    // The Study History window that History > Study History... shows.
    void linkStudyHistory(QWidget* window) { StudyHistoryWindow = window; }
    // The menu entry that starts the exam kind `id`; null when there is none.
    QAction* examKindEntry(const QString& id) const;
    QWidget* StudyHistoryWindow = nullptr;
    void StudyHistory1Click();

    // The options: loaded once at creation; File > Options... shows the options window and,
    // after OK, applies its choices at once and writes all of them to the store.
    void LoadOptions();
    void Preferences1Click();
    // The current options as the store keeps them.
    const options::OptionValues& CurrentOptions() const { return *this; }

    // Switching the window's look between the states.
    void ExamControls();
    // What grading does to the running exam's window.
    void GradedControls();
    void ReviewControls();
    void CloseCurrentExam();
    void ArrangeExamChoice();

    // The exam clock: counts the time limit down while TimerOn and an exam runs.
    results::TKZTimeCounter* Timer1 = nullptr;
    // The time used since the exam began, for the study history: the clock above starts again
    // when its option is switched off and on, this count does not.
    results::TKZTimeCounter* TimeUsed = nullptr;
    void StartClock();
    void StopClock();
    void Timer1Timer();
    void TimeExpired();
    // Replaces the clock's time source (tests drive the clock by hand).
    void setClockSource(std::shared_ptr<results::TimeSource> source);

    // Grading and the score window.
    void GradeButtonClick();
    void GradeExam();
    // Records the graded exam in the study history; the message to show when it was not
    // recorded, else empty.
    QString RecordAttempt();
    void ShowTotalScore();
    void ShowSectionScores();
    // The score window's "View Answers": review from the first item.
    void ViewAnswers();

    // The items review.
    void Button1Click();
    void FillRunningReview();
    void FillGradedReview();

    // Exam selection: every kind's action starts it with startExam.
    void startExam(const store::ExamKind& kind);
    void ActionExecute(int exam) { startExam(store::practiceExamKind(exam)); }  // 1..7 (A to G)
    void Action1Execute() { ActionExecute(1); }
    void Action2Execute() { ActionExecute(2); }
    void Action3Execute() { ActionExecute(3); }
    void Action4Execute() { ActionExecute(4); }
    void Action5Execute() { ActionExecute(5); }
    void Action6Execute() { ActionExecute(6); }
    void Action7Execute() { ActionExecute(7); }
    void AllQActExecute() { startExam(store::examKind(store::examkind::AllQuestions)); }
    void RandActExecute() { startExam(store::examKind(store::examkind::Random)); }
    void UserActExecute() { startExam(store::examKind(store::examkind::User)); }
    void MissedActExecute() { startExam(store::examKind(store::examkind::Missed)); }
    void MarkedActExecute() { startExam(store::examKind(store::examkind::Marked)); }
    void SetQuestionCountLimits(bool enabled);
    void BeginExam();
    void BeginUserExam();
    // The one way into the running state: takes the prepared current exam set (open), builds the
    // answer sheet, shows the first item and starts the clock.
    void StartRunning(const PreparedSet& set);
    // The shuffle for an exam start: the generator while the option is on, else none.
    store::ChoiceShuffle* choiceShuffle();

    void Button3Click();
    void Exit1Click();
    // Printing: the item on screen, or every item of the exam with its key.
    void Print1Click();
    void Print2Click();
    void PrintPreview1Click();
    void PrintPreview2Click();
    void About1Click();
    // Answers whether the window may close; asks in state 1.
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void FormResize();

    // Item presentation and answering.
    void dsCurrentSetDataChange();
    void PrevButtonClick();
    void NextButtonClick();
    void RadioButton1Click();
    void RecordRadioAnswer();
    void CheckBoxkClick(int k);
    void ALabelkClick(int k);
    void UpdateCorrect();
    void MarkBoxClick();
    void LearnButtonClick();
    void ExhBtnAClick();
    void ExhBtnBClick();
    // The note window on the current item.
    void NoteButtonClick();
    void LayoutItem();
    void DecorateItem();
    void RevealKey();
    // The answer sheet entry of the current record; null when there is none.
    store::TItemState* currentItemState();
    // Sets a radio button's selected state as code does; clearing one is allowed.
    static void setRadioChecked(QRadioButton* button, bool checked);

signals:
    // The window has closed (after FormClose); the launcher comes back.
    void formClosed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    results::Grade m_grade;  // the last grading's result
    QString m_attemptKey;    // the running exam's attempt in the study history
    history::ItemSource m_itemSource = history::ItemSource::Bank;  // where its items come from
    bool m_graded = false;   // the running exam has been graded: its clock stays off
    // Each exam kind's controls, in the order of store::examKinds().
    struct ExamKindControls {
        const store::ExamKind* kind = nullptr;
        QAction* action = nullptr;
        QAction* menuEntry = nullptr;
        widgets::ShapeButton* button = nullptr;  // none for a kind of the "Hi&story" menu
    };
    std::vector<ExamKindControls> m_examKinds;
    void FormCreate();
    void buildHeader();
    void buildClientArea();
    void buildButtonBar();
    void buildMenu();
    void buildActions();
    void placeHeaderControls();
    void placeButtonBar();
    void placeExamChoice();
    // The exam kinds' buttons and menu entries (buildActions makes their actions).
    void buildExamChoiceButtons();
    void addExamKindEntries(QMenu* menu, store::ExamOffer offer);
    // The start of each way of drawing the items (store::ExamDraw).
    void startBankExam(const store::ExamKind& kind);
    void startRandomExam(const store::ExamKind& kind);
    void startUserExam(const store::ExamKind& kind);
    void startListedExam(const store::ExamKind& kind);
    // The title and id of the exam about to start.
    void takeKind(const store::ExamKind& kind);
    // Runs the begin-exam dialog; true when it was confirmed.
    bool runNameForm();
    // Runs the dialog and, when confirmed, `prepare` on the open question bank with its filter on.
    void beginBankExam(const std::function<PreparedSet(const PrepareProgress&)>& prepare);
    // After a confirmed dialog: shows the title, prepares the exam set and runs it.
    void prepareAndRun(const std::function<PreparedSet(const PrepareProgress&)>& prepare,
                       history::ItemSource source = history::ItemSource::Bank);
    // The "Exa&ms" menu and the history's exam kinds: enabled only with the exam choice.
    void setExamChoiceEnabled(bool enabled);
    void buildItemArea();
    void connectItemArea();
    // True while the note window is shown: record changes then redraw nothing.
    bool noteWindowVisible() const;
    // Takes the three fonts of `values` and gives them to the question text, the item area and
    // the explanation.
    void assignItemFonts(const options::OptionValues& values);
    // The options window's OK: takes each changed choice and shows its effect at once.
    void takeOptionChoices(const options::OptionValues& pending);
};

extern TTestForm* TestForm;
