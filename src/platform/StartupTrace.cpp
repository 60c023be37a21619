#include "platform/StartupTrace.h"

#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace platform {

namespace {

// Writes the line once, at the first paint event, and then goes away.
class FirstPaintWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            std::fputs("quizlore: first paint\n", stderr);
            std::fflush(stderr);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void traceFirstPaint(QWidget* window)
{
    if (qEnvironmentVariableIntValue("QUIZLORE_TRACE_STARTUP") == 1)
        window->installEventFilter(new FirstPaintWatch(window));
}

}  // namespace platform
