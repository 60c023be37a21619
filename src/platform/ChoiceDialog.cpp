#include "platform/ChoiceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

// Enough lines of details to read at a glance; more scroll. Lines wider than the widest box
// scroll sideways.
constexpr int VisibleDetailLines = 8;
constexpr int WidestDetails = 720;
constexpr int NarrowestDetails = 360;

// The details, read-only, in a box sized to show them whole where it can.
QPlainTextEdit* detailsBox(const QStringList& lines)
{
    auto* box = new QPlainTextEdit(lines.join(QLatin1Char('\n')));
    box->setObjectName(QStringLiteral("details"));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics metrics(box->font());
    int widest = 0;
    for (const QString& line : lines.mid(0, 500))  // enough to judge; the rest scroll
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int frame = 2 * box->frameWidth() + 2 * int(box->document()->documentMargin()) + 4;
    const int scrollBar = box->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int shown = std::min<int>(int(lines.size()), VisibleDetailLines);
    const int width = widest + frame + (int(lines.size()) > shown ? scrollBar : 0);
    box->setFixedWidth(std::clamp(width, NarrowestDetails, WidestDetails));
    box->setFixedHeight(metrics.lineSpacing() * shown + frame + (width > WidestDetails ? scrollBar : 0));
    return box;
}

}  // namespace

ChoiceDialog::ChoiceDialog(const ChoiceRequest& request, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ChoiceDialog"));
    setWindowTitle(request.caption);
    auto* column = new QVBoxLayout(this);

    auto* text = new QLabel(displayText(request.text), this);
    text->setObjectName(QStringLiteral("text"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    column->addWidget(text);

    if (!request.details.isEmpty())
        column->addWidget(detailsBox(request.details));

    if (!request.choices.isEmpty()) {
        auto* row = new QFormLayout;
        m_choices = new QComboBox(this);
        m_choices->setObjectName(QStringLiteral("choices"));
        m_choices->addItems(request.choices);
        m_choices->setCurrentIndex(std::clamp(request.chosen, 0, int(request.choices.size()) - 1));
        row->addRow(request.choiceLabel, m_choices);
        column->addLayout(row);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

int ChoiceDialog::chosen() const
{
    return m_choices ? m_choices->currentIndex() : 0;
}

}  // namespace platform
