// The answers the readiness estimate and the review schedule read, and the learner's exam day.

#include "history/HistoryDatabase.h"
#include "history/HistoryStore.h"
#include "history/QuestionStats.h"

#include <algorithm>
#include <stdexcept>

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
    // Row ids are small whole numbers given in turn, so plain arrays indexed by them stand in for
    // maps: a million answers are looked up in them.
    constexpr std::int32_t None = -1;
    // A damaged file could hold ids far beyond its rows: it is told so rather than filling memory.
    for (const char* table : {"questions", "attempts"}) {
        HistoryDatabase::Statement extent(
            *m_db, QStringLiteral("SELECT count(*), coalesce(max(id), 0) FROM %1").arg(QLatin1String(table)), Reading);
        if (extent.step() && extent.integer(1) > 4 * extent.integer(0) + 1'000'000)
            m_db->fail(Reading, HistoryError::Reason::Damaged,
                       QStringLiteral("the file is damaged: its %1 have ids up to %2").arg(QLatin1String(table)).arg(extent.integer(1)));
    }
    std::vector<std::int32_t> itemOfQuestion;  // question row id -> index in `items`, or None
    {
        HistoryDatabase::Statement rows(
            *m_db, "SELECT id, source_id, fingerprint, section FROM questions WHERE source = ?1 ORDER BY source_id",
            Reading);
        rows.bind(1, std::int64_t(ItemSource::Bank));
        while (rows.step()) {
            if (current(ItemSource::Bank, rows.integer(1)) != rows.integer(2))
                continue;
            const auto id = std::size_t(rows.integer(0));
            if (id >= itemOfQuestion.size())
                itemOfQuestion.resize(id + 1, None);
            itemOfQuestion[id] = std::int32_t(items.size());
            items.push_back({rows.integer(1), int(rows.integer(3)), {}});
        }
    }
    if (items.empty())
        return items;
    std::vector<std::int64_t> gradedAt;  // attempt id -> when it was graded; -1 for none
    {
        HistoryDatabase::Statement rows(*m_db, "SELECT id, graded_at FROM attempts", Reading);
        while (rows.step()) {
            const auto id = std::size_t(rows.integer(0));
            if (id >= gradedAt.size())
                gradedAt.resize(id + 1, -1);
            gradedAt[id] = rows.integer(1);
        }
    }
    // One pass over every answer in the file's order, into one array; then each item's answers
    // are gathered in time order.
    struct Answer {
        std::int32_t item;
        TimedAnswer answer;
    };
    std::vector<Answer> answers;
    std::vector<std::int32_t> counts(items.size(), 0);
    HistoryDatabase::Statement rows(*m_db, "SELECT attempt_id, question_id, state FROM attempt_items", Reading);
    while (rows.step()) {
        const std::int64_t attempt = rows.integer(0);
        const std::int64_t question = rows.integer(1);
        if (question < 0 || std::size_t(question) >= itemOfQuestion.size() || attempt < 0 ||
            std::size_t(attempt) >= gradedAt.size())
            continue;
        const std::int32_t item = itemOfQuestion[std::size_t(question)];
        const std::int64_t at = gradedAt[std::size_t(attempt)];
        if (item == None || at < 0)
            continue;
        answers.push_back({item, {at, (rows.integer(2) & CorrectBit) != 0, attempt}});
        ++counts[std::size_t(item)];
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i].answers.reserve(std::size_t(counts[i]));
    for (const Answer& a : answers)
        items[std::size_t(a.item)].answers.push_back(a.answer);
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
