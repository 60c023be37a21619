// The time from pasting one megabyte into the note box to the box painted: ordinary text with
// spaces and line breaks, and the same length without either.
//
// Ends with: note_paste: prose_ms=<x> unbroken_ms=<y> ratio=<unbroken over prose> unbroken_cpu_ms=<z>
// The processor time beside the wall time tells a slow paste from a busy machine.

#include "notes/NoteUnit.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <cstdio>
#include <ctime>

namespace {

constexpr int Megabyte = 1 << 20;

struct Paste {
    double wallMs;
    double cpuMs;
};

Paste paste(const QString& text)
{
    TNoteForm note;
    note.show();
    QApplication::processEvents();
    QApplication::clipboard()->setText(text);
    QElapsedTimer clock;
    clock.start();
    const std::clock_t cpuStart = std::clock();
    note.DBMemo1->paste();
    note.DBMemo1->repaint();
    QApplication::processEvents();
    return {double(clock.nsecsElapsed()) / 1e6, double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC};
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString prose;
    const QString sentence = QStringLiteral("Check the subnet mask before the gateway. ");
    for (int line = 0; prose.size() < Megabyte; ++line)
        prose += line % 8 == 7 ? QStringLiteral("\n") : sentence;
    prose.truncate(Megabyte);
    const QString unbroken(Megabyte, QChar(u'x'));

    const Paste ofProse = paste(prose);
    const Paste ofUnbroken = paste(unbroken);
    std::printf("note_paste: prose_ms=%.0f unbroken_ms=%.0f ratio=%.2f unbroken_cpu_ms=%.0f\n", ofProse.wallMs,
                ofUnbroken.wallMs, ofUnbroken.wallMs / ofProse.wallMs, ofUnbroken.cpuMs);
    return 0;
}
