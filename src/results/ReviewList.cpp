#include "results/ReviewList.h"

#include <QApplication>
#include <QStyle>

#include <bitset>

ReviewModel::ReviewModel(const QList<QIcon>& icons, QObject* parent) : QAbstractListModel(parent), m_icons(icons) {}

QString ReviewModel::caption(int itemNumber, const store::TItemState& state)
{
    QString text = QString::number(itemNumber) + QStringLiteral("  ");
    for (int k = 1; k <= 6; ++k)
        if (state.choice(k))
            text += QChar('A' + k - 1);
    return text;
}

ReviewModel::Icon ReviewModel::runningIcon(const store::TItemState& state)
{
    if (state.Marked)
        return Marked;
    for (int k = 1; k <= 6; ++k)
        if (state.choice(k))
            return Complete;
    return Incomplete;
}

ReviewModel::Icon ReviewModel::gradedIcon(const store::TItemState& state)
{
    return state.Correct ? Complete : Incorrect;
}

ReviewModel::Icon ReviewModel::iconOf(const store::TItemState& state) const
{
    return m_graded ? gradedIcon(state) : runningIcon(state);
}

void ReviewModel::setSheet(const store::ItemStates& states, bool graded)
{
    beginResetModel();
    m_states = states;
    m_graded = graded;
    // At most 64 sets of letters; one pass notes which occur.
    std::bitset<64> letterSets;
    for (const store::TItemState& state : std::as_const(m_states)) {
        unsigned set = 0;
        for (int k = 1; k <= 6; ++k)
            set |= unsigned(state.choice(k)) << (k - 1);
        letterSets.set(set);
    }
    m_widestCandidates.clear();
    for (unsigned set = 0; set < 64; ++set) {
        if (!letterSets.test(set))
            continue;
        store::TItemState letters;
        for (int k = 1; k <= 6; ++k)
            letters.choice(k) = set & (1u << (k - 1));
        m_widestCandidates.append(caption(int(m_states.size()), letters));
    }
    endResetModel();
}

int ReviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_states.size());
}

QVariant ReviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_states.size())
        return {};
    const store::TItemState& state = m_states[index.row()];
    switch (role) {
    case Qt::DisplayRole: return caption(index.row() + 1, state);
    case Qt::DecorationRole: return m_icons.value(iconOf(state));
    case IconRole: return int(iconOf(state));
    default: return {};
    }
}

QSize ReviewRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    QSize widest = QStyledItemDelegate::sizeHint(option, index);
    for (const QString& text : m_model->widestCandidates()) {
        row.text = text;
        widest = widest.expandedTo(style->sizeFromContents(QStyle::CT_ItemViewItem, &row, QSize(), view));
    }
    return widest;
}
