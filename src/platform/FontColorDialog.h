#pragma once
// The font dialog with a colour: face, style, size, underline, strike-out (Qt's font dialog,
// embedded) and a colour button beside them. The sample text shows the chosen colour.

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QLineEdit;
class QPushButton;

namespace platform {

class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    FontColorDialog(const QFont& font, const QColor& color, QWidget* parent = nullptr);

    QFont selectedFont() const;
    QColor selectedColor() const { return m_color; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseColor();
    void showColor();

    QFontDialog* m_fonts;
    QFont m_given;       // the font the dialog was opened on
    QFont m_shownFirst;  // what the font dialog showed for it: its family's nearest style
    QPushButton* m_colorButton;
    QLineEdit* m_sample = nullptr;  // the font dialog's sample text, when it has one
    QColor m_color;
};

}  // namespace platform
