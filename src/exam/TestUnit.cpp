#include "exam/TestUnit.h"

// The exam window's behaviour: its states, the exam starts and leaving an exam. Its controls
// are built in TestUnitControls.cpp, item answering is in TestUnitAnswering.cpp, the clock,
// grading and the items review in TestUnitResults.cpp.

#include "exam/NameUnit.h"
#include "exam/PrepareUnit.h"
#include "exam/ProgressUnit.h"
#include "exam/TestFormDesign.h"
#include "platform/ClockText.h"
#include "platform/Handler.h"
#include "platform/Prompts.h"
#include "results/Grading.h"
#include "results/ScoreUnit.h"
#include "results/TimeCounter.h"
#include "store/ExamKinds.h"
#include "widgets/CloseQuery.h"
#include "widgets/NumberEdit.h"
#include "widgets/OutlinedLabel.h"
#include "widgets/ShapeButton.h"
#include "widgets/WindowStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>

TTestForm* TestForm = nullptr;

using namespace testform;

namespace {

// Places the buttons of one exam-choice row side by side, ExamChoiceGap apart, the row (with
// `gaps` gaps) centred in `outerWidth`.
void centreRow(const std::vector<widgets::ShapeButton*>& row, int outerWidth, int gaps)
{
    int width = gaps * ExamChoiceGap;
    for (const widgets::ShapeButton* button : row)
        width += button->width();
    int left = int(results::roundHalfEven(outerWidth - width, 2));
    for (widgets::ShapeButton* button : row) {
        button->move(left, button->y());
        left += button->width() + ExamChoiceGap;
    }
}

examhistory::WeakSpots weakSpotsOf(const store::ExamKind& kind)
{
    if (kind.id == store::examkind::Missed)
        return examhistory::WeakSpots::Missed;
    return kind.id == store::examkind::Marked ? examhistory::WeakSpots::Marked : examhistory::WeakSpots::Due;
}

}  // namespace

void TTestForm::FormCreate()
{
    // 1. Morning and afternoon designators of the clock's time texts.
    platform::setTimeDesignators(QStringLiteral("\r"), QStringLiteral("\r"));
    // 2. The table password.
    Session1.addPassword(store::TablePassword);
    // 3. Maximized, centred when restored.
    setWindowTitle(platform::ApplicationTitle);
    setMinimumSize(DesignWidth, MinimumHeight);
    resize(DesignWidth, DesignHeight);
    widgets::centreOnScreen(this);
    setWindowState(windowState() | Qt::WindowMaximized);
    // 4.
    ExamState = NoExam;
    // 5. The system program folder, the options, the Learn Now and calculator buttons.
    LoadOptions();

    // The look of state 0.
    Panel4->show();
    fcLabel1->show();
    ScrollBox1->hide();
    Panel2->hide();
    Label1->hide();
    Label2->hide();
    Label3->hide();
    TimeLabel->hide();
    ReviewLabel->hide();
    CorrectLabel->hide();
    MarkBox->hide();
    Print2->setEnabled(false);
    Print1->setEnabled(false);
    ArrangeExamChoice();
}

