// The answers the readiness estimate and the review schedule read, and the learner's exam day.

#include "history/HistoryDatabase.h"
#include "history/HistoryStore.h"
#include "history/QuestionStats.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace history {

namespace {

const QString Reading = QStringLiteral("Cannot read the study history");
const QString SettingDate = QStringLiteral("Cannot keep the exam date in the study history");

}  // namespace

std::vector<AnsweredItem> HistoryStore::answeredBankItems(const CurrentFingerprint& current) const
{
    if (!current)
        throw std::invalid_argument("the bank's current fingerprints are needed");
    std::vector<AnsweredItem> items;
    if (!m_db->openToRead(Reading))
        return items;
    // Bank items as they are now; a question row of an older fingerprint is a former item.
    std::unordered_map<std::int64_t, std::size_t> indexOfQuestion;
    {
        HistoryDatabase::Statement rows(
            *m_db, "SELECT id, source_id, fingerprint, section FROM questions WHERE source = ?1 ORDER BY source_id",
            Reading);
        rows.bind(1, std::int64_t(ItemSource::Bank));
        while (rows.step()) {
            if (current(ItemSource::Bank, rows.integer(1)) != rows.integer(2))
                continue;
            indexOfQuestion.emplace(rows.integer(0), items.size());
            items.push_back({rows.integer(1), int(rows.integer(3)), {}});
        }
    }
    if (items.empty())
        return items;
    std::unordered_map<std::int64_t, std::int64_t> gradedAt;
    {
        HistoryDatabase::Statement rows(*m_db, "SELECT id, graded_at FROM attempts", Reading);
        while (rows.step())
            gradedAt.emplace(rows.integer(0), rows.integer(1));
    }
    // One pass over every answer in the file's order; each item's answers are put in time
    // order afterwards.
    HistoryDatabase::Statement rows(*m_db, "SELECT attempt_id, question_id, state FROM attempt_items", Reading);
    while (rows.step()) {
        const auto item = indexOfQuestion.find(rows.integer(1));
        const auto at = gradedAt.find(rows.integer(0));
        if (item == indexOfQuestion.end() || at == gradedAt.end())
            continue;
        items[item->second].answers.push_back({at->second, (rows.integer(2) & CorrectBit) != 0, rows.integer(0)});
    }
    for (AnsweredItem& item : items)
        std::sort(item.answers.begin(), item.answers.end(), [](const TimedAnswer& a, const TimedAnswer& b) {
            return a.at != b.at ? a.at < b.at : a.attempt < b.attempt;
        });
    return items;
}

std::optional<QDate> HistoryStore::examDate() const
{
    if (!m_db->openToRead(Reading))
        return std::nullopt;
    HistoryDatabase::Statement row(*m_db, "SELECT exam_date FROM exam_plan WHERE id = 1", Reading);
    if (!row.step() || row.isNull(0))
        return std::nullopt;
    const QDate day = QDate::fromString(row.text(0), Qt::ISODate);
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

void HistoryStore::setExamDate(std::optional<QDate> day)
{
    if (day && (!day->isValid() || *day < QDate::currentDate()))
        m_db->fail(SettingDate, HistoryError::Reason::PastDate,
                   QStringLiteral("the day %1 has passed").arg(day->toString(Qt::ISODate)));
    try {
        m_db->openToWrite(SettingDate);
        HistoryDatabase::Transaction transaction(*m_db, SettingDate);
        m_db->makeLayoutCurrent(SettingDate);
        HistoryDatabase::Statement write(
            *m_db, "INSERT OR REPLACE INTO exam_plan (id, exam_date) VALUES (1, ?1)", SettingDate);
        if (day)
            write.bind(1, day->toString(Qt::ISODate));
        else
            write.bindNull(1);
        write.run();
        transaction.commit();
    } catch (const HistoryError&) {
        m_db->close();
        throw;
    }
}

}  // namespace history
