#include "historywindow/ReadinessPanel.h"

#include "charts/BarChart.h"
#include "historywindow/HistoryCharts.h"
#include "historywindow/ReadinessTexts.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace historywindow {

namespace {

constexpr int ChartHeight = 150;

QLabel* wrappingLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

ReadinessPanel::ReadinessPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("readinessPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(QStringLiteral("Readiness"));

    auto* title = new QLabel(QStringLiteral("Readiness for an exam of new questions"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    headline = wrappingLabel(QStringLiteral("readinessHeadline"), this);
    QFont large = headline->font();
    large.setPointSizeF(large.pointSizeF() * 1.8);
    large.setBold(true);
    headline->setFont(large);
    scoreLabel = wrappingLabel(QStringLiteral("readinessScore"), this);
    QFont plain = scoreLabel->font();
    plain.setPointSizeF(plain.pointSizeF() * 1.2);
    scoreLabel->setFont(plain);

    sectionChart = new charts::BarChart;
    sectionChart->setObjectName(QStringLiteral("readinessChart"));
    sectionChart->setMinimumHeight(ChartHeight);
    wordsLabel = wrappingLabel(QStringLiteral("readinessWords"), this);

    dueLabel = wrappingLabel(QStringLiteral("dueLabel"), this);
    reviewButton = new QPushButton(QStringLiteral("Start &Due for Review"), this);
    reviewButton->setObjectName(QStringLiteral("reviewButton"));
    auto* dueRow = new QHBoxLayout;
    dueRow->addWidget(dueLabel, 1);
    dueRow->addWidget(reviewButton);

    auto* dateLabel = new QLabel(QStringLiteral("E&xam date:"), this);
    examDateEdit = new QDateEdit(QDate::currentDate(), this);
    examDateEdit->setObjectName(QStringLiteral("examDateEdit"));
    examDateEdit->setCalendarPopup(true);
    examDateEdit->setDisplayFormat(QStringLiteral("d MMM yyyy"));
    examDateEdit->setAccessibleName(QStringLiteral("Exam date"));
    dateLabel->setBuddy(examDateEdit);
    setDateButton = new QPushButton(QStringLiteral("Se&t"), this);
    setDateButton->setObjectName(QStringLiteral("setDateButton"));
    clearDateButton = new QPushButton(QStringLiteral("Clea&r"), this);
    clearDateButton->setObjectName(QStringLiteral("clearDateButton"));
    paceLabel = wrappingLabel(QStringLiteral("paceLabel"), this);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(examDateEdit);
    dateRow->addWidget(setDateButton);
    dateRow->addWidget(clearDateButton);
    dateRow->addSpacing(12);
    dateRow->addWidget(paceLabel, 1);

    auto* column = new QVBoxLayout(this);
    column->addWidget(title);
    column->addWidget(headline);
    column->addWidget(scoreLabel);
    column->addWidget(sectionChart);
    column->addWidget(wordsLabel);
    column->addLayout(dueRow);
    column->addLayout(dateRow);

    connect(setDateButton, &QPushButton::clicked, this, [this] { emit examDateChosen(examDateEdit->date()); });
    connect(clearDateButton, &QPushButton::clicked, this, [this] { emit examDateChosen(std::nullopt); });
    connect(reviewButton, &QPushButton::clicked, this, [this] {
        if (m_reviewAction && m_reviewAction->isEnabled())
            m_reviewAction->trigger();
    });
    enableReview();
}

void ReadinessPanel::showWorking()
{
    m_working = true;
    headline->setText(QStringLiteral("Working out your readiness..."));
    headline->setAccessibleName(headline->text());
}

void ReadinessPanel::showPlan(const history::StudyPlan& plan)
{
    m_working = false;
    const history::Readiness& r = plan.readiness;
    headline->setText(headlineText(r));
    scoreLabel->setText(expectedScoreText(r));
    scoreLabel->setVisible(r.enough);
    sectionChart->setModel(readinessChart(r));
    sectionChart->setVisible(r.enough);
    wordsLabel->setText(history::readinessWords(r));
    // Screen readers hear the figure with its explanation.
    headline->setAccessibleName(headline->text());
    headline->setAccessibleDescription(scoreLabel->text());
    dueLabel->setText(dueText(plan));
    m_due = plan.review.dueBeforeExam;
    const QDate today = QDate::currentDate();
    if (plan.examDate)
        examDateEdit->setDate(*plan.examDate);
    else if (examDateEdit->date() < today)
        examDateEdit->setDate(today);
    clearDateButton->setEnabled(plan.examDate.has_value());
    paceLabel->setText(paceText(plan, today));
    enableReview();
}

QStringList ReadinessPanel::printedLines() const
{
    QStringList lines;
    for (const QLabel* label : {headline, scoreLabel, wordsLabel, dueLabel, paceLabel})
        if (!label->text().isEmpty() && !label->isHidden())
            lines << label->text();
    return lines;
}

void ReadinessPanel::showProblem(const QString& text)
{
    m_working = false;
    headline->setText(QStringLiteral("No estimate"));
    scoreLabel->hide();
    sectionChart->hide();
    wordsLabel->setText(text);
    dueLabel->clear();
    paceLabel->clear();
    m_due = 0;
    enableReview();
}

void ReadinessPanel::setReviewAction(QAction* action)
{
    m_reviewAction = action;
    if (action)
        connect(action, &QAction::changed, this, &ReadinessPanel::enableReview);
    enableReview();
}

void ReadinessPanel::enableReview()
{
    reviewButton->setVisible(m_reviewAction != nullptr);
    reviewButton->setEnabled(m_reviewAction && m_reviewAction->isEnabled() && m_due > 0);
}

}  // namespace historywindow