bool TTestForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        for (int k = 1; k <= 6; ++k) {
            QLabel* label = answerLabel(k);
            if (watched == label && mouse->button() == Qt::LeftButton &&
                label->rect().contains(mouse->position().toPoint())) {
                try {
                    ALabelkClick(k);
                } catch (...) {
                    platform::showCurrentException();
                }
                return true;
            }
        }
    }
    if (event->type() == QEvent::Resize) {
        if (watched == Panel1)
            placeHeaderControls();
        else if (watched == Panel2)
            placeButtonBar();
        else if (watched == Panel4)
            placeExamChoice();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TTestForm::linkWindows(TScoreForm* score, QDialog* about, TNoteForm* note)
{
    ScoreWindow = score;
    AboutBox = about;
    NoteWindow = note;
    if (score) {
        connect(score, &TScoreForm::viewAnswers, this, platform::handled([this] { ViewAnswers(); }));
        connect(score, &TScoreForm::exitExam, this, platform::handled([this] { CloseCurrentExam(); }));
    }
}

void TTestForm::ExamControls()
{
    Panel4->hide();
    ScrollBox1->show();
    ScrollBox1->setEnabled(true);
    Panel2->show();
    fcLabel1->hide();
    Label1->show();
    Label2->show();
    MarkBox->show();
    Label3->show();
    TimeLabel->show();
    ReviewLabel->hide();
    CorrectLabel->hide();
    GradeButton->setText(QStringLiteral("Grade Now"));
    setExamChoiceEnabled(false);
    Print1->setEnabled(true);
    Print2->setEnabled(true);
    LearnButton->setEnabled(true);
}

QAction* TTestForm::examKindEntry(const QString& id) const
{
    for (const ExamKindControls& controls : m_examKinds)
        if (controls.kind->id == id)
            return controls.menuEntry;
    return nullptr;
}

void TTestForm::setExamChoiceEnabled(bool enabled)
{
    N21->menuAction()->setEnabled(enabled);
    N21->setEnabled(enabled);
    // The "Hi&story" menu stays enabled; only its exam kinds follow.
    for (const ExamKindControls& controls : m_examKinds)
        if (controls.kind->offer == store::ExamOffer::HistoryMenu)
            controls.menuEntry->setEnabled(enabled);
}

void TTestForm::GradedControls()
{
    // The clock stops, the item area waits for the next item and the Grade button offers the
    // score report.
    m_graded = true;
    StopClock();
    ScrollBox1->hide();
    GradeButton->setText(QStringLiteral("Score Report"));
}

void TTestForm::ReviewControls()
{
    MarkBox->hide();
    TimeLabel->hide();
    LearnButton->setEnabled(false);
    CorrectLabel->show();
    ReviewLabel->show();
}

void TTestForm::CloseCurrentExam()
{
    ExamState = NoExam;
    m_graded = false;
    m_itemSource = history::ItemSource::Bank;
    dtQSet->setFilter(QString());
    dtQSet->setFiltered(false);
    dtQSet->close();
    dtCurrentSet->close();
    dtUserSet->close();
    Panel2->hide();
    fcLabel1->show();
    setExamChoiceEnabled(true);
    Label1->hide();
    Label2->hide();
    CorrectLabel->hide();
    MarkBox->hide();
    Label3->hide();
    TimeLabel->hide();
    StopClock();
    ReviewLabel->hide();
    Print1->setEnabled(false);
    Print2->setEnabled(false);
    ScrollBox1->hide();
    Panel4->show();
    NoteButton->show();
    // The window may have changed size while the exam choice was hidden.
    ArrangeExamChoice();
}

void TTestForm::ArrangeExamChoice()
{
    // The window's width as the program sizes it (the window manager's frame is not counted,
    // so that the smallest window, 732 pixels, gives the design positions).
    const int outerWidth = width();
    std::vector<widgets::ShapeButton*> letters;
    std::vector<widgets::ShapeButton*> wide;
    for (const ExamKindControls& controls : m_examKinds) {
        if (controls.kind->offer == store::ExamOffer::LetterRow)
            letters.push_back(controls.button);
        else if (controls.kind->offer == store::ExamOffer::WideRow)
            wide.push_back(controls.button);
    }
    // The letters' row is centred as if one more gap followed its last letter.
    centreRow(letters, outerWidth, int(letters.size()));
    centreRow(wide, outerWidth, int(wide.size()) - 1);
}

// --- Exam selection ---

void TTestForm::SetQuestionCountLimits(bool enabled)
{
    dtQSet->open();
    dtQSet->setFilter(store::AskedItemsFilter);
    dtQSet->setFiltered(true);
    const int count = dtQSet->recordCount();
    widgets::NumberEdit* field = NameForm->SpinEdit2;
    // With an empty bank the field can only hold 0.
    field->setRange(std::min(1, count), count);
    field->showValue(count);
    dtQSet->close();

    NameForm->Label4->setEnabled(enabled);
    field->setEnabled(enabled);
    QPalette palette = field->palette();
    const QPalette standard = QApplication::palette();
    const QColor base = enabled ? standard.color(QPalette::Active, QPalette::Base)
                                : QColor(192, 192, 192);
    const QColor text = enabled ? standard.color(QPalette::Active, QPalette::Text)
                                : QColor(128, 128, 128);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::Text, text);
    }
    field->setPalette(palette);
}

