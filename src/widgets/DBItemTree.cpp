#include "widgets/DBItemTree.h"

#include "platform/Handler.h"
#include "store/Table.h"
#include "widgets/DataLink.h"

#include <QHeaderView>
#include <QScopedValueRollback>

namespace widgets {

DBItemTree::DBItemTree(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::currentItemChanged, this,
            platform::handled([this](QTreeWidgetItem* node, QTreeWidgetItem*) { choose(node); }));
}

void DBItemTree::setDataSource(store::DataSource* source)
{
    followDataSource(this, m_source, source, [this] { refresh(); });
    m_source = source;
    refresh();
}

QTreeWidgetItem* DBItemTree::nodeOf(std::int64_t key) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->data(0, Qt::UserRole).toLongLong() == key)
            return topLevelItem(i);
    return nullptr;
}

void DBItemTree::refresh()
{
    QScopedValueRollback<bool> refreshing(m_refreshing, true);
    const store::Table* table = m_source ? m_source->dataSet() : nullptr;
    const bool open = table && table->isOpen();
    const std::vector<std::int64_t> keys = open ? table->visibleKeys() : std::vector<std::int64_t>{};
    if (keys != m_keys) {
        clear();
        for (std::int64_t key : keys) {
            auto* node = new QTreeWidgetItem(this, QStringList{QString::number(key)});
            node->setData(0, Qt::UserRole, qint64(key));
            node->setIcon(0, m_icon);
        }
        m_keys = keys;
    }
    // A record being added has no node yet; the last current one stays selected.
    if (open && table->state() == store::DataSetState::Insert)
        return;
    QTreeWidgetItem* current = open && !keys.empty() ? nodeOf(table->getBookmark()) : nullptr;
    setCurrentItem(current);
    if (current)
        scrollToItem(current);
    else
        clearSelection();
}

void DBItemTree::choose(QTreeWidgetItem* node)
{
    if (m_refreshing || !node || !m_source || !m_source->dataSet())
        return;
    store::Table* table = m_source->dataSet();
    try {
        table->findKey(node->data(0, Qt::UserRole).toLongLong());
    } catch (...) {
        refresh();  // back to the record that is still current
        throw;
    }
}

}  // namespace widgets
