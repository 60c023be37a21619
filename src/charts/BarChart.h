#pragma once
// A bar chart on screen, painted by the chart painter and read by screen readers figure by figure.

#include "charts/ChartLayout.h"
#include "charts/ChartModel.h"

#include <QWidget>

namespace charts {

// The chart on screen. Its accessible name carries the title and the figures.
class BarChart : public QWidget {
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);

    const BarChartModel& model() const { return m_model; }
    void setModel(const BarChartModel& model);
    BarChartLayout currentLayout() const;

    QSize sizeHint() const override;
    // As high as minimumBarChartHeight asks.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarChartModel m_model;
};

}  // namespace charts
