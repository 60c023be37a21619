#pragma once
// A list of a table's records, one node per visible record labelled with its key (Q_ID), in
// the table's order. The node of the current record is selected; choosing a node makes its
// record current.

#include <QTreeWidget>

#include <cstdint>
#include <vector>

namespace store {
class DataSource;
}

namespace widgets {

class DBItemTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit DBItemTree(QWidget* parent = nullptr);

    void setDataSource(store::DataSource* source);
    void setNodeIcon(const QIcon& icon) { m_icon = icon; }

    // The node labelled with `key`; null when there is none.
    QTreeWidgetItem* nodeOf(std::int64_t key) const;

private:
    void refresh();
    void choose(QTreeWidgetItem* node);

    store::DataSource* m_source = nullptr;
    std::vector<std::int64_t> m_keys;  // the keys the nodes show
    QIcon m_icon;
    bool m_refreshing = false;
};

}  // namespace widgets
