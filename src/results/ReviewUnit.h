#pragma once
// The items review: every item of the exam with the answers chosen and an icon for its state,
// from which the user can go to any item.

#include "store/ItemStates.h"

#include <QDialog>
#include <QIcon>
#include <QList>

class QListWidget;
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
    enum Icon { Incomplete = 0, Complete = 1, Marked = 2, Incorrect = 3 };
    QList<QIcon> ImageList1;

    QWidget* Panel5;  // legend of a running exam
    QWidget* Panel4;  // legend of review
    QListWidget* ListView1;
    QPushButton* BitBtn2;  // "&Go to the selected question"
    QPushButton* BitBtn1;  // "&Return"

    // The table whose record number the go button sets.
    void setCurrentSet(store::Table* table) { m_currentSet = table; }

    // Rebuilds the list from the answer sheet: the running legend and answered/marked icons,
    // or the review legend and correct/incorrect icons.
    void fill(const store::ItemStates& states, bool graded);

    // "12  AC": the item number, two blanks, the letters of the chosen answers.
    static QString caption(int itemNumber, const store::TItemState& state);
    static Icon runningIcon(const store::TItemState& state);
    static Icon gradedIcon(const store::TItemState& state);

    void ListView1SelectItem();
    void ListView1DblClick();
    void BitBtn2Click();
    void BitBtn1Click();

protected:
    void done(int result) override;  // every closing: the go button is disabled again

private:
    void goToSelected();
    store::Table* m_currentSet = nullptr;
};

extern TReviewForm* ReviewForm;