void TTestForm::startExam(const store::ExamKind& kind)
{
    switch (kind.draw) {
    case store::ExamDraw::PracticeExam:
    case store::ExamDraw::AllAsked: startBankExam(kind); return;
    case store::ExamDraw::Random: startRandomExam(kind); return;
    case store::ExamDraw::UserSet: startUserExam(kind); return;
    case store::ExamDraw::HistoryList: startListedExam(kind); return;
    }
}

void TTestForm::takeKind(const store::ExamKind& kind)
{
    ExamTitle = kind.title;
    ExamKindId = kind.id;
}

void TTestForm::startBankExam(const store::ExamKind& kind)
{
    SetQuestionCountLimits(false);
    NameForm->setWindowTitle(kind.dialogTitle);
    takeKind(kind);
    dtQSet->setFilter(store::bankFilter(kind));
    BeginExam();
}

bool TTestForm::runNameForm()
{
    // The dialog's OK hands the name and the time limit back before the dialog closes.
    const QMetaObject::Connection taking =
        connect(NameForm, &TNameForm::valuesTaken, this, [this](const QString& name, double timeLimit) {
            CandidateName = name;
            TimeLimit = timeLimit;
        });
    const auto stopTaking = qScopeGuard([&taking] { disconnect(taking); });
    return NameForm->exec() == QDialog::Accepted;
}

void TTestForm::BeginExam()
{
    beginBankExam([this](const PrepareProgress& progress) { return PrepareExamSet(*dtQSet, *dtCurrentSet, progress, choiceShuffle()); });
}

void TTestForm::beginBankExam(const std::function<PreparedSet(const PrepareProgress&)>& prepare)
{
    NameForm->SpinEdit1->setValue(DefaultTime);
    if (!runNameForm())
        return;
    prepareAndRun([this, &prepare](const PrepareProgress& progress) {
        dtQSet->setFiltered(true);
        dtQSet->open();
        return prepare(progress);
    });
}

void TTestForm::startRandomExam(const store::ExamKind& kind)
{
    NameForm->setWindowTitle(kind.dialogTitle);
    SetQuestionCountLimits(true);
    takeKind(kind);
    dtQSet->setFilter(store::bankFilter(kind));
    // The time field keeps the value it had when the dialog last closed.
    if (!runNameForm())
        return;
    prepareAndRun([this](const PrepareProgress& progress) {
        dtQSet->setFiltered(true);
        dtQSet->open();
        // The field's range holds the count to the bank; never ask for more items than there are.
        const int count = std::min(NameForm->SpinEdit2->value(), dtQSet->recordCount());
        return PrepareRandomSet(*dtQSet, *dtCurrentSet, count, progress, choiceShuffle());
    });
}

void TTestForm::startUserExam(const store::ExamKind& kind)
{
    dtUserSet->open();
    if (dtUserSet->isEmpty()) {
        dtUserSet->close();
        platform::inform(QStringLiteral("Information"),
                         QStringLiteral("User defined question set is empty!"));
        return;
    }
    SetQuestionCountLimits(false);
    NameForm->setWindowTitle(kind.dialogTitle);
    takeKind(kind);
    BeginUserExam();
}

void TTestForm::BeginUserExam()
{
    NameForm->SpinEdit1->setValue(DefaultTime);
    if (!runNameForm())
        return;
    prepareAndRun(
        [this](const PrepareProgress& progress) {
            dtUserSet->open();
            const PreparedSet set = PrepareUserSet(*dtUserSet, *dtCurrentSet, progress, choiceShuffle());
            // Notes are kept in the question bank only.
            NoteButton->hide();
            return set;
        },
        history::ItemSource::UserSet);
}

