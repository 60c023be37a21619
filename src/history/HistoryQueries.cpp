// What the study history window and the exams of missed and marked items read.

#include "history/AttemptWriter.h"
#include "history/HistoryDatabase.h"
#include "history/HistoryStore.h"

#include <map>
#include <stdexcept>

namespace history {

namespace {

const QString Reading = QStringLiteral("Cannot read the study history");

// In UTC: turning ten thousand times into local time would cost more than reading them.
QDateTime timeOf(std::int64_t msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

// The columns of an attempt summary, read by summaryOf.
constexpr const char* SummaryColumns =
    "id, graded_at, exam_title, candidate, time_limit, time_used, score, passing_score, passed, items_correct, "
    "items_total, exam_kind";

AttemptSummary summaryOf(const HistoryDatabase::Statement& row)
{
    AttemptSummary a;
    a.id = row.integer(0);
    a.gradedAt = timeOf(row.integer(1));
    a.examTitle = row.text(2);
    a.candidateName = row.text(3);
    a.timeLimitSeconds = int(row.integer(4));
    a.timeUsedSeconds = int(row.integer(5));
    a.score = int(row.integer(6));
    a.passingScore = int(row.integer(7));
    a.passed = row.integer(8) != 0;
    a.items = {int(row.integer(9)), int(row.integer(10))};
    a.examKindId = row.text(11);
    return a;
}

// The columns source, source_id, fingerprint, section, text_start of questions, from `first` on.
AskedItem askedItemOf(const HistoryDatabase::Statement& row, int first)
{
    AskedItem item;
    item.source = ItemSource(row.integer(first));
    item.sourceId = row.integer(first + 1);
    item.fingerprint = row.integer(first + 2);
    item.section = int(row.integer(first + 3));
    item.question = row.text(first + 4);
    return item;
}

// An empty kind id asks for every exam.
void bindKind(HistoryDatabase::Statement& statement, const QString& examKindId)
{
    if (examKindId.isEmpty())
        statement.bindNull(1);
    else
        statement.bind(1, examKindId);
}

// Bank items whose latest state has `bit` set (or clear, when `set` is false) and whose
// fingerprint is still the bank's.
std::vector<std::int64_t> latestBankItems(HistoryDatabase& db, const CurrentFingerprint& current,
                                          std::int64_t bit, bool set)
{
    if (!current)
        throw std::invalid_argument("the bank's current fingerprints are needed");
    std::vector<std::int64_t> ids;
    if (!db.openToRead(Reading))
        return ids;
    HistoryDatabase::Statement rows(
        db, "SELECT source_id, fingerprint, latest_state FROM questions WHERE source = ?1 ORDER BY source_id", Reading);
    rows.bind(1, std::int64_t(ItemSource::Bank));
    while (rows.step()) {
        const bool hasBit = (rows.integer(2) & bit) != 0;
        if (hasBit == set && current(ItemSource::Bank, rows.integer(0)) == rows.integer(1))
            ids.push_back(rows.integer(0));
    }
    return ids;
}

}  // namespace

std::vector<AttemptSummary> HistoryStore::attempts(const QString& examKindId) const
{
    std::vector<AttemptSummary> list;
    if (!m_db->openToRead(Reading))
        return list;
    const QByteArray sql = QByteArray("SELECT ") + SummaryColumns +
                           " FROM attempts WHERE ?1 IS NULL OR exam_kind = ?1 ORDER BY graded_at DESC, id DESC";
    HistoryDatabase::Statement rows(*m_db, sql.constData(), Reading);
    bindKind(rows, examKindId);
    while (rows.step())
        list.push_back(summaryOf(rows));
    return list;
}

std::vector<ExamGroup> HistoryStore::exams() const
{
    std::vector<ExamGroup> exams;
    if (!m_db->openToRead(Reading))
        return exams;
    HistoryDatabase::Statement rows(*m_db,
                                    "SELECT a.exam_kind, (SELECT exam_title FROM attempts n WHERE n.exam_kind = "
                                    "a.exam_kind ORDER BY graded_at DESC, id DESC LIMIT 1) "
                                    "FROM attempts a GROUP BY a.exam_kind ORDER BY min(a.graded_at), min(a.id)",
                                    Reading);
    while (rows.step())
        exams.push_back({rows.text(0), rows.text(1)});
    return exams;
}

Attempt HistoryStore::attempt(AttemptId id) const
{
    Attempt a;
    bool found = m_db->openToRead(Reading);
    if (found) {
        const QByteArray sql = QByteArray("SELECT ") + SummaryColumns + ", attempt_key FROM attempts WHERE id = ?1";
        HistoryDatabase::Statement row(*m_db, sql.constData(), Reading);
        row.bind(1, id);
        found = row.step();
        if (found) {
            const AttemptSummary s = summaryOf(row);
            a.key = row.text(12);
            a.gradedAt = s.gradedAt;
            a.examKindId = s.examKindId;
            a.examTitle = s.examTitle;
            a.candidateName = s.candidateName;
            a.timeLimitSeconds = s.timeLimitSeconds;
            a.timeUsedSeconds = s.timeUsedSeconds;
            a.score = s.score;
            a.passingScore = s.passingScore;
            a.passed = s.passed;
        }
    }
    if (!found)
        m_db->fail(Reading, HistoryError::Reason::Other, QStringLiteral("it holds no attempt %1").arg(id));

    HistoryDatabase::Statement sections(
        *m_db, "SELECT section, correct, total FROM attempt_sections WHERE attempt_id = ?1 ORDER BY section", Reading);
    sections.bind(1, id);
    while (sections.step())
        a.sections.push_back({int(sections.integer(0)), {int(sections.integer(1)), int(sections.integer(2))}});

    HistoryDatabase::Statement items(*m_db,
                                     "SELECT q.source, q.source_id, q.fingerprint, q.section, q.text_start, i.state "
                                     "FROM attempt_items i JOIN questions q ON q.id = i.question_id "
                                     "WHERE i.attempt_id = ?1 ORDER BY i.position",
                                     Reading);
    items.bind(1, id);
    while (items.step()) {
        ItemResult item{askedItemOf(items, 0)};
        const std::int64_t state = items.integer(5);
        item.answered = state & AnsweredBit;
        item.correct = state & CorrectBit;
        item.marked = state & MarkedBit;
        a.items.push_back(item);
    }
    return a;
}

std::vector<SectionTrend> HistoryStore::sectionTrends(const QString& examKindId) const
{
    constexpr int Window = 5;
    std::map<int, SectionTrend> trends;
    for (int s = 1; s <= 4; ++s)
        trends[s].section = s;
    int recentAttempts = 0;
    int beforeAttempts = 0;
    if (m_db->openToRead(Reading)) {
        HistoryDatabase::Statement latest(*m_db,
                                          "SELECT id FROM attempts WHERE ?1 IS NULL OR exam_kind = ?1 "
                                          "ORDER BY graded_at DESC, id DESC LIMIT ?2",
                                          Reading);
        bindKind(latest, examKindId);
        latest.bind(2, std::int64_t(2 * Window));
        std::vector<AttemptId> ids;
        while (latest.step())
            ids.push_back(latest.integer(0));
        // Until there are more attempts than one window, the latest is set beside the ones before.
        const std::size_t window = ids.size() > std::size_t(Window) ? std::size_t(Window) : 1;
        recentAttempts = int(std::min(window, ids.size()));
        beforeAttempts = int(ids.size()) - recentAttempts;
        HistoryDatabase::Statement sections(
            *m_db, "SELECT section, correct, total FROM attempt_sections WHERE attempt_id = ?1", Reading);
        for (std::size_t n = 0; n < ids.size(); ++n) {
            sections.bind(1, ids[n]);
            while (sections.step()) {
                SectionTrend& trend = trends[int(sections.integer(0))];
                trend.section = int(sections.integer(0));
                Count& count = n < window ? trend.recent : trend.before;
                count.correct += int(sections.integer(1));
                count.total += int(sections.integer(2));
            }
            sections.reset();
        }
    }
    std::vector<SectionTrend> list;
    for (auto& [section, trend] : trends) {
        trend.recentAttempts = recentAttempts;
        trend.beforeAttempts = beforeAttempts;
        list.push_back(trend);
    }
    return list;
}

std::vector<MissedItem> HistoryStore::mostMissed(int limit, const CurrentFingerprint& current) const
{
    std::vector<MissedItem> list;
    if (!m_db->openToRead(Reading))
        return list;
    HistoryDatabase::Statement rows(*m_db,
                                    "SELECT source, source_id, fingerprint, section, text_start, missed, seen, "
                                    "last_right_at FROM questions WHERE missed > 0 "
                                    "ORDER BY missed DESC, latest_at DESC, id LIMIT ?1",
                                    Reading);
    rows.bind(1, std::int64_t(limit));
    while (rows.step()) {
        MissedItem item{askedItemOf(rows, 0), 0, 0, QDateTime(), false};
        item.timesMissed = int(rows.integer(5));
        item.timesSeen = int(rows.integer(6));
        if (!rows.isNull(7))
            item.lastAnsweredRight = timeOf(rows.integer(7));
        item.former = current && current(item.source, item.sourceId) != item.fingerprint;
        list.push_back(item);
    }
    return list;
}

std::vector<std::int64_t> HistoryStore::latestMissedBankItems(const CurrentFingerprint& current) const
{
    return latestBankItems(*m_db, current, CorrectBit, false);
}

std::vector<std::int64_t> HistoryStore::latestMarkedBankItems(const CurrentFingerprint& current) const
{
    return latestBankItems(*m_db, current, MarkedBit, true);
}

}  // namespace history
