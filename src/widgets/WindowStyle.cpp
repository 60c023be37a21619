#include "widgets/WindowStyle.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace widgets {

void setClientSize(QWidget* window, int width, int height)
{
    window->setFixedSize(width, height);
}

void centreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

void setBackground(QWidget* widget, int r, int g, int b)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, QColor(r, g, b));
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

}  // namespace widgets
