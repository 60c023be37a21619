#include "historywindow/StudyHistoryWindow.h"

#include "history/CurrentItems.h"
#include "history/HistoryError.h"
#include "history/HistoryStore.h"
#include "historywindow/AttemptListModel.h"
#include "historywindow/ChartPair.h"
#include "historywindow/HistoryCharts.h"
#include "historywindow/QuestionStart.h"
#include "historywindow/ReadinessPanel.h"
#include "historywindow/ReadinessTexts.h"
#include "history/StudyPlan.h"
#include "store/StoreError.h"
#include "store/Fields.h"
#include "platform/Handler.h"
#include "platform/Prompts.h"
#include "print/StudyHistoryReport.h"
#include "charts/BarChart.h"
#include "charts/ChartPainting.h"
#include "results/Grading.h"
#include "widgets/MnemonicPrecedence.h"

#include <QAction>
#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace historywindow {

namespace {

const QString Caption = QStringLiteral("Study History");
// How many of the most-missed questions the window lists.
constexpr int MissedShown = 20;
// The window's size where the screen has room for it.
constexpr QSize PreferredSize(980, 700);
// What the window manager's frame around the window may take, in each direction.
constexpr int FrameAllowance = 24;
// The attempts list grows with its rows up to this many, then scrolls; the most-missed list
// shows at least this many.
constexpr int AttemptRowsShown = 8;
constexpr int MissedRowsAtLeast = 5;
constexpr int MinimumContentHeight = 240;
constexpr int ScoreChartHeight = 220;
constexpr int TrendChartHeight = 210;

// The height of `list` with its header and `rows` rows.
int listHeight(QTreeView* list, int rows)
{
    const int row = list->model() && list->model()->rowCount() > 0 ? list->sizeHintForRow(0)
                                                                      : list->fontMetrics().height() + 6;
    return list->header()->sizeHint().height() + rows * row + 2 * list->frameWidth();
}

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// Where an export is offered first: the user's documents, not the program's working folder.
QString exportFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// "1 attempt", "12 attempts".
QString attemptsText(int count)
{
    return count == 1 ? QStringLiteral("1 attempt") : QStringLiteral("%1 attempts").arg(count);
}

// The columns of a most-missed question, in the window and on paper.
QString questionText(const history::MissedItem& item)
{
    const QString question = shownQuestionStart(item.question);
    return item.former ? QStringLiteral("(former item) ") + question : question;
}

QString missedText(const history::MissedItem& item)
{
    return QStringLiteral("%1 of %2").arg(item.timesMissed).arg(item.timesSeen);
}

QString lastRightText(const history::MissedItem& item)
{
    return item.lastAnsweredRight.isValid() ? shownDateTime(item.lastAnsweredRight) : QStringLiteral("never");
}

// "Remove the one attempt", "Remove both attempts", "Remove all 12 attempts" from the history.
QString removeAttemptsQuestion(int count)
{
    const QString which = count == 1   ? QStringLiteral("the one attempt")
                          : count == 2 ? QStringLiteral("both attempts")
                                       : QStringLiteral("all %1 attempts").arg(count);
    return QStringLiteral("Remove %1 from the study history?").arg(which);
}

}  // namespace

StudyHistoryWindow::StudyHistoryWindow(const QString& workingFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      m_folder(workingFolder),
      m_store(std::make_unique<history::HistoryStore>(QDir(workingFolder).filePath(history::HistoryFileName)))
{
    setObjectName(QStringLiteral("StudyHistoryWindow"));
    setWindowTitle(Caption);
    buildMenu();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    problemLabel = new QLabel(central);
    problemLabel->setObjectName(QStringLiteral("problemLabel"));
    problemLabel->setWordWrap(true);
    problemLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problemLabel->setStyleSheet(
        QStringLiteral("QLabel { background: #fff4d6; border: 1px solid #d9a400; padding: 6px; }"));
    problemLabel->hide();
    layout->addWidget(problemLabel);

    auto* showRow = new QHBoxLayout;
    auto* showLabel = new QLabel(QStringLiteral("&Show:"), central);
    examChoice = new QComboBox(central);
    examChoice->setObjectName(QStringLiteral("examChoice"));
    examChoice->setAccessibleName(QStringLiteral("Exams shown"));
    examChoice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    showLabel->setBuddy(examChoice);
    summaryLabel = new QLabel(central);
    summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    showRow->addWidget(showLabel);
    showRow->addWidget(examChoice);
    showRow->addSpacing(16);
    showRow->addWidget(summaryLabel, 1);
    layout->addLayout(showRow);

    pages = new QStackedWidget(central);
    emptyLabel = new QLabel(
        QStringLiteral("<p style='font-size:15px'><b>No graded exams yet.</b></p>"
                       "<p>Every exam you grade is kept here: its score, how each section went, and the "
                       "questions you missed.<br>Take a practice exam and grade it, then come back.</p>"),
        pages);
    emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    emptyLabel->setAlignment(Qt::AlignCenter);
    emptyLabel->setWordWrap(true);
    pages->addWidget(emptyLabel);
    pages->addWidget(buildContent());
    layout->addWidget(pages, 1);
    setCentralWidget(central);
    statusBar();

    connect(examChoice, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            reading([this] { showChosen(); });
    });
    showEmpty(true);
    enableCommands();
    // F10 opens the menu, as in the program's other windows.
    new widgets::MnemonicPrecedence(this);
}

