#include "platform/ChoiceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

// The details box is as wide as its longest line between these widths; longer lines wrap.
// It grows with its lines up to this many, then scrolls.
constexpr int WidestDetails = 720;
constexpr int NarrowestDetails = 360;
constexpr int MostVisibleDetailLines = 12;

// The details, read-only, in a box sized to show them whole where it can.
QPlainTextEdit* detailsBox(const QStringList& lines)
{
    auto* box = new QPlainTextEdit(lines.join(QLatin1Char('\n')));
    box->setObjectName(QStringLiteral("details"));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->ensurePolished();
    const QFontMetrics metrics(box->font());
    const int margin = int(box->document()->documentMargin());
    const QMargins contents = box->contentsMargins();  // the frame
    const int chrome = 2 * margin + 2;  // the cursor's width beside the text
    int widest = 0;
    for (const QString& line : lines.mid(0, 500))  // enough to judge; the rest wrap
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int width = std::clamp(widest + chrome + contents.left() + contents.right(), NarrowestDetails, WidestDetails);

    // The lines as they wrap in that width; past the most lines a vertical scroll bar serves.
    auto wrappedHeight = [&](int textWidth) {
        int height = 0;
        for (const QString& line : lines) {
            const QRect r = metrics.boundingRect(QRect(0, 0, textWidth, 1 << 20),
                                                 Qt::TextWordWrap | Qt::TextWrapAnywhere, line);
            height += std::max(metrics.lineSpacing(), r.height());
        }
        return height;
    };
    const int textWidth = width - contents.left() - contents.right() - chrome;
    const int most = metrics.lineSpacing() * MostVisibleDetailLines;
    int height = wrappedHeight(textWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    height = std::min(height, most);
    box->setFixedSize(width, height + 2 * margin + contents.top() + contents.bottom());
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

void ChoiceDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The estimate of the wrapped lines may fall short of the box's own layout by a line:
    // grow the box until every line shows, up to the most lines.
    auto* box = findChild<QPlainTextEdit*>(QStringLiteral("details"));
    if (!box)
        return;
    const int step = box->fontMetrics().lineSpacing();
    const int most = step * (MostVisibleDetailLines + 1);
    for (int guard = 0; guard < MostVisibleDetailLines && box->verticalScrollBar()->maximum() > 0 &&
                        box->height() + step <= most;
         ++guard) {
        box->setFixedHeight(box->height() + step);
        layout()->activate();
    }
}

int ChoiceDialog::chosen() const
{
    return m_choices ? m_choices->currentIndex() : 0;
}

}  // namespace platform
