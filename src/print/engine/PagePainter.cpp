#include "print/engine/PagePainter.h"

#include "print/engine/TextMeasure.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <memory>

namespace report {

namespace {

constexpr double PenWidthMm = 0.25;
// Drawn in a symbol face, as the boxes of a key are.
const QChar TickedBox(0x2611);
const QChar EmptyBox(0x2610);

struct Scale {
    double x;
    double y;
    QRectF operator()(const QRectF& mm) const
    {
        return QRectF(mm.left() * x, mm.top() * y, mm.width() * x, mm.height() * y);
    }
};

// The fonts of one device and their metrics, resolved once per style.
class DeviceFonts {
public:
    explicit DeviceFonts(QPaintDevice* device) : m_device(device) {}
    const QFont& font(const TextStyle& style) { return entry(style).font; }
    const QFontMetricsF& metrics(const TextStyle& style) { return entry(style).metrics; }

private:
    struct Entry {
        QFont font;
        QFontMetricsF metrics;
    };
    const Entry& entry(const TextStyle& style)
    {
        const QString key = fontKey(style);
        auto found = m_entries.find(key);
        if (found == m_entries.end()) {
            const QFont font(measuringFont(style), m_device);
            found = m_entries.insert(key, std::make_shared<Entry>(Entry{font, QFontMetricsF(font, m_device)}));
        }
        return **found;
    }
    QPaintDevice* m_device;
    QHash<QString, std::shared_ptr<Entry>> m_entries;
};

void paintText(QPainter& painter, const Box& box, const Scale& scale, DeviceFonts& fonts)
{
    painter.setFont(fonts.font(box.style));
    const QFontMetricsF& metrics = fonts.metrics(box.style);
    const QRectF rect = scale(box.rect);
    if (box.style.background.isValid()) {
        // A little wider than the text, so that a line behind it does not touch the glyphs.
        const double pad = PenWidthMm * scale.x;
        painter.fillRect(rect.adjusted(-pad, 0, pad, 0), box.style.background);
    }
    painter.setPen(box.style.colour);
    if (box.clipped) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    for (qsizetype i = 0; i < box.lines.size(); ++i) {
        const QString& line = box.lines[i];
        if (line.isEmpty())
            continue;
        const double baseline = (box.rect.top() + double(i) * box.lineHeight + box.ascent) * scale.y;
        double x = rect.left();
        if (box.alignment == Anchor::Right)
            x = rect.right() - metrics.horizontalAdvance(line);
        else if (box.alignment == Anchor::Centre)
            x = rect.center().x() - metrics.horizontalAdvance(line) / 2;
        painter.drawText(QPointF(x, baseline), line);
    }
    if (box.clipped)
        painter.restore();
}

void paintCheckBox(QPainter& painter, const Box& box, const Scale& scale, DeviceFonts& fonts)
{
    TextStyle symbol;
    symbol.family = QStringLiteral("DejaVu Sans");
    // A line of the face is about 1.17 of its size: the box fills the object's height.
    symbol.pointSize = std::max(1.0, std::round(box.rect.height() / 25.4 * 72 / 1.17 * 4) / 4);
    painter.setFont(fonts.font(symbol));
    painter.setPen(Qt::black);
    const QFontMetricsF& metrics = fonts.metrics(symbol);
    const QString glyph(box.checked ? TickedBox : EmptyBox);
    const QRectF rect = scale(box.rect);
    const double x = rect.center().x() - metrics.horizontalAdvance(glyph) / 2;
    const double baseline = rect.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(QPointF(x, baseline), glyph);
}

void paintPage(QPainter& painter, const Page& page, DeviceFonts& fonts)
{
    const Scale scale{painter.device()->logicalDpiX() / 25.4, painter.device()->logicalDpiY() / 25.4};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPen pen(Qt::black, PenWidthMm * scale.x, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    for (const Box& box : page.boxes) {
        switch (box.kind) {
        case BoxKind::Text:
            paintText(painter, box, scale, fonts);
            break;
        case BoxKind::Rectangle:
            painter.setPen(pen);
            if (box.style.background.isValid())
                painter.setBrush(box.style.background);
            else
                painter.setBrush(Qt::NoBrush);
            painter.drawRect(scale(box.rect));
            break;
        case BoxKind::Line: {
            painter.setPen(pen);
            const QRectF rect = scale(box.rect);
            painter.drawLine(rect.topLeft(), rect.topRight());
            break;
        }
        case BoxKind::CheckBox:
            paintCheckBox(painter, box, scale, fonts);
            break;
        case BoxKind::Chart:
            if (box.chart) {
                painter.save();
                box.chart(painter, scale(box.rect));
                painter.restore();
            }
            break;
        }
    }
    painter.restore();
}

}  // namespace

void paintPage(QPainter& painter, const Page& page)
{
    DeviceFonts fonts(painter.device());
    paintPage(painter, page, fonts);
}

void paintPages(QPainter& painter, QPagedPaintDevice& device, const Document& document,
                const QList<int>& pageIndexes)
{
    DeviceFonts fonts(&device);
    bool first = true;
    for (int index : pageIndexes) {
        if (index < 0 || index >= document.pages.size())
            continue;
        if (!first)
            device.newPage();
        first = false;
        paintPage(painter, document.pages[index], fonts);
    }
}

bool writePdf(const Document& document, const QString& fileName)
{
    QPdfWriter writer(fileName);
    writer.setResolution(1200);
    writer.setTitle(document.name);
    writer.setPageLayout(QPageLayout(QPageSize(document.paper, QPageSize::Millimeter),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QList<int> all(document.pages.size());
    for (int i = 0; i < all.size(); ++i)
        all[i] = i;
    paintPages(painter, writer, document, all);
    return painter.end();
}

}  // namespace report
