#pragma once
// Two charts side by side where the width holds both at their least readable widths, else one
// above the other. The height follows: a narrow window gets taller content, which scrolls.

#include <QWidget>

namespace historywindow {

class ChartPair : public QWidget {
    Q_OBJECT
public:
    // Takes `first` (left, or on top) and `second` as its children.
    ChartPair(QWidget* first, QWidget* second, QWidget* parent);

    bool sideBySide() const { return fitsSideBySide(width()); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The height the pair takes at `width`.
    int heightAt(int width) const;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool fitsSideBySide(int width) const;
    void placeCharts();

    QWidget* m_first;
    QWidget* m_second;
    int m_spacing;
};

}  // namespace historywindow
