#include "print/engine/ReportLayout.h"

#include "print/engine/TextMeasure.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace report {

namespace {

constexpr double Eps = 1e-6;

// A band laid out: its boxes in band coordinates, and its height.
struct LaidBand {
    BandKind kind = BandKind::Detail;
    int record = 0;
    double height = 0;
    QList<Box> boxes;
};

struct Split {
    LaidBand head;  // what stays above the cut
    LaidBand tail;  // the rest, moved up to start at 0
};

bool isStretcher(const ReportObject& object)
{
    return object.stretch || object.kind == ObjectKind::Region;
}

// How far an object reaches down as designed, space below included.
double designExtent(const ReportObject& object)
{
    return object.height + (object.stretch ? object.spaceBelow : 0);
}

// The paragraphs of two to `keepLines` lines, as runs of line indexes, of a text of `lineCount`
// lines whose paragraphs start at `starts`.
QList<std::pair<qsizetype, qsizetype>> keptRuns(const QList<qsizetype>& starts, qsizetype lineCount, int keepLines)
{
    QList<std::pair<qsizetype, qsizetype>> runs;
    if (keepLines < 2)
        return runs;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const qsizetype first = starts[i];
        const qsizetype end = std::min(lineCount, i + 1 < starts.size() ? starts[i + 1] : lineCount);
        if (end - first >= 2 && end - first <= keepLines)
            runs.append({first, end});
    }
    return runs;
}

void moveBox(Box& box, double dx, double dy)
{
    box.rect.translate(dx, dy);
}

// Splits `band` so that its head ends at `avail` at the latest. Boxes and text lines that
// start above the cut stay in the head, the rest go to the tail. With `force` (the band
// starts at the top of an empty page) and nothing that fits, the band is cut through at
// `avail` instead, so that the page is never left empty.
Split split(const LaidBand& band, double avail, bool force)
{
    double cut = avail;
    for (const Box& box : band.boxes) {
        if (box.rect.top() >= avail - Eps || box.rect.bottom() <= avail + Eps)
            continue;  // wholly above or below
        if (box.kind == BoxKind::Text && box.lineHeight > 0 && !box.lines.isEmpty()) {
            const double fit = std::floor((avail - box.rect.top()) / box.lineHeight + Eps);
            cut = std::min(cut, box.rect.top() + std::max(0.0, fit) * box.lineHeight);
        } else {
            cut = std::min(cut, box.rect.top());
        }
    }
    // A cut inside a kept run of lines moves up to the run's first line; that may move the cut
    // above a run of another box, so repeat until no run is divided.
    for (bool moved = true; moved;) {
        moved = false;
        for (const Box& box : band.boxes) {
            for (const auto& [first, end] : box.keptRuns) {
                const double runTop = box.rect.top() + double(first) * box.lineHeight;
                const double runBottom = box.rect.top() + double(end) * box.lineHeight;
                if (runTop < cut - Eps && runBottom > cut + Eps) {
                    cut = runTop;
                    moved = true;
                }
            }
        }
    }
    const bool cutThrough = force && cut <= Eps;
    if (cutThrough)
        cut = avail;

    Split parts;
    parts.head.kind = parts.tail.kind = band.kind;
    parts.head.record = parts.tail.record = band.record;
    parts.head.height = std::max(0.0, cut);
    parts.tail.height = std::max(0.0, band.height - cut);
    auto clipToAvail = [&](Box& box) {
        if (box.rect.bottom() > avail + Eps) {
            box.rect.setBottom(avail);
            box.clipped = true;
        }
    };
    for (const Box& box : band.boxes) {
        if (box.kind == BoxKind::Text && box.lineHeight > 0 && !box.lines.isEmpty()) {
            qsizetype first = 0;  // the first line of the tail
            while (first < box.lines.size() &&
                   box.rect.top() + double(first) * box.lineHeight < cut - Eps)
                ++first;
            if (first > 0) {
                Box head = box;
                head.lines = box.lines.mid(0, first);
                head.keptRuns.clear();
                for (const auto& run : box.keptRuns)
                    if (run.second <= first)
                        head.keptRuns.append(run);
                head.rect.setHeight(double(first) * box.lineHeight);
                clipToAvail(head);
                parts.head.boxes << head;
            }
            if (first < box.lines.size()) {
                Box tail = box;
                tail.lines = box.lines.mid(first);
                tail.keptRuns.clear();
                for (const auto& [runFirst, runEnd] : box.keptRuns)
                    if (runFirst >= first)
                        tail.keptRuns.append({runFirst - first, runEnd - first});
                tail.rect = QRectF(box.rect.left(), box.rect.top() + double(first) * box.lineHeight - cut,
                                   box.rect.width(), double(tail.lines.size()) * box.lineHeight);
                parts.tail.boxes << tail;
            }
        } else if (box.rect.top() < cut - Eps) {
            Box head = box;
            clipToAvail(head);
            parts.head.boxes << head;
        } else {
            Box tail = box;
            moveBox(tail, 0, -cut);
            parts.tail.boxes << tail;
        }
    }
    return parts;
}

