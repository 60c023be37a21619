// The page model of the report engine: where bands and objects land, in millimetres.

#include "print/engine/Objects.h"
#include "print/engine/ReportLayout.h"
#include "print/engine/TextMeasure.h"

#include <QTest>

#include <cmath>
#include <stdexcept>

using namespace report;

namespace {

constexpr double Tolerance = 0.01;
// The line height of Arial 10 pt.
double lineHeight()
{
    return lineMetrics(arial(10)).lineHeight;
}

bool near(double a, double b, double tolerance = Tolerance)
{
    return std::abs(a - b) <= tolerance;
}

QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Line %1").arg(i);
    return lines.join(QLatin1Char('\n'));
}

// A report whose title band holds a stretching memo with a label under it, and a footer.
Report memoReport(const QString& text, int pageLimit)
{
    Report r;
    r.page.pageLimit = pageLimit;
    r.title.height = 20;
    r.title.dynamic = true;
    ReportObject m = memo("memo", 10, 5, 100, lineHeight(), arial(10), 2);
    m.lines = text.split(QLatin1Char('\n'));
    r.title.objects << label("beside", 120, 5, arial(10), "Beside") << m
                    << label("below", 10, 5 + lineHeight() + 2, arial(10), "Below")
                    << rectangle("frame", 5, 20 - 4, 50, 4);
    r.header.height = 8;
    r.header.objects << label("head", 0, 1, arial(10), "Head");
    r.detail.height = 10;
    r.footer.height = 15;
    r.footer.objects << pageNumber("page", 200, 2, arial(8));
    return r;
}

double noteTop()
{
    return 6 + lineHeight() + 2;
}

// A detail band over records: a numbered line with a tick box, and a region that prints only
// for a record whose "extra" field has text, with the record's note below it.
Report recordReport()
{
    Report r;
    r.detail.dynamic = true;
    r.detail.height = 20;
    ReportObject extra = region("extraRegion", 0, 6, 100, lineHeight(),
                                {dataText("extra", 0, 0, arial(10), "extra")});
    extra.beforePrint = [](const PrintContext& context) { return !context.shows("extra").isEmpty(); };
    r.detail.objects << dataText("number", 0, 0, arial(10), "number", "No. ")
                     << checkBox("tick", 50, 0, 4, 4, "done") << extra
                     << dataMemo("note", 0, noteTop(), 100, lineHeight(), arial(10), "note");
    r.footer.height = 10;
    return r;
}

// A title band of `titleLines` lines, a group header, a header and a detail line per record.
Report groupedReport(int titleLines, RecordSource* records)
{
    Report r;
    r.title.height = lineHeight();
    r.title.dynamic = true;
    ReportObject m = memo("memo", 0, 0, 100, lineHeight(), arial(10), 0);
    m.lines = numberedLines(titleLines).split(QLatin1Char('\n'));
    r.title.objects << m;
    r.groupHeader.height = 6;
    r.groupHeader.objects << label("group", 0, 0, arial(10), "Group");
    r.header.height = 8;
    r.header.objects << label("head", 0, 1, arial(10), "Head");
    r.detail.height = 10;
    r.detail.objects << dataText("number", 0, 0, arial(10), "number", "No. ");
    r.footer.height = 15;
    r.dataSource = records;
    return r;
}

QList<QVariantMap> numberedRecords(int count)
{
    QList<QVariantMap> rows;
    for (int i = 1; i <= count; ++i)
        rows << QVariantMap{{"number", i}};
    return rows;
}

// The top of the first box of `name` on `page`; -1 when it has none.
double topOf(const Page& page, const QString& name)
{
    const Box* box = page.find(name);
    return box ? box->rect.top() : -1;
}

}  // namespace

