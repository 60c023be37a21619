#pragma once
// The application object. An exception that escapes an event handler is caught here and
// shown in the error box; the event is abandoned and the program goes on.

#include <QApplication>

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
