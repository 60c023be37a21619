#pragma once
// The score window: the result of a graded exam and the ways forward (view the answers,
// print the report or end the exam). Grading fills it and its printed report with
// showResult() and shows it modally.

#include "print/engine/ReportModel.h"
#include "results/Grading.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace charts {
class BarChart;
}
namespace widgets {
class OutlinedLabel;
}

class TScoreForm : public QDialog {
    Q_OBJECT
public:
    explicit TScoreForm(QWidget* parent = nullptr);

    widgets::OutlinedLabel* fcLabel1;
    charts::BarChart* TotalChart;
    QLabel* TotalLabel;
    QScrollArea* ScrollBox1;
    charts::BarChart* Chart1;
    QPushButton* BitBtn1;  // "&View Answers"
    QPushButton* BitBtn2;  // "&Print Report"
    QPushButton* PreviewButton;  // "Pre&view..."
    QPushButton* BitBtn3;  // "E&xit Exam"

    // The printed score report, filled by grading along with the window.
    report::Report ppReport1;

    // Puts a grading's result into the charts and the result line.
    void showResult(const results::Grade& grade, const QString& titleLine);
    // The total chart, titled with the title line, and the result line; in the window and in
    // the report.
    void showTotal(const results::Grade& grade, const QString& titleLine);
    // The sections chart, in the window and in the report.
    void showSections(const results::Grade& grade);

    void BitBtn1Click();
    // Prints the report; the window stays open.
    void BitBtn2Click();
    void PreviewButtonClick();
    void BitBtn3Click();

signals:
    // The exam window switches to review on the first item.
    void viewAnswers();
    // The exam window ends the exam.
    void exitExam();

protected:
    void keyPressEvent(class QKeyEvent* event) override;
    void closeEvent(class QCloseEvent* event) override;
};

extern TScoreForm* ScoreForm;
