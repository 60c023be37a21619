// The bar-chart engine, tried on the score window's charts: its model, the score charts made
// from a grade, the layout (order, lengths, wrapped labels), the accessible name, and what
// lands in the pixels.

#include "charts/BarChart.h"
#include "charts/ChartPainting.h"
#include "results/Grading.h"
#include "results/ScoreCharts.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <QPainter>
#include <QTest>

using namespace charts;
using namespace results;

namespace {

// 60 items: section 1 holds 8 with 3 correct, section 2 holds 9 with 7 correct, section 3
// holds 43 all correct, section 4 none.
Grade sampleGrade()
{
    store::ItemStates sheet;
    auto add = [&sheet](int section, int n, int correct) {
        for (int k = 0; k < n; ++k) {
            store::TItemState state;
            state.Section = section;
            state.Correct = k < correct;
            sheet.append(state);
        }
    };
    add(1, 8, 3);
    add(2, 9, 7);
    add(3, 43, 43);
    return gradeSheet(sheet);
}

QImage paintedImage(const BarChartModel& model, QSize size, const QRectF& rect, int dpi = 96)
{
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(QColor(250, 250, 250));
    QPainter painter(&image);
    paintBarChart(painter, rect, model);
    return image;
}

QImage deviceAt(int dpi)
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(dpi / 0.0254));
    device.setDotsPerMeterY(qRound(dpi / 0.0254));
    return device;
}

QColor pixelAt(const QImage& image, QPointF point)
{
    return image.pixelColor(point.toPoint());
}

}  // namespace

class TestBarChart : public QObject {
    Q_OBJECT

private slots:
    void axisTicks_data();
    void axisTicks();

    void totalChartHoldsTheTwoScores();
    void sectionsChartHoldsSectionOneOnTop();

    void barsStackFromTheBottom();
    void barLengthsFollowTheValueAxis_data();
    void barLengthsFollowTheValueAxis();

    void wrapsText_data();
    void wrapsText();
    void wrapsLongLabelsOnlyWhenNarrow();
    void leavesOutValueLabelsThatWouldCollide();
    void minimumHeightGivesEveryLabelALine();

    void accessibleNameCarriesTheFigures();
    void columnsStandLeftToRightWithTheValueLineAtItsValue();
    void valuesKeepTheValueLineClearAndLabelsTakeTwoLines();
    void staggeredLabelsKeepEveryColumnNamed();
    void groupsShareOneLabelAndReadTopDown();

    void paintsBarsInTheirColours();
    void paintsOnAHighResolutionDevice();
    void paintsOnlyInsideItsRectangle();
    void survivesDegenerateSizesAndAxes_data();
    void survivesDegenerateSizesAndAxes();
};

void TestBarChart::axisTicks_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    QTest::addColumn<QList<double>>("ticks");

    QTest::newRow("total chart") << 0.0 << 1000.0 << 100.0
                                 << QList<double>{0,   100, 200, 300, 400, 500,
                                                  600, 700, 800, 900, 1000};
    QTest::newRow("sections chart")
        << 0.0 << 100.0 << 10.0 << QList<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    QTest::newRow("step does not reach the end")
        << 0.0 << 100.0 << 30.0 << QList<double>{0, 30, 60, 90};
    QTest::newRow("tenths without drift")
        << 0.0 << 1.0 << 0.1
        << QList<double>{
               0,   0.1, 0.2, 0.30000000000000004, 0.4, 0.5, 0.6000000000000001, 0.7000000000000001,
               0.8, 0.9, 1};
    QTest::newRow("no step: the ends") << 0.0 << 50.0 << 0.0 << QList<double>{0, 50};
    QTest::newRow("empty range") << 10.0 << 10.0 << 1.0 << QList<double>{};
    QTest::newRow("reversed range") << 10.0 << 0.0 << 1.0 << QList<double>{};
}

