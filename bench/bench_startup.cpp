// The time from starting the program to the launcher's first paint, against the same for a
// bare Qt Widgets window, 15 starts each, alternating, under the offscreen platform. A third
// run, the bare window with one captioned button, shows what drawing any text costs.
//
// Prints the medians and ends with: startup: ratio=<x> ms=<y>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Starts = 15;

// Milliseconds from the start of the process to its first-paint line; -1 when it never came.
double timeToFirstPaint(const QString& program, const QStringList& arguments,
                        const QProcessEnvironment& environment, const QString& folder)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setReadChannel(QProcess::StandardError);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    double ms = -1;
    QByteArray seen;
    while (ms < 0 && process.waitForReadyRead(30000)) {
        seen += process.readAllStandardError();
        if (seen.contains("quizlore: first paint"))
            ms = double(clock.nsecsElapsed()) / 1e6;
    }
    process.kill();
    process.waitForFinished();
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // A home, settings and lock folder of its own: no running copy of the program interferes.
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QUIZLORE_TRACE_STARTUP", "1");
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.path() + "/config");
    environment.insert("XDG_RUNTIME_DIR", home.path());
    const QString program = QStringLiteral(QUIZLORE_PROGRAM), bare = QStringLiteral(BARE_WINDOW);
    const QString folder = QStringLiteral(RUN_DIR);

    std::vector<double> ours, baseline, captioned;
    for (int k = 0; k < Starts; ++k) {
        baseline.push_back(timeToFirstPaint(bare, {}, environment, folder));
        ours.push_back(timeToFirstPaint(program, {}, environment, folder));
        captioned.push_back(timeToFirstPaint(bare, {"--caption"}, environment, folder));
        if (baseline.back() < 0 || ours.back() < 0 || captioned.back() < 0) {
            std::fprintf(stderr, "a start showed no first paint\n");
            return 1;
        }
    }
    const double programMs = median(ours), bareMs = median(baseline), captionedMs = median(captioned);
    std::printf("bare_window: median_ms=%.1f min_ms=%.1f\n", bareMs, *std::min_element(baseline.begin(), baseline.end()));
    std::printf("captioned_window: median_ms=%.1f min_ms=%.1f ratio_to_bare=%.2f\n", captionedMs,
                *std::min_element(captioned.begin(), captioned.end()), captionedMs / bareMs);
    std::printf("program_to_captioned: ratio=%.2f\n", programMs / captionedMs);
    std::printf("program: median_ms=%.1f min_ms=%.1f\n", programMs, *std::min_element(ours.begin(), ours.end()));
    std::printf("startup: ratio=%.2f ms=%.1f\n", programMs / bareMs, programMs);
    return 0;
}