StudyHistoryWindow::~StudyHistoryWindow() = default;

void StudyHistoryWindow::buildMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&History"));
    printAction = menu->addAction(QStringLiteral("&Print study history..."));
    printAction->setShortcut(QKeySequence::Print);
    previewAction = menu->addAction(QStringLiteral("Print pre&view..."));
    menu->addSeparator();
    exportAction = menu->addAction(QStringLiteral("&Export history..."));
    clearAction = menu->addAction(QStringLiteral("&Clear history..."));
    menu->addSeparator();
    closeAction = menu->addAction(QStringLiteral("C&lose"));
    closeAction->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    connect(printAction, &QAction::triggered, this, platform::handled([this] { printHistory(print::Output::Printer); }));
    connect(previewAction, &QAction::triggered, this,
            platform::handled([this] { printHistory(print::Output::Preview); }));
    connect(exportAction, &QAction::triggered, this, platform::handled([this] { exportHistory(); }));
    connect(clearAction, &QAction::triggered, this, platform::handled([this] { clearHistory(); }));
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
}

QWidget* StudyHistoryWindow::buildContent()
{
    // Everything in one column that scrolls when the window is small: the attempts, the two
    // charts, the most-missed questions.
    contentArea = new QScrollArea(pages);
    contentArea->setObjectName(QStringLiteral("contentArea"));
    contentArea->setFrameShape(QFrame::NoFrame);
    contentArea->setWidgetResizable(true);
    contentArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Made small, the window still shows a useful piece of the column: the attempts and the
    // start of a chart, or several questions.
    contentArea->setMinimumHeight(MinimumContentHeight);
    auto* content = new QWidget(contentArea);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);

    attempts = new AttemptListModel(this);
    attemptList = new QTreeView(content);
    attemptList->setObjectName(QStringLiteral("attemptList"));
    attemptList->setAccessibleName(QStringLiteral("Attempts, newest first"));
    attemptList->setRootIsDecorated(false);
    attemptList->setUniformRowHeights(true);
    attemptList->setAlternatingRowColors(true);
    attemptList->setModel(attempts);
    attemptList->header()->setStretchLastSection(false);
    // Columns as wide as the rows on screen need: measuring a thousand rows of ten thousand
    // would cost more than reading them.
    attemptList->header()->setResizeContentsPrecision(0);
    attemptList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    attemptList->header()->setSectionResizeMode(AttemptListModel::ExamColumn, QHeaderView::Stretch);
    auto* listLabel = heading(QStringLiteral("&Attempts"), content);
    listLabel->setBuddy(attemptList);

    scoreChart = new charts::BarChart;
    scoreChart->setObjectName(QStringLiteral("scoreChart"));
    scoreChart->setMinimumHeight(ScoreChartHeight);
    trendChart = new charts::BarChart;
    trendChart->setObjectName(QStringLiteral("trendChart"));
    trendChart->setMinimumHeight(TrendChartHeight);
    chartPair = new ChartPair(scoreChart, trendChart, content);

    missedList = new QTreeWidget(content);
    missedList->setObjectName(QStringLiteral("missedList"));
    missedList->setAccessibleName(QStringLiteral("Most missed questions"));
    missedList->setRootIsDecorated(false);
    missedList->setUniformRowHeights(true);
    missedList->setHeaderLabels({QStringLiteral("Question"), QStringLiteral("Missed"), QStringLiteral("Last right")});
    missedList->header()->setStretchLastSection(false);
    missedList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    missedList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    missedList->setMinimumHeight(listHeight(missedList, MissedRowsAtLeast));
    auto* missedLabel = heading(QStringLiteral("&Most missed questions (all exams)"), content);
    missedLabel->setBuddy(missedList);

    readinessPanel = new ReadinessPanel(content);
    connect(readinessPanel, &ReadinessPanel::examDateChosen, this,
            platform::handled([this](std::optional<QDate> day) { setExamDate(day); }));

    column->addWidget(readinessPanel);
    column->addWidget(listLabel);
    column->addWidget(attemptList);
    column->addWidget(chartPair);
    column->addWidget(missedLabel);
    column->addWidget(missedList, 1);
    contentArea->setWidget(content);
    return contentArea;
}

