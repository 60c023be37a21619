#include "charts/BarChartAccessible.h"

#include "charts/BarChart.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace charts {

namespace {

class ChartAccessible;

// One figure of a chart: a bar (index < bars) or a value line after them.
class FigureAccessible : public QAccessibleInterface {
public:
    FigureAccessible(ChartAccessible* chart, int index) : m_chart(chart), m_index(index) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }

private:
    ChartAccessible* m_chart;
    int m_index;
};

class ChartAccessible : public QAccessibleWidget {
public:
    explicit ChartAccessible(BarChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}
    ~ChartAccessible() override { dropFigures(); }

    BarChart* chart() const { return static_cast<BarChart*>(widget()); }

    // The figures in reading order: the bars as a reader meets them, then the value lines.
    int figureCount() const
    {
        const BarChartModel& model = chart()->model();
        return int(model.bars.size() + model.valueLines.size());
    }
    QString figureText(int index) const
    {
        const BarChartModel& model = chart()->model();
        const QList<int> order = model.readingOrder();
        if (index < order.size())
            return model.barText(order[index]);
        return model.valueLineText(index - int(order.size()));
    }
    QRect figureRect(int index) const
    {
        const BarChartLayout layout = chart()->currentLayout();
        const QList<int> order = chart()->model().readingOrder();
        QRectF area;
        if (index < order.size() && order[index] < layout.barRects.size())
            area = layout.barRects[order[index]];
        else if (const int line = index - int(order.size()); line >= 0 && line < layout.valueLineAt.size())
            area = chart()->model().orientation == Qt::Vertical
                       ? QRectF(layout.plot.left(), layout.valueLineAt[line] - 1, layout.plot.width(), 2)
                       : QRectF(layout.valueLineAt[line] - 1, layout.plot.top(), 2, layout.plot.height());
        const QPoint origin = chart()->mapToGlobal(QPoint(0, 0));
        return area.toAlignedRect().translated(origin);
    }

    int childCount() const override { return figureCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= figureCount())
            return nullptr;
        auto* self = const_cast<ChartAccessible*>(this);
        while (self->m_figures.size() <= index) {
            auto* figure = new FigureAccessible(self, int(self->m_figures.size()));
            self->m_figures << QAccessible::registerAccessibleInterface(figure);
        }
        return QAccessible::accessibleInterface(m_figures[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < m_figures.size(); ++i)
            if (QAccessible::accessibleInterface(m_figures[i]) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < figureCount(); ++i)
            if (figureRect(i).contains(x, y))
                return child(i);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return QStringLiteral("%1 figures").arg(figureCount());
        return QAccessibleWidget::text(t);
    }

private:
    void dropFigures()
    {
        for (QAccessible::Id id : std::as_const(m_figures))
            QAccessible::deleteAccessibleInterface(id);
        m_figures.clear();
    }

    QList<QAccessible::Id> m_figures;
};

bool FigureAccessible::isValid() const
{
    return m_index < m_chart->figureCount();
}

QWindow* FigureAccessible::window() const
{
    return m_chart->window();
}

QAccessibleInterface* FigureAccessible::parent() const
{
    return m_chart;
}

QString FigureAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return QString();
    return m_chart->figureText(m_index);
}

QRect FigureAccessible::rect() const
{
    return isValid() ? m_chart->figureRect(m_index) : QRect();
}

QAccessibleInterface* chartFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("charts::BarChart") && object && object->isWidgetType())
        return new ChartAccessible(static_cast<BarChart*>(object));
    return nullptr;
}

}  // namespace

void installBarChartAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(chartFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace charts
