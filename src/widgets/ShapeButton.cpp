#include "widgets/ShapeButton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace widgets {

ShapeButton::ShapeButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

ShapeButton::ShapeButton(const QString& caption, const QColor& color, QWidget* parent)
    : ShapeButton(parent)
{
    setText(caption);
    setColor(color);
}

void ShapeButton::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void ShapeButton::setCornerRadius(int radius)
{
    m_cornerRadius = radius;
    update();
}

QSize ShapeButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QSize caption = metrics.size(Qt::TextShowMnemonic, text());
    return QSize(caption.width() + 2 * m_cornerRadius + 16, caption.height() + 16);
}

QSize ShapeButton::minimumSizeHint() const
{
    return sizeHint();
}

void ShapeButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    QColor fill = m_color;
    if (!isEnabled())
        fill = QColor(160, 160, 160);
    else if (isDown() || isChecked())
        fill = m_color.darker(140);
    else if (underMouse())
        fill = m_color.lighter(130);

    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(shape, m_cornerRadius, m_cornerRadius);
    painter.fillPath(outline, fill);
    painter.setPen(QPen(fill.darker(160), 1));
    painter.drawPath(outline);

    QRect textArea = rect();
    if (isDown())
        textArea.translate(1, 1);
    painter.setPen(isEnabled() ? QColor(Qt::white) : QColor(230, 230, 230));
    painter.setFont(font());
    // The mnemonic is underlined where the platform's style underlines them.
    const int mnemonic = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this)
                             ? Qt::TextShowMnemonic
                             : Qt::TextHideMnemonic;
    painter.drawText(textArea, Qt::AlignCenter | mnemonic, text());

    if (hasFocus()) {
        QPen focusPen(Qt::white, 1, Qt::DotLine);
        painter.setPen(focusPen);
        painter.setBrush(Qt::NoBrush);
        const qreal inset = 3.5;
        painter.drawRoundedRect(shape.adjusted(inset, inset, -inset, -inset),
                                qMax(0, m_cornerRadius - 3), qMax(0, m_cornerRadius - 3));
    }
}

void ShapeButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        animateClick();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

bool ShapeButton::hitButton(const QPoint& pos) const
{
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()), m_cornerRadius, m_cornerRadius);
    return outline.contains(QPointF(pos) + QPointF(0.5, 0.5));
}

}  // namespace widgets
