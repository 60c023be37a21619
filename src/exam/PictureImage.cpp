#include "exam/PictureImage.h"

#include "pictures/PictureLoader.h"
#include "platform/Prompts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace exam {

QLabel* makeImageControl(QWidget* window)
{
    auto* image = new QLabel(window);
    image->setObjectName(QStringLiteral("Image1"));
    image->setAlignment(Qt::AlignCenter);
    image->setScaledContents(false);
    image->setGeometry(0, 0, 0, 0);
    return image;
}

bool loadInto(QLabel* image, const QString& fileName)
{
    QPixmap picture;
    try {
        picture = pictures::loadPicture(fileName);
    } catch (const pictures::PictureError& error) {
        platform::showError(error.message());
        return false;
    }
    // The image's auto-size off and on again: it takes the new picture's size.
    image->setPixmap(picture);
    image->setGeometry(0, 0, picture.width(), picture.height());
    return true;
}

void createFrame(QWidget* window)
{
    // The frame's size is known once the window has been made on the platform.
    window->winId();
}

void centreOnDesktop(QWidget* window)
{
    createFrame(window);
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableVirtualGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(desktop.center());
    window->move(frame.topLeft());
}

}  // namespace exam
