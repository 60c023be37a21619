#include "platform/FontColorDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>
#include <limits>

namespace platform {

namespace {

// The sample line of Qt's font dialog: the line edit inside its group box.
QLineEdit* sampleOf(QFontDialog* dialog)
{
    for (QGroupBox* group : dialog->findChildren<QGroupBox*>()) {
        if (auto* edit = group->findChild<QLineEdit*>())
            return edit;
    }
    return nullptr;
}

// Styles that change the width of the letters: a font without a style name means none of them.
bool changesWidth(const QString& style)
{
    static const QStringList words = {QStringLiteral("Condensed"), QStringLiteral("Expanded"),
                                      QStringLiteral("Extended"),  QStringLiteral("Narrow"),
                                      QStringLiteral("Compressed"), QStringLiteral("Wide")};
    for (const QString& word : words) {
        if (style.contains(word, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// The font with the style name of its family that matches its weight and slant, upright or
// italic, of ordinary width. Qt's font dialog picks a style by name alone and, for a font
// without one, may land on "Condensed Italic" and give that back on OK.
QFont withMatchingStyle(QFont font)
{
    if (!font.styleName().isEmpty())
        return font;
    const QString family = font.family();
    QString best;
    int bestCost = std::numeric_limits<int>::max();
    for (const QString& style : QFontDatabase::styles(family)) {
        int cost = std::abs(QFontDatabase::weight(family, style) - int(font.weight()));
        const bool slanted = QFontDatabase::italic(family, style) || style.contains(QLatin1String("Italic")) ||
                             style.contains(QLatin1String("Oblique"));
        if (slanted != font.italic())
            cost += 10000;
        if (changesWidth(style))
            cost += 1000;
        if (cost < bestCost || (cost == bestCost && style.size() < best.size())) {
            best = style;
            bestCost = cost;
        }
    }
    if (!best.isEmpty())
        font.setStyleName(best);
    return font;
}

QIcon swatch(const QColor& color)
{
    QPixmap pixmap(32, 14);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

}  // namespace

FontColorDialog::FontColorDialog(const QFont& font, const QColor& color, QWidget* parent)
    : QDialog(parent), m_given(font), m_color(color.isValid() ? color : QColor(Qt::black))
{
    setObjectName(QStringLiteral("FontColorDialog"));
    setWindowTitle(QStringLiteral("Font"));

    m_fonts = new QFontDialog(withMatchingStyle(font), this);
    m_fonts->setObjectName(QStringLiteral("FontDialog"));
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setSizeGripEnabled(false);
    m_sample = sampleOf(m_fonts);
    m_shownFirst = m_fonts->currentFont();

    auto* colorLabel = new QLabel(QStringLiteral("Co&lor:"), this);
    m_colorButton = new QPushButton(this);
    m_colorButton->setObjectName(QStringLiteral("ColorButton"));
    m_colorButton->setAccessibleName(QStringLiteral("Color"));
    m_colorButton->setIconSize(QSize(32, 14));
    m_colorButton->setAutoDefault(false);
    colorLabel->setBuddy(m_colorButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colorButton, &QPushButton::clicked, this, &FontColorDialog::chooseColor);
    // The embedded font dialog still answers Escape, and Return in its lists, by closing
    // itself; the whole dialog closes with it instead of leaving an empty frame behind.
    connect(m_fonts, &QDialog::accepted, this, &QDialog::accept);
    connect(m_fonts, &QDialog::rejected, this, &QDialog::reject);
    // Return in its text fields would end there, as it has no buttons of its own.
    m_fonts->installEventFilter(this);

    auto* colorRow = new QHBoxLayout;
    // The colour row lines up with the font dialog's own controls.
    if (QLayout* fontsLayout = m_fonts->layout()) {
        const QMargins margins = fontsLayout->contentsMargins();
        colorRow->setContentsMargins(margins.left(), 0, margins.right(), 0);
    }
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();
    colorRow->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    showColor();
}

bool FontColorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fonts && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QFont FontColorDialog::selectedFont() const
{
    QFont chosen = m_fonts->currentFont();
    // A family without a face of the font's weight or slant shows its nearest style. While the
    // user keeps the family and that style, the font keeps its own weight and slant (drawn
    // synthetically), so OK without a change gives back what the dialog was given.
    const bool styleKept =
        chosen.family() == m_shownFirst.family() && chosen.styleName() == m_shownFirst.styleName();
    if (styleKept && (chosen.italic() != m_given.italic() || chosen.weight() != m_given.weight())) {
        chosen.setStyleName(QString());
        chosen.setWeight(m_given.weight());
        chosen.setItalic(m_given.italic());
    }
    return chosen;
}

void FontColorDialog::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(m_color, this, QStringLiteral("Color"));
    if (chosen.isValid()) {
        m_color = chosen;
        showColor();
    }
}

void FontColorDialog::showColor()
{
    m_colorButton->setIcon(swatch(m_color));
    if (m_sample) {
        QPalette palette = m_sample->palette();
        palette.setColor(QPalette::Text, m_color);
        m_sample->setPalette(palette);
    }
}

}  // namespace platform
