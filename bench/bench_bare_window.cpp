// The baselines of bench_startup: a bare Qt Widgets window, traced like the program, and with
// --caption the same window with one captioned button, which is what any window with text
// pays for the font database and a font.

#include "platform/StartupTrace.h"

#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(232, 220);
    if (app.arguments().contains(QStringLiteral("--caption")))
        (new QPushButton(QStringLiteral("Start &Testing"), &window))->move(10, 10);
    platform::traceFirstPaint(&window);
    window.show();
    return app.exec();
}