class Layouter {
public:
    explicit Layouter(const Report& report)
        : m_report(report),
          m_printTime(report.printTime.isValid() ? report.printTime : QDateTime::currentDateTime())
    {
        m_bodyTop = report.page.margin;
        m_bodyBottom = report.page.paper.height() - report.page.margin - report.footer.height;
    }

    Document run()
    {
        m_doc.name = m_report.page.documentName;
        m_doc.paper = m_report.page.paper;
        m_doc.margin = m_report.page.margin;
        m_headerHeight = std::min(layBand(m_report.header, 0).height, m_bodyBottom - m_bodyTop);
        startPage();
        if (m_report.dataSource)
            placeRecords(*m_report.dataSource);
        else
            fillWithEmptyDetails();
        placeFooters();
        return m_doc;
    }

private:
    // Bands into pages.

    void startPage()
    {
        Page page;
        page.number = int(m_doc.pages.size()) + 1;
        m_doc.pages << page;
        m_y = m_bodyTop;
        m_contentTop = m_y;
        if (page.number == 1 && !m_report.title.isEmpty())
            place(layBand(m_report.title, 0));
        // A title band that ran on over further pages has ended on a later one.
        if (m_doc.pages.size() != page.number)
            return;
        // The header heads the detail bands: before the first it comes with the group header
        // (startDetails), after it at the top of every page.
        if (m_detailsStarted && !m_stopped && !m_report.header.isEmpty())
            placeCut(layBand(m_report.header, 0));
        m_contentTop = m_y;
    }

    // Before the first detail band: the group header and the header, on the same page as that
    // band; on a new page when the three do not fit below what is there already.
    void startDetails(double firstDetailHeight)
    {
        m_detailsStarted = true;
        if (m_stopped)
            return;
        const LaidBand group = layBand(m_report.groupHeader, 0);
        const LaidBand header = layBand(m_report.header, 0);
        const double needed = group.height + header.height + firstDetailHeight;
        if (needed > m_bodyBottom - m_y + Eps && m_y > m_bodyTop + Eps && !onLastPage()) {
            m_detailsStarted = false;  // the new page gets its header here, after the group's
            startPage();
            m_detailsStarted = true;
        }
        if (!m_report.groupHeader.isEmpty())
            placeCut(group);
        if (!m_stopped && !m_report.header.isEmpty())
            placeCut(header);
        m_contentTop = m_y;
    }

    bool onLastPage() const
    {
        return m_report.page.pageLimit > 0 && m_doc.pages.size() >= m_report.page.pageLimit;
    }

    void put(const LaidBand& band)
    {
        if (band.height <= Eps && band.boxes.isEmpty())
            return;
        Page& page = m_doc.pages.last();
        const double left = m_report.page.margin;
        const double width = m_report.page.paper.width() - 2 * m_report.page.margin;
        page.bands << PlacedBand{band.kind, QRectF(left, m_y, width, band.height), band.record};
        for (Box box : band.boxes) {
            moveBox(box, left, m_y);
            page.boxes << box;
        }
        m_y += band.height;
    }

    // A band that must stay on this page (the header): what does not fit is cut off.
    void placeCut(const LaidBand& band)
    {
        const double avail = std::max(0.0, m_bodyBottom - m_y);
        if (band.height <= avail + Eps) {
            put(band);
            return;
        }
        put(split(band, avail, true).head);
        m_y = m_bodyBottom;
        if (onLastPage())
            m_stopped = true;
    }

