#include "platform/StartupTrace.h"

#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <utility>

namespace platform {

namespace {

// Runs its action at the window's first paint event, and then goes away.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, std::function<void()> action)
        : QObject(window), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            deleteLater();
            m_action();
        }
        return false;
    }

private:
    std::function<void()> m_action;
};

}  // namespace

void onFirstPaint(QWidget* window, std::function<void()> action)
{
    window->installEventFilter(new FirstPaintWatch(window, std::move(action)));
}

void traceFirstPaint(QWidget* window)
{
    if (qEnvironmentVariableIntValue("QUIZLORE_TRACE_STARTUP") == 1)
        onFirstPaint(window, [] {
            std::fputs("quizlore: first paint\n", stderr);
            std::fflush(stderr);
        });
}

}  // namespace platform