void TestBarChart::axisTicks()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, step);
    QFETCH(QList<double>, ticks);
    BarChartModel model;
    model.axisMin = min;
    model.axisMax = max;
    model.axisStep = step;
    QCOMPARE(model.axisTicks(), ticks);
}

void TestBarChart::totalChartHoldsTheTwoScores()
{
    const BarChartModel chart =
        totalChart(62.5, QStringLiteral("Anna,  Quizlore Prep 2.0,  Exam A"));
    QCOMPARE(chart.bars.size(), 2);
    QCOMPARE(chart.bars[0].label, QStringLiteral("Your score"));
    QCOMPARE(chart.bars[0].value, 62.5);  // the real score, not the shown one
    QCOMPARE(chart.bars[0].colour, QColor(0, 128, 0));
    QCOMPARE(chart.bars[1].label, QStringLiteral("Required score"));
    QCOMPARE(chart.bars[1].value, 850.0);
    QCOMPARE(chart.bars[1].colour, QColor(0, 0, 255));
    QCOMPARE(chart.title.text, QStringLiteral("Anna,  Quizlore Prep 2.0,  Exam A"));
    QCOMPARE(chart.title.colour, QColor(0, 0, 128));
    QCOMPARE(chart.title.frameColour, QColor(0, 0, 255));
    QCOMPARE(chart.axisMin, 0.0);
    QCOMPARE(chart.axisMax, 1000.0);
    QCOMPARE(chart.axisStep, 100.0);
    QCOMPARE(chart.barWidthPercent, 90);
    QCOMPARE(chart.background, QColor(Qt::white));
}

void TestBarChart::sectionsChartHoldsSectionOneOnTop()
{
    const BarChartModel chart = sectionsChart(sampleGrade());
    QCOMPARE(chart.title.text, QStringLiteral(" Sections "));
    QVERIFY(chart.title.alignment & Qt::AlignLeft);
    QCOMPARE(chart.axisMin, 0.0);
    QCOMPARE(chart.axisMax, 100.0);
    QCOMPARE(chart.axisStep, 10.0);
    QCOMPARE(chart.barWidthPercent, 80);

    // Added 4, 3, 2, 1: the first bar is drawn at the bottom, so section 1 ends on top.
    const QStringList labels{
        QStringLiteral("Troubleshooting (0/0) "), QStringLiteral("Implementation (43/43) "),
        QStringLiteral("Planning (7/9) "), QStringLiteral("Standards and Terminology (3/8) ")};
    const QList<double> values{0, 100, 78, 38};
    QCOMPARE(chart.bars.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(chart.bars[i].label, labels[i]);
        QCOMPARE(chart.bars[i].value, values[i]);
        QCOMPARE(chart.bars[i].colour, QColor(255, 0, 0));
    }
}

void TestBarChart::barsStackFromTheBottom()
{
    const BarChartModel chart = sectionsChart(sampleGrade());
    QImage device(600, 240, QImage::Format_RGB32);
    const BarChartLayout layout = layoutBarChart(chart, QRectF(0, 0, 600, 240), &device);
    QCOMPARE(layout.barRects.size(), 4);
    for (int i = 1; i < 4; ++i) {
        QVERIFY2(layout.barRects[i].center().y() < layout.barRects[i - 1].center().y(),
                 qPrintable(QStringLiteral("bar %1 is not above bar %2").arg(i).arg(i - 1)));
        QCOMPARE(layout.labelRects[i].center().y(), layout.barRects[i].center().y());
    }
    // Every bar fills 80 % of its slot, and all bars lie inside the plot.
    const double slot = layout.plot.height() / 4;
    for (int i = 0; i < 4; ++i) {
        if (chart.bars[i].value == 0) {
            QCOMPARE(layout.barRects[i].width(), 0.0);
            continue;
        }
        QVERIFY(qAbs(layout.barRects[i].height() - 0.8 * slot) < 0.01);
        QVERIFY(layout.plot.adjusted(-0.01, -0.01, 0.01, 0.01).contains(layout.barRects[i]));
    }
    QVERIFY(layout.frame.contains(layout.titleRect));
    QVERIFY(layout.titleRect.bottom() <= layout.plot.top());
    // " Sections " stands at the left, not in the middle.
    QVERIFY(layout.titleRect.left() - layout.frame.left() < 10);
    QVERIFY(layout.titleRect.right() < layout.frame.center().x());
}

