#pragma once
// The items review: every item of the exam with the answers chosen and an icon for its state,
// from which the user can go to any item.

#include "results/ReviewList.h"
#include "store/ItemStates.h"

#include <QDialog>
#include <QIcon>
#include <QList>

class QListView;
class QPushButton;
class QWidget;

namespace store {
class Table;
}

class TReviewForm : public QDialog {
    Q_OBJECT
public:
    explicit TReviewForm(QWidget* parent = nullptr);

    // The pictures of ImageList1, by index.
    using Icon = ReviewModel::Icon;
    QList<QIcon> ImageList1;

    QWidget* Panel5;  // legend of a running exam
    QWidget* Panel4;  // legend of review
    QListView* ListView1;  // over the model below; Qt::UserRole of a row holds its icon's index
    QPushButton* BitBtn2;  // "&Go to the selected question"
    QPushButton* BitBtn1;  // "&Return"

    // The table whose record number the go button sets.
    void setCurrentSet(store::Table* table) { m_currentSet = table; }

    // Rebuilds the list from the answer sheet: the running legend and answered/marked icons,
    // or the review legend and correct/incorrect icons. The rows are read as they are shown.
    void fill(const store::ItemStates& states, bool graded);

    static QString caption(int itemNumber, const store::TItemState& state)
    {
        return ReviewModel::caption(itemNumber, state);
    }
    static Icon runningIcon(const store::TItemState& state) { return ReviewModel::runningIcon(state); }
    static Icon gradedIcon(const store::TItemState& state) { return ReviewModel::gradedIcon(state); }

    void ListView1SelectItem();
    void ListView1DblClick();
    void BitBtn2Click();
    void BitBtn1Click();

protected:
    void done(int result) override;  // every closing: the go button is disabled again

private:
    void goToSelected();
    store::Table* m_currentSet = nullptr;
    ReviewModel* m_rows;
};

extern TReviewForm* ReviewForm;
