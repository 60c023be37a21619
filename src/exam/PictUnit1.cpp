#include "exam/PictUnit1.h"

#include "exam/PictureImage.h"
#include "widgets/WindowStyle.h"

#include <QLabel>

TPict1Form* Pict1Form = nullptr;

TPict1Form::TPict1Form(QWidget* parent)
    : ExhibitWindow(parent, widgets::FixedDialogFrame, QStringLiteral("Pict1Form"), QStringLiteral("Exhibit 1"))
{
}

void TPict1Form::fitToPicture()
{
    // A fixed frame: the client area is exactly the picture.
    widgets::setClientSize(this, Image1->width(), Image1->height());
}

void TPict1Form::placeOnScreen()
{
    exam::centreOnDesktop(this);
}