void TestBarChart::barLengthsFollowTheValueAxis_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("share");  // of the plot's width

    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("half") << 500.0 << 0.5;
    QTest::newRow("required") << 850.0 << 0.85;
    QTest::newRow("full") << 1000.0 << 1.0;
    QTest::newRow("beyond the axis is cut at its end") << 1500.0 << 1.0;
    QTest::newRow("below the axis stays at zero") << -20.0 << 0.0;
}

void TestBarChart::barLengthsFollowTheValueAxis()
{
    QFETCH(double, value);
    QFETCH(double, share);
    const BarChartModel chart = totalChart(value, QStringLiteral("title"));
    QImage device(582, 184, QImage::Format_RGB32);
    const BarChartLayout layout = layoutBarChart(chart, QRectF(0, 0, 582, 184), &device);
    QCOMPARE(layout.barRects[0].left(), layout.plot.left());
    QVERIFY(qAbs(layout.barRects[0].width() - share * layout.plot.width()) < 0.01);
    // The 1000 tick sits at the plot's right edge, the 0 tick at its left.
    QCOMPARE(layout.tickX.first(), layout.plot.left());
    QCOMPARE(layout.tickX.last(), layout.plot.right());
}

void TestBarChart::wrapsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("widthInX");  // the width, in widths of the letter "x"
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("fits") << "ab cd" << 20 << QStringList{"ab cd"};
    QTest::newRow("breaks at blanks") << "aaa bbb ccc" << 7 << QStringList{"aaa bbb", "ccc"};
    QTest::newRow("one word a line") << "aaa bbb ccc" << 4 << QStringList{"aaa", "bbb", "ccc"};
    QTest::newRow("blanks collapse") << "  aaa   bbb  " << 20 << QStringList{"aaa bbb"};
    QTest::newRow("a word longer than the width is broken")
        << "xxxxxxxxxx yy" << 4 << QStringList{"xxxx", "xxxx", "xx", "yy"};
    QTest::newRow("empty") << "" << 5 << QStringList{};
}

void TestBarChart::wrapsText()
{
    QFETCH(QString, text);
    QFETCH(int, widthInX);
    QFETCH(QStringList, lines);
    // A fixed-pitch font makes the widths predictable.
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(12);
    const QFontMetricsF metrics(font);
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("x")) ==
            metrics.horizontalAdvance(QStringLiteral("a")));
    const double width = metrics.horizontalAdvance(QString(widthInX, QLatin1Char('x'))) + 0.5;
    QCOMPARE(wrapText(text, metrics, width), lines);
}

void TestBarChart::wrapsLongLabelsOnlyWhenNarrow()
{
    const BarChartModel chart = sectionsChart(sampleGrade());
    QImage device(10, 10, QImage::Format_RGB32);

    const BarChartLayout wide = layoutBarChart(chart, QRectF(0, 0, 900, 240), &device);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(wide.labelLines[i], QStringList{chart.bars[i].label.trimmed()});

    const BarChartLayout narrow = layoutBarChart(chart, QRectF(0, 0, 300, 240), &device);
    const QFontMetricsF metrics(narrow.labelAxisFont, &device);
    const QStringList& top = narrow.labelLines[3];  // "Standards and Terminology (3/8)"
    QVERIFY2(top.size() >= 2, qPrintable(top.join(QLatin1Char('|'))));
    QCOMPARE(top.join(QLatin1Char(' ')), QStringLiteral("Standards and Terminology (3/8)"));
    for (const QString& line : top)
        QVERIFY(metrics.horizontalAdvance(line) <= narrow.labelRects[3].width());
    QVERIFY(narrow.labelRects[3].right() < narrow.plot.left());

    // Without wrapping, the label is cut short on one line.
    BarChartModel unwrapped = chart;
    unwrapped.wrapLabels = false;
    const BarChartLayout cut = layoutBarChart(unwrapped, QRectF(0, 0, 300, 240), &device);
    QCOMPARE(cut.labelLines[3].size(), 1);
    QVERIFY(cut.labelLines[3].first().endsWith(QChar(0x2026)));
}

