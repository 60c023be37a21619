#include "history/HistoryLayout.h"

#include "history/Attempt.h"
#include "history/HistoryDatabase.h"

#include <sqlcipher/sqlite3.h>

#include <iterator>

namespace history::layout {

namespace {

// The current layout. `questions` holds one row per item as it was asked (its source, Q_ID and
// fingerprint) with the figures the study history shows of it, kept up to date by every
// recording, so that no reading walks all answers ever given. Attempts are grouped by their
// exam kind's id, which stays when a kind's shown title changes.
constexpr const char* Current = R"sql(
CREATE TABLE attempts (
    id INTEGER PRIMARY KEY,
    attempt_key TEXT NOT NULL UNIQUE,
    graded_at INTEGER NOT NULL,
    exam_title TEXT NOT NULL,
    candidate TEXT NOT NULL,
    time_limit INTEGER NOT NULL,
    time_used INTEGER NOT NULL,
    score INTEGER NOT NULL,
    passing_score INTEGER NOT NULL,
    passed INTEGER NOT NULL,
    items_correct INTEGER NOT NULL,
    items_total INTEGER NOT NULL,
    exam_kind TEXT NOT NULL);
CREATE INDEX attempts_by_time ON attempts (graded_at, id);
CREATE INDEX attempts_by_kind ON attempts (exam_kind, graded_at, id);
CREATE TABLE attempt_sections (
    attempt_id INTEGER NOT NULL,
    section INTEGER NOT NULL,
    correct INTEGER NOT NULL,
    total INTEGER NOT NULL,
    PRIMARY KEY (attempt_id, section)) WITHOUT ROWID;
CREATE TABLE questions (
    id INTEGER PRIMARY KEY,
    source INTEGER NOT NULL,
    source_id INTEGER NOT NULL,
    fingerprint INTEGER NOT NULL,
    section INTEGER NOT NULL,
    text_start TEXT NOT NULL,
    seen INTEGER NOT NULL,
    missed INTEGER NOT NULL,
    last_right_at INTEGER,
    latest_at INTEGER NOT NULL,
    latest_attempt INTEGER NOT NULL,
    latest_state INTEGER NOT NULL,
    UNIQUE (source, source_id, fingerprint));
CREATE INDEX questions_by_missed ON questions (missed);
CREATE TABLE attempt_items (
    attempt_id INTEGER NOT NULL,
    position INTEGER NOT NULL,
    question_id INTEGER NOT NULL,
    state INTEGER NOT NULL,
    PRIMARY KEY (attempt_id, position)) WITHOUT ROWID;
CREATE INDEX attempt_items_by_question ON attempt_items (question_id);
CREATE TABLE exam_plan (
    id INTEGER PRIMARY KEY CHECK (id = 1),
    exam_date TEXT);
)sql";

// exam_kind_of(title): the kind id of an attempt that has only its shown title.
void examKindOf(sqlite3_context* context, int, sqlite3_value** values)
{
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const QString title = QString::fromUtf8(text, sqlite3_value_bytes(values[0]));
    const QByteArray kind = examKindIdOfTitle(title).toUtf8();
    sqlite3_result_text(context, kind.constData(), int(kind.size()), SQLITE_TRANSIENT);
}

// Version 1 grouped attempts by their shown title: each attempt gets the id of its title's kind.
void addExamKinds(HistoryDatabase& db, const QString& doing)
{
    db.exec("ALTER TABLE attempts ADD COLUMN exam_kind TEXT NOT NULL DEFAULT '';"
            "UPDATE attempts SET exam_kind = exam_kind_of(exam_title);"
            "DROP INDEX attempts_by_title;"
            "CREATE INDEX attempts_by_kind ON attempts (exam_kind, graded_at, id);",
            doing);
}

// Version 2 had no exam date: the learner's plan starts empty.
void addExamPlan(HistoryDatabase& db, const QString& doing)
{
    db.exec("CREATE TABLE exam_plan (id INTEGER PRIMARY KEY CHECK (id = 1), exam_date TEXT);", doing);
}

// The step from each version to the next: Steps[0] upgrades version 1 to 2, and so on. A step
// adds columns to `attempts` or new tables, so that a file not yet upgraded can be read through
// a view of `attempts` with the new columns computed from the old ones, and empty temporary
// tables in place of the new ones.
struct Step {
    void (*upgrade)(HistoryDatabase& db, const QString& doing);
    const char* addedColumns;  // what the step's new columns read as before it, or null
    const char* addedTable;    // the name of the step's new table, or null
    const char* tableColumns;  // its columns
};
constexpr Step Steps[] = {
    {addExamKinds, "exam_kind_of(exam_title) AS exam_kind", nullptr, nullptr},
    {addExamPlan, nullptr, "exam_plan", "id INTEGER PRIMARY KEY, exam_date TEXT"},
};

// Drops what readAsIs() put in front of the file's own tables.
void dropReadAsIs(HistoryDatabase& db, const QString& doing)
{
    db.exec("DROP VIEW IF EXISTS temp.attempts", doing);
    for (const Step& step : Steps)
        if (step.addedTable)
            db.exec(QStringLiteral("DROP TABLE IF EXISTS temp.%1").arg(QLatin1String(step.addedTable)).toUtf8().constData(),
                    doing);
}
static_assert(std::size(Steps) == CurrentVersion - 1, "one step for each version after the first");

void setVersion(HistoryDatabase& db, int version, const QString& doing)
{
    db.exec(QStringLiteral("PRAGMA application_id = %1; PRAGMA user_version = %2;")
                .arg(ApplicationId)
                .arg(version)
                .toUtf8()
                .constData(),
            doing);
}

}  // namespace

void addFunctions(sqlite3* db)
{
    sqlite3_create_function_v2(db, "exam_kind_of", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, examKindOf,
                               nullptr, nullptr, nullptr);
}

void create(HistoryDatabase& db, const QString& doing)
{
    db.exec(Current, doing);
    setVersion(db, CurrentVersion, doing);
}

void upgrade(HistoryDatabase& db, int version, const QString& doing)
{
    dropReadAsIs(db, doing);
    for (int from = version; from < CurrentVersion; ++from)
        Steps[from - 1].upgrade(db, doing);
    setVersion(db, CurrentVersion, doing);
}

void readAsIs(HistoryDatabase& db, int version, const QString& doing)
{
    // A temporary object of a name is found before the file's own: every reading of `attempts`
    // on this connection reads the view.
    dropReadAsIs(db, doing);
    QString columns;
    for (int from = version; from < CurrentVersion; ++from) {
        const Step& step = Steps[from - 1];
        if (step.addedColumns)
            columns += QStringLiteral(", ") + QLatin1String(step.addedColumns);
        if (step.addedTable)
            db.exec(QStringLiteral("CREATE TEMP TABLE %1 (%2)")
                        .arg(QLatin1String(step.addedTable), QLatin1String(step.tableColumns))
                        .toUtf8()
                        .constData(),
                    doing);
    }
    db.exec(QStringLiteral("CREATE TEMP VIEW attempts AS SELECT *%1 FROM main.attempts;")
                .arg(columns)
                .toUtf8()
                .constData(),
            doing);
}

}  // namespace history::layout
