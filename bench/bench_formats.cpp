// Reading question sources written on one long line against the same sources with line
// breaks: the readers must take linear time whatever the shape of the lines. Then `qbank import`
// of a Moodle XML export of 16,000 questions, in a child process, against `xmllint --noout`
// reading the same file: its time and its peak memory, which must not grow with the file.
//
// Prints a line per case, then
//   formats_oneline: ms_per_mb=<x> ratio=<one-line over broken-lines>
// for Moodle XML, the worst of the cases before the readers were made linear, and ends with:
//   formats_import_16k: ms=<x> xmllint_ms=<y> ratio=<x/y> peak_mb=<z>

#include "BenchTiming.h"
#include "formats/Format.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Questions = 16000;

QByteArray moodleXml(const char* separator)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    xml += separator;
    xml += "<quiz>";
    for (int q = 0; q < Questions; ++q) {
        xml += separator;
        xml += "<question type=\"multichoice\"><name><text>Q" + QByteArray::number(q) + "</text></name>";
        xml += separator;
        xml += "<questiontext format=\"html\"><text>Which cable carries the signal " + QByteArray::number(q)
               + "?</text></questiontext>";
        xml += separator;
        xml += "<answer fraction=\"100\"><text>Fibre</text></answer>";
        xml += separator;
        xml += "<answer fraction=\"0\"><text>Copper</text></answer></question>";
    }
    return xml + separator + "</quiz>\n";
}

// Questions in GIFT; `spanned` puts all answers of one big question on lines of their own.
QByteArray giftQuestions(const char* between)
{
    QByteArray gift;
    for (int q = 0; q < Questions; ++q)
        gift += "Which cable carries the signal " + QByteArray::number(q) + "? {=Fibre ~Copper ~Air}" + between;
    return gift;
}

QByteArray giftOneQuestion(int answerLines)
{
    QByteArray gift = "Which one? {\n=right\n";
    for (int k = 0; k < answerLines; ++k)
        gift += "// a comment line\n";
    return gift + "~wrong }\n";
}

QByteArray jsonItems(const char* separator)
{
    QByteArray json = "{\"items\": [";
    for (int q = 0; q < Questions; ++q) {
        json += q ? "," : "";
        json += separator;
        json += "{\"exam\": 1, \"section\": 1, \"question\": \"Q" + QByteArray::number(q)
                + "\", \"answers\": [\"x\", \"y\"], \"correct\": \"a\"}";
    }
    return json + separator + "]}\n";
}

// Reads `source` a few times and prints the median time per megabyte.
double msPerMb(const char* label, const char* format, const QByteArray& source)
{
    const formats::Format* reader = formats::formatNamed(QLatin1String(format));
    size_t items = 0;
    const double ms = medianMs(3, [&] { items = reader->read(source, store::TableKind::Bank).items.size(); });
    const double perMb = ms / (double(source.size()) / (1 << 20));
    std::printf("%-34s %8.1f ms  %7.1f ms/MB  %zu items of %.2f MB\n", label, ms, perMb, items,
                double(source.size()) / (1 << 20));
    return perMb;
}

// A Moodle XML export of `count` multiple-choice questions as Moodle writes them (about
// 1 kB each), into `file`.
void writeMoodleExport(const QString& file, int count)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        std::exit(1);
    out.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n");
    for (int q = 0; q < count; ++q) {
        const QByteArray n = QByteArray::number(q);
        QByteArray question = "  <question type=\"multichoice\">\n    <name>\n      <text>Cabling " + n + "</text>\n    </name>\n"
            "    <questiontext format=\"html\">\n      <text><![CDATA[<p>Which cable carries the signal of port " + n
            + " from the patch panel to the switch?</p>]]></text>\n    </questiontext>\n"
            "    <generalfeedback format=\"html\">\n      <text><![CDATA[<p>Fibre: copper picks up noise on a run this long.</p>]]></text>\n"
            "    </generalfeedback>\n    <defaultgrade>1.0000000</defaultgrade>\n    <penalty>0.3333333</penalty>\n"
            "    <hidden>0</hidden>\n    <single>true</single>\n    <shuffleanswers>true</shuffleanswers>\n"
            "    <answernumbering>abc</answernumbering>\n";
        for (const char* answer : {"Fibre", "Copper", "Coaxial", "Twisted pair"})
            question += QByteArray("    <answer fraction=\"") + (answer == std::string_view("Fibre") ? "100" : "0")
                        + "\" format=\"html\">\n      <text><![CDATA[<p>" + answer
                        + "</p>]]></text>\n      <feedback format=\"html\">\n        <text></text>\n      </feedback>\n    </answer>\n";
        out.write(question + "  </question>\n");
    }
    out.write("</quiz>\n");
}