void StudyHistoryWindow::fitContent()
{
    // The attempts list as high as its rows, up to a few; the most-missed list takes the rest.
    attemptList->setFixedHeight(listHeight(attemptList, std::clamp(attempts->rowCount(), 1, AttemptRowsShown)));
    scoreChart->setMinimumWidth(readableWidth(scoreChart->model(), ScoreChartHeight, scoreChart));
    trendChart->setMinimumWidth(readableWidth(trendChart->model(), TrendChartHeight, trendChart));
    chartPair->updateGeometry();
    // Never narrower than the content: it scrolls up and down only.
    QWidget* content = contentArea->widget();
    content->layout()->activate();
    contentArea->setMinimumWidth(content->minimumSizeHint().width() + contentArea->verticalScrollBar()->sizeHint().width());
}

void StudyHistoryWindow::setVisible(bool visible)
{
    if (visible && !m_placed) {
        m_placed = true;
        placeOnScreen();
    }
    QMainWindow::setVisible(visible);
}

void StudyHistoryWindow::placeOnScreen()
{
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect free = shownOn->availableGeometry();
    // Room for the frame that the window manager puts around the window.
    const QSize room = free.size() - QSize(FrameAllowance, 2 * FrameAllowance);
    if (QLayout* main = layout())
        main->activate();
    resize(PreferredSize.boundedTo(room).expandedTo(minimumSizeHint()));
    move(free.topLeft() + QPoint(std::max(0, (free.width() - width()) / 2), std::max(0, (room.height() - height()) / 2)));
}

QString StudyHistoryWindow::chosenExam() const
{
    return examChoice->currentData().toString();
}

void StudyHistoryWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        platform::handled([this] { reload(); })();
}

void StudyHistoryWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && fileStamp() != m_readStamp)
        platform::handled([this] { reload(); })();
}

QPair<qint64, QDateTime> StudyHistoryWindow::fileStamp() const
{
    const QFileInfo file(m_store->path());
    return {file.exists() ? file.size() : -1, file.lastModified()};
}

void StudyHistoryWindow::reload()
{
    m_readStamp = fileStamp();
    m_readFailed = false;
    m_unreadable = false;
    problemLabel->hide();
    reading([this] {
        const std::vector<history::ExamGroup> exams = m_store->exams();
        const QString chosen = chosenExam();
        m_filling = true;
        examChoice->clear();
        examChoice->addItem(QStringLiteral("All exams"), QString());
        for (const history::ExamGroup& exam : exams)
            examChoice->addItem(exam.title, exam.kindId);
        examChoice->setCurrentIndex(std::max(0, examChoice->findData(chosen)));
        // The box keeps its longest title whole, however narrow the window.
        examChoice->setMinimumWidth(examChoice->sizeHint().width());
        m_filling = false;
        m_attemptCount = -1;
        showChosen();
        showMostMissed();
        showReadiness();
    });
}

namespace {

// The readiness panel's content, worked out away from the window: a plan, or why there is none.
PlannedReadiness planIn(const QString& folder, const QString& historyFile)
{
    PlannedReadiness planned;
    try {
        const history::BankFacts bank = history::bankFactsIn(QDir(folder).filePath(store::BankFileName));
        planned.plan = history::studyPlanOf(history::HistoryStore(historyFile), bank, QDateTime::currentMSecsSinceEpoch());
    } catch (const history::HistoryError& error) {
        planned.problem = error.message();
    } catch (const store::StoreError& error) {
        planned.problem =
            QStringLiteral("The estimate needs the question bank, which cannot be read: %1").arg(error.what());
    } catch (const std::exception& error) {
        planned.problem = QString::fromStdString(error.what());
    }
    return planned;
}

}  // namespace

