#include "options/OptionsUnit.h"

#include "widgets/WindowStyle.h"

TOptionsForm* OptionsForm = nullptr;

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
}