struct ChildRun {
    double ms = 0;
    double peakMb = 0;
};

// Runs a program to its end; its wall time and peak resident memory.
ChildRun runChild(const QStringList& arguments)
{
    std::vector<QByteArray> bytes;
    for (const QString& a : arguments)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0]);
        std::exit(1);
    }
    return {ms, double(usage.ru_maxrss) / 1024};
}

// `qbank import` of `source` into a new bank, a few times: the median time, the largest peak.
ChildRun importRun(const QString& source, const QString& folder)
{
    std::vector<double> times;
    double peak = 0;
    for (int run = 0; run < 3; ++run) {
        const QString bank = folder + QStringLiteral("/bank.DAT");
        QFile::remove(bank);
        runChild({QStringLiteral(QBANK_PROGRAM), QStringLiteral("create"), bank, QStringLiteral("--kind"), QStringLiteral("bank")});
        const ChildRun r = runChild({QStringLiteral(QBANK_PROGRAM), QStringLiteral("import"), bank, source, QStringLiteral("--section"), QStringLiteral("1")});
        times.push_back(r.ms);
        peak = std::max(peak, r.peakMb);
    }
    std::sort(times.begin(), times.end());
    return {times[1], peak};
}

}  // namespace

int main()
{
    const double xmlOne = msPerMb("moodle xml, one line", "moodle", moodleXml(""));
    const double xmlBroken = msPerMb("moodle xml, line breaks", "moodle", moodleXml("\n"));
    msPerMb("gift, blank lines between", "gift", giftQuestions("\n\n"));
    msPerMb("gift, no blank lines (one block)", "gift", giftQuestions("\n"));
    msPerMb("gift, one question of 80,000 lines", "gift", giftOneQuestion(80000));
    msPerMb("json, one line", "json", jsonItems(""));
    msPerMb("json, line breaks", "json", jsonItems("\n"));
    std::printf("formats_oneline: ms_per_mb=%.1f ratio=%.2f\n", xmlOne, xmlOne / xmlBroken);

    QTemporaryDir folder;
    const QString small = folder.filePath(QStringLiteral("16k.xml"));
    const QString large = folder.filePath(QStringLiteral("32k.xml"));
    writeMoodleExport(small, Questions);
    writeMoodleExport(large, 2 * Questions);
    std::vector<double> lint;
    for (int run = 0; run < 3; ++run)
        lint.push_back(runChild({QStringLiteral("xmllint"), QStringLiteral("--noout"), small}).ms);
    std::sort(lint.begin(), lint.end());
    const ChildRun imported = importRun(small, folder.path());
    const ChildRun twice = importRun(large, folder.path());
    std::printf("%-34s %8.1f ms  peak %.1f MB for a file of %.1f MB\n", "qbank import, 16,000 questions", imported.ms,
                imported.peakMb, double(QFileInfo(small).size()) / (1 << 20));
    std::printf("%-34s %8.1f ms  peak %.1f MB for a file of %.1f MB\n", "qbank import, 32,000 questions", twice.ms,
                twice.peakMb, double(QFileInfo(large).size()) / (1 << 20));
    std::printf("formats_import_32k: ms=%.0f peak_mb=%.1f growth_mb=%.1f\n", twice.ms, twice.peakMb, twice.peakMb - imported.peakMb);
    std::printf("formats_import_16k: ms=%.0f xmllint_ms=%.0f ratio=%.2f peak_mb=%.1f\n", imported.ms, lint[1],
                imported.ms / lint[1], imported.peakMb);
    return 0;
}
