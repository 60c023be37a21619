// Moving the cursor over the visible records, and reading the record it stands on.

#include "store/SortedKeys.h"
#include "store/Table.h"

namespace store {

void Table::loadCurrent()
{
    std::fill(m_modified.begin(), m_modified.end(), false);
    if (m_pos < 0) {
        std::fill(m_buffer.begin(), m_buffer.end(), QVariant());
        return;
    }
    const std::int64_t key = m_visibleKeys[size_t(m_pos)];
    m_selectRow->reset();
    m_selectRow->bind(1, key);
    const bool found = m_selectRow->step();
    if (found)
        for (int c = 0; c < int(m_buffer.size()); ++c)
            m_buffer[size_t(c)] = m_selectRow->value(c);
    // Reset at once: outside a transaction, a statement left on a row would keep the read lock.
    m_selectRow->reset();
    if (!found)
        fail(QStringLiteral("cannot read record %1: another program has deleted it").arg(key));
}

void Table::moveTo(std::ptrdiff_t visibleIndex)
{
    m_pos = visibleIndex;
    loadCurrent();
    notifyData();
}

void Table::requireBrowse(const char* what)
{
    requireOpen(what);
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        post();
}

void Table::first()
{
    requireBrowse("go to the first record");
    m_bof = true;
    m_eof = m_visibleKeys.empty();
    moveTo(m_visibleKeys.empty() ? -1 : 0);
}

void Table::last()
{
    requireBrowse("go to the last record");
    m_eof = true;
    m_bof = m_visibleKeys.empty();
    moveTo(std::ptrdiff_t(m_visibleKeys.size()) - 1);
}

void Table::next()
{
    requireBrowse("go to the next record");
    if (m_pos + 1 < std::ptrdiff_t(m_visibleKeys.size())) {
        m_bof = false;
        m_eof = false;
        moveTo(m_pos + 1);
    } else {
        m_eof = true;
    }
}

void Table::prior()
{
    requireBrowse("go to the previous record");
    if (m_pos > 0) {
        m_eof = false;
        m_bof = false;
        moveTo(m_pos - 1);
    } else {
        m_bof = true;
    }
}

int Table::recordCount() const
{
    return isOpen() ? int(m_visibleKeys.size()) : 0;
}

int Table::recNo() const
{
    if (!isOpen() || m_pos < 0 || m_state == DataSetState::Insert)
        return 0;
    return recordNumberOf(m_visibleKeys[size_t(m_pos)]);
}

void Table::setRecNo(int recordNumber)
{
    requireBrowse("set the record number");
    if (recordNumber < 1 || recordNumber > int(m_allKeys.size()))
        fail(QStringLiteral("there is no record number %1").arg(recordNumber));
    const std::ptrdiff_t index = indexOfKey(m_visibleKeys, m_allKeys[size_t(recordNumber - 1)]);
    if (index < 0)
        fail(QStringLiteral("record number %1 is hidden by the filter").arg(recordNumber));
    m_bof = m_eof = false;
    moveTo(index);
}

bool Table::findKey(std::int64_t id)
{
    requireBrowse("look up a record");
    const std::ptrdiff_t index = indexOfKey(m_visibleKeys, id);
    if (index < 0)
        return false;
    m_bof = m_eof = false;
    moveTo(index);
    return true;
}

// Bookmarks are the Q_ID of a record.
std::int64_t Table::getBookmark() const
{
    requireOpen("take a bookmark");
    return m_pos < 0 ? 0 : m_visibleKeys[size_t(m_pos)];
}

void Table::gotoBookmark(std::int64_t bookmark)
{
    if (!findKey(bookmark))
        fail(QStringLiteral("the bookmarked record %1 is gone").arg(bookmark));
}

}  // namespace store