void TTestForm::startListedExam(const store::ExamKind& kind)
{
    // The items as the other exams of the bank see it: retired items are never asked.
    dtQSet->setFilter(store::bankFilter(kind));
    dtQSet->setFiltered(true);
    dtQSet->open();
    examhistory::ListedItems listed;
    try {
        listed = examhistory::listedItems(weakSpotsOf(kind), *dtQSet);
    } catch (...) {
        dtQSet->close();
        throw;
    }
    dtQSet->close();
    const std::vector<std::int64_t>& items = listed.items;
    if (items.empty()) {
        platform::inform(QStringLiteral("Information"), listed.nothingText);
        return;
    }
    SetQuestionCountLimits(false);
    NameForm->setWindowTitle(kind.dialogTitle);
    takeKind(kind);
    dtQSet->setFilter(store::bankFilter(kind));
    beginBankExam([this, &items](const PrepareProgress& progress) {
        return PrepareListedSet(*dtQSet, *dtCurrentSet, items, progress, choiceShuffle());
    });
}

void TTestForm::prepareAndRun(const std::function<PreparedSet(const PrepareProgress&)>& prepare,
                              history::ItemSource source)
{
    Label3->setText(ExamTitle);
    ExamState = NoExam;
    const PreparedSet set = prepare(ProgressForm ? ProgressForm->listener() : PrepareProgress{});
    m_itemSource = source;
    StartRunning(set);
}

store::ChoiceShuffle* TTestForm::choiceShuffle()
{
    return ShuffleChoices ? &ChoiceShuffler : nullptr;
}

void TTestForm::StartRunning(const PreparedSet& set)
{
    ChoiceOrders = set.ChoiceOrders;
    FirstItemNo = set.FirstItemNo;
    ItemCount = set.ItemCount;
    BuildItemStates(*dtCurrentSet, ItemStates);
    m_graded = false;
    m_attemptKey = history::newAttemptKey();
    ExamState = ExamRunning;
    ExamControls();
    dtCurrentSet->first();
    // The exam letter that started the exam keeps the window's focus, hidden, while the begin-exam
    // dialog has it; where nothing activates the window again (no window manager), Enter or Space
    // would reach that letter and start another exam over this one.
    if (QWidget* focus = focusWidget(); focus && Panel4->isAncestorOf(focus))
        (NextButton->isEnabled() ? NextButton : GradeButton)->setFocus();
    TimeUsed->Restart();
    StartClock();
}

// --- Leaving an exam and closing the window ---

void TTestForm::Button3Click()
{
    if (platform::confirm(QStringLiteral("Confirm"),
                          QStringLiteral("Are you sure you wish to end this exam?")) ==
        platform::PromptButton::Yes)
        CloseCurrentExam();
}

void TTestForm::Exit1Click()
{
    close();
}

void TTestForm::StudyHistory1Click()
{
    // The window reads the history again each time it is shown.
    if (!StudyHistoryWindow)
        return;
    StudyHistoryWindow->show();
    StudyHistoryWindow->raise();
    StudyHistoryWindow->activateWindow();
}

void TTestForm::About1Click()
{
    if (AboutBox)
        AboutBox->exec();
}

void TTestForm::FormCloseQuery(bool& canClose)
{
    canClose = true;
    if (ExamState == ExamRunning)
        canClose = platform::warnOkCancel(QStringLiteral("Warning"),
                                          QStringLiteral("This exam is not completed.\r"
                                                         "Are you shure ?")) ==
                   platform::PromptButton::Ok;
}

void TTestForm::FormClose()
{
    CloseCurrentExam();
    emit formClosed();
}

void TTestForm::closeEvent(QCloseEvent* event)
{
    widgets::answerClose(
        event, [this](bool& canClose) { FormCloseQuery(canClose); }, [this] { FormClose(); });
}

void TTestForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    try {
        FormResize();
    } catch (...) {
        platform::showCurrentException();
    }
}

void TTestForm::FormResize()
{
    // While an exam set is being prepared (no exam yet) there is no item to lay out.
    if (dtCurrentSet->isOpen() && ExamState != NoExam)
        LayoutItem();
    if (Panel4->isVisibleTo(this))
        ArrangeExamChoice();
}