class TestReportLayout : public QObject {
    Q_OBJECT

private slots:
    // A stretching memo moves what lies below it by as much as it grows; what lies beside it
    // stays, and the dynamic band grows with it.
    void stretchingMovesWhatLiesBelow_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << 1;
        QTest::newRow("four lines") << 4;
        QTest::newRow("empty") << 0;
    }
    void stretchingMovesWhatLiesBelow()
    {
        QFETCH(int, lines);
        const Document doc = layoutReport(memoReport(numberedLines(lines), 1));
        const Page& page = doc.pages[0];
        const double top = 6.35;  // the title band starts at the top margin
        const double growth = (lines - 1) * lineHeight();
        QVERIFY(near(page.find("beside")->rect.top(), top + 5));
        QVERIFY(near(page.find("below")->rect.top(), top + 5 + lineHeight() + 2 + growth));
        QVERIFY(near(page.find("frame")->rect.top(), top + 16 + growth));
        QCOMPARE(page.bands[0].kind, BandKind::Title);
        QVERIFY(near(page.bands[0].rect.height(), 20 + growth));
        QCOMPARE(page.bands[1].kind, BandKind::Header);
        QVERIFY(near(page.bands[1].rect.top(), top + 20 + growth));
        if (lines > 0)
            QCOMPARE(page.find("memo")->lines.size(), lines);
        else
            QVERIFY(!page.find("memo"));
    }

    // Without a data source, empty detail bands fill the rest of the first page.
    void emptyDetailsFillTheFirstPage()
    {
        const Document doc = layoutReport(memoReport("One", 0));
        QCOMPARE(doc.pages.size(), 1);
        const Page& page = doc.pages[0];
        const double footerTop = 279.4 - 6.35 - 15;
        int details = 0;
        double lastBottom = 0;
        for (const PlacedBand& band : page.bands) {
            if (band.kind == BandKind::Detail) {
                ++details;
                lastBottom = band.rect.bottom();
            }
        }
        const double firstDetail = 6.35 + 20 + 8;
        QCOMPARE(details, int((footerTop - firstDetail) / 10));
        QVERIFY(lastBottom <= footerTop && footerTop - lastBottom < 10);
        QVERIFY(near(page.find("page")->rect.top(), footerTop + 2));
        QVERIFY(near(page.find("page")->rect.right(), 6.35 + 200));
    }

    // A band taller than a page is split between lines over as many pages as it needs, and
    // nothing reaches into the footer.
    void tallBandSplitsBetweenLines()
    {
        const Document doc = layoutReport(memoReport(numberedLines(150), 0));
        QVERIFY(doc.pages.size() >= 3);
        const double footerTop = 279.4 - 6.35 - 15;
        QStringList printed;
        for (const Page& page : doc.pages) {
            // The header heads the details: it follows the title band, which fills the pages
            // before the last, once it ends.
            QCOMPARE(page.findAll("head").size(), page.number == doc.pages.size() ? 1 : 0);
            QCOMPARE(page.find("page")->text(), QStringLiteral("Page: %1").arg(page.number));
            for (const Box* piece : page.findAll("memo")) {
                QVERIFY(!piece->clipped);
                QVERIFY(piece->rect.bottom() <= footerTop + 1e-6);
                QVERIFY(near(piece->rect.height(), piece->lines.size() * lineHeight()));
                printed << piece->lines;
            }
            for (const Box& box : page.boxes)
                if (box.name != "page")
                    QVERIFY2(box.rect.bottom() <= footerTop + 1e-6, qPrintable(box.name));
        }
        QCOMPARE(printed.join('\n'), numberedLines(150));
        // The rest of the title band continues at the top of page 2.
        const Page& second = doc.pages[1];
        QVERIFY(near(second.find("memo")->rect.top(), 6.35));
        // The objects below the memo come after its last line, and the header after the title.
        const Page& last = doc.pages.last();
        QVERIFY(last.find("below"));
        QVERIFY(near(last.find("below")->rect.top(), last.find("memo")->rect.bottom() + 2));
        QVERIFY(last.find("head")->rect.top() > last.find("frame")->rect.bottom() - Tolerance);
    }

    // With a page limit of 1, what does not fit is cut above the footer: whole lines of
    // text, and an object that does not fit is left out.
    void pageLimitCutsAtTheFooter()
    {
        const Document doc = layoutReport(memoReport(numberedLines(150), 1));
        QCOMPARE(doc.pages.size(), 1);
        const Page& page = doc.pages[0];
        const double footerTop = 279.4 - 6.35 - 15;
        const Box* memo = page.find("memo");
        QVERIFY(memo->rect.bottom() <= footerTop + 1e-6);
        QVERIFY(footerTop - memo->rect.bottom() < lineHeight());
        QVERIFY(!page.find("below"));
        QVERIFY(!page.find("frame"));
        QVERIFY(!page.find("head"));  // the header had no room left
        QVERIFY(page.find("page"));
    }

    // A band of fixed height cuts what reaches beyond it.
    void fixedBandCutsItsContents()
    {
        Report r;
        r.detail.height = 3 * lineHeight() + 0.1;
        ReportObject m = memo("memo", 0, 0, 100, lineHeight(), arial(10));
        m.lines = numberedLines(10).split('\n');
        r.title = r.detail;
        r.title.kind = BandKind::Title;
        r.title.objects << m << rectangle("late", 0, 3 * lineHeight() + 1, 10, 1);
        r.detail = Band();
        const Document doc = layoutReport(r);
        const Page& page = doc.pages[0];
        QCOMPARE(page.find("memo")->lines, numberedLines(3).split('\n'));
        QVERIFY(!page.find("late"));
        QVERIFY(near(page.bands[0].rect.height(), 3 * lineHeight() + 0.1));
    }

    // One detail band per record, in order, with the record's fields and ticks; a region
    // hidden for a record takes no room, and what lies below it moves up by its height.
    void detailBandPerRecord()
    {
        RecordList records({
            {{"number", 1}, {"done", 1}, {"extra", "More"}, {"note", "First"}},
            {{"number", 2}, {"done", 0}, {"extra", ""}, {"note", "Second"}},
            {{"number", 3}, {"done", true}, {"note", "Third"}},
        });
        Report r = recordReport();
        r.dataSource = &records;
        const Page page = layoutReport(r).pages[0];

        QList<const PlacedBand*> details;
        for (const PlacedBand& band : page.bands)
            if (band.kind == BandKind::Detail)
                details << &band;
        QCOMPARE(details.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(details[i]->record, i + 1);
        QStringList numbers;
        for (const Box* box : page.findAll("number"))
            numbers << box->text();
        QCOMPARE(numbers, QStringList({"No. 1", "No. 2", "No. 3"}));
        const QList<const Box*> ticks = page.findAll("tick");
        QCOMPARE(ticks.size(), 3);
        QVERIFY(ticks[0]->checked && !ticks[1]->checked && ticks[2]->checked);

        QCOMPARE(page.findAll("extra").size(), 1);
        QCOMPARE(page.find("extra")->text(), QString("More"));
        const QList<const Box*> notes = page.findAll("note");
        QCOMPARE(notes.size(), 3);
        QVERIFY(near(notes[0]->rect.top(), details[0]->rect.top() + noteTop()));
        QVERIFY(near(notes[1]->rect.top(), details[1]->rect.top() + noteTop() - lineHeight()));
        QVERIFY(near(details[0]->rect.height(), 20));
        QVERIFY(near(details[1]->rect.height(), 20 - lineHeight()));
        QVERIFY(near(details[2]->rect.top(), details[1]->rect.bottom()));
    }

    // The group header, the header and the first record stand together after the title: on
    // the title's last page when they fit there, else all three on the next page. Later pages
    // start with the header.
    void headingsStayWithTheirFirstRows_data()
    {
        QTest::addColumn<double>("roomLeft");  // below the title on its page, in mm
        QTest::addColumn<bool>("onTitlePage");
        QTest::newRow("room for all three") << 30.0 << true;
        QTest::newRow("room for the headings only") << 17.0 << false;
        QTest::newRow("room for the group header only") << 7.0 << false;
    }
    void headingsStayWithTheirFirstRows()
    {
        QFETCH(double, roomLeft);
        QFETCH(bool, onTitlePage);
        const double bodyBottom = 279.4 - 6.35 - 15;
        const int titleLines = int(std::floor((bodyBottom - 6.35 - roomLeft) / lineHeight()));
        RecordList records(numberedRecords(40));
        const Document doc = layoutReport(groupedReport(titleLines, &records));
        QVERIFY(doc.pages.size() >= 3);

        const Page& first = doc.pages[0];
        const Page& heads = doc.pages[onTitlePage ? 0 : 1];
        QCOMPARE(first.findAll("group").size(), onTitlePage ? 1 : 0);
        QCOMPARE(first.findAll("head").size(), onTitlePage ? 1 : 0);
        QCOMPARE(first.findAll("number").size(), onTitlePage ? 1 : 0);
        const double titleEnd = onTitlePage ? first.find("memo")->rect.bottom() : 6.35;
        QVERIFY(near(topOf(heads, "group"), titleEnd));
        QVERIFY(near(topOf(heads, "head"), titleEnd + 6 + 1));
        QVERIFY(near(topOf(heads, "number"), titleEnd + 6 + 8));
        QCOMPARE(heads.find("number")->text(), QString("No. 1"));
        for (qsizetype i = onTitlePage ? 1 : 2; i < doc.pages.size(); ++i) {
            const Page& page = doc.pages[i];
            QCOMPARE(page.findAll("group").size(), 0);
            QVERIFY(near(topOf(page, "head"), 6.35 + 1));
            QVERIFY(near(topOf(page, "number"), 6.35 + 8));
        }
    }

    // A paragraph of up to `keepLines` lines moves whole to the next page instead of being
    // split at the page break; a longer one is split between lines.
    void shortParagraphsAreNeverSplit_data()
    {
        QTest::addColumn<int>("linesPerParagraph");
        QTest::addColumn<bool>("kept");
        QTest::newRow("two lines") << 2 << true;
        QTest::newRow("three lines") << 3 << true;
        QTest::newRow("four lines, over the limit") << 4 << false;
    }
    void shortParagraphsAreNeverSplit()
    {
        QFETCH(int, linesPerParagraph);
        QFETCH(bool, kept);
        // One word per line: the memo is narrower than two words.
        const double width = textWidth(arial(10), "P000w0") * 1.5;
        QStringList paragraphs;
        for (int p = 0; p < 90; ++p) {
            QStringList words;
            for (int w = 0; w < linesPerParagraph; ++w)
                words << QStringLiteral("P%1w%2").arg(p, 3, 10, QLatin1Char('0')).arg(w);
            paragraphs << words.join(' ');
        }
        Report r;
        r.title.height = lineHeight();
        r.title.dynamic = true;
        ReportObject m = memo("memo", 0, 0, width, lineHeight(), arial(10), 0);
        m.keepLines = 3;
        m.lines = paragraphs;
        r.title.objects << m;
        r.footer.height = 15;
        const Document doc = layoutReport(r);
        QVERIFY(doc.pages.size() >= 2);

        QStringList printed;
        bool anySplit = false;
        for (const Page& page : doc.pages) {
            for (const Box* piece : page.findAll("memo")) {
                // A piece that starts inside a paragraph continues one split at the break.
                if (!piece->lines.first().endsWith("w0"))
                    anySplit = true;
                printed << piece->lines;
            }
        }
        QCOMPARE(printed.size(), 90 * linesPerParagraph);
        QCOMPARE(anySplit, !kept);
    }

    // A source without records prints no detail band and no empty ones either.
    void emptySourcePrintsNoDetails()
    {
        RecordList none;
        Report r = recordReport();
        r.dataSource = &none;
        const Document doc = layoutReport(r);
        QCOMPARE(doc.pages.size(), 1);
        for (const PlacedBand& band : doc.pages[0].bands)
            QVERIFY(band.kind != BandKind::Detail);
        QVERIFY(!doc.pages[0].find("number"));
    }

    // A page with no room left (a footer taller than the page, a header or a title band that
    // fills it) never moves the place of the next band upwards: bands follow one another down
    // the page, nothing stands above the top margin, and the layout ends. An object may stand
    // a little above its band's top (`raised`), as a label over a rule may.
    void noRoomLeftNeverMovesUp_data()
    {
        QTest::addColumn<double>("title");
        QTest::addColumn<double>("header");
        QTest::addColumn<double>("footer");
        QTest::addColumn<double>("raised");
        QTest::addColumn<int>("pageLimit");
        const double body = 279.4 - 2 * 6.35;
        QTest::newRow("footer taller than the page") << 10.0 << 8.0 << body + 20 << 0.0 << 0;
        QTest::newRow("footer taller, raised label") << 10.0 << 8.0 << body + 20 << 3.0 << 0;
        QTest::newRow("footer taller, one page") << 10.0 << 8.0 << body + 20 << 3.0 << 1;
        QTest::newRow("header fills the page") << 0.0 << body - 15 << 15.0 << 3.0 << 0;
        QTest::newRow("header taller than the page") << 0.0 << body << 15.0 << 0.0 << 2;
        QTest::newRow("title fills the first page") << body - 15 << 8.0 << 15.0 << 3.0 << 0;
    }
    void noRoomLeftNeverMovesUp()
    {
        QFETCH(double, title);
        QFETCH(double, header);
        QFETCH(double, footer);
        QFETCH(double, raised);
        QFETCH(int, pageLimit);
        RecordList records({{{"number", 1}}, {{"number", 2}}, {{"number", 3}}});
        Report r = recordReport();
        r.dataSource = &records;
        r.page.pageLimit = pageLimit;
        r.title.height = title;
        r.title.objects << rectangle("titleFrame", 0, -raised, 50, title + raised);
        r.header.height = header;
        r.header.objects << rectangle("headerFrame", 0, -raised, 50, header + raised);
        r.footer.height = footer;
        const Document doc = layoutReport(r);
        QVERIFY(!doc.pages.isEmpty());
        QVERIFY(doc.pages.size() <= 4);
        for (const Page& page : doc.pages) {
            double place = 6.35;
            for (const PlacedBand& band : page.bands) {
                if (band.kind == BandKind::Footer)
                    continue;
                QVERIFY2(band.rect.top() >= place - 1e-6 && band.rect.height() >= 0,
                         qPrintable(QStringLiteral("page %1: a band from %2 to %3 after %4")
                                        .arg(page.number)
                                        .arg(band.rect.top())
                                        .arg(band.rect.bottom())
                                        .arg(place)));
                place = band.rect.bottom();
            }
        }
    }

    // A named object is found in any band or region; a name the design lacks is an error
    // that names it and the report.
    void checkedLookup()
    {
        Report r = recordReport();
        r.page.documentName = "Sheet";
        QCOMPARE(r.object("extra").field, QString("extra"));
        QCOMPARE(&r.object("note"), r.find("note"));
        try {
            r.object("nots");
            QFAIL("a missing object was found");
        } catch (const std::logic_error& error) {
            QCOMPARE(QString::fromUtf8(error.what()), QString("The report \"Sheet\" has no object nots"));
        }
    }

    // Right-aligned and centred labels stand by their right edge and centre.
    void anchors()
    {
        Report r;
        r.title.height = 10;
        r.title.objects << label("right", 100, 0, arial(11, true), "Right edge", Anchor::Right)
                        << label("centre", 100, 5, arial(11, true), "Centred", Anchor::Centre);
        const Page page = layoutReport(r).pages[0];
        const double width = textWidth(arial(11, true), "Right edge");
        QVERIFY(near(page.find("right")->rect.right(), 6.35 + 100));
        QVERIFY(near(page.find("right")->rect.width(), width));
        QVERIFY(near(page.find("centre")->rect.center().x(), 6.35 + 100));
    }

    // Words wrap at the memo's width; a word wider than the line is broken inside.
    void wrapping()
    {
        const TextStyle style = arial(10);
        const QStringList lines = wrapText(style, "alpha beta gamma delta epsilon", textWidth(style, "alpha beta ga"));
        QCOMPARE(lines, QStringList({"alpha beta", "gamma delta", "epsilon"}));
        const QString longWord(60, QLatin1Char('w'));
        const QStringList pieces = wrapText(style, longWord, 20);
        QVERIFY(pieces.size() > 1);
        QCOMPARE(pieces.join(QString()), longWord);
        for (const QString& piece : pieces)
            QVERIFY(textWidth(style, piece) <= 20 + 1e-6);
        QCOMPARE(wrapText(style, "a\r\n\nb", 50), QStringList({"a", "", "b"}));
    }
};

QTEST_MAIN(TestReportLayout)
#include "test_report_layout.moc"
