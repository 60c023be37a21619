#pragma once
// Writes one attempt into an open history inside the caller's transaction: the attempt row,
// its sections and items, and the figures of every question it asked.

#include "history/Attempt.h"
#include "history/HistoryDatabase.h"
#include "history/QuestionStats.h"

#include <map>
#include <set>

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

    // The attempt recorded under a key, with the answers it gave.
    struct Previous {
        AttemptId id = 0;
        std::int64_t gradedAt = 0;
        std::map<std::int64_t, std::int64_t> answers;  // question id -> state
        std::set<std::int64_t> askedTwice;
    };

    std::optional<Previous> findPrevious(const QString& key);
    void replaceAnswers(const Previous& previous, const std::vector<ItemResult>& items, std::int64_t gradedAt);
    void addAnswers(AttemptId id, const std::vector<ItemResult>& items, std::int64_t gradedAt);
    void insertItem(AttemptId id, std::int64_t position, std::int64_t questionId, std::int64_t state);
    std::optional<Question> findQuestion(const ItemResult& item);
    std::int64_t insertQuestion(const ItemResult& item, const QuestionStats& stats);
    void storeStats(const Question& question);

    HistoryDatabase& m_db;
    QString m_doing;
    HistoryDatabase::Statement m_findQuestion;
    HistoryDatabase::Statement m_insertQuestion;
    HistoryDatabase::Statement m_updateQuestion;
    HistoryDatabase::Statement m_insertItem;
    HistoryDatabase::Statement m_questionStats;
};

// The state bits of an item.
std::int64_t stateOf(const ItemResult& item);
// Reads stats from the columns `first` on, in the order bindStats binds them.
QuestionStats statsOf(const HistoryDatabase::Statement& row, int first);
// Binds stats to `statement` from `first` on: seen, missed, last right, latest at, attempt, state.
void bindStats(HistoryDatabase::Statement& statement, int first, const QuestionStats& stats);

}  // namespace history
