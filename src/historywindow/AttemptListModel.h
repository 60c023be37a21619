#pragma once
// The attempts of the study history as rows of a list, newest first: date, exam, score, grade,
// time used. Rows are formatted only when a view asks for them, so ten thousand attempts cost
// no more than those on screen.

#include "history/Attempt.h"

#include <QAbstractTableModel>

#include <vector>

namespace historywindow {

class AttemptListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DateColumn, ExamColumn, ScoreColumn, GradeColumn, TimeUsedColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setAttempts(std::vector<history::AttemptSummary> attempts);
    const std::vector<history::AttemptSummary>& attempts() const { return m_attempts; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text of one cell, as shown.
    QString text(const history::AttemptSummary& attempt, int column) const;

private:
    std::vector<history::AttemptSummary> m_attempts;
};

}  // namespace historywindow
