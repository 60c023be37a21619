#include "history/AttemptWriter.h"

#include <set>

namespace history {

std::int64_t stateOf(const ItemResult& item)
{
    return (item.answered ? AnsweredBit : 0) | (item.correct ? CorrectBit : 0) | (item.marked ? MarkedBit : 0);
}

void bindStats(HistoryDatabase::Statement& statement, int first, const QuestionStats& stats)
{
    statement.bind(first, stats.seen).bind(first + 1, stats.missed);
    if (stats.lastRightAt)
        statement.bind(first + 2, *stats.lastRightAt);
    else
        statement.bindNull(first + 2);
    statement.bind(first + 3, stats.latestAt).bind(first + 4, stats.latestAttempt).bind(first + 5, stats.latestState);
}

AttemptWriter::AttemptWriter(HistoryDatabase& db, const QString& doing)
    : m_db(db),
      m_doing(doing),
      m_findQuestion(db,
                     "SELECT id, seen, missed, last_right_at, latest_at, latest_attempt, latest_state FROM questions "
                     "WHERE source = ?1 AND source_id = ?2 AND fingerprint = ?3",
                     doing),
      m_insertQuestion(db,
                       "INSERT INTO questions (source, source_id, fingerprint, section, text_start, seen, missed, "
                       "last_right_at, latest_at, latest_attempt, latest_state) "
                       "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)",
                       doing),
      m_updateQuestion(db,
                       "UPDATE questions SET seen = ?1, missed = ?2, last_right_at = ?3, latest_at = ?4, "
                       "latest_attempt = ?5, latest_state = ?6 WHERE id = ?7",
                       doing),
      m_insertItem(db, "INSERT INTO attempt_items (attempt_id, position, question_id, state) VALUES (?1, ?2, ?3, ?4)",
                   doing)
{
}

std::optional<AttemptWriter::Question> AttemptWriter::findQuestion(const ItemResult& item)
{
    m_findQuestion.bind(1, std::int64_t(item.source)).bind(2, item.sourceId).bind(3, item.fingerprint);
    std::optional<Question> found;
    if (m_findQuestion.step()) {
        Question q;
        q.id = m_findQuestion.integer(0);
        q.stats.seen = m_findQuestion.integer(1);
        q.stats.missed = m_findQuestion.integer(2);
        if (!m_findQuestion.isNull(3))
            q.stats.lastRightAt = m_findQuestion.integer(3);
        q.stats.latestAt = m_findQuestion.integer(4);
        q.stats.latestAttempt = m_findQuestion.integer(5);
        q.stats.latestState = m_findQuestion.integer(6);
        found = q;
    }
    m_findQuestion.reset();
    return found;
}

std::int64_t AttemptWriter::insertQuestion(const ItemResult& item, const QuestionStats& stats)
{
    m_insertQuestion.bind(1, std::int64_t(item.source))
        .bind(2, item.sourceId)
        .bind(3, item.fingerprint)
        .bind(4, std::int64_t(item.section))
        .bind(5, item.question.simplified().left(QuestionStartLength));
    bindStats(m_insertQuestion, 6, stats);
    m_insertQuestion.run();
    return m_db.lastInsertId();
}

void AttemptWriter::storeStats(const Question& question)
{
    bindStats(m_updateQuestion, 1, question.stats);
    m_updateQuestion.bind(7, question.id).run();
}

AttemptId AttemptWriter::write(const Attempt& attempt)
{
    const std::int64_t gradedAt = attempt.gradedAt.toMSecsSinceEpoch();
    Count items;
    for (const ItemResult& item : attempt.items) {
        ++items.total;
        items.correct += item.correct ? 1 : 0;
    }

    // A re-grading replaces the attempt's answers; the questions they touched are counted anew.
    std::optional<AttemptId> previous;
    {
        HistoryDatabase::Statement find(m_db, "SELECT id FROM attempts WHERE attempt_key = ?1", m_doing);
        find.bind(1, attempt.key);
        if (find.step())
            previous = find.integer(0);
    }
    std::set<std::int64_t> recounted;
    if (previous) {
        HistoryDatabase::Statement asked(m_db, "SELECT question_id FROM attempt_items WHERE attempt_id = ?1", m_doing);
        asked.bind(1, *previous);
        while (asked.step())
            recounted.insert(asked.integer(0));
        HistoryDatabase::Statement dropItems(m_db, "DELETE FROM attempt_items WHERE attempt_id = ?1", m_doing);
        dropItems.bind(1, *previous).run();
        HistoryDatabase::Statement dropSections(m_db, "DELETE FROM attempt_sections WHERE attempt_id = ?1", m_doing);
        dropSections.bind(1, *previous).run();
    }

    HistoryDatabase::Statement store(
        m_db,
        previous ? "UPDATE attempts SET graded_at = ?2, exam_title = ?3, candidate = ?4, time_limit = ?5, "
                   "time_used = ?6, score = ?7, passing_score = ?8, passed = ?9, items_correct = ?10, "
                   "items_total = ?11 WHERE attempt_key = ?1"
                 : "INSERT INTO attempts (attempt_key, graded_at, exam_title, candidate, time_limit, time_used, "
                   "score, passing_score, passed, items_correct, items_total) "
                   "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)",
        m_doing);
    store.bind(1, attempt.key)
        .bind(2, gradedAt)
        .bind(3, attempt.examTitle)
        .bind(4, attempt.candidateName)
        .bind(5, std::int64_t(attempt.timeLimitSeconds))
        .bind(6, std::int64_t(attempt.timeUsedSeconds))
        .bind(7, std::int64_t(attempt.score))
        .bind(8, std::int64_t(attempt.passingScore))
        .bind(9, std::int64_t(attempt.passed ? 1 : 0))
        .bind(10, std::int64_t(items.correct))
        .bind(11, std::int64_t(items.total))
        .run();
    const AttemptId id = previous ? *previous : m_db.lastInsertId();

    HistoryDatabase::Statement section(
        m_db, "INSERT INTO attempt_sections (attempt_id, section, correct, total) VALUES (?1, ?2, ?3, ?4)", m_doing);
    for (const SectionResult& s : attempt.sections)
        section.bind(1, id).bind(2, std::int64_t(s.section)).bind(3, std::int64_t(s.count.correct))
            .bind(4, std::int64_t(s.count.total)).run();

    std::int64_t position = 0;
    for (const ItemResult& item : attempt.items) {
        const std::int64_t state = stateOf(item);
        std::optional<Question> question = findQuestion(item);
        if (previous) {
            if (!question)
                question = Question{insertQuestion(item, {}), {}};
            recounted.insert(question->id);
        } else if (question) {
            question->stats.add(gradedAt, id, state);
            storeStats(*question);
        } else {
            QuestionStats stats;
            stats.add(gradedAt, id, state);
            question = Question{insertQuestion(item, stats), stats};
        }
        m_insertItem.bind(1, id).bind(2, ++position).bind(3, question->id).bind(4, state).run();
    }
    for (std::int64_t questionId : recounted)
        recount(questionId);
    return id;
}

void AttemptWriter::recount(std::int64_t questionId)
{
    Question question{questionId, {}};
    {
        HistoryDatabase::Statement answers(m_db,
                                           "SELECT a.graded_at, a.id, i.state FROM attempt_items i "
                                           "JOIN attempts a ON a.id = i.attempt_id WHERE i.question_id = ?1",
                                           m_doing);
        answers.bind(1, questionId);
        while (answers.step())
            question.stats.add(answers.integer(0), answers.integer(1), answers.integer(2));
    }
    if (question.stats.seen > 0) {
        storeStats(question);
        return;
    }
    HistoryDatabase::Statement drop(m_db, "DELETE FROM questions WHERE id = ?1", m_doing);
    drop.bind(1, questionId).run();
}

}  // namespace history
