#include "historywindow/ChartPair.h"

#include <QEvent>
#include <QStyle>

#include <algorithm>

namespace historywindow {

namespace {

// What a chart asks for at least: its own minimum, or what was set on it.
QSize leastSize(const QWidget* chart)
{
    return chart->minimumSizeHint().expandedTo(chart->minimumSize());
}

}  // namespace

ChartPair::ChartPair(QWidget* first, QWidget* second, QWidget* parent)
    : QWidget(parent), m_first(first), m_second(second), m_spacing(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing))
{
    m_spacing = std::max(m_spacing, 6);
    first->setParent(this);
    second->setParent(this);
    // Its height follows its width (side by side, or stacked); it is set as a fixed height
    // whenever the arrangement changes, since a scroll area does not ask for height-for-width.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFixedHeight(sizeHint().height());
}

bool ChartPair::fitsSideBySide(int width) const
{
    return width >= leastSize(m_first).width() + m_spacing + leastSize(m_second).width();
}

int ChartPair::heightAt(int width) const
{
    const int first = leastSize(m_first).height();
    const int second = leastSize(m_second).height();
    return fitsSideBySide(width) ? std::max(first, second) : first + m_spacing + second;
}

QSize ChartPair::minimumSizeHint() const
{
    const QSize first = leastSize(m_first);
    const QSize second = leastSize(m_second);
    return {std::max(first.width(), second.width()), std::max(first.height(), second.height())};
}

QSize ChartPair::sizeHint() const
{
    const int width = leastSize(m_first).width() + m_spacing + leastSize(m_second).width();
    return {width, heightAt(width)};
}

bool ChartPair::event(QEvent* event)
{
    // A chart's least size changed (a new title, other labels): the pair may have to stack.
    if (event->type() == QEvent::LayoutRequest) {
        updateGeometry();
        placeCharts();
    }
    return QWidget::event(event);
}

void ChartPair::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeCharts();
}

void ChartPair::placeCharts()
{
    if (const int wanted = heightAt(width()); wanted != height()) {
        setFixedHeight(wanted);  // the layout gives the pair its new height, then it places again
        return;
    }
    if (fitsSideBySide(width())) {
        // The width shared in proportion to what each needs.
        const int need = leastSize(m_first).width();
        const int left = (width() - m_spacing) * need / std::max(1, need + leastSize(m_second).width());
        m_first->setGeometry(0, 0, left, height());
        m_second->setGeometry(left + m_spacing, 0, width() - left - m_spacing, height());
        return;
    }
    const int top = leastSize(m_first).height();
    m_first->setGeometry(0, 0, width(), top);
    m_second->setGeometry(0, top + m_spacing, width(), height() - top - m_spacing);
}

}  // namespace historywindow