void TestBarChart::leavesOutValueLabelsThatWouldCollide()
{
    const BarChartModel chart = sectionsChart(sampleGrade());
    QImage device = deviceAt(96);
    const QFontMetricsF metrics(chart.valueAxisFont, &device);
    const double widest = metrics.horizontalAdvance(QStringLiteral("100"));

    const BarChartLayout wide = layoutBarChart(chart, QRectF(0, 0, 900, 240), &device);
    QCOMPARE(wide.tickLabelled, QList<bool>(11, true));

    const BarChartLayout narrow = layoutBarChart(chart, QRectF(0, 0, 260, 240), &device);
    QCOMPARE(narrow.tickX.size(), 11);  // every tick and grid line stays
    QVERIFY(narrow.tickLabelled.first());
    QVERIFY(narrow.tickLabelled.contains(false));
    double previous = -1e9;
    for (int k = 0; k < narrow.tickX.size(); ++k) {
        if (!narrow.tickLabelled[k])
            continue;
        QVERIFY2(narrow.tickX[k] - previous > widest, qPrintable(QString::number(k)));
        previous = narrow.tickX[k];
    }
}

void TestBarChart::minimumHeightGivesEveryLabelALine()
{
    for (const BarChartModel& chart :
         {sectionsChart(sampleGrade()), totalChart(500, QStringLiteral("title"))}) {
        BarChart widget;
        widget.setModel(chart);
        const int height = widget.minimumSizeHint().height();
        widget.resize(582, height);
        const BarChartLayout layout = widget.currentLayout();
        const double line = QFontMetricsF(layout.labelAxisFont, &widget).height();
        for (const QRectF& slot : layout.labelRects)
            QVERIFY2(slot.height() >= line - 0.01,
                     qPrintable(QStringLiteral("%1 < %2").arg(slot.height()).arg(line)));
        QVERIFY(layout.titleRect.bottom() <= layout.plot.top());
        QVERIFY(layout.plot.bottom() < height);
    }
    // More bars need more room.
    BarChartModel one = sectionsChart(sampleGrade());
    one.bars.resize(1);
    QImage device = deviceAt(96);
    QVERIFY(minimumBarChartHeight(one, &device) <
            minimumBarChartHeight(sectionsChart(sampleGrade()), &device));
}

void TestBarChart::accessibleNameCarriesTheFigures()
{
    BarChart sections;
    sections.setModel(sectionsChart(sampleGrade()));
    const QString expected =
        QStringLiteral("Sections: Standards and Terminology (3/8): 38%; Planning (7/9): 78%; "
                       "Implementation (43/43): 100%; Troubleshooting (0/0): 0%");
    QCOMPARE(sections.accessibleName(), expected);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&sections);
    QVERIFY(face);
    QCOMPARE(face->text(QAccessible::Name), expected);

    BarChart total;
    total.setModel(totalChart(2000.0 / 3, QStringLiteral("Anna,  Quizlore Prep 2.0,  Exam A")));
    QCOMPARE(
        total.accessibleName(),
        QStringLiteral("Anna, Quizlore Prep 2.0, Exam A: Required score: 850; Your score: 666.7"));

    // A new grading replaces the figures.
    total.setModel(totalChart(1000, QStringLiteral("Bo,  Quizlore Prep 2.0,  Exam B")));
    QCOMPARE(
        total.accessibleName(),
        QStringLiteral("Bo, Quizlore Prep 2.0, Exam B: Required score: 850; Your score: 1000"));

    BarChart empty;
    QCOMPARE(empty.accessibleName(), QStringLiteral("Bar chart: no bars"));
}

