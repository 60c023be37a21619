// The study history with 10,000 attempts of 100 items, drawn from the asked items of a
// 100,000-item bank with their fingerprints as the bank gives them: what the history window reads
// (the list of attempts, the exam titles, the section trends and the most-missed items, from a
// store opened afresh), opening the Study History window itself on that bank (made, read and
// shown, offscreen, its readiness panel included), the readiness estimate with the review
// schedule, recording a 100-item attempt, and recording an attempt of 100,000 items. Beside them,
// one transaction writing the same rows by plain SQL through SQLCipher, as the baseline.
//
// The bank and the 10,000 attempts are made once into bench_bank_100k.DAT and
// bench_history_10k_bank.DAT in the working folder and reused by later runs. Ends with:
//   readiness_10k: ms=<x> first_answers=<n> due=<k>
//   history_10k: open_ms=<x> record_ms=<y> record_100k_ms=<z>
// where open_ms is the window's opening.

#include "BenchBank.h"
#include "history/CurrentItems.h"
#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "history/StudyPlan.h"
#include "store/Fields.h"
#include "historywindow/StudyHistoryWindow.h"
#include "store/Session.h"

#include <sqlcipher/sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

using namespace history;

namespace {

const QString Kept = QStringLiteral("bench_history_10k_bank.DAT");
const QString KeptBank = QStringLiteral("bench_bank_100k.DAT");
constexpr int KeptBankSize = 100000;
// Exam 0 (retired) and practice exams 1 to 7, in turn.
int examOfItem(int q)
{
    return q % 8;
}
const QString Scratch = QStringLiteral("bench_history_scratch.DAT");
constexpr int Attempts = 10000;
constexpr int BankSize = KeptBankSize;
const QStringList Titles{"Practice Exam A", "Practice Exam B", "Practice Exam C", "All Questions", "Random Exam"};

// Item q as makeBenchBank writes it.
QString questionOf(std::int64_t q)
{
    return QStringLiteral("Which of these statements about the network shown is true? ").repeated(3) + QString::number(q);
}

Fingerprint fingerprintOf(std::int64_t q)
{
    ItemTexts texts;
    texts.question = questionOf(q);
    for (int a = 0; a < 4; ++a)
        texts.answers[std::size_t(a)] = QStringLiteral("Answer %1 of item %2").arg(a + 1).arg(q);
    texts.keys[1] = true;
    return fingerprint(texts);
}

// An asked item of the bank (never of exam 0) at random.
std::int64_t askedItem(QRandomGenerator& random)
{
    for (;;)
        if (const std::int64_t q = random.bounded(BankSize) + 1; examOfItem(int(q)) != 0)
            return q;
}

// An attempt of `count` items starting at Q_ID `first` (bank items wrap around `bank`), or of
// asked items drawn at random when `first` is negative.
Attempt attemptOf(QRandomGenerator& random, int n, int count, std::int64_t first, std::int64_t bank)
{
    Attempt a;
    a.key = newAttemptKey();
    a.gradedAt = QDateTime(QDate(2025, 1, 1), QTime(8, 0)).addSecs(std::int64_t(n) * 1800);
    a.examTitle = Titles[n % Titles.size()];
    a.candidateName = QStringLiteral("Anna");
    a.timeLimitSeconds = 5400;
    a.timeUsedSeconds = 3000 + n % 2000;
    a.passingScore = 850;
    std::array<Count, 4> sections{};
    int correct = 0;
    for (int i = 0; i < count; ++i) {
        ItemResult item;
        item.sourceId = first < 0 ? askedItem(random) : (first + i) % bank + 1;
        item.fingerprint = fingerprintOf(item.sourceId);
        item.section = int(item.sourceId % 4) + 1;
        item.question = questionOf(item.sourceId);
        item.answered = random.bounded(20) != 0;
        item.correct = item.answered && random.bounded(10) < 8;
        item.marked = random.bounded(10) == 0;
        Count& s = sections[std::size_t(item.section - 1)];
        ++s.total;
        s.correct += item.correct;
        correct += item.correct;
        a.items.push_back(item);
    }
    for (int s = 0; s < 4; ++s)
        a.sections.push_back({s + 1, sections[std::size_t(s)]});
    a.score = 1000 * correct / count;
    a.passed = a.score >= 850;
    return a;
}

double msSince(const QElapsedTimer& clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

// The baseline: the rows of `attempt` written by plain SQL in one transaction: the attempt, its
// sections, each question's figures (updated, or inserted when new) and each item.
// The connection is opened, keyed and read once before the clock starts, as the store's is.
double recordBySql(const QString& file, const Attempt& attempt)
{
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    const QByteArray key = store::TablePassword.toUtf8();
    sqlite3_key(db, key.constData(), int(key.size()));
    check(sqlite3_exec(db, "PRAGMA cache_size = -65536; SELECT count(*) FROM attempts", nullptr, nullptr, nullptr), db);
    QElapsedTimer clock;
    clock.start();
    check(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
    auto prepare = [&](const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        check(sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr), db);
        return stmt;
    };
    sqlite3_stmt* insertAttempt = prepare(
        "INSERT INTO attempts (attempt_key, graded_at, exam_title, candidate, time_limit, time_used, score, "
        "passing_score, passed, items_correct, items_total, exam_kind) VALUES (?1, ?2, 'Random Exam', 'Anna', 5400, "
        "3000, ?3, 850, 0, 0, ?4, 'random')");
    const QByteArray attemptKey = attempt.key.toUtf8();
    sqlite3_bind_text(insertAttempt, 1, attemptKey.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(insertAttempt, 2, attempt.gradedAt.toMSecsSinceEpoch());
    sqlite3_bind_int64(insertAttempt, 3, attempt.score);
    sqlite3_bind_int64(insertAttempt, 4, std::int64_t(attempt.items.size()));
    check(sqlite3_step(insertAttempt), db);
    const std::int64_t id = sqlite3_last_insert_rowid(db);
    sqlite3_stmt* section = prepare("INSERT INTO attempt_sections VALUES (?1, ?2, ?3, ?4)");
    for (const SectionResult& s : attempt.sections) {
        sqlite3_bind_int64(section, 1, id);
        sqlite3_bind_int64(section, 2, s.section);
        sqlite3_bind_int64(section, 3, s.count.correct);
        sqlite3_bind_int64(section, 4, s.count.total);
        check(sqlite3_step(section), db);
        sqlite3_reset(section);
    }
    sqlite3_stmt* update = prepare(
        "UPDATE questions SET seen = seen + 1, missed = missed + ?4, latest_at = ?5, latest_attempt = ?6, "
        "latest_state = ?7 WHERE source = 0 AND source_id = ?1 AND fingerprint = ?2");
    sqlite3_stmt* find = prepare("SELECT id FROM questions WHERE source = 0 AND source_id = ?1 AND fingerprint = ?2");
    sqlite3_stmt* insert = prepare(
        "INSERT INTO questions (source, source_id, fingerprint, section, text_start, seen, missed, latest_at, "
        "latest_attempt, latest_state) VALUES (0, ?1, ?2, ?3, ?8, 1, ?4, ?5, ?6, ?7)");
    sqlite3_stmt* item = prepare("INSERT INTO attempt_items VALUES (?1, ?2, ?3, ?4)");
    std::int64_t position = 0;
    for (const ItemResult& it : attempt.items) {
        const std::int64_t state = (it.answered ? 1 : 0) | (it.correct ? 2 : 0) | (it.marked ? 4 : 0);
        const QByteArray text = it.question.left(QuestionStartLength).toUtf8();
        for (sqlite3_stmt* s : {update, insert}) {
            sqlite3_bind_int64(s, 1, it.sourceId);
            sqlite3_bind_int64(s, 2, it.fingerprint);
            sqlite3_bind_int64(s, 4, it.correct ? 0 : 1);
            sqlite3_bind_int64(s, 5, attempt.gradedAt.toMSecsSinceEpoch());
            sqlite3_bind_int64(s, 6, id);
            sqlite3_bind_int64(s, 7, state);
        }
        check(sqlite3_step(update), db);
        sqlite3_reset(update);
        std::int64_t question = 0;
        if (sqlite3_changes(db) == 0) {
            sqlite3_bind_int64(insert, 3, it.section);
            sqlite3_bind_text(insert, 8, text.constData(), -1, SQLITE_TRANSIENT);
            check(sqlite3_step(insert), db);
            sqlite3_reset(insert);
            question = sqlite3_last_insert_rowid(db);
        } else {
            sqlite3_bind_int64(find, 1, it.sourceId);
            sqlite3_bind_int64(find, 2, it.fingerprint);
            check(sqlite3_step(find), db);
            question = sqlite3_column_int64(find, 0);
            sqlite3_reset(find);
        }
        sqlite3_bind_int64(item, 1, id);
        sqlite3_bind_int64(item, 2, ++position);
        sqlite3_bind_int64(item, 3, question);
        sqlite3_bind_int64(item, 4, state);
        check(sqlite3_step(item), db);
        sqlite3_reset(item);
    }
    for (sqlite3_stmt* s : {insertAttempt, section, update, find, insert, item})
        sqlite3_finalize(s);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    const double ms = msSince(clock);
    sqlite3_close(db);
    return ms;
}

void copyKept()
{
    QFile::remove(Scratch);
    if (!QFile::copy(Kept, Scratch)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(Kept));
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QRandomGenerator random(20261210);
    try {
        if (!QFile::exists(KeptBank)) {
            std::printf("making a bank of %d items into %s (kept for later runs)...\n", KeptBankSize, qPrintable(KeptBank));
            std::fflush(stdout);
            makeBenchBank(KeptBank + QStringLiteral(".part"), KeptBankSize, examOfItem);
            QFile::rename(KeptBank + QStringLiteral(".part"), KeptBank);
        }
        {
            // The history's fingerprints must be the bank's, or the estimate would have nothing to count.
            store::StandaloneTable bank(KeptBank);
            bank.table.open();
            for (std::int64_t q : {1, 777, 99999})
                if (!bank.table.findKey(q) || fingerprintOfRecord(bank.table) != fingerprintOf(q)) {
                    std::fprintf(stderr, "bench_history: item %lld's fingerprint is not the bank's\n", (long long)q);
                    return 1;
                }
        }
        if (HistoryStore(Kept).attempts().size() != std::size_t(Attempts)) {
            QFile::remove(Kept);
            std::printf("recording %d attempts of 100 items into %s (kept for later runs)...\n", Attempts,
                        qPrintable(Kept));
            std::fflush(stdout);
            HistoryStore building(Kept);
            for (int n = 0; n < Attempts; ++n)
                building.record(attemptOf(random, n, 100, -1, BankSize));
        }

        // Opening the window: a store opened afresh reads what the window shows.
        const CurrentFingerprint current = [](ItemSource, std::int64_t q) -> std::optional<Fingerprint> {
            return fingerprintOf(q);
        };
        std::vector<double> opens;
        std::array<std::vector<double>, 5> parts;
        std::size_t listed = 0;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer clock, part;
            clock.start();
            part.start();
            HistoryStore window(Kept);
            window.exams();  // opens the file
            parts[0].push_back(msSince(part));
            part.restart();
            listed = window.attempts().size();
            parts[1].push_back(msSince(part));
            part.restart();
            window.sectionTrends();
            parts[2].push_back(msSince(part));
            part.restart();
            window.mostMissed(20, current);
            parts[3].push_back(msSince(part));
            opens.push_back(msSince(clock));
        }
        std::printf("open: %zu attempts listed, median of 5: %.1f ms (open and exam titles %.1f, attempts %.1f, "
                    "section trends %.1f, most missed %.1f)\n",
                    listed, median(opens), median(parts[0]), median(parts[1]), median(parts[2]), median(parts[3]));

        // The readiness estimate and the review schedule: the bank's facts and the plan, from a
        // store and a bank opened afresh.
        std::vector<double> plans;
        std::array<std::vector<double>, 3> planParts;
        StudyPlan plan;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer clock, part;
            clock.start();
            part.start();
            const HistoryStore history(Kept);
            const BankFacts bank = bankFactsIn(KeptBank);
            planParts[0].push_back(msSince(part));
            part.restart();
            history.answeredBankItems(bank.current);  // the answers alone, fingerprints checked
            planParts[1].push_back(msSince(part));
            part.restart();
            plan = studyPlanOf(history, bank, QDateTime::currentMSecsSinceEpoch());
            planParts[2].push_back(msSince(part));
            plans.push_back(msSince(clock) - planParts[1].back());
        }
        std::printf("readiness: median of 5: %.1f ms (bank facts %.1f; the plan %.1f, of which the answers %.1f), %s, "
                    "chance %.2f, %d due\n",
                    median(plans), median(planParts[0]), median(planParts[2]), median(planParts[1]),
                    plan.readiness.enough ? "a figure" : "no figure", plan.readiness.passChance, plan.review.dueToday);

        // The window itself, on a copy of the history beside the bank in a working folder of its own.
        QTemporaryDir folder;
        if (!QFile::copy(Kept, QDir(folder.path()).filePath(HistoryFileName)) ||
            !QFile::link(QFileInfo(KeptBank).absoluteFilePath(), QDir(folder.path()).filePath(store::BankFileName))) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(Kept));
            return 1;
        }
        {
            // What the most-missed list costs with the bank beside the history: opening the bank
            // and reading the items it asks about.
            QElapsedTimer clock;
            clock.start();
            const CurrentFingerprint bankNow = currentFingerprintsIn(folder.path());
            bankNow(ItemSource::Bank, 1);
            const double opened = msSince(clock);
            for (std::int64_t q = 2; q <= 21; ++q)
                bankNow(ItemSource::Bank, q);
            std::printf("bank beside the history: opened %.1f ms, 20 items read %.1f ms\n", opened, msSince(clock) - opened);
        }
        std::vector<double> windows, filled;
        std::array<std::vector<double>, 3> steps;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer clock, step;
            clock.start();
            step.start();
            historywindow::StudyHistoryWindow window(folder.path(), nullptr);
            steps[0].push_back(msSince(step));
            step.restart();
            window.show();
            steps[1].push_back(msSince(step));
            step.restart();
            QApplication::processEvents();
            steps[2].push_back(msSince(step));
            windows.push_back(msSince(clock));
            // The readiness panel is filled in the background, after the window shows.
            while (!window.readinessShown())
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            filled.push_back(msSince(clock));
        }
        std::printf("window: made, read and shown with %zu attempts, median of 5: %.1f ms (made %.1f, read and laid "
                    "out %.1f, painted %.1f); its readiness panel filled after %.1f ms\n",
                    listed, median(windows), median(steps[0]), median(steps[1]), median(steps[2]), median(filled));

        // Recording into a copy, so the kept file stays at 10,000 attempts.
        copyKept();
        std::vector<double> records, regradings, baselines;
        {
            HistoryStore store(Scratch);
            store.attempts();  // the program keeps its store open: the key is derived once
            for (int run = 0; run < 5; ++run) {
                Attempt attempt = attemptOf(random, Attempts + run, 100, -1, BankSize);
                QElapsedTimer clock;
                clock.start();
                store.record(attempt);
                records.push_back(msSince(clock));
                // Graded again: every answered item's figures are counted anew from its answers.
                for (ItemResult& item : attempt.items)
                    item.correct = item.answered;
                clock.restart();
                store.record(attempt);
                regradings.push_back(msSince(clock));
            }
        }
        for (int run = 0; run < 5; ++run)
            baselines.push_back(
                recordBySql(Scratch, attemptOf(random, Attempts + 10 + run, 100, -1, BankSize)));
        std::printf("record 100 items, median of 5: %.1f ms; baseline plain SQL: %.1f ms; grading it again: %.1f ms\n",
                    median(records), median(baselines), median(regradings));

        const Attempt huge = attemptOf(random, Attempts + 20, 100000, 0, 100000);
        copyKept();
        double record100k = 0;
        {
            HistoryStore store(Scratch);
            store.attempts();
            QElapsedTimer clock;
            clock.start();
            store.record(huge);
            record100k = msSince(clock);
        }
        copyKept();
        const double baseline100k = recordBySql(Scratch, huge);
        QFile::remove(Scratch);
        std::printf("record 100,000 items: %.0f ms; baseline plain SQL: %.0f ms\n", record100k, baseline100k);

        std::printf("readiness_10k: ms=%.0f first_answers=%d due=%d\n", median(plans), plan.readiness.firstAnswers,
                    plan.review.dueToday);
        std::printf("history_10k: open_ms=%.0f record_ms=%.1f record_100k_ms=%.0f\n", median(windows),
                    median(records), record100k);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_history: %s\n", e.what());
        return 1;
    }
    return 0;
}
