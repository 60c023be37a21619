#pragma once
// The top of the Study History window: would the learner pass an exam of new questions now
// (the chance, the expected score with its interval, each section with its interval, and how
// the figure was reached), how many questions are due for review with a button that starts
// them, and the day of the real exam.

#include "history/StudyPlan.h"

#include <QFrame>

#include <optional>

class QAction;
class QDateEdit;
class QLabel;
class QPushButton;

namespace charts {
class BarChart;
}

namespace historywindow {

class ReadinessPanel : public QFrame {
    Q_OBJECT
public:
    explicit ReadinessPanel(QWidget* parent);

    void showPlan(const history::StudyPlan& plan);
    // While the plan is worked out.
    void showWorking();
    bool working() const { return m_working; }
    // In place of the figures: why there are none (the bank cannot be read, ...).
    void showProblem(const QString& text);
    // The action that starts Due for Review: the review button triggers it and is enabled only
    // while it is (and something is due).
    void setReviewAction(QAction* action);
    // What the printed study history carries of the panel, line by line.
    QStringList printedLines() const;

    QLabel* headline;
    QLabel* scoreLabel;
    charts::BarChart* sectionChart;
    QLabel* wordsLabel;
    QLabel* dueLabel;
    QPushButton* reviewButton;
    QDateEdit* examDateEdit;
    QPushButton* setDateButton;
    QPushButton* clearDateButton;
    QLabel* paceLabel;

signals:
    // The learner set (a day) or cleared (nullopt) the exam date.
    void examDateChosen(std::optional<QDate> day);

private:
    void enableReview();

    QAction* m_reviewAction = nullptr;
    int m_due = 0;
    bool m_working = false;
};

}  // namespace historywindow
