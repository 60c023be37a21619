#include "exam/PictUnit1.h"

#include "widgets/WindowStyle.h"

TPict1Form* Pict1Form = nullptr;

TPict1Form::TPict1Form(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("Pict1Form"));
    setWindowTitle(QStringLiteral("Exhibit 1"));
}
