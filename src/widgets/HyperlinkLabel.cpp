#include "widgets/HyperlinkLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace widgets {

HyperlinkLabel::HyperlinkLabel(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setHot(false);
}

HyperlinkLabel::HyperlinkLabel(const QString& text, const QString& address, QWidget* parent)
    : HyperlinkLabel(parent)
{
    setText(text);
    setAddress(address);
}

void HyperlinkLabel::setNormalColor(const QColor& color)
{
    m_normalColor = color;
    setHot(m_hot);
}

void HyperlinkLabel::setHot(bool hot)
{
    m_hot = hot;
    // Only the text colour and the underline are the label's own; the rest follows the parent.
    QPalette colours;
    colours.setColor(QPalette::WindowText, hot ? QColor(0, 0, 255) : m_normalColor);
    setPalette(colours);
    QFont underline;
    underline.setUnderline(hot);
    setFont(underline);
}

void HyperlinkLabel::enterEvent(QEnterEvent* event)
{
    setHot(true);
    QLabel::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent* event)
{
    setHot(false);
    QLabel::leaveEvent(event);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (!click)
        return;
    emit clicked();
    // Without a handler for the address the click does nothing further.
    QDesktopServices::openUrl(QUrl(address()));
}

}  // namespace widgets
