#include "widgets/OutlinedLabel.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace widgets {

namespace {

// Screen readers read the label's text, as they would a plain label's.
class OutlinedLabelAccessible : public QAccessibleWidget {
public:
    explicit OutlinedLabelAccessible(OutlinedLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString own = widget()->accessibleName();
            if (!own.isEmpty())
                return own;
            return static_cast<OutlinedLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* accessibleFactory(const QString&, QObject* object)
{
    if (auto* label = qobject_cast<OutlinedLabel*>(object))
        return new OutlinedLabelAccessible(label);
    return nullptr;
}

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace

OutlinedLabel::OutlinedLabel(QWidget* parent) : QWidget(parent)
{
    installAccessibleFactory();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

OutlinedLabel::OutlinedLabel(const QString& text, QWidget* parent) : OutlinedLabel(parent)
{
    setText(text);
}

void OutlinedLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    changed();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void OutlinedLabel::setTextColor(const QColor& color)
{
    m_textColor = color;
    update();
}

void OutlinedLabel::setOutlineColor(const QColor& color)
{
    m_outlineColor = color;
    update();
}

void OutlinedLabel::setShadowColor(const QColor& color)
{
    m_shadowColor = color;
    update();
}

void OutlinedLabel::setShadowOffset(const QPoint& offset)
{
    m_shadowOffset = offset;
    changed();
}

void OutlinedLabel::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    update();
}

void OutlinedLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void OutlinedLabel::setWordWrap(bool on)
{
    m_wordWrap = on;
    changed();
}

void OutlinedLabel::changed()
{
    updateGeometry();
    update();
}

QStringList OutlinedLabel::lines(int width) const
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList paragraphs = m_text.split(lineBreak);
    if (!m_wordWrap || width <= 0)
        return paragraphs;

    const QFontMetrics metrics(font());
    QStringList result;
    for (const QString& paragraph : paragraphs) {
        const QStringList words = paragraph.split(QLatin1Char(' '));
        QString line;
        for (const QString& word : words) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
                result.append(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        result.append(line);
    }
    return result;
}

QSize OutlinedLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QStringList all = lines(0);
    int width = 0;
    for (const QString& line : all)
        width = qMax(width, metrics.horizontalAdvance(line));
    const int height = int(all.size()) * metrics.lineSpacing();
    return QSize(width + qAbs(m_shadowOffset.x()) + 2, height + qAbs(m_shadowOffset.y()) + 2);
}

QSize OutlinedLabel::minimumSizeHint() const
{
    if (!m_wordWrap)
        return sizeHint();
    const QFontMetrics metrics(font());
    return QSize(metrics.averageCharWidth() * 4, metrics.lineSpacing());
}

int OutlinedLabel::heightForWidth(int width) const
{
    const QFontMetrics metrics(font());
    const int usable = width - qAbs(m_shadowOffset.x()) - 2;
    return int(lines(usable).size()) * metrics.lineSpacing() + qAbs(m_shadowOffset.y()) + 2;
}

void OutlinedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_backgroundColor.isValid())
        painter.fillRect(rect(), m_backgroundColor);

    const QFontMetrics metrics(font());
    const QRect area = contentsRect().adjusted(1, 1, -1 - qAbs(m_shadowOffset.x()),
                                               -1 - qAbs(m_shadowOffset.y()));
    const QStringList shown = lines(area.width());
    const int blockHeight = int(shown.size()) * metrics.lineSpacing();

    int top = area.top();
    if (m_alignment & Qt::AlignBottom)
        top = area.bottom() + 1 - blockHeight;
    else if (m_alignment & Qt::AlignVCenter)
        top = area.top() + (area.height() - blockHeight) / 2;
    // Keep the glyphs clear of the shadow's side.
    const int shiftX = m_shadowOffset.x() < 0 ? -m_shadowOffset.x() : 0;
    const int shiftY = m_shadowOffset.y() < 0 ? -m_shadowOffset.y() : 0;

    QPainterPath path;
    for (int i = 0; i < shown.size(); ++i) {
        const QString& line = shown.at(i);
        const int advance = metrics.horizontalAdvance(line);
        int x = area.left();
        if (m_alignment & Qt::AlignRight)
            x = area.right() + 1 - advance;
        else if (m_alignment & Qt::AlignHCenter)
            x = area.left() + (area.width() - advance) / 2;
        const int baseline = top + i * metrics.lineSpacing() + metrics.ascent();
        path.addText(QPointF(x + shiftX, baseline + shiftY), font(), line);
    }

    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_shadowOffset.isNull() && m_shadowColor.isValid())
        painter.fillPath(path.translated(m_shadowOffset), m_shadowColor);
    const QColor inside = !isEnabled()          ? palette().color(QPalette::Disabled, QPalette::WindowText)
                          : m_textColor.isValid() ? m_textColor
                                                  : palette().color(QPalette::WindowText);
    painter.fillPath(path, inside);
    if (m_outlineColor.isValid())
        painter.strokePath(path, QPen(m_outlineColor, 1));
}

void OutlinedLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        changed();
    QWidget::changeEvent(event);
}

}  // namespace widgets