// Scores of six attempts as columns, with the passing line.
BarChartModel scoreColumns()
{
    BarChartModel chart;
    chart.orientation = Qt::Vertical;
    chart.axisMax = 1000;
    chart.axisStep = 200;
    chart.showValues = true;
    const QList<double> scores{400, 1000, 0, 850, 600, 900};
    for (int i = 0; i < scores.size(); ++i) {
        chart.addBar(scores[i], QStringLiteral("attempt %1").arg(i + 1), scores[i] >= 850 ? Qt::green : Qt::red);
        chart.groupLabels << QStringLiteral("%1 Nov").arg(i + 1);
    }
    chart.valueLines << ChartValueLine{850, QStringLiteral("Passing score"), Qt::blue};
    chart.legend = {{QStringLiteral("Pass"), Qt::green}, {QStringLiteral("Fail"), Qt::red}};
    return chart;
}

void TestBarChart::columnsStandLeftToRightWithTheValueLineAtItsValue()
{
    const BarChartModel chart = scoreColumns();
    QImage device = deviceAt(96);
    const QRectF frame(0, 0, 520, 220);
    const BarChartLayout layout = layoutBarChart(chart, frame, &device);
    const QRectF& plot = layout.plot;
    auto yOf = [&](double v) { return plot.bottom() - v / 1000 * plot.height(); };
    for (int i = 0; i < chart.bars.size(); ++i) {
        const QRectF& bar = layout.barRects[i];
        if (i > 0)
            QVERIFY(bar.left() > layout.barRects[i - 1].right());
        QVERIFY(qAbs(bar.bottom() - plot.bottom()) < 0.01);
        QVERIFY2(qAbs(bar.top() - yOf(chart.bars[i].value)) < 0.01, qPrintable(QString::number(i)));
        QVERIFY(bar.height() == 0 || plot.adjusted(-0.01, -0.01, 0.01, 0.01).contains(bar));
        QCOMPARE(layout.labelRects[i].center().x(), bar.center().x());
        QVERIFY(layout.labelRects[i].top() >= plot.bottom());
    }
    QCOMPARE(layout.labelLines[5], QStringList{"6 Nov"});
    QCOMPARE(layout.valueLineAt.size(), 1);
    QVERIFY(qAbs(layout.valueLineAt[0] - yOf(850)) < 0.01);
    // The line's label stands right of the plot, inside the chart; the legend on the title line.
    QVERIFY(plot.right() < frame.right() - QFontMetricsF(layout.labelAxisFont, &device).horizontalAdvance("Passing score"));
    QVERIFY(frame.contains(layout.legendRect));
    QVERIFY(layout.legendRect.bottom() <= plot.top());

    // Too narrow for every label: every second one, counted back from the newest.
    const BarChartLayout narrow = layoutBarChart(chart, QRectF(0, 0, 190, 220), &device);
    QCOMPARE(narrow.labelLines[5], QStringList{"6 Nov"});
    QVERIFY(narrow.labelLines[4].isEmpty());
    QCOMPARE(narrow.labelRects.size(), 6);

    // On paper: the line in its colour at its value, the columns in theirs.
    const QImage image = paintedImage(chart, QSize(520, 220), frame);
    QCOMPARE(pixelAt(image, layout.barRects[0].center()), QColor(Qt::red));
    QCOMPARE(pixelAt(image, layout.barRects[1].center() + QPointF(0, 20)), QColor(Qt::green));
    bool lineDrawn = false;
    for (double x = plot.left() + 2; x < layout.barRects[0].left(); x += 1)
        lineDrawn = lineDrawn || pixelAt(image, QPointF(x, layout.valueLineAt[0])) == QColor(Qt::blue);
    QVERIFY(lineDrawn);
}

