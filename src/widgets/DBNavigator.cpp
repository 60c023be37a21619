#include "widgets/DBNavigator.h"

#include "platform/Handler.h"
#include "store/Table.h"
#include "widgets/DataLink.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPolygonF>
#include <QToolButton>

#include <algorithm>

namespace widgets {

namespace {

constexpr int IconSize = 16;

// A triangle pointing left or right, with a bar at its tip for first and last.
QIcon arrowIcon(DBNavigator::Button which)
{
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    const bool left = which == DBNavigator::First || which == DBNavigator::Prior;
    const bool bar = which == DBNavigator::First || which == DBNavigator::Last;
    const qreal tip = left ? 4 : 12;
    const qreal base = left ? 11 : 5;
    painter.drawPolygon(QPolygonF{{tip, 8}, {base, 3}, {base, 13}});
    if (bar)
        painter.drawRect(QRectF(left ? 2 : 12, 3, 2, 10));
    painter.end();
    return QIcon(picture);
}

}  // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = First; i <= Last; ++i) {
        auto* b = new QToolButton(this);
        b->setIcon(arrowIcon(Button(i)));
        b->setIconSize(QSize(IconSize, IconSize));
        b->setMinimumSize(25, 25);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QToolButton::clicked, this, platform::handled([this, i] { move(Button(i)); }));
        row->addWidget(b);
        m_buttons[size_t(i)] = b;
    }
    refresh();
}

void DBNavigator::setDataSource(store::DataSource* source)
{
    followDataSource(this, m_source, source, [this] { refresh(); });
    m_source = source;
    refresh();
}

void DBNavigator::setHints(const QStringList& hints)
{
    for (int i = First; i <= Last && i < hints.size(); ++i) {
        m_buttons[size_t(i)]->setToolTip(hints[i]);
        m_buttons[size_t(i)]->setAccessibleName(hints[i]);  // a picture button has no text
    }
}

void DBNavigator::refresh()
{
    const store::Table* table = m_source ? m_source->dataSet() : nullptr;
    bool atFirst = true;
    bool atLast = true;
    if (table && table->isOpen() && !table->visibleKeys().empty()) {
        const auto& keys = table->visibleKeys();
        const auto at = std::lower_bound(keys.begin(), keys.end(), table->getBookmark());
        atFirst = at == keys.begin();
        atLast = at == keys.end() || at + 1 == keys.end();
    }
    m_buttons[First]->setEnabled(!atFirst);
    m_buttons[Prior]->setEnabled(!atFirst);
    m_buttons[Next]->setEnabled(!atLast);
    m_buttons[Last]->setEnabled(!atLast);
}

void DBNavigator::move(Button which)
{
    store::Table* table = m_source ? m_source->dataSet() : nullptr;
    if (!table || !table->isOpen())
        return;
    using Move = void (store::Table::*)();
    static constexpr std::array<Move, 4> moves = {&store::Table::first, &store::Table::prior,
                                                  &store::Table::next, &store::Table::last};
    (table->*moves[size_t(which)])();
}

}  // namespace widgets