void StudyHistoryWindow::showReadiness()
{
    // A long history and a large bank take a moment: the window opens and stays usable meanwhile.
    readinessPanel->showWorking();
    auto task = std::make_shared<std::packaged_task<PlannedReadiness()>>(
        [folder = m_folder, historyFile = m_store->path()] { return planIn(folder, historyFile); });
    m_plan = task->get_future().share();
    const int request = ++m_planRequest;
    QPointer<StudyHistoryWindow> self(this);
    QThreadPool::globalInstance()->start([task, self, request] {
        (*task)();
        // Back on the window's thread, which checks that the window is still there.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, request] {
                if (self && request == self->m_planRequest)
                    self->showPlanned();
            },
            Qt::QueuedConnection);
    });
}

void StudyHistoryWindow::showPlanned()
{
    if (!m_plan.valid())
        return;
    const PlannedReadiness& planned = m_plan.get();
    if (planned.plan)
        readinessPanel->showPlan(*planned.plan);
    else
        readinessPanel->showProblem(planned.problem);
}

bool StudyHistoryWindow::readinessShown() const
{
    return m_plan.valid() && m_plan.wait_for(std::chrono::seconds(0)) == std::future_status::ready &&
           !readinessPanel->working();
}

void StudyHistoryWindow::setExamDate(std::optional<QDate> day)
{
    if (day && *day < QDate::currentDate()) {
        showError(QStringLiteral("The exam date %1 has passed. Choose today or a later day.").arg(history::dayText(*day)));
        return;
    }
    try {
        m_store->setExamDate(day);
    } catch (const history::HistoryError& error) {
        showError(error.message());
        return;
    }
    reading([this] { showReadiness(); });
}

void StudyHistoryWindow::setReviewAction(QAction* action)
{
    readinessPanel->setReviewAction(action);
}

void StudyHistoryWindow::reading(const std::function<void()>& read)
{
    try {
        read();
    } catch (const history::HistoryError& error) {
        m_filling = false;
        showProblem(error);
    }
    enableCommands();
}

void StudyHistoryWindow::showChosen()
{
    const QString exam = chosenExam();
    std::vector<history::AttemptSummary> list = m_store->attempts(exam);
    if (m_attemptCount < 0 || exam.isEmpty())
        m_attemptCount = exam.isEmpty() ? int(list.size()) : int(m_store->attempts().size());
    int passed = 0;
    int best = 0;
    for (const history::AttemptSummary& a : list) {
        passed += a.passed;
        best = std::max(best, a.score);
    }
    summaryLabel->setText(list.empty() ? QString()
                                       : QStringLiteral("%1, %2 passed, best score %3")
                                             .arg(attemptsText(int(list.size())))
                                             .arg(passed)
                                             .arg(best));
    scoreChart->setModel(historywindow::scoreChart(list));
    trendChart->setModel(sectionTrendChart(m_store->sectionTrends(exam)));
    attempts->setAttempts(std::move(list));
    showEmpty(m_attemptCount == 0);
    fitContent();
}

void StudyHistoryWindow::showMostMissed()
{
    missedList->clear();
    m_missed = m_store->mostMissed(MissedShown, history::currentFingerprintsIn(m_folder));
    for (const history::MissedItem& item : m_missed) {
        auto* row = new QTreeWidgetItem(missedList, {questionText(item), missedText(item), lastRightText(item)});
        row->setToolTip(0, item.former ? QStringLiteral("This question is no longer in the question bank as it was.")
                                       : results::sectionName(item.section));
        if (item.former) {
            QFont font = row->font(0);
            font.setItalic(true);
            for (int c = 0; c < 3; ++c) {
                row->setFont(c, font);
                row->setForeground(c, QBrush(QColor(110, 110, 110)));
            }
        }
    }
}

void StudyHistoryWindow::showProblem(const history::HistoryError& error)
{
    m_readFailed = true;
    m_unreadable = error.unreadable();
    QString text = QStringLiteral("<b>The study history cannot be shown.</b> %1").arg(error.message().toHtmlEscaped());
    if (m_unreadable)
        text += QStringLiteral("<br>Nothing has been changed. \"Clear history...\" keeps the damaged file under "
                               "another name and starts a new history.");
    else
        text += QStringLiteral("<br>Nothing has been changed. Close the other program or free the file, then open "
                               "this window again.");
    problemLabel->setText(text);
    problemLabel->show();
    attempts->setAttempts({});
    missedList->clear();
    summaryLabel->clear();
    pages->setCurrentWidget(pages->widget(1));
}

void StudyHistoryWindow::showEmpty(bool empty)
{
    pages->setCurrentIndex(empty ? 0 : 1);
}

