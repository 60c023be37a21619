#include "exam/PictUnit2.h"

#include "exam/PictureImage.h"
#include "widgets/WindowStyle.h"

#include <QLabel>

TPict2Form* Pict2Form = nullptr;

TPict2Form::TPict2Form(QWidget* parent) : QDialog(parent, widgets::SizeableDialogFrame)
{
    setObjectName(QStringLiteral("Pict2Form"));
    setWindowTitle(QStringLiteral("Exhibit 2"));
    setSizeGripEnabled(false);
    Image1 = exam::makeImageControl(this);
}

bool TPict2Form::loadPicture(const QString& fileName)
{
    if (!exam::loadInto(Image1, fileName))
        return false;
    // A sizeable frame: the client area takes the picture's size, and the user may change it
    // afterwards; the image stays at the top left corner. A window the user left maximized
    // or minimized opens at the picture's size again.
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    resize(Image1->size());
    return true;
}

bool TPict2Form::showPicture(const QString& fileName)
{
    if (!loadPicture(fileName))
        return false;
    exam::createFrame(this);
    widgets::centreOnScreen(this);
    exec();
    return true;
}
