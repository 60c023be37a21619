#pragma once
// The items review: every item of the exam with its answers and state.

#include <QDialog>

class TReviewForm : public QDialog {
    Q_OBJECT
public:
    explicit TReviewForm(QWidget* parent = nullptr);
};

extern TReviewForm* ReviewForm;
