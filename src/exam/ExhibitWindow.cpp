#include "exam/ExhibitWindow.h"

#include "exam/PictureImage.h"

#include <QLabel>

ExhibitWindow::ExhibitWindow(QWidget* parent, Qt::WindowFlags frame, const QString& name,
                             const QString& caption)
    : QDialog(parent, frame)
{
    setObjectName(name);
    setWindowTitle(caption);
    Image1 = exam::makeImageControl(this);
}

bool ExhibitWindow::loadPicture(const QString& fileName)
{
    if (!exam::loadInto(Image1, fileName))
        return false;
    fitToPicture();
    return true;
}

bool ExhibitWindow::showPicture(const QString& fileName)
{
    if (!loadPicture(fileName))
        return false;
    placeOnScreen();
    exec();
    return true;
}
