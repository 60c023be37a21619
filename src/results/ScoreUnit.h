#pragma once
// The score window: the result of a graded exam and the ways forward (view the answers or
// end the exam). Grading fills it with showResult() and shows it modally.

#include "results/Grading.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace results {
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
    results::BarChart* TotalChart;
    QLabel* TotalLabel;
    QScrollArea* ScrollBox1;
    results::BarChart* Chart1;
    QPushButton* BitBtn1;  // "&View Answers"
    QPushButton* BitBtn3;  // "E&xit Exam"

    // Puts a grading's result into the charts and the result line.
    void showResult(const results::Grade& grade, const QString& titleLine);
    // The total chart, titled with the title line, and the result line.
    void showTotal(const results::Grade& grade, const QString& titleLine);
    // The sections chart.
    void showSections(const results::Grade& grade);

    void BitBtn1Click();
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
