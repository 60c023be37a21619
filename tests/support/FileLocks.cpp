#include "support/FileLocks.h"

#include "store/Session.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace testsupport {

OtherProgramLock::OtherProgramLock(const QString& file, Holds holds)
{
    sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    const QByteArray key = store::TablePassword.toUtf8();
    sqlite3_key(m_db, key.constData(), int(key.size()));
    const char* begin = holds == Holds::Everything ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE";
    if (sqlite3_exec(m_db, begin, nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("cannot lock %s", qPrintable(file));
}

OtherProgramLock::~OtherProgramLock()
{
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(m_db);
}

bool makeReadOnly(const QString& file)
{
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser);
    if (!QFileInfo(file).isWritable())
        return true;
    return QProcess::execute("chattr", {"+i", file}) == 0;
}

void makeWritable(const QString& file)
{
    QProcess::execute("chattr", {"-i", file});
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace testsupport
