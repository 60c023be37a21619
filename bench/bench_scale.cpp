// The program at 1,000, 10,000 and 100,000 items: "All Questions" preparation, Next Item at
// the first, middle and last item, and the items review filling, each with the resident memory
// at its peak during the step. The banks are made once; each size is measured in a process of
// its own, so one size's memory does not carry into the next.
//
// Prints a table and ends with: scale_100k: rss_mb=<x> review_ms=<y> next_ms=<z>

#include "BenchBank.h"
#include "exam/PrepareUnit.h"
#include "exam/TestUnit.h"
#include "results/ReviewUnit.h"
#include "store/Fields.h"
#include "store/Session.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int Sizes[] = {1000, 10000, 100000};

// "VmHWM" (the peak) or "VmRSS" (now) of this process, in MB.
double residentMb(const char* which)
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(which))
            return line.mid(int(qstrlen(which)) + 1).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// The peak starts again from what is resident now.
void resetPeak()
{
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double msOf(const std::function<void()>& step)
{
    QElapsedTimer clock;
    clock.start();
    step();
    return double(clock.nsecsElapsed()) / 1e6;
}

double medianMsOf(int runs, const std::function<void()>& before, const std::function<void()>& step)
{
    std::vector<double> times;
    for (int k = 0; k < runs; ++k) {
        before();
        times.push_back(msOf(step));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One size, in the folder that holds its bank: prints one row of the table.
int measure(const QString& folder)
{
    QDir::setCurrent(folder);
    TTestForm form;
    TReviewForm review;
    TestForm = &form;
    ReviewForm = &review;
    form.resize(800, 600);
    form.show();
    QCoreApplication::processEvents();
    const double startMb = residentMb("VmRSS");

    resetPeak();
    const double prepareMs = msOf([&] {
        form.dtQSet->setFilter(QStringLiteral("Q_EXAM_N<>0"));
        form.dtQSet->setFiltered(true);
        form.dtQSet->open();
        form.TimeLimit = form.DefaultTime / 1440.0;  // the clock does not run out mid-measure
        form.StartRunning(PrepareExamSet(*form.dtQSet, *form.dtCurrentSet));
        QCoreApplication::processEvents();
    });
    const double prepareMb = residentMb("VmHWM");
    const int n = form.ItemCount;

    resetPeak();
    std::vector<double> next;
    for (int from : {1, n / 2, n - 1})
        next.push_back(medianMsOf(
            9, [&] { form.dtCurrentSet->setRecNo(from); }, [&] { form.NextButtonClick(); }));
    const double nextMb = residentMb("VmHWM");

    resetPeak();
    // As the "Items Review" button does it, up to the list laid out and painted.
    const double reviewMs = msOf([&] {
        form.FillRunningReview();
        review.show();
        QCoreApplication::processEvents();
    });
    const double reviewMb = residentMb("VmHWM");

    std::printf("%7d | %7.0f %5.0f | %6.2f %6.2f %6.2f %5.0f | %6.1f %5.0f | %5.0f\n", n, prepareMs, prepareMb,
                next[0], next[1], next[2], nextMb, reviewMs, reviewMb, startMb);
    if (n == 100000)
        std::printf("scale_100k: rss_mb=%.0f review_ms=%.1f next_ms=%.2f\n", reviewMb, reviewMs,
                    *std::max_element(next.begin(), next.end()));
    std::fflush(stdout);
    review.hide();
    form.CloseCurrentExam();
    ReviewForm = nullptr;
    TestForm = nullptr;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--measure") == 0) {
        QApplication app(argc, argv);
        return measure(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString runDir = QStringLiteral(RUN_DIR);
    std::printf("making the banks...\n");
    for (int size : Sizes) {
        const QString folder = dir.filePath(QString::number(size));
        QDir().mkpath(folder);
        makeBenchBank(folder + "/" + store::BankFileName, size, [](int k) { return k % 7 + 1; });
        store::createTableFile(folder + "/" + store::CurrentSetFileName, store::TableKind::Current,
                               store::TablePassword);
    }
    std::printf("  items |  prepare ms  peak MB | next ms: first middle last  peak MB | review ms peak MB | "
                "start MB\n");
    std::fflush(stdout);
    for (int size : Sizes) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--measure"), dir.filePath(QString::number(size))});
        child.waitForFinished(-1);
        if (child.exitCode() != 0)
            return 1;
    }
    return 0;
}
