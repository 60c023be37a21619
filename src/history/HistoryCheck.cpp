// The check of a history file: SQLite's own integrity check, then whether the figures kept per
// question and per attempt agree with the answers recorded.

#include "history/AttemptWriter.h"
#include "history/HistoryDatabase.h"
#include "history/HistoryStore.h"

#include <QFileInfo>

#include <map>

namespace history {

namespace {

const QString Checking = QStringLiteral("Cannot check the study history");

// A single figure from `sql`.
std::int64_t figure(HistoryDatabase& db, const char* sql)
{
    HistoryDatabase::Statement statement(db, sql, Checking);
    return statement.step() ? statement.integer(0) : 0;
}

}  // namespace

QStringList HistoryStore::check() const
{
    if (!QFileInfo::exists(path()))
        m_db->fail(Checking, HistoryError::Reason::Other, QStringLiteral("file not found"));
    QStringList faults;
    if (!m_db->openToRead(Checking))
        return faults;  // a file without history yet
    {
        HistoryDatabase::Statement integrity(*m_db, "PRAGMA integrity_check", Checking);
        while (integrity.step())
            if (integrity.text(0) != QLatin1String("ok"))
                faults.append(integrity.text(0));
    }
    if (!faults.isEmpty())
        return faults;

    if (const auto n = figure(*m_db, "SELECT count(*) FROM attempt_items WHERE attempt_id NOT IN "
                                     "(SELECT id FROM attempts) OR question_id NOT IN (SELECT id FROM questions)"))
        faults.append(QStringLiteral("%1 recorded answers belong to no attempt or no question").arg(n));
    if (const auto n = figure(*m_db, "SELECT count(*) FROM attempts a WHERE items_total <> "
                                     "(SELECT count(*) FROM attempt_items i WHERE i.attempt_id = a.id)"))
        faults.append(QStringLiteral("%1 attempts do not hold the number of items they name").arg(n));

    std::map<std::int64_t, QuestionStats> counted;
    {
        HistoryDatabase::Statement answers(*m_db,
                                           "SELECT i.question_id, a.graded_at, a.id, i.state FROM attempt_items i "
                                           "JOIN attempts a ON a.id = i.attempt_id",
                                           Checking);
        while (answers.step())
            counted[answers.integer(0)].add(answers.integer(1), answers.integer(2), answers.integer(3));
    }
    HistoryDatabase::Statement kept(*m_db,
                                    "SELECT id, source_id, seen, missed, last_right_at, latest_at, latest_attempt, "
                                    "latest_state FROM questions",
                                    Checking);
    while (kept.step()) {
        if (counted[kept.integer(0)] != statsOf(kept, 2))
            faults.append(QStringLiteral("the figures kept for item Q_ID %1 (question %2) do not match its answers")
                              .arg(kept.integer(1))
                              .arg(kept.integer(0)));
    }
    return faults;
}

}  // namespace history
