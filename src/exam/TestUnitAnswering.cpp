// The exam window's item presentation and answering: moving between items, the answers and
// marks in the answer sheet, Learn Now and the exhibits.

#include "exam/TestUnit.h"

#include "exam/LPositionsUnit.h"
#include "exam/PictUnit1.h"
#include "exam/PictUnit2.h"
#include "notes/NoteUnit.h"
#include "store/Fields.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

bool TTestForm::noteWindowVisible() const
{
    return NoteWindow && NoteWindow->isVisible();
}

store::TItemState* TTestForm::currentItemState()
{
    if (!dtCurrentSet->isOpen() || dtCurrentSet->isEmpty())
        return nullptr;
    const int index = dtCurrentSet->recNo() - 1;
    if (index < 0 || index >= ItemStates.size())
        return nullptr;
    return &ItemStates[index];
}

void TTestForm::setRadioChecked(QRadioButton* button, bool checked)
{
    if (button->isChecked() == checked)
        return;
    if (checked) {
        button->setChecked(true);
        return;
    }
    // A selected radio button of an exclusive group refuses to be cleared directly.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

void TTestForm::dsCurrentSetDataChange()
{
    if (ExamState == NoExam || noteWindowVisible())
        return;
    if (!dtCurrentSet->isOpen() || dtCurrentSet->isEmpty())
        return;
    const int recordNumber = dtCurrentSet->recNo();
    PrevButton->setEnabled(recordNumber != FirstItemNo);
    NextButton->setEnabled(recordNumber != ItemCount);
    Label1->setText(QStringLiteral("Item %1 of %2").arg(recordNumber).arg(ItemCount));
    Label1->adjustSize();
    Label2->setText(QStringLiteral("Item ID: %1").arg(dtCurrentSet->asInteger(store::field::Q_OR_NUMBER)));
    Label2->adjustSize();
    LayoutItem();
    DecorateItem();
}

void TTestForm::PrevButtonClick()
{
    dtCurrentSet->prior();
}

void TTestForm::NextButtonClick()
{
    dtCurrentSet->next();
}

void TTestForm::RadioButton1Click()
{
    RecordRadioAnswer();
}

void TTestForm::RecordRadioAnswer()
{
    store::TItemState* entry = currentItemState();
    if (!entry)
        return;
    if (ExamState == ExamRunning) {
        for (int k = 1; k <= 6; ++k)
            entry->choice(k) = radioButton(k)->isChecked();
        UpdateCorrect();
    } else if (ExamState == Reviewing) {
        for (int k = 1; k <= 6; ++k) {
            // Re-read the entry: a nested run may have moved nothing, but stay on safe ground.
            store::TItemState* current = currentItemState();
            if (!current)
                return;
            setRadioChecked(radioButton(k), current->choice(k));
        }
    }
}

void TTestForm::CheckBoxkClick(int k)
{
    store::TItemState* entry = currentItemState();
    if (!entry)
        return;
    if (ExamState == ExamRunning) {
        entry->choice(k) = checkBox(k)->isChecked();
        UpdateCorrect();
    } else if (ExamState == Reviewing) {
        checkBox(k)->setChecked(entry->choice(k));
    }
}

void TTestForm::ALabelkClick(int k)
{
    if (radioButton(k)->isVisible())
        radioButton(k)->setChecked(true);
    else if (checkBox(k)->isVisible())
        checkBox(k)->setChecked(!checkBox(k)->isChecked());
}

void TTestForm::UpdateCorrect()
{
    store::TItemState* entry = currentItemState();
    if (!entry)
        return;
    bool correct = true;
    for (int k = 1; k <= 6 && correct; ++k)
        correct = dtCurrentSet->asBoolean(store::field::key(k)) == entry->choice(k);
    entry->Correct = correct;
}

void TTestForm::MarkBoxClick()
{
    if (store::TItemState* entry = currentItemState())
        entry->Marked = MarkBox->isChecked();
}

void TTestForm::LearnButtonClick()
{
    if (dtCurrentSet->isOpen() && !dtCurrentSet->isEmpty())
        RevealKey();
}

void TTestForm::ExhBtnAClick()
{
    if (Pict1Form)
        Pict1Form->showPicture(dtCurrentSet->asString(store::field::PICT1));
}

void TTestForm::ExhBtnBClick()
{
    if (Pict2Form)
        Pict2Form->showPicture(dtCurrentSet->asString(store::field::PICT2));
}

void TTestForm::LayoutItem()
{
    lpositions::LayoutItem(*this);
}

void TTestForm::DecorateItem()
{
    lpositions::DecorateItem(*this);
}

void TTestForm::RevealKey()
{
    lpositions::RevealKey(*this);
}

void TTestForm::NoteButtonClick()
{
    if (!NoteWindow || ExamState == NoExam)
        return;
    NoteWindow->Label2->setText(ExamTitle + QStringLiteral(",  ") + QStringLiteral("Item ID: ") +
                                QString::number(dtCurrentSet->asInteger(store::field::Q_OR_NUMBER)));
    NoteWindow->showNote(dtCurrentSet, dtQSet);
}
