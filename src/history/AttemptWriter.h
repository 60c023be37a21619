#pragma once
// Writes one attempt into an open history inside the caller's transaction: the attempt row,
// its sections and items, and the figures of every question it asked.

#include "history/Attempt.h"
#include "history/HistoryDatabase.h"
#include "history/QuestionStats.h"

namespace history {

class AttemptWriter {
public:
    AttemptWriter(HistoryDatabase& db, const QString& doing);

    // Adds the attempt, or replaces the recorded one with the same key; gives its id.
    AttemptId write(const Attempt& attempt);

    // Counts the figures of question `questionId` anew from every recorded answer; removes the
    // question when no attempt asks it any more.
    void recount(std::int64_t questionId);

private:
    struct Question {
        std::int64_t id = 0;
        QuestionStats stats;
    };

    std::optional<Question> findQuestion(const ItemResult& item);
    std::int64_t insertQuestion(const ItemResult& item, const QuestionStats& stats);
    void storeStats(const Question& question);

    HistoryDatabase& m_db;
    QString m_doing;
    HistoryDatabase::Statement m_findQuestion;
    HistoryDatabase::Statement m_insertQuestion;
    HistoryDatabase::Statement m_updateQuestion;
    HistoryDatabase::Statement m_insertItem;
};

// The state bits of an item.
std::int64_t stateOf(const ItemResult& item);
// Binds stats to `statement` from `first` on: seen, missed, last right, latest at, attempt, state.
void bindStats(HistoryDatabase::Statement& statement, int first, const QuestionStats& stats);

}  // namespace history
