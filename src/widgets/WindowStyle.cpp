#include "widgets/WindowStyle.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace widgets {

void setClientSize(QWidget* window, int width, int height)
{
    window->setFixedSize(width, height);
}

namespace {

void centreFrame(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

// A window manager adds its frame only after the window is shown, so a window centred before
// that lands low by the frame's height. This centres the window once more, as soon as it is
// shown in its normal state with its frame known.
class CentreOnceFramed : public QObject {
public:
    explicit CentreOnceFramed(QWidget* window) : QObject(window), m_window(window)
    {
        setObjectName(QStringLiteral("CentreOnceFramed"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            break;
        default:
            return false;
        }
        const bool framed = m_window->frameGeometry().size() != m_window->size();
        const bool normal = !(m_window->windowState() &
                              (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        if (m_window->isVisible() && framed && normal) {
            m_window->removeEventFilter(this);
            centreFrame(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_window;
};

}  // namespace

void centreOnScreen(QWidget* window)
{
    centreFrame(window);
    const bool framed = window->isVisible() && window->frameGeometry().size() != window->size();
    if (!framed && window->isWindow() && !window->findChild<QObject*>(QStringLiteral("CentreOnceFramed"),
                                                                       Qt::FindDirectChildrenOnly))
        new CentreOnceFramed(window);
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
