// The baseline of bench_startup: a bare Qt Widgets window, traced like the program.

#include "platform/StartupTrace.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(232, 220);
    platform::traceFirstPaint(&window);
    window.show();
    return app.exec();
}
