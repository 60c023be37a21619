#include "exam/PictUnit2.h"

#include "widgets/WindowStyle.h"

TPict2Form* Pict2Form = nullptr;

TPict2Form::TPict2Form(QWidget* parent) : QDialog(parent, widgets::SizeableDialogFrame)
{
    setObjectName(QStringLiteral("Pict2Form"));
    setWindowTitle(QStringLiteral("Exhibit 2"));
}
