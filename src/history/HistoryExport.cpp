// The history as CSV: one line per attempt, oldest first, the sections as columns.

#include "history/HistoryDatabase.h"
#include "history/HistoryStore.h"
#include "results/Grading.h"

#include <QDir>
#include <QSaveFile>

#include <map>
#include <set>

namespace history {

namespace {

const QString Exporting = QStringLiteral("Cannot export the study history");

// A field quoted where a spreadsheet would otherwise split or trim it.
QString csvField(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = text.startsWith(' ') || text.endsWith(' ');
    for (QChar c : text)
        quote = quote || special.contains(c);
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return '"' + quoted + '"';
}

// "1:05:09"; empty for no time when `emptyWhenZero`.
QString duration(int seconds, bool emptyWhenZero)
{
    return seconds == 0 && emptyWhenZero ? QString() : durationText(seconds);
}

QString sectionTitle(int section)
{
    const QString name = results::sectionName(section);
    return name.isEmpty() ? QStringLiteral("Section %1").arg(section) : name;
}

}  // namespace

void HistoryStore::exportCsv(const QString& path) const
{
    std::vector<AttemptSummary> list = attempts();
    std::map<AttemptId, std::map<int, Count>> sections;
    std::set<int> sectionNumbers{1, 2, 3, 4};
    if (!list.empty()) {
        HistoryDatabase::Statement rows(*m_db, "SELECT attempt_id, section, correct, total FROM attempt_sections",
                                        Exporting);
        while (rows.step()) {
            const int section = int(rows.integer(1));
            sections[rows.integer(0)][section] = {int(rows.integer(2)), int(rows.integer(3))};
            sectionNumbers.insert(section);
        }
    }

    QStringList header{"Date", "Exam", "Candidate", "Time limit", "Time used", "Score", "Passing score", "Grade",
                       "Items correct", "Items"};
    for (int s : sectionNumbers)
        header << sectionTitle(s) + QStringLiteral(" correct") << sectionTitle(s) + QStringLiteral(" items");
    QString csv = header.join(',') + QStringLiteral("\r\n");
    for (auto a = list.rbegin(); a != list.rend(); ++a) {
        QStringList line{a->gradedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         csvField(a->examTitle),
                         csvField(a->candidateName),
                         duration(a->timeLimitSeconds, true),
                         duration(a->timeUsedSeconds, false),
                         QString::number(a->score),
                         QString::number(a->passingScore),
                         results::gradeText(a->passed),
                         QString::number(a->items.correct),
                         QString::number(a->items.total)};
        const std::map<int, Count>& own = sections[a->id];
        for (int s : sectionNumbers) {
            const auto it = own.find(s);
            line << (it == own.end() ? QString() : QString::number(it->second.correct))
                 << (it == own.end() ? QString() : QString::number(it->second.total));
        }
        csv += line.join(',') + QStringLiteral("\r\n");
    }

    QSaveFile file(path);
    const QByteArray bytes = csv.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw HistoryError(HistoryError::Reason::Other, QStringLiteral("%1 to %2: %3")
                                                            .arg(Exporting, QDir::toNativeSeparators(path),
                                                                 file.errorString()));
}

}  // namespace history
