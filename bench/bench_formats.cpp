// Reading question sources written on one long line against the same sources with line
// breaks: the readers must take linear time whatever the shape of the lines.
//
// Prints a line per case and ends with:
//   formats_oneline: ms_per_mb=<x> ratio=<one-line over broken-lines>
// for Moodle XML, the worst of the cases before the readers were made linear.

#include "BenchTiming.h"
#include "formats/Format.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

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
    return 0;
}
