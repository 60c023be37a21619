#pragma once
// A button drawn as a rounded, filled shape with a white caption. The caption may carry an
// "&" mnemonic; the button takes keyboard focus and answers Space, Enter and Return.

#include <QAbstractButton>
#include <QColor>

namespace widgets {

class ShapeButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    explicit ShapeButton(QWidget* parent = nullptr);
    ShapeButton(const QString& caption, const QColor& color, QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    // Radius of the rounded corners in pixels.
    int cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(int radius);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QColor m_color{0, 0, 128};
    int m_cornerRadius = 8;
};

}  // namespace widgets