void TestBarChart::groupsShareOneLabelAndReadTopDown()
{
    BarChartModel chart;
    chart.barsPerGroup = 2;
    chart.addBar(60, QStringLiteral("B, last 5"), Qt::blue);
    chart.addBar(20, QStringLiteral("B, the 5 before"), Qt::gray);
    chart.addBar(90, QStringLiteral("A, last 5"), Qt::blue);
    chart.bars << ChartBar{0, QStringLiteral("A, the 5 before"), Qt::gray, QStringLiteral("no attempts")};
    chart.groupLabels = {QStringLiteral("B"), QStringLiteral("A")};
    chart.title.text = QStringLiteral("Sections");
    chart.valueSuffix = QStringLiteral("%");
    QImage device = deviceAt(96);
    const BarChartLayout layout = layoutBarChart(chart, QRectF(0, 0, 400, 200), &device);
    QCOMPARE(layout.labelRects.size(), 2);
    QCOMPARE(layout.labelLines, (QList<QStringList>{{"B"}, {"A"}}));
    // A group's bars lie side by side inside its label's slot, its first bar on top.
    for (int g = 0; g < 2; ++g) {
        const QRectF& first = layout.barRects[2 * g];
        const QRectF& second = layout.barRects[2 * g + 1];
        QVERIFY(qAbs(first.bottom() - second.top()) < 0.01);
        QVERIFY(layout.labelRects[g].adjusted(0, -0.01, 0, 0.01).top() <= first.top());
        QVERIFY(second.bottom() <= layout.labelRects[g].bottom() + 0.01);
        QCOMPARE(first.height(), second.height());
    }
    QVERIFY(layout.barRects[2].bottom() < layout.barRects[0].top());  // the second group above the first
    QCOMPARE(chart.accessibleText(),
             QStringLiteral("Sections: A, last 5: 90%; A, the 5 before: no attempts; B, last 5: 60%; "
                            "B, the 5 before: 20%"));
}

void TestBarChart::paintsBarsInTheirColours()
{
    const BarChartModel total =
        totalChart(933.3, QStringLiteral("Anna,  Quizlore Prep 2.0,  Exam A"));
    const QRectF rect(0, 0, 572, 174);
    const QImage image = paintedImage(total, QSize(572, 174), rect);
    QImage device(1, 1, QImage::Format_RGB32);
    const BarChartLayout layout = layoutBarChart(total, rect, &device);
    QCOMPARE(pixelAt(image, layout.barRects[0].center()), QColor(0, 128, 0));
    QCOMPARE(pixelAt(image, layout.barRects[1].center()), QColor(0, 0, 255));
    // Beyond the end of the required-score bar lies the white background.
    const QPointF beyond(layout.barRects[1].right() +
                             0.5 * (layout.plot.right() - layout.barRects[1].right()),
                         layout.barRects[1].center().y());
    QCOMPARE(pixelAt(image, beyond), QColor(Qt::white));

    // The widget paints the same.
    BarChart widget;
    widget.setModel(sectionsChart(sampleGrade()));
    widget.resize(560, 200);
    const QImage grabbed = widget.grab().toImage();
    const BarChartLayout shown = widget.currentLayout();
    for (int i : {1, 2, 3})  // section 4 has no items: no bar
        QCOMPARE(pixelAt(grabbed, shown.barRects[i].center()), QColor(255, 0, 0));
    QVERIFY(pixelAt(grabbed, shown.barRects[0].center() + QPointF(20, 0)) != QColor(255, 0, 0));
}

