#include "exam/PictUnit1.h"

#include "exam/PictureImage.h"
#include "widgets/WindowStyle.h"

#include <QLabel>

TPict1Form* Pict1Form = nullptr;

TPict1Form::TPict1Form(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("Pict1Form"));
    setWindowTitle(QStringLiteral("Exhibit 1"));
    Image1 = exam::makeImageControl(this);
}

bool TPict1Form::loadPicture(const QString& fileName)
{
    if (!exam::loadInto(Image1, fileName))
        return false;
    // A fixed frame: the client area is exactly the picture.
    widgets::setClientSize(this, Image1->width(), Image1->height());
    return true;
}

bool TPict1Form::showPicture(const QString& fileName)
{
    if (!loadPicture(fileName))
        return false;
    exam::centreOnDesktop(this);
    exec();
    return true;
}
