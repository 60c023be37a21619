#include "platform/ChoiceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

// Enough lines of details to read at a glance; more scroll.
constexpr int VisibleDetailLines = 8;

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

    if (!request.details.isEmpty()) {
        auto* details = new QPlainTextEdit(request.details.join(QLatin1Char('\n')), this);
        details->setObjectName(QStringLiteral("details"));
        details->setReadOnly(true);
        details->setLineWrapMode(QPlainTextEdit::NoWrap);
        const int lines = std::min<int>(int(request.details.size()), VisibleDetailLines);
        const QFontMetrics metrics(details->font());
        details->setFixedHeight(metrics.lineSpacing() * lines + 2 * details->frameWidth() +
                                int(details->document()->documentMargin() * 2) + 4);
        details->setMinimumWidth(metrics.averageCharWidth() * 60);
        column->addWidget(details);
    }

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
