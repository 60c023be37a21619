#include "results/ReviewUnit.h"

#include "widgets/WindowStyle.h"

TReviewForm* ReviewForm = nullptr;

TReviewForm::TReviewForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrameNoIcons)
{
    setObjectName(QStringLiteral("ReviewForm"));
    setWindowTitle(QStringLiteral("Items Review"));
    widgets::setClientSize(this, 442, 372);
}
