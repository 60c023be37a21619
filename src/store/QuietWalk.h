#pragma once
// Keeps a walk through a table out of sight: record moves are not shown meanwhile, and the
// table returns to its record at the end.

#include "store/Table.h"

#include <cstdint>

namespace store {

class QuietWalk {
public:
    explicit QuietWalk(Table& table) : m_table(table)
    {
        m_table.disableControls();
        m_hasRecord = m_table.isOpen() && !m_table.isEmpty();
        if (m_hasRecord)
            m_bookmark = m_table.getBookmark();
    }
    ~QuietWalk()
    {
        if (m_hasRecord) {
            try {
                m_table.gotoBookmark(m_bookmark);
            } catch (...) {
                // The record is gone: the table stays where the walk ended.
            }
            m_table.freeBookmark(m_bookmark);
        }
        m_table.enableControls();
    }
    QuietWalk(const QuietWalk&) = delete;
    QuietWalk& operator=(const QuietWalk&) = delete;

private:
    Table& m_table;
    bool m_hasRecord = false;
    std::int64_t m_bookmark = 0;
};

}  // namespace store
