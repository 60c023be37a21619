#include "exam/LPositionsUnit.h"

#include "exam/TestUnit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <climits>

namespace lpositions {

namespace {

void setLabelColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

// Auto-size of a word-wrapped label: its height fits its caption at its current width.
void fitHeight(QLabel* label)
{
    label->resize(label->width(), textHeight(label->font(), label->width(), label->text()));
}

int areaWidth(const TTestForm& form)
{
    return form.ScrollBox1->width();
}

// The question panel spans the client width: the area's width less a vertical scroll bar when
// the content is taller than the area (the panel's text would otherwise run under the bar).
void SetQuestionText(TTestForm& form, const store::Table& record, int width)
{
    form.QPanel->setGeometry(0, 0, width, form.QPanel->height());
    form.QText->setText(record.asString(store::field::Q_TEXT));
    form.QText->setGeometry(QuestionBorder, QuestionBorder, std::max(0, width - 2 * QuestionBorder),
                            form.QText->height());
    fitHeight(form.QText);
    form.QPanel->resize(width, form.QText->height() + 2 * QuestionBorder);
    // Shape1 is aligned to the top, directly below the question panel.
    form.Shape1->setGeometry(0, form.QPanel->height(), width, 1);
}

QString answerText(const store::Table& record, int k)
{
    return record.asString(store::field::text(k));
}

void SetAnswerLabels(TTestForm& form, const store::Table& record)
{
    for (int k = 1; k <= 6; ++k) {
        QLabel* label = form.answerLabel(k);
        const QString text = answerText(record, k);
        if (!text.isEmpty()) {
            label->show();
            label->setText(text);
        } else {
            label->hide();
        }
    }
}

void SetAnswerButtons(TTestForm& form, const store::Table& record)
{
    const bool multiple = record.asBoolean(store::field::Q_TYPE);
    for (int k = 1; k <= 6; ++k)
        form.radioButton(k)->setVisible(!answerText(record, k).isEmpty() && !multiple);
    for (int k = 1; k <= 6; ++k)
        form.checkBox(k)->setVisible(!answerText(record, k).isEmpty() && multiple);
}

void PlaceExhibitsAndAnswers(TTestForm& form, const store::Table& record)
{
    form.ExhBtnA->setVisible(!record.asString(store::field::PICT1).isEmpty());
    form.ExhBtnB->setVisible(!record.asString(store::field::PICT2).isEmpty());
    const int rowTop = form.QPanel->height() + ExhibitOffset;
    form.ExhBtnA->move(form.ExhBtnA->x(), rowTop);
    form.ExhBtnB->move(form.ExhBtnB->x(), rowTop);
    form.CalcButton->move(areaWidth(form) - 1 - form.CalcButton->width(), rowTop);

    for (int k = 1; k <= 6; ++k) {
        QLabel* label = form.answerLabel(k);
        label->resize(std::max(0, areaWidth(form) - label->x() - RightMargin), label->height());
        fitHeight(label);
    }
    int top = form.ExhBtnA->y() + form.ExhBtnA->height() + AnswerGap;
    for (int k = 1; k <= 6; ++k) {
        QLabel* label = form.answerLabel(k);
        label->move(label->x(), top);
        top += label->height() + AnswerGap;
    }
}

void AlignAnswerButtons(TTestForm& form, const store::Table& record)
{
    const bool multiple = record.asBoolean(store::field::Q_TYPE);
    for (int k = 1; k <= 6; ++k) {
        QWidget* button = multiple ? static_cast<QWidget*>(form.checkBox(k))
                                   : static_cast<QWidget*>(form.radioButton(k));
        button->move(button->x(), form.answerLabel(k)->y());
    }
}

QLabel* referenceLabel(TTestForm& form)
{
    for (int k = 2; k <= 5; ++k)
        if (form.answerLabel(k + 1)->isHidden())
            return form.answerLabel(k);
    return form.answerLabel(6);
}

void PlaceExplanation(TTestForm& form, const store::Table& record)
{
    form.ExpText->setText(record.asString(store::field::Q_EXPL));
    QLabel* reference = referenceLabel(form);
    form.ExpText->setGeometry(ExplanationLeft, reference->y() + reference->height() + ExplanationGap,
                              std::max(0, areaWidth(form) - ExplanationLeft - RightMargin),
                              form.ExpText->height());
    fitHeight(form.ExpText);
}

void RestoreAnswers(TTestForm& form, const store::Table& record)
{
    store::TItemState* entry = form.currentItemState();
    if (!entry)
        return;
    // Each set below may run the answer handlers, which find the sheet as it is; read the stored
    // values first all the same, so that nothing read here depends on what ran in between.
    const store::TItemState stored = *entry;
    if (!record.asBoolean(store::field::Q_TYPE)) {
        for (int k = 1; k <= 6; ++k)
            TTestForm::setRadioChecked(form.radioButton(k), stored.choice(k));
    } else {
        for (int k = 1; k <= 6; ++k)
            form.checkBox(k)->setChecked(stored.choice(k));
    }
    form.MarkBox->setChecked(stored.Marked);
}

// Content taller than the area brings the vertical scroll bar: the question is then wrapped
// within the narrower client width and everything below it follows (the content only grows by
// this, so the bar stays); otherwise the question spans the whole width. Run after every change
// of what is shown, since the explanation's visibility decides the height too.
void fitToScrollBar(TTestForm& form, const store::Table& record)
{
    const int full = areaWidth(form);
    const int bar = form.ScrollBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                          form.ScrollBox1->verticalScrollBar());
    const int width = UpdateScrollHeight(form) > form.ScrollBox1->height() ? full - bar : full;
    if (width == form.QPanel->width())
        return;
    SetQuestionText(form, record, width);
    PlaceExhibitsAndAnswers(form, record);
    AlignAnswerButtons(form, record);
    PlaceExplanation(form, record);
    if (width == full && UpdateScrollHeight(form) > form.ScrollBox1->height())
        fitToScrollBar(form, record);  // the full width made it taller: narrow it once more
}

}  // namespace

