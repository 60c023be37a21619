#include "results/ScoreUnit.h"

#include "platform/Handler.h"
#include "platform/Prompts.h"
#include "print/ReportPrinter.h"
#include "print/ScoreReport.h"
#include "charts/BarChart.h"
#include "charts/ChartPainting.h"
#include "results/ScoreCharts.h"
#include "results/ScoreReportCharts.h"
#include "widgets/OutlinedLabel.h"
#include "widgets/WindowStyle.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TScoreForm* ScoreForm = nullptr;

namespace {

constexpr int ClientWidth = 582;
constexpr int ClientHeight = 389;

// A sunken line across the window at `top` of `host`, drawn over it: the separators take no
// height of their own, which leaves the sections chart the room the design gives it.
void lineOver(QWidget* host, int top)
{
    auto* frame = new QFrame(host);
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(0, top, ClientWidth, 2);
}

}  // namespace

TScoreForm::TScoreForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrameNoIcons)
{
    setObjectName(QStringLiteral("ScoreForm"));
    setWindowTitle(QStringLiteral("Quizlore"));
    widgets::setClientSize(this, ClientWidth, ClientHeight);
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    fcLabel1 = new widgets::OutlinedLabel(QStringLiteral("Examination Score Report"), this);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    fcLabel1->setFont(titleFont);
    fcLabel1->setTextColor(Qt::white);
    fcLabel1->setOutlineColor(Qt::black);
    fcLabel1->setShadowOffset(QPoint(1, 1));
    fcLabel1->setAlignment(Qt::AlignCenter);
    fcLabel1->setFixedHeight(33);
    lineOver(fcLabel1, 31);

    TotalChart = new charts::BarChart(this);
    TotalChart->setObjectName(QStringLiteral("TotalChart"));
    TotalChart->setFixedHeight(184 - 10);

    TotalLabel = new QLabel(this);
    TotalLabel->setObjectName(QStringLiteral("TotalLabel"));
    TotalLabel->setAlignment(Qt::AlignCenter);
    TotalLabel->setFixedHeight(32);
    lineOver(TotalLabel, 30);
    QFont resultFont(QStringLiteral("MS Sans Serif"));
    resultFont.setPixelSize(13);
    resultFont.setBold(true);
    TotalLabel->setFont(resultFont);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Chart1 = new charts::BarChart;
    Chart1->setObjectName(QStringLiteral("Chart1"));
    ScrollBox1->setWidget(Chart1);

    BitBtn1 = new QPushButton(QStringLiteral("&View Answers"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(98, 30);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Print Report"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setFixedSize(98, 30);
    PreviewButton = new QPushButton(QStringLiteral("Pre&view..."), this);
    PreviewButton->setObjectName(QStringLiteral("PreviewButton"));
    PreviewButton->setFixedSize(98, 30);
    BitBtn3 = new QPushButton(QStringLiteral("E&xit Exam"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setFixedSize(97, 30);

    auto* buttonBar = new QWidget(this);
    buttonBar->setFixedHeight(40);
    lineOver(buttonBar, 0);
    auto* buttons = new QHBoxLayout(buttonBar);
    buttons->setContentsMargins(5, 5, 5, 5);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(PreviewButton);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(fcLabel1);
    auto* chartPanel = new QVBoxLayout;
    chartPanel->setContentsMargins(5, 5, 5, 5);
    chartPanel->addWidget(TotalChart);
    layout->addLayout(chartPanel);
    layout->addWidget(TotalLabel);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(buttonBar);

    connect(BitBtn1, &QPushButton::clicked, this, platform::handled([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, platform::handled([this] { BitBtn2Click(); }));
    connect(PreviewButton, &QPushButton::clicked, this,
            platform::handled([this] { PreviewButtonClick(); }));
    connect(BitBtn3, &QPushButton::clicked, this, platform::handled([this] { BitBtn3Click(); }));

    ppReport1 = print::makeScoreReport();
}

void TScoreForm::showResult(const results::Grade& grade, const QString& titleLine)
{
    showTotal(grade, titleLine);
    showSections(grade);
}

void TScoreForm::showTotal(const results::Grade& grade, const QString& titleLine)
{
    const charts::BarChartModel chart = results::totalChart(grade.score, titleLine);
    const QString result = results::resultLine(grade);
    TotalChart->setModel(chart);
    print::setScoreReportTotal(ppReport1, titleLine, result,
                               charts::chartPainter(results::reportTotalChart(chart)));
    print::setScoreReportFooter(ppReport1, platform::ApplicationTitle);
    TotalLabel->setText(result);
}

void TScoreForm::showSections(const results::Grade& grade)
{
    const charts::BarChartModel chart = results::sectionsChart(grade);
    Chart1->setModel(chart);
    print::setScoreReportSections(ppReport1,
                                  charts::chartPainter(results::reportSectionsChart(chart)));
}

void TScoreForm::BitBtn2Click()
{
    print::printReport(ppReport1, print::Output::Printer, this);
}

void TScoreForm::PreviewButtonClick()
{
    print::printReport(ppReport1, print::Output::Preview, this);
}

void TScoreForm::BitBtn1Click()
{
    emit viewAnswers();
    accept();
}

void TScoreForm::BitBtn3Click()
{
    if (platform::confirm(QStringLiteral("Confirm"), QStringLiteral("Are you sure you wish to end this exam?")) !=
        platform::PromptButton::Yes)
        return;
    emit exitExam();
    accept();
}

// The window has no Cancel button and no close box: it is left through its buttons only.
void TScoreForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TScoreForm::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}
