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

QuestionStats statsOf(const HistoryDatabase::Statement& row, int first)
{
    QuestionStats stats;
    stats.seen = row.integer(first);
    stats.missed = row.integer(first + 1);
    if (!row.isNull(first + 2))
        stats.lastRightAt = row.integer(first + 2);
    stats.latestAt = row.integer(first + 3);
    stats.latestAttempt = row.integer(first + 4);
    stats.latestState = row.integer(first + 5);
    return stats;
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
                   doing),
      m_questionStats(db,
                      "SELECT seen, missed, last_right_at, latest_at, latest_attempt, latest_state FROM questions "
                      "WHERE id = ?1",
                      doing)
{
}

std::optional<AttemptWriter::Question> AttemptWriter::findQuestion(const ItemResult& item)
{
    m_findQuestion.bind(1, std::int64_t(item.source)).bind(2, item.sourceId).bind(3, item.fingerprint);
    std::optional<Question> found;
    if (m_findQuestion.step())
        found = Question{m_findQuestion.integer(0), statsOf(m_findQuestion, 1)};
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

std::optional<AttemptWriter::Previous> AttemptWriter::findPrevious(const QString& key)
{
    HistoryDatabase::Statement find(m_db, "SELECT id, graded_at FROM attempts WHERE attempt_key = ?1", m_doing);
    find.bind(1, key);
    if (!find.step())
        return std::nullopt;
    Previous previous{find.integer(0), find.integer(1), {}, {}};
    HistoryDatabase::Statement asked(m_db, "SELECT question_id, state FROM attempt_items WHERE attempt_id = ?1",
                                     m_doing);
    asked.bind(1, previous.id);
    while (asked.step())
        if (!previous.answers.emplace(asked.integer(0), asked.integer(1)).second)
            previous.askedTwice.insert(asked.integer(0));
    return previous;
}

void AttemptWriter::insertItem(AttemptId id, std::int64_t position, std::int64_t questionId, std::int64_t state)
{
    m_insertItem.bind(1, id).bind(2, position).bind(3, questionId).bind(4, state).run();
}

AttemptId AttemptWriter::write(const Attempt& attempt)
{
    const std::int64_t gradedAt = attempt.gradedAt.toMSecsSinceEpoch();
    Count items;
    for (const ItemResult& item : attempt.items) {
        ++items.total;
        items.correct += item.correct ? 1 : 0;
    }

    const std::optional<Previous> previous = findPrevious(attempt.key);
    if (previous) {
        HistoryDatabase::Statement dropItems(m_db, "DELETE FROM attempt_items WHERE attempt_id = ?1", m_doing);
        dropItems.bind(1, previous->id).run();
        HistoryDatabase::Statement dropSections(m_db, "DELETE FROM attempt_sections WHERE attempt_id = ?1", m_doing);
        dropSections.bind(1, previous->id).run();
    }

    HistoryDatabase::Statement store(
        m_db,
        previous ? "UPDATE attempts SET graded_at = ?2, exam_title = ?3, candidate = ?4, time_limit = ?5, "
                   "time_used = ?6, score = ?7, passing_score = ?8, passed = ?9, items_correct = ?10, "
                   "items_total = ?11, exam_kind = ?12 WHERE attempt_key = ?1"
                 : "INSERT INTO attempts (attempt_key, graded_at, exam_title, candidate, time_limit, time_used, "
                   "score, passing_score, passed, items_correct, items_total, exam_kind) "
                   "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)",
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
        .bind(12, attempt.examKindId.isEmpty() ? examKindIdOfTitle(attempt.examTitle) : attempt.examKindId)
        .run();
    const AttemptId id = previous ? previous->id : m_db.lastInsertId();

    HistoryDatabase::Statement section(
        m_db, "INSERT INTO attempt_sections (attempt_id, section, correct, total) VALUES (?1, ?2, ?3, ?4)", m_doing);
    for (const SectionResult& s : attempt.sections)
        section.bind(1, id).bind(2, std::int64_t(s.section)).bind(3, std::int64_t(s.count.correct))
            .bind(4, std::int64_t(s.count.total)).run();

    if (previous)
        replaceAnswers(*previous, attempt.items, gradedAt);
    else
        addAnswers(id, attempt.items, gradedAt);
    return id;
}

void AttemptWriter::addAnswers(AttemptId id, const std::vector<ItemResult>& items, std::int64_t gradedAt)
{
    std::int64_t position = 0;
    for (const ItemResult& item : items) {
        const std::int64_t state = stateOf(item);
        std::optional<Question> question = findQuestion(item);
        if (question) {
            question->stats.add(gradedAt, id, state);
            storeStats(*question);
        } else {
            QuestionStats stats;
            stats.add(gradedAt, id, state);
            question = Question{insertQuestion(item, stats), stats};
        }
        insertItem(id, ++position, question->id, state);
    }
}

// A re-grading: each question's figures lose the answer the attempt gave before and gain the
// one it gives now. Where that cannot be done exactly, its answers are counted anew.
void AttemptWriter::replaceAnswers(const Previous& previous, const std::vector<ItemResult>& items,
                                   std::int64_t gradedAt)
{
    std::map<std::int64_t, std::int64_t> answers;  // question id -> state
    std::set<std::int64_t> recounted = previous.askedTwice;
    std::int64_t position = 0;
    for (const ItemResult& item : items) {
        const std::optional<Question> found = findQuestion(item);
        const std::int64_t questionId = found ? found->id : insertQuestion(item, {});
        if (!answers.emplace(questionId, stateOf(item)).second)
            recounted.insert(questionId);
        insertItem(previous.id, ++position, questionId, stateOf(item));
    }
    std::set<std::int64_t> touched;
    for (const auto& [questionId, state] : previous.answers)
        touched.insert(questionId);
    for (const auto& [questionId, state] : answers)
        touched.insert(questionId);
    for (std::int64_t questionId : touched) {
        if (recounted.count(questionId))
            continue;
        m_questionStats.bind(1, questionId);
        if (!m_questionStats.step())
            m_db.fail(m_doing, HistoryError::Reason::Damaged,
                      QStringLiteral("the file is damaged: question %1 is missing").arg(questionId));
        Question question{questionId, statsOf(m_questionStats, 0)};
        m_questionStats.reset();
        const auto now = answers.find(questionId);
        const std::optional<std::int64_t> replacement =
            now == answers.end() ? std::nullopt : std::optional<std::int64_t>(now->second);
        if (const auto before = previous.answers.find(questionId); before != previous.answers.end() &&
            !question.stats.takeOut(previous.gradedAt, previous.id, before->second, replacement, gradedAt)) {
            recounted.insert(questionId);
            continue;
        }
        if (replacement)
            question.stats.add(gradedAt, previous.id, *replacement);
        if (question.stats.seen == 0)
            recount(questionId);  // asked by no attempt now: removes it
        else
            storeStats(question);
    }
    for (std::int64_t questionId : recounted)
        recount(questionId);
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
