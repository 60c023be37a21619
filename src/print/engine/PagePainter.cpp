#include "print/engine/PagePainter.h"

#include "print/engine/TextMeasure.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

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

void paintText(QPainter& painter, const Box& box, const Scale& scale)
{
    const QFont font(measuringFont(box.style), painter.device());
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QRectF rect = scale(box.rect);
    if (box.style.background.isValid())
        painter.fillRect(rect, box.style.background);
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

void paintCheckBox(QPainter& painter, const Box& box, const Scale& scale)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    // A line of the face is about 1.17 of its size: the box fills the object's height.
    font.setPointSizeF(std::max(1.0, box.rect.height() / 25.4 * 72 / 1.17));
    painter.setFont(QFont(font, painter.device()));
    painter.setPen(Qt::black);
    painter.drawText(scale(box.rect), Qt::AlignCenter, QString(box.checked ? TickedBox : EmptyBox));
}

}  // namespace

void paintPage(QPainter& painter, const Page& page)
{
    const Scale scale{painter.device()->logicalDpiX() / 25.4, painter.device()->logicalDpiY() / 25.4};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPen pen(Qt::black, PenWidthMm * scale.x, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    for (const Box& box : page.boxes) {
        switch (box.kind) {
        case BoxKind::Text:
            paintText(painter, box, scale);
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
            paintCheckBox(painter, box, scale);
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

void paintPages(QPainter& painter, QPagedPaintDevice& device, const Document& document,
                const QList<int>& pageIndexes)
{
    bool first = true;
    for (int index : pageIndexes) {
        if (index < 0 || index >= document.pages.size())
            continue;
        if (!first)
            device.newPage();
        first = false;
        paintPage(painter, document.pages[index]);
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
