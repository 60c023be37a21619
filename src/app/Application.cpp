#include "app/Application.h"

#include "platform/Handler.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        platform::showCurrentException();
    }
    return false;
}