void StudyHistoryWindow::enableCommands()
{
    const bool hasAttempts = !m_readFailed && m_attemptCount > 0;
    examChoice->setEnabled(hasAttempts);
    exportAction->setEnabled(hasAttempts);
    printAction->setEnabled(hasAttempts);
    previewAction->setEnabled(hasAttempts);
    clearAction->setEnabled(hasAttempts || m_unreadable);
}

void StudyHistoryWindow::printHistory(print::Output output)
{
    QList<QVariantMap> rows;
    rows.reserve(qsizetype(attempts->attempts().size()));
    for (const history::AttemptSummary& a : attempts->attempts()) {
        using Column = AttemptListModel::Column;
        rows << QVariantMap{{print::historyfield::Date, attempts->text(a, Column::DateColumn)},
                            {print::historyfield::Exam, attempts->text(a, Column::ExamColumn)},
                            {print::historyfield::Score, attempts->text(a, Column::ScoreColumn)},
                            {print::historyfield::Grade, attempts->text(a, Column::GradeColumn)},
                            {print::historyfield::TimeUsed, attempts->text(a, Column::TimeUsedColumn)}};
    }
    report::RecordList records(std::move(rows));
    print::StudyHistoryPrint content;
    // The paper carries the estimate, also when it is still being worked out.
    if (m_plan.valid()) {
        m_plan.wait();
        showPlanned();
    }
    content.readiness = readinessPanel->printedLines();
    if (readinessPanel->sectionChart->isVisibleTo(readinessPanel))
        content.readinessChart = charts::chartPainter(readinessPanel->sectionChart->model());
    content.summary = examChoice->currentText() + QStringLiteral(": ") + summaryLabel->text();
    content.scoreChart = charts::chartPainter(scoreChart->model());
    content.sectionsChart = charts::chartPainter(trendChart->model());
    for (const history::MissedItem& item : m_missed)
        content.mostMissed << QStringLiteral("Missed %1, last right %2:  %3")
                                  .arg(missedText(item), lastRightText(item), questionText(item));
    content.attempts = &records;
    print::printReport(print::makeStudyHistoryReport(content), output, this);
}

void StudyHistoryWindow::exportHistory()
{
    const QString file = platform::Prompts::current().saveFileName(
        this, QStringLiteral("Export history"), QDir(exportFolder()).filePath(QStringLiteral("study-history.csv")),
        QStringLiteral("CSV files (*.csv)"));
    if (file.isEmpty())
        return;
    try {
        m_store->exportCsv(file);
    } catch (const history::HistoryError& error) {
        showError(error.message());
        return;
    }
    statusBar()->showMessage(
        QStringLiteral("Exported %1 to %2").arg(attemptsText(m_attemptCount), QDir::toNativeSeparators(file)));
}

void StudyHistoryWindow::clearHistory()
{
    using platform::PromptButton;
    if (m_unreadable) {
        if (ask(platform::PromptKind::Confirmation,
                QStringLiteral("The study history cannot be read.\rKeep the damaged file under another name and start "
                               "a new history?"),
                {PromptButton::Yes, PromptButton::No}) != PromptButton::Yes)
            return;
        const QString kept = m_store->moveAsideDamaged();
        reload();
        statusBar()->showMessage(QStringLiteral("The damaged history was kept as %1").arg(QDir::toNativeSeparators(kept)));
        return;
    }
    // Enter must not throw the whole history away: the default answer is No.
    if (ask(platform::PromptKind::Confirmation,
            removeAttemptsQuestion(m_attemptCount) + QStringLiteral("\rThis cannot be undone."),
            {PromptButton::Yes, PromptButton::No}, PromptButton::No) != PromptButton::Yes)
        return;
    try {
        m_store->clear();
    } catch (const history::HistoryError& error) {
        showError(error.message());
        return;
    }
    reload();
}

platform::PromptButton StudyHistoryWindow::ask(platform::PromptKind kind, const QString& text,
                                               QList<platform::PromptButton> buttons,
                                               platform::PromptButton defaultButton)
{
    platform::PromptRequest request;
    request.kind = kind;
    request.caption = Caption;
    request.text = text;
    request.buttons = std::move(buttons);
    request.defaultButton = defaultButton;
    request.owner = this;
    return platform::Prompts::current().ask(request);
}

void StudyHistoryWindow::showError(const QString& message)
{
    ask(platform::PromptKind::Error, platform::withFullStop(message), {platform::PromptButton::Ok});
}

}  // namespace historywindow
