#include "charts/BarChart.h"

#include "charts/BarChartAccessible.h"
#include "charts/ChartPainting.h"

#include <QPainter>

#include <cmath>

namespace charts {

BarChart::BarChart(QWidget* parent) : QWidget(parent)
{
    installBarChartAccessibility();
    setAccessibleName(m_model.accessibleText());
}

void BarChart::setModel(const BarChartModel& model)
{
    m_model = model;
    setAccessibleName(m_model.accessibleText());
    updateGeometry();
    update();
}

BarChartLayout BarChart::currentLayout() const
{
    return layoutBarChart(m_model, QRectF(rect()), const_cast<BarChart*>(this));
}

QSize BarChart::sizeHint() const
{
    return QSize(420, 180);
}

QSize BarChart::minimumSizeHint() const
{
    const double height = minimumBarChartHeight(m_model, const_cast<BarChart*>(this));
    return QSize(160, int(std::ceil(height)));
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBarChart(painter, QRectF(rect()), m_model);
}

}  // namespace charts
