// Renders the program's SVG icon into a square PNG of the size asked for; the build makes
// the hicolor sizes from it.
//
//   quizlore_render_icon ICON.svg SIZE OUT.png

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool sizeOk = false;
    const int size = args.size() == 4 ? args.at(2).toInt(&sizeOk) : 0;
    if (!sizeOk || size < 1 || size > 4096) {
        std::fprintf(stderr, "usage: quizlore_render_icon ICON.svg SIZE OUT.png\n");
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "quizlore_render_icon: %s is no readable SVG picture\n",
                     qPrintable(args.at(1)));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(args.at(3), "PNG")) {
        std::fprintf(stderr, "quizlore_render_icon: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
