#include "historywindow/AttemptListModel.h"

#include "historywindow/HistoryCharts.h"
#include "results/Grading.h"

#include <QBrush>

namespace historywindow {

void AttemptListModel::setAttempts(std::vector<history::AttemptSummary> attempts)
{
    beginResetModel();
    m_attempts = std::move(attempts);
    endResetModel();
}

int AttemptListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_attempts.size());
}

int AttemptListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString AttemptListModel::text(const history::AttemptSummary& a, int column) const
{
    switch (column) {
    case DateColumn:
        return shownDateTime(a.gradedAt);
    case ExamColumn:
        return a.examTitle;
    case ScoreColumn:
        return QString::number(a.score);
    case GradeColumn:
        return results::gradeText(a.passed);
    case TimeUsedColumn:
        return history::durationText(a.timeUsedSeconds);
    }
    return QString();
}

QVariant AttemptListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_attempts.size()))
        return QVariant();
    const history::AttemptSummary& a = m_attempts[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return text(a, index.column());
    case Qt::ForegroundRole:
        if (index.column() == GradeColumn)
            return QBrush(a.passed ? PassedColour : FailedColour);
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == ScoreColumn || index.column() == TimeUsedColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case Qt::ToolTipRole:
        return QStringLiteral("%1 of %2 items correct; candidate %3")
            .arg(a.items.correct)
            .arg(a.items.total)
            .arg(a.candidateName);
    }
    return QVariant();
}

QVariant AttemptListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const QStringList titles{QStringLiteral("Date"), QStringLiteral("Exam"), QStringLiteral("Score"),
                                    QStringLiteral("Grade"), QStringLiteral("Time used")};
    return titles.value(section);
}

}  // namespace historywindow