    // Puts a band at the current place, on a new page when it does not fit, split over pages
    // when it is taller than a page, cut off on the last page allowed.
    void place(LaidBand band)
    {
        while (!m_stopped) {
            const double avail = std::max(0.0, m_bodyBottom - m_y);
            if (band.height <= avail + Eps) {
                put(band);
                return;
            }
            const bool atTop = m_y <= m_contentTop + Eps;
            if (onLastPage()) {
                put(split(band, avail, atTop).head);
                m_stopped = true;
                return;
            }
            const double freshRoom = m_bodyBottom - m_bodyTop - m_headerHeight;
            if (!atTop && band.height <= freshRoom + Eps) {
                startPage();
                continue;
            }
            if (avail <= Eps) {
                if (atTop) {  // the header takes the whole page: nothing more can be placed
                    m_stopped = true;
                    return;
                }
                startPage();
                continue;
            }
            Split parts = split(band, avail, atTop);
            put(parts.head);
            band = parts.tail;
            startPage();
        }
    }

    void placeRecords(RecordSource& records)
    {
        for (records.first(); !records.atEnd() && !m_stopped; records.next()) {
            LaidBand band = layBand(m_report.detail, records.recordNumber());
            if (!m_detailsStarted)
                startDetails(band.height);
            place(std::move(band));
        }
        if (!m_detailsStarted)
            startDetails(0);
    }

    // Without a data source the detail band repeats, empty of data, down the first page.
    void fillWithEmptyDetails()
    {
        startDetails(0);
        if (m_report.detail.height <= Eps)
            return;
        while (!m_stopped) {
            const LaidBand band = layBand(m_report.detail, 0);
            if (band.height > m_bodyBottom - m_y + Eps)
                return;
            put(band);
        }
    }

    void placeFooters()
    {
        if (m_report.footer.isEmpty())
            return;
        for (qsizetype i = 0; i < m_doc.pages.size(); ++i) {
            m_pageIndex = i;
            LaidBand band = layBand(m_report.footer, 0);
            Page& page = m_doc.pages[i];
            const double left = m_report.page.margin;
            page.bands << PlacedBand{BandKind::Footer,
                                     QRectF(left, m_bodyBottom,
                                            m_report.page.paper.width() - 2 * left, band.height),
                                     0};
            for (Box box : band.boxes) {
                moveBox(box, left, m_bodyBottom);
                page.boxes << box;
            }
        }
    }

    // Objects into a band.

    int pageNumber() const
    {
        return m_pageIndex >= 0 ? int(m_pageIndex) + 1 : int(m_doc.pages.size());
    }

    LaidBand layBand(const Band& band, int record)
    {
        LaidBand laid;
        laid.kind = band.kind;
        laid.record = record;
        double contentBottom = 0;
        const double shift = layObjects(band.objects, band.height, 0, 0, laid.boxes, contentBottom);
        if (!band.dynamic) {
            laid.height = band.height;
            // A band of fixed height cuts what reaches beyond it.
            laid.boxes = split(laid, band.height, true).head.boxes;
            return laid;
        }
        laid.height = std::max({0.0, band.height + shift, contentBottom});
        return laid;
    }

