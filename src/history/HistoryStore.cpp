#include "history/HistoryStore.h"

#include "history/AttemptWriter.h"
#include "history/HistoryDatabase.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <set>

namespace history {

namespace {

const QString Recording = QStringLiteral("Cannot record the attempt in the study history");
const QString Clearing = QStringLiteral("Cannot clear the study history");
const QString MovingAside = QStringLiteral("Cannot move aside the study history");

// What makes an attempt impossible; empty when it is a possible one.
QString faultOf(const Attempt& attempt)
{
    if (attempt.key.isEmpty())
        return QStringLiteral("the attempt has no key");
    if (!attempt.gradedAt.isValid())
        return QStringLiteral("the attempt has no date");
    if (attempt.examTitle.isEmpty())
        return QStringLiteral("the attempt has no exam title");
    if (attempt.score < 0 || attempt.score > 1000 || attempt.passingScore < 0 || attempt.passingScore > 1000)
        return QStringLiteral("the score %1 or the passing score %2 lies outside 0 to 1000")
            .arg(attempt.score)
            .arg(attempt.passingScore);
    if (attempt.timeLimitSeconds < 0 || attempt.timeUsedSeconds < 0)
        return QStringLiteral("a time is negative");
    std::set<int> sections;
    for (const SectionResult& s : attempt.sections) {
        if (!sections.insert(s.section).second)
            return QStringLiteral("section %1 is given twice").arg(s.section);
        if (s.count.correct < 0 || s.count.correct > s.count.total)
            return QStringLiteral("section %1 has %2 correct of %3").arg(s.section).arg(s.count.correct).arg(s.count.total);
    }
    return {};
}

}  // namespace

HistoryStore::HistoryStore(const QString& path, const QString& password)
    : m_db(std::make_unique<HistoryDatabase>(path, password))
{
}

HistoryStore::~HistoryStore() = default;

QString HistoryStore::path() const
{
    return m_db->path();
}

AttemptId HistoryStore::record(const Attempt& attempt)
{
    if (const QString fault = faultOf(attempt); !fault.isEmpty())
        m_db->fail(Recording, HistoryError::Reason::BadAttempt, fault);
    const bool made = !QFileInfo::exists(path());
    try {
        m_db->openToWrite(Recording);
        HistoryDatabase::Transaction transaction(*m_db, Recording);
        m_db->makeLayoutCurrent(Recording);
        const AttemptId id = AttemptWriter(*m_db, Recording).write(attempt);
        transaction.commit();
        return id;
    } catch (const HistoryError&) {
        // The next call opens the file afresh; a file this call made and could not fill goes.
        m_db->close();
        if (made && QFileInfo(path()).size() == 0)
            QFile::remove(path());
        throw;
    }
}

void HistoryStore::clear()
{
    try {
        if (!m_db->openToRead(Clearing))
            return;
        {
            HistoryDatabase::Transaction transaction(*m_db, Clearing);
            m_db->makeLayoutCurrent(Clearing);
            m_db->exec("DELETE FROM attempt_items; DELETE FROM attempt_sections; DELETE FROM questions; "
                       "DELETE FROM attempts;",
                       Clearing);
            transaction.commit();
        }
        // Gives the emptied pages back to the disk. The history is cleared whether or not this
        // succeeds (it needs room for a copy), so a failure is of no consequence.
        try {
            m_db->exec("VACUUM", Clearing);
        } catch (const HistoryError&) {
        }
    } catch (const HistoryError&) {
        m_db->close();
        throw;
    }
}

QString HistoryStore::moveAsideDamaged()
{
    m_db->close();
    if (!QFileInfo::exists(path()))
        return {};
    const QString base = path() + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
    QString target = base;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + "-journal"); ++n)
        target = base + QStringLiteral("-%1").arg(n);
    // The journal goes first: left beside a new history file, it would be played back into it.
    const QString journal = path() + QStringLiteral("-journal");
    auto move = [&](const QString& from, const QString& to) {
        QFile file(from);
        if (!file.rename(to))
            m_db->fail(MovingAside, HistoryError::Reason::Other,
                       QStringLiteral("cannot rename it to %1: %2").arg(to, file.errorString()));
    };
    if (QFileInfo::exists(journal))
        move(journal, target + QStringLiteral("-journal"));
    move(path(), target);
    return target;
}

}  // namespace history