void TestBarChart::paintsOnAHighResolutionDevice()
{
    // A printed page: 300 dpi, a chart 6 x 1.2 inches.
    const BarChartModel total =
        totalChart(500, QStringLiteral("Anna,  Quizlore Prep 2.0,  Exam A"));
    const QRectF rect(0, 0, 1800, 360);
    const QImage image = paintedImage(total, QSize(1800, 360), rect, 300);
    QImage page = deviceAt(300);
    const BarChartLayout layout = layoutBarChart(total, rect, &page);
    QCOMPARE(pixelAt(image, layout.barRects[0].center()), QColor(0, 128, 0));
    QCOMPARE(pixelAt(image, layout.barRects[1].center()), QColor(0, 0, 255));
    QVERIFY(qAbs(layout.barRects[0].width() - layout.plot.width() / 2) < 0.01);
    // Fonts in points grow with the resolution, so the labels stay legible.
    QImage screen = deviceAt(96);
    const BarChartLayout onScreen = layoutBarChart(total, QRectF(0, 0, 576, 115), &screen);
    const double printed = QFontMetricsF(layout.labelAxisFont, &page).height();
    const double shown = QFontMetricsF(onScreen.labelAxisFont, &screen).height();
    QVERIFY2(printed > 2.5 * shown, qPrintable(QStringLiteral("%1 vs %2").arg(printed).arg(shown)));
    // So do fonts in pixels, which are pixels of a 96-dpi screen: the 13-pixel title.
    QCOMPARE(layout.titleFont.pixelSize(), 41);
    QCOMPARE(onScreen.titleFont.pixelSize(), 13);
}

void TestBarChart::paintsOnlyInsideItsRectangle()
{
    // A chart placed on part of a page leaves the rest of it alone.
    const BarChartModel total =
        totalChart(1000, QStringLiteral("A title much too long for so small a chart"));
    const QRectF rect(100, 50, 300, 120);
    const QImage image = paintedImage(total, QSize(500, 250), rect);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!rect.contains(QPointF(x + 0.5, y + 0.5)) &&
                image.pixelColor(x, y) != QColor(250, 250, 250))
                QFAIL(qPrintable(QStringLiteral("painted outside at %1,%2").arg(x).arg(y)));
    QImage device(1, 1, QImage::Format_RGB32);
    const BarChartLayout layout = layoutBarChart(total, rect, &device);
    QCOMPARE(pixelAt(image, layout.barRects[0].center()), QColor(0, 128, 0));
}

void TestBarChart::survivesDegenerateSizesAndAxes_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");

    QTest::newRow("no area") << QRectF(0, 0, 0, 0) << 0.0 << 100.0 << 10.0;
    QTest::newRow("smaller than the margins") << QRectF(3, 3, 8, 5) << 0.0 << 100.0 << 10.0;
    QTest::newRow("a strip") << QRectF(0, 0, 400, 12) << 0.0 << 100.0 << 10.0;
    QTest::newRow("tiny step") << QRectF(0, 0, 400, 200) << 0.0 << 100.0 << 1e-9;
    QTest::newRow("empty axis") << QRectF(0, 0, 400, 200) << 50.0 << 50.0 << 10.0;
    QTest::newRow("reversed axis") << QRectF(0, 0, 400, 200) << 100.0 << 0.0 << 10.0;
}

void TestBarChart::survivesDegenerateSizesAndAxes()
{
    QFETCH(QRectF, rect);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, step);
    BarChartModel chart = sectionsChart(sampleGrade());
    chart.axisMin = min;
    chart.axisMax = max;
    chart.axisStep = step;
    chart.addBar(std::nan(""), QStringLiteral("not a number"), Qt::black);
    QImage image(420, 220, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintBarChart(painter, rect, chart);
    painter.end();
    const BarChartLayout layout = layoutBarChart(chart, rect, &image);
    QCOMPARE(layout.barRects.size(), chart.bars.size());
    for (const QRectF& bar : layout.barRects)
        QVERIFY(bar.width() >= 0);
    QCOMPARE(layout.tickLabelled.size(), layout.tickX.size());
}

