#pragma once
// The study history: every graded exam, kept in history.DAT in the working folder, keyed with
// the table files' password. Recording runs in one transaction, so a kill leaves the file
// with or without the attempt, never with part of it. Every failure throws a HistoryError
// that names the file and the reason; a file that cannot be read is never written.

#include "history/Attempt.h"
#include "history/Readiness.h"
#include "store/Session.h"

#include <QString>

#include <QDate>

#include <memory>
#include <optional>

namespace history {

class HistoryDatabase;

class HistoryStore {
public:
    // The history in `path`; the file is made by the first recording when it is missing.
    explicit HistoryStore(const QString& path = HistoryFileName, const QString& password = store::TablePassword);
    ~HistoryStore();

    QString path() const;

    // Records a graded attempt, or replaces the recorded attempt with the same key.
    AttemptId record(const Attempt& attempt);

    // Every attempt, newest first; only those of the exam kind `examKindId` when it is not
    // empty. Also the points of the score chart (oldest first when read backwards).
    std::vector<AttemptSummary> attempts(const QString& examKindId = QString()) const;
    // The exam kinds that have attempts, in the order of their first attempt.
    std::vector<ExamGroup> exams() const;
    // One attempt with its sections and items; throws when there is no attempt `id`.
    Attempt attempt(AttemptId id) const;

    // Sections 1..4 over the last five attempts and the five before them; with five attempts
    // or fewer, the latest attempt and the ones before it.
    std::vector<SectionTrend> sectionTrends(const QString& examKindId = QString()) const;
    // The items missed (answered wrongly or not at all) most often, at most `limit`, the most
    // missed first; an item whose bank or set no longer holds it as it was is `former`.
    std::vector<MissedItem> mostMissed(int limit, const CurrentFingerprint& current) const;

    // Bank Q_IDs, ascending, of the items whose latest recorded answer was wrong or missing
    // (Missed Questions), or that were marked in their latest recorded attempt (Marked
    // Questions). An item whose fingerprint in the bank is no longer the recorded one is left out.
    std::vector<std::int64_t> latestMissedBankItems(const CurrentFingerprint& current) const;
    std::vector<std::int64_t> latestMarkedBankItems(const CurrentFingerprint& current) const;

    // The bank items answered, each with every answer to it oldest first (answers of one time in
    // the order recorded), in the order of their Q_IDs. Only items whose fingerprint in the bank
    // is still the recorded one count; `current` gives nullopt for items the bank does not offer.
    std::vector<AnsweredItem> answeredBankItems(const CurrentFingerprint& current) const;

    // The day of the learner's real exam, when they have set one.
    std::optional<QDate> examDate() const;
    // Sets the exam day, or clears it with nullopt; a day before today is refused (HistoryError
    // with reason PastDate).
    void setExamDate(std::optional<QDate> day);

    // Removes every attempt; the exam day stays.
    void clear();
    // Moves the file (and a journal left beside it) to "history.DAT.damaged-<date>" so that the
    // next recording starts a new one; gives the new name. For a file that cannot be read.
    QString moveAsideDamaged();

    // Writes every attempt, oldest first, as CSV to `path`, replacing it only when all is written.
    void exportCsv(const QString& path) const;

    // What is wrong with the file (SQLite's integrity check and the figures kept per item); empty
    // when it is sound. Throws when it cannot be opened.
    QStringList check() const;

private:
    std::unique_ptr<HistoryDatabase> m_db;
};

}  // namespace history
