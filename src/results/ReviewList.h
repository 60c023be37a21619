#pragma once
// The rows of the items review, read from the answer sheet only when the view asks for them:
// the list costs the same to fill for 40 items as for 100,000.

#include "store/ItemStates.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QList>
#include <QStyledItemDelegate>

class ReviewModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The pictures by index, as the legends show them.
    enum Icon { Incomplete = 0, Complete = 1, Marked = 2, Incorrect = 3 };
    // Qt::UserRole of a row holds its icon's index.
    static constexpr int IconRole = Qt::UserRole;

    ReviewModel(const QList<QIcon>& icons, QObject* parent = nullptr);

    // Shows this answer sheet (a shared copy; the exam does not change it while the list is
    // open), with the icons of a running exam or of a graded one.
    void setSheet(const store::ItemStates& states, bool graded);

    // "12  AC": the item number, two blanks, the letters of the chosen answers.
    static QString caption(int itemNumber, const store::TItemState& state);
    static Icon runningIcon(const store::TItemState& state);
    static Icon gradedIcon(const store::TItemState& state);

    // The captions that may need the most room: the highest item number with each set of
    // letters that some entry has. Every row is given the size of the widest.
    const QStringList& widestCandidates() const { return m_widestCandidates; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    Icon iconOf(const store::TItemState& state) const;

    QList<QIcon> m_icons;
    store::ItemStates m_states;
    bool m_graded = false;
    QStringList m_widestCandidates;
};

// Sizes every row alike, to the widest caption of the list, so the view lays out its columns
// without measuring each row.
class ReviewRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ReviewRowDelegate(const ReviewModel* model, QObject* parent) : QStyledItemDelegate(parent), m_model(model) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const ReviewModel* m_model;
};