int textHeight(const QFont& font, int width, const QString& text)
{
    const QFontMetrics metrics(font);
    if (text.isEmpty())
        return metrics.height();
    return metrics
        .boundingRect(QRect(0, 0, std::max(1, width), INT_MAX / 2),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text)
        .height();
}

int UpdateScrollHeight(TTestForm& form)
{
    int bottom = 0;
    for (QWidget* child : form.ItemArea->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child == form.Bevel2 || child->isHidden())
            continue;
        bottom = std::max(bottom, child->y() + child->height());
    }
    const int height = bottom + BottomMargin;
    const int width = areaWidth(form);
    form.ItemArea->resize(width, height);
    form.Bevel2->setGeometry(0, height - BottomMargin, width, BottomMargin);
    return height;
}

void LayoutItem(TTestForm& form)
{
    const store::Table& record = *form.dtCurrentSet;
    form.ScrollBox1->hide();
    form.ScrollBox1->verticalScrollBar()->setValue(0);
    SetQuestionText(form, record, areaWidth(form));
    SetAnswerLabels(form, record);
    SetAnswerButtons(form, record);
    PlaceExhibitsAndAnswers(form, record);
    AlignAnswerButtons(form, record);
    PlaceExplanation(form, record);
    fitToScrollBar(form, record);
    RestoreAnswers(form, record);
    UpdateScrollHeight(form);
    form.ScrollBox1->verticalScrollBar()->setValue(0);
    form.ScrollBox1->show();
}

void RevealKey(TTestForm& form)
{
    form.ExpText->show();
    for (int k = 1; k <= 6; ++k)
        setLabelColour(form.answerLabel(k), form.dtCurrentSet->asBoolean(store::field::key(k))
                                                ? KeyColor
                                                : LabelColor);
    fitToScrollBar(form, *form.dtCurrentSet);
    UpdateScrollHeight(form);
}

void DecorateItem(TTestForm& form)
{
    if (form.ExamState == TTestForm::Reviewing)
        RevealKey(form);
    if (form.ExamState == TTestForm::ExamRunning) {
        form.ExpText->hide();
        for (int k = 1; k <= 6; ++k)
            setLabelColour(form.answerLabel(k), LabelColor);
        fitToScrollBar(form, *form.dtCurrentSet);
        UpdateScrollHeight(form);
    }
    const store::TItemState* entry = form.currentItemState();
    const bool correct = entry && entry->Correct;
    form.CorrectLabel->setText(correct ? QStringLiteral("Correct") : QStringLiteral("Incorrect"));
    QPalette palette = form.CorrectLabel->palette();
    palette.setColor(QPalette::WindowText, correct ? CorrectColor : IncorrectColor);
    form.CorrectLabel->setPalette(palette);
}

}  // namespace lpositions
