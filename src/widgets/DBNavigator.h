#pragma once
// Picture buttons that move a table's current record to the first, prior, next and last
// visible record. A button is disabled where its move would go nowhere: first and prior on
// the first record, next and last on the last one, all of them on a closed or empty table.

#include <QWidget>

#include <array>

class QToolButton;

namespace store {
class DataSource;
}

namespace widgets {

class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last };

    explicit DBNavigator(QWidget* parent = nullptr);

    void setDataSource(store::DataSource* source);
    // The tool tips of the four buttons, in the order first, prior, next, last.
    void setHints(const QStringList& hints);
    QToolButton* button(Button which) const { return m_buttons[which]; }

private:
    void refresh();
    void move(Button which);

    store::DataSource* m_source = nullptr;
    std::array<QToolButton*, 4> m_buttons{};
};

}  // namespace widgets
