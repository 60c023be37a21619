#pragma once
// The Study History window: every graded exam of the working folder's history.DAT, newest
// first; the score of each attempt against the passing score; each section's percentage over
// the last five attempts beside the five before them; the most-missed questions. It prints
// the same as a report, exports the attempts as CSV and clears the history.
//
// A top-level window made once and shown with show() and raise(); it reads the history again
// each time it is shown, when it becomes active again after the file changed, and whenever
// reload() is called.
// A history that cannot be read shows one message in the window and is never written, but for
// "Clear history...", which asks first and then sets a damaged file aside.

#include "history/Attempt.h"
#include "history/StudyPlan.h"
#include "platform/Prompts.h"
#include "print/ReportPrinter.h"

#include <QMainWindow>

#include <QDate>

#include <functional>
#include <future>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QStackedWidget;
class QTreeView;
class QTreeWidget;

namespace history {
class HistoryStore;
class HistoryError;
}
namespace charts {
class BarChart;
}

namespace historywindow {

// The readiness panel's content: a plan, or why there is none.
struct PlannedReadiness {
    std::optional<history::StudyPlan> plan;
    QString problem;
};

class AttemptListModel;
class ChartPair;
class ReadinessPanel;

class StudyHistoryWindow : public QMainWindow {
    Q_OBJECT
public:
    StudyHistoryWindow(const QString& workingFolder, QWidget* parent);
    ~StudyHistoryWindow() override;

    // Reads the history again and shows it.
    void reload();

    // "Print study history..." on the printer the user chooses, or in the preview: what the
    // window shows, with every attempt of the exams chosen.
    void printHistory(print::Output output);
    // "Export history...": the attempts as CSV, to a file the user names.
    void exportHistory();
    // "Clear history...": asks, then removes every attempt; on a file that cannot be read, asks,
    // then sets it aside and starts anew.
    void clearHistory();

    // The exam kind id chosen in "Show", empty for every exam.
    QString chosenExam() const;

    // The action that starts Due for Review, for the readiness panel's button.
    void setReviewAction(QAction* action);
    // Whether the readiness panel shows the estimate of the latest reading (it is worked out in
    // the background).
    bool readinessShown() const;

    ReadinessPanel* readinessPanel;
    QComboBox* examChoice;
    QLabel* summaryLabel;
    QLabel* problemLabel;  // why the history cannot be read; hidden when it can
    QStackedWidget* pages;
    QLabel* emptyLabel;  // the page shown while the history holds no attempt
    QTreeView* attemptList;
    AttemptListModel* attempts;
    charts::BarChart* scoreChart;
    charts::BarChart* trendChart;
    ChartPair* chartPair;  // the two charts, side by side where there is room
    QScrollArea* contentArea;
    QTreeWidget* missedList;

    QAction* printAction;
    QAction* previewAction;
    QAction* exportAction;
    QAction* clearAction;
    QAction* closeAction;

    // Opens within the free area of its screen the first time it is shown.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Coming back to the window reads the history again when its file has changed meanwhile.
    void changeEvent(QEvent* event) override;

private:
    void buildMenu();
    QWidget* buildContent();
    // Sizes the attempts list to its rows and keeps the charts readable after a change.
    void fitContent();
    void placeOnScreen();
    // Runs `read`; a history that cannot be read is shown as the window's problem.
    void reading(const std::function<void()>& read);
    // Fills the attempts, the charts and the trends for the exam chosen; the most missed.
    void showChosen();
    void showMostMissed();
    // The readiness estimate and the review schedule, from the history and the question bank.
    void showReadiness();
    void showPlanned();
    void setExamDate(std::optional<QDate> day);
    void showProblem(const history::HistoryError& error);
    void showEmpty(bool empty);
    void enableCommands();
    // A message box of this window: titled as the window and belonging to it, so that the
    // window stays in front when the box closes.
    platform::PromptButton ask(platform::PromptKind kind, const QString& text, QList<platform::PromptButton> buttons,
                               platform::PromptButton defaultButton = platform::PromptButton::None);
    void showError(const QString& message);

    // What the file was when last read: its size and time of change.
    QPair<qint64, QDateTime> fileStamp() const;

    QString m_folder;
    QPair<qint64, QDateTime> m_readStamp;
    std::unique_ptr<history::HistoryStore> m_store;
    int m_attemptCount = 0;
    std::vector<history::MissedItem> m_missed;
    bool m_readFailed = false;  // the last reading failed: nothing to export or print
    bool m_unreadable = false;  // ... because the file is damaged: Clear sets it aside
    bool m_filling = false;
    bool m_placed = false;
    std::shared_future<PlannedReadiness> m_plan;  // the latest estimate asked for
    int m_planRequest = 0;  // placed on its screen once, then where the user puts it
};

}  // namespace historywindow
