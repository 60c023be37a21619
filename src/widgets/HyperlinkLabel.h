#pragma once
// A label that shows a web address and opens it with the system's default handler when
// clicked. It shows the hand cursor, and turns blue and underlined while the mouse is over
// it. When the address cannot be opened nothing further happens.

#include <QColor>
#include <QLabel>

namespace widgets {

class HyperlinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit HyperlinkLabel(QWidget* parent = nullptr);
    HyperlinkLabel(const QString& text, const QString& address, QWidget* parent = nullptr);

    // The address opened by a click; the text shown when none is set.
    QString address() const { return m_address.isEmpty() ? text() : m_address; }
    void setAddress(const QString& address) { m_address = address; }

    // Text colour while the mouse is elsewhere.
    QColor normalColor() const { return m_normalColor; }
    void setNormalColor(const QColor& color);
    // True while the mouse is over the label.
    bool isHot() const { return m_hot; }

signals:
    // Emitted on a click, before the address is opened.
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHot(bool hot);

    QString m_address;
    QColor m_normalColor{0, 0, 128};
    bool m_hot = false;
    bool m_pressed = false;
};

}  // namespace widgets
