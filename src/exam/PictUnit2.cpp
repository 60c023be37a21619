#include "exam/PictUnit2.h"

#include "exam/PictureImage.h"
#include "widgets/WindowStyle.h"

#include <QLabel>

TPict2Form* Pict2Form = nullptr;

TPict2Form::TPict2Form(QWidget* parent)
    : ExhibitWindow(parent, widgets::SizeableDialogFrame, QStringLiteral("Pict2Form"), QStringLiteral("Exhibit 2"))
{
    setSizeGripEnabled(false);
}

void TPict2Form::fitToPicture()
{
    // A sizeable frame: the client area takes the picture's size, and the user may change it
    // afterwards; the image stays at the top left corner. A window the user left maximized
    // or minimized opens at the picture's size again.
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    resize(Image1->size());
}

void TPict2Form::placeOnScreen()
{
    exam::createFrame(this);
    widgets::centreOnScreen(this);
}
