#include "sampler/SamplerImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Paper(255, 255, 255);
const QColor Ink(64, 64, 64);
const QColor Green(0, 128, 0);
const QColor Red(192, 0, 0);

// A sheet with a folded corner, the picture of one item.
void drawSheet(QPainter& p, const QRectF& r)
{
    const qreal fold = r.width() / 3;
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawPath(sheet);
    for (qreal y = r.top() + fold + 2; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void drawCheck(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Green, r.width() / 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{{r.left(), r.center().y()},
                             {r.left() + r.width() * 0.4, r.bottom()},
                             {r.right(), r.top()}});
}

void drawCross(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Red, r.width() / 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void drawPlus(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Green, r.width() / 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

void drawPencil(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(128, 64, 0), r.width() / 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(r.topRight(), r.bottomLeft() + QPointF(r.width() / 4, -r.height() / 4));
    p.setPen(QPen(Ink, 1));
    p.setBrush(Ink);
    p.drawEllipse(QRectF(r.left(), r.bottom() - 3, 3, 3));
}

QPixmap picture(SamplerImage which, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF sheet(1.5, 0.5, s * 0.62, s - 1);
    const QRectF badge(s * 0.45, s * 0.45, s * 0.5, s * 0.5);
    switch (which) {
    case SamplerImage::Node:
        drawSheet(p, QRectF(s * 0.15, 0.5, s * 0.7, s - 1));
        break;
    case SamplerImage::Add:
        drawSheet(p, sheet);
        drawPlus(p, badge);
        break;
    case SamplerImage::Edit:
        drawSheet(p, sheet);
        drawPencil(p, badge.adjusted(-s * 0.1, -s * 0.1, 0, 0));
        break;
    case SamplerImage::Delete:
        drawSheet(p, sheet);
        drawCross(p, badge.adjusted(2, 2, -2, -2));
        break;
    case SamplerImage::Save:
        drawCheck(p, QRectF(2, 3, s - 4, s - 6));
        break;
    case SamplerImage::Cancel:
        drawCross(p, QRectF(3, 3, s - 6, s - 6));
        break;
    }
    p.end();
    return pixmap;
}

}  // namespace

QIcon samplerImage(SamplerImage which)
{
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(picture(which, size));
    return icon;
}
