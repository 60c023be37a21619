#pragma once
// A label whose text is drawn as outlined glyphs with an optional drop shadow, for headings
// on coloured bands. Line breaks in the text ("\n" or "\r") start new lines; with word wrap
// on, long lines also break at blanks to fit the width.

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace widgets {

class OutlinedLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit OutlinedLabel(QWidget* parent = nullptr);
    explicit OutlinedLabel(const QString& text, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);

    // Colour of the glyphs' inside; an invalid colour follows the palette's window text.
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color);
    // Colour of the glyphs' outline; an invalid colour draws no outline.
    QColor outlineColor() const { return m_outlineColor; }
    void setOutlineColor(const QColor& color);
    // Shadow drawn behind the text, moved by `offset`; a null offset draws no shadow.
    QColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(const QColor& color);
    QPoint shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(const QPoint& offset);
    // Background filled behind the text; an invalid colour leaves it transparent.
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor& color);

    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);

    // The lines the text is drawn in at the given width.
    QStringList lines(int width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return m_wordWrap; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void changed();

    QString m_text;
    QColor m_textColor;
    QColor m_outlineColor;
    QColor m_shadowColor{Qt::gray};
    QPoint m_shadowOffset;
    QColor m_backgroundColor;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_wordWrap = false;
};

}  // namespace widgets
