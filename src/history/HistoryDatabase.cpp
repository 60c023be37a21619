#include "history/HistoryDatabase.h"

#include "store/KeyedDatabase.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <tuple>

namespace history {

namespace {

// Marks the file as a history file ("QHIS"), and the version of its layout.
constexpr int ApplicationId = 0x51484953;
constexpr int LayoutVersion = 1;

// The layout. `questions` holds one row per item as it was asked (its source, Q_ID and
// fingerprint) with the figures the study history shows of it, kept up to date by every
// recording, so that no reading walks all answers ever given.
constexpr const char* Layout = R"sql(
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
    items_total INTEGER NOT NULL);
CREATE INDEX attempts_by_time ON attempts (graded_at, id);
CREATE INDEX attempts_by_title ON attempts (exam_title, graded_at, id);
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
)sql";

const char* const LayoutTables[] = {"attempts", "attempt_sections", "questions", "attempt_items"};

// The device and inode of `path`; zeros when there is no such file.
std::pair<std::uint64_t, std::uint64_t> fileIdOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {0, 0};
    return {std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
}

HistoryError::Reason reasonOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return HistoryError::Reason::Locked;
    case SQLITE_READONLY: return HistoryError::Reason::ReadOnly;
    case SQLITE_FULL: return HistoryError::Reason::DiskFull;
    case SQLITE_CORRUPT: return HistoryError::Reason::Damaged;
    case SQLITE_NOTADB: return HistoryError::Reason::WrongKey;
    default: return HistoryError::Reason::Other;
    }
}

}  // namespace

HistoryDatabase::HistoryDatabase(const QString& path, const QString& password)
    : m_path(QFileInfo(path).absoluteFilePath()), m_password(password)
{
}

HistoryDatabase::~HistoryDatabase()
{
    close();
}

void HistoryDatabase::fail(const QString& doing, HistoryError::Reason reason, const QString& why) const
{
    throw HistoryError(reason, QStringLiteral("%1 %2: %3").arg(doing, QDir::toNativeSeparators(m_path), why));
}

void HistoryDatabase::failSql(const QString& doing, int code) const
{
    if (code == 0)
        code = lastErrorCode();
    const HistoryError::Reason reason = reasonOf(code);
    // Writing makes a journal beside the file: in a folder that cannot be written, that fails.
    const QString folder = store::unwritableJournalFolder(code, m_path);
    if (!folder.isEmpty())
        fail(doing, HistoryError::Reason::ReadOnly, QStringLiteral("its folder %1 is read-only").arg(folder));
    if (reason == HistoryError::Reason::WrongKey)
        fail(doing, reason, QStringLiteral("the file is damaged, or it needs another password"));
    fail(doing, reason, store::describeSqliteError(code, handle()));
}

void HistoryDatabase::open(int flags, const QString& doing)
{
    // Another program holding the file is waited for as for the table files.
    const store::KeyedOpen opened = store::openKeyedDatabase(m_path, m_password, flags, &store::DefaultLockWait);
    if (!opened.db)
        failSql(doing, opened.code);
    adopt(opened.db);
    std::tie(m_device, m_inode) = fileIdOf(m_path);
    // Recording a long exam looks up and adds many questions: their pages stay decrypted in
    // memory (up to 64 MB) rather than being written out and read back within the transaction.
    execQuietly("PRAGMA cache_size = -65536");
    try {
        checkLayout(doing);
    } catch (...) {
        close();
        throw;
    }
}

void HistoryDatabase::checkLayout(const QString& doing)
{
    QStringList tables;
    {
        Statement names(*this, "SELECT name FROM sqlite_master WHERE type = 'table'", doing);
        while (names.step())
            tables.append(names.text(0));
    }
    // A file without tables holds nothing yet (a new file, or one whose creation was cut short).
    m_hasLayout = !tables.isEmpty();
    if (!m_hasLayout)
        return;
    Statement applicationId(*this, "PRAGMA application_id", doing);
    Statement version(*this, "PRAGMA user_version", doing);
    if (!applicationId.step() || applicationId.integer(0) != ApplicationId)
        fail(doing, HistoryError::Reason::Damaged, QStringLiteral("not a history file"));
    if (!version.step() || version.integer(0) > LayoutVersion)
        fail(doing, HistoryError::Reason::NewerVersion,
             QStringLiteral("written by a newer version of the program"));
    for (const char* table : LayoutTables)
        if (!tables.contains(QLatin1String(table)))
            fail(doing, HistoryError::Reason::Damaged,
                 QStringLiteral("the file is damaged: its table %1 is missing").arg(QLatin1String(table)));
}

void HistoryDatabase::dropIfReplaced()
{
    if (isOpen() && fileIdOf(m_path) != std::pair(m_device, m_inode))
        close();
}

bool HistoryDatabase::openToRead(const QString& doing)
{
    dropIfReplaced();
    if (isOpen())
        return m_hasLayout;
    const QFileInfo info(m_path);
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return false;
    if (!info.isFile())
        fail(doing, HistoryError::Reason::Other, QStringLiteral("not a file"));
    open(SQLITE_OPEN_READWRITE, doing);
    return m_hasLayout;
}

void HistoryDatabase::openToWrite(const QString& doing)
{
    dropIfReplaced();
    if (isOpen())
        return;
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile())
        fail(doing, HistoryError::Reason::Other, QStringLiteral("not a file"));
    open(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, doing);
}

void HistoryDatabase::close()
{
    closeConnection();
    m_hasLayout = false;
}

void HistoryDatabase::createLayout(const QString& doing)
{
    exec(Layout, doing);
    exec(QStringLiteral("PRAGMA application_id = %1; PRAGMA user_version = %2;")
             .arg(ApplicationId)
             .arg(LayoutVersion)
             .toUtf8()
             .constData(),
         doing);
    m_hasLayout = true;
}

}  // namespace history
