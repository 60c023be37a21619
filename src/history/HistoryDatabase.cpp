#include "history/HistoryDatabase.h"

#include "history/HistoryLayout.h"
#include "store/KeyedDatabase.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <tuple>

namespace history {

namespace {

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
    layout::addFunctions(handle());
    try {
        checkLayout(doing);
        if (hasLayout() && m_version < layout::CurrentVersion)
            upgradeOrReadAsIs(doing);
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
    m_version = 0;
    if (tables.isEmpty())
        return;
    Statement applicationId(*this, "PRAGMA application_id", doing);
    Statement version(*this, "PRAGMA user_version", doing);
    if (!applicationId.step() || applicationId.integer(0) != layout::ApplicationId || !version.step() ||
        version.integer(0) < 1)
        fail(doing, HistoryError::Reason::Damaged, QStringLiteral("not a history file"));
    if (version.integer(0) > layout::CurrentVersion)
        fail(doing, HistoryError::Reason::NewerVersion,
             QStringLiteral("written by a newer version of the program"));
    for (const char* table : layout::Tables)
        if (!tables.contains(QLatin1String(table)))
            fail(doing, HistoryError::Reason::Damaged,
                 QStringLiteral("the file is damaged: its table %1 is missing").arg(QLatin1String(table)));
    m_version = int(version.integer(0));
}

void HistoryDatabase::upgradeOrReadAsIs(const QString& doing)
{
    if (!sqlite3_db_readonly(handle(), "main")) {
        const int version = m_version;
        try {
            Transaction transaction(*this, doing);
            makeLayoutCurrent(doing);
            transaction.commit();
            return;
        } catch (const HistoryError& error) {
            m_version = version;
            const HistoryError::Reason reason = error.reason();
            if (reason != HistoryError::Reason::ReadOnly && reason != HistoryError::Reason::Locked &&
                reason != HistoryError::Reason::DiskFull)
                throw;
        }
    }
    layout::readAsIs(*this, m_version, doing);
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
        return hasLayout();
    const QFileInfo info(m_path);
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return false;
    if (!info.isFile())
        fail(doing, HistoryError::Reason::Other, QStringLiteral("not a file"));
    open(SQLITE_OPEN_READWRITE, doing);
    return hasLayout();
}

void HistoryDatabase::openToWrite(const QString& doing)
{
    dropIfReplaced();
    // A connection made while the file could not be written stays unable to: it is made afresh.
    if (isOpen() && sqlite3_db_readonly(handle(), "main") == 1)
        close();
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
    m_version = 0;
}

void HistoryDatabase::makeLayoutCurrent(const QString& doing)
{
    if (m_version == layout::CurrentVersion)
        return;
    // Another connection may have made or upgraded the layout since this one looked.
    checkLayout(doing);
    if (m_version == 0)
        layout::create(*this, doing);
    else
        layout::upgrade(*this, m_version, doing);
    m_version = layout::CurrentVersion;
}

}  // namespace history
