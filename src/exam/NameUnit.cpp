#include "exam/NameUnit.h"

#include "widgets/WindowStyle.h"

TNameForm* NameForm = nullptr;

TNameForm::TNameForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("NameForm"));
    setWindowTitle(QStringLiteral("Quizlore"));
    // Each exam choice sets the caption before the dialog is shown.
    widgets::setClientSize(this, 305, 204);
}