QTEST_MAIN(TestBarChart)
#include "test_bar_chart.moc"

// Twenty columns just under and over the pass line: no value covers the line, whether it moves
// into its column or above the line; a label of two lines (date and time) is shown whole.
void TestBarChart::valuesKeepTheValueLineClearAndLabelsTakeTwoLines()
{
    BarChartModel chart = scoreColumns();
    chart.bars.clear();
    chart.groupLabels.clear();
    for (int i = 0; i < 20; ++i) {
        const double score = 800 + i * 5;
        chart.addBar(score, QStringLiteral("attempt %1").arg(i + 1), Qt::red);
        chart.groupLabels << QStringLiteral("%1 Nov\n%2:00").arg(i / 2 + 1).arg(10 + i % 2);
    }
    QImage device = deviceAt(96);
    const BarChartLayout layout = layoutBarChart(chart, QRectF(0, 0, 900, 260), &device);
    const double line = layout.valueLineAt[0];
    int inBar = 0;
    for (int i = 0; i < chart.bars.size(); ++i) {
        const QRectF& value = layout.valueRects[i];
        QVERIFY2(!value.isEmpty(), qPrintable(QString::number(i)));
        QVERIFY2(value.bottom() < line - 0.5 || value.top() > line + 0.5, qPrintable(QString::number(i)));
        if (layout.valueInBar[i]) {
            ++inBar;
            QVERIFY(layout.barRects[i].contains(value));
        }
        QCOMPARE(layout.labelLines[i].size() % 2, 0);
    }
    QVERIFY(inBar > 0);
    QCOMPARE(layout.labelLines.last(), (QStringList{"10 Nov", "11:00"}));
    QVERIFY(layout.labelRects.last().height() >= 2 * QFontMetricsF(layout.labelAxisFont, &device).height() - 0.01);
}

// Twenty two-line labels where one row holds only every other one: staggered over two rows,
// every column keeps its label, and no two labels of one row overlap.
void TestBarChart::staggeredLabelsKeepEveryColumnNamed()
{
    BarChartModel chart = scoreColumns();
    chart.bars.clear();
    chart.groupLabels.clear();
    for (int i = 0; i < 20; ++i) {
        chart.addBar(500, QStringLiteral("attempt %1").arg(i + 1), Qt::red);
        chart.groupLabels << QStringLiteral("%1 Nov\n%2:30").arg(i / 2 + 1).arg(10 + i % 2);
    }
    QImage device = deviceAt(96);
    const QRectF frame(0, 0, 600, 260);
    const BarChartLayout plain = layoutBarChart(chart, frame, &device);
    QVERIFY(std::any_of(plain.labelLines.begin(), plain.labelLines.end(), [](const QStringList& l) { return l.isEmpty(); }));
    chart.staggerLabels = true;
    const BarChartLayout staggered = layoutBarChart(chart, frame, &device);
    for (int i = 0; i < 20; ++i) {
        QCOMPARE(staggered.labelLines[i].size(), 2);
        QVERIFY(staggered.labelRects[i].top() >= staggered.plot.bottom());
        QVERIFY(frame.contains(staggered.labelRects[i]));
        if (i >= 2) {
            const QFontMetricsF metrics(staggered.labelAxisFont, &device);
            const double previousRight = staggered.labelRects[i - 2].center().x() +
                                         metrics.horizontalAdvance(staggered.labelLines[i - 2][0]) / 2;
            const double left = staggered.labelRects[i].center().x() - metrics.horizontalAdvance(staggered.labelLines[i][0]) / 2;
            QVERIFY(left > previousRight);
        }
        if (i >= 1)
            QVERIFY(staggered.labelRects[i].top() != staggered.labelRects[i - 1].top());
    }
}
