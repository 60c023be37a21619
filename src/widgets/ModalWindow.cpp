#include "widgets/ModalWindow.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace widgets {

namespace {

// Ends the local loop as soon as the watched window stops being visible.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* window, QEventLoop* loop) : m_loop(loop)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !static_cast<QWidget*>(watched)->isVisible())
            m_loop->exit();
        return false;
    }

private:
    QEventLoop* m_loop;
};

}  // namespace

void execModal(QWidget* window)
{
    if (!window)
        return;
    QPointer<QWidget> guarded(window);
    const Qt::WindowModality previous = window->windowModality();
    const bool wasVisible = window->isVisible();
    if (wasVisible)
        window->hide();
    window->setWindowModality(Qt::ApplicationModal);

    QEventLoop loop;
    HideWatcher watcher(window, &loop);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    if (window->isVisible())
        loop.exec(QEventLoop::DialogExec);

    if (guarded) {
        guarded->removeEventFilter(&watcher);
        const bool visible = guarded->isVisible();
        if (visible)
            guarded->hide();
        guarded->setWindowModality(previous);
        if (visible)
            guarded->show();
    }
}

}  // namespace widgets