    // Lays `objects` out in a container whose top left corner is at (x, y) in band
    // coordinates; appends their boxes in list order. Returns how far the container's bottom
    // moves, and sets `contentBottom` to how far its objects reach, relative to its top.
    double layObjects(const QList<ReportObject>& objects, double designHeight, double x, double y,
                      QList<Box>& boxes, double& contentBottom)
    {
        // Shifts are worked out from the top down; boxes keep the order of the list.
        QList<qsizetype> order(objects.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return objects[a].top < objects[b].top;
        });
        struct Stretcher {
            double designBottom;
            double shiftBelow;
        };
        QList<Stretcher> stretchers;
        auto shiftAt = [&](double designTop) {
            double bestBottom = -1;
            double shift = 0;
            for (const Stretcher& s : stretchers) {
                if (s.designBottom <= designTop + Eps && s.designBottom >= bestBottom) {
                    bestBottom = s.designBottom;
                    shift = s.shiftBelow;
                }
            }
            return shift;
        };
        QList<QList<Box>> perObject(objects.size());
        contentBottom = 0;
        for (qsizetype index : order) {
            const ReportObject& object = objects[index];
            const double shift = shiftAt(object.top);
            const double top = object.top + shift;
            const double height = layObject(object, x, y + top, perObject[index]);
            contentBottom = std::max(contentBottom, top + height);
            if (isStretcher(object))
                stretchers << Stretcher{object.top + designExtent(object),
                                        shift + height - designExtent(object)};
        }
        for (const QList<Box>& list : perObject)
            boxes << list;
        return shiftAt(designHeight);
    }

    // Lays one object out with its top left corner at (x + object.left, y); returns the height
    // it takes, space below included (0 for a hidden region).
    double layObject(const ReportObject& object, double x, double y, QList<Box>& boxes)
    {
        const double left = x + object.left;
        switch (object.kind) {
        case ObjectKind::Label:
            return layLine(object, object.text, left, y, boxes);
        case ObjectKind::DataText:
            return layLine(object, shownText(object, m_report.dataSource), left, y, boxes);
        case ObjectKind::PrintDate:
            return layLine(object, QLocale().toString(m_printTime.date(), QLocale::ShortFormat),
                           left, y, boxes);
        case ObjectKind::PageNumber:
            return layLine(object, QStringLiteral("Page: %1").arg(pageNumber()), left, y, boxes);
        case ObjectKind::Memo:
        case ObjectKind::DataMemo:
            return layMemo(object, shownText(object, m_report.dataSource), left, y, boxes);
        case ObjectKind::Rectangle:
        case ObjectKind::Line:
        case ObjectKind::CheckBox:
        case ObjectKind::Chart: {
            Box box;
            box.kind = object.kind == ObjectKind::Rectangle ? BoxKind::Rectangle
                       : object.kind == ObjectKind::Line    ? BoxKind::Line
                       : object.kind == ObjectKind::Chart   ? BoxKind::Chart
                                                            : BoxKind::CheckBox;
            box.name = object.name;
            box.style = object.style;
            box.rect = QRectF(left, y, object.width,
                              object.kind == ObjectKind::Line ? 0.0 : object.height);
            box.chart = object.chart;
            if (object.kind == ObjectKind::CheckBox)
                box.checked = isTicked(object, m_report.dataSource);
            boxes << box;
            return box.rect.height();
        }
        case ObjectKind::Region: {
            const bool shown = object.visible &&
                               (!object.beforePrint ||
                                object.beforePrint(PrintContext(m_report, m_report.dataSource)));
            if (!shown)
                return 0;
            double contentBottom = 0;
            layObjects(object.children, object.height, left, y, boxes, contentBottom);
            return object.stretch ? contentBottom : object.height;
        }
        }
        return 0;
    }

    double layLine(const ReportObject& object, QString text, double left, double y,
                   QList<Box>& boxes)
    {
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const LineMetrics metrics = lineMetrics(object.style);
        const double width = textWidth(object.style, text);
        double boxLeft = left;
        if (object.anchor == Anchor::Right)
            boxLeft = left - width;
        else if (object.anchor == Anchor::Centre)
            boxLeft = left - width / 2;
        Box box;
        box.kind = BoxKind::Text;
        box.name = object.name;
        box.style = object.style;
        box.lines = QStringList{text};
        box.lineHeight = metrics.lineHeight;
        box.ascent = metrics.ascent;
        box.alignment = object.anchor;
        box.rect = QRectF(boxLeft, y, width, metrics.lineHeight);
        boxes << box;
        return metrics.lineHeight;
    }

    double layMemo(const ReportObject& object, const QString& text, double left, double y,
                   QList<Box>& boxes)
    {
        const LineMetrics metrics = lineMetrics(object.style);
        QList<qsizetype> starts;
        QStringList lines = wrapText(object.style, text, object.width, &starts);
        if (!object.stretch) {
            const auto fit = qsizetype(std::floor(object.height / metrics.lineHeight + Eps));
            lines = lines.mid(0, std::max<qsizetype>(0, fit));
        }
        const double textHeight = double(lines.size()) * metrics.lineHeight;
        if (!lines.isEmpty()) {
            Box box;
            box.kind = BoxKind::Text;
            box.name = object.name;
            box.style = object.style;
            box.lines = lines;
            box.lineHeight = metrics.lineHeight;
            box.ascent = metrics.ascent;
            box.rect = QRectF(left, y, object.width, textHeight);
            box.keptRuns = keptRuns(starts, lines.size(), object.keepLines);
            boxes << box;
        }
        return object.stretch ? textHeight + object.spaceBelow : object.height;
    }

    const Report& m_report;
    QDateTime m_printTime;
    Document m_doc;
    double m_bodyTop = 0;
    double m_bodyBottom = 0;
    double m_headerHeight = 0;
    double m_y = 0;
    double m_contentTop = 0;  // where the bands after title and header begin on this page
    bool m_stopped = false;   // the page limit is reached
    bool m_detailsStarted = false;  // the first detail band's headers are placed
    qsizetype m_pageIndex = -1;  // the page whose footer is being laid out
};

}  // namespace

Document layoutReport(const Report& report)
{
    return Layouter(report).run();
}

}  // namespace report
