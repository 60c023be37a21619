// The exam window's print commands: the item on screen, and every item with its key.

#include "exam/TestUnit.h"

#include "print/ItemPrinting.h"

#include <QLabel>

void TTestForm::Print1Click()
{
    print::printItem(*dtCurrentSet, QText->text(), ExamTitle, print::Output::Printer, this);
}

void TTestForm::PrintPreview1Click()
{
    print::printItem(*dtCurrentSet, QText->text(), ExamTitle, print::Output::Preview, this);
}

// The report walks the current exam set out of sight; the window stays on its item.
void TTestForm::Print2Click()
{
    print::printAllItems(*dtCurrentSet, ExamTitle, print::Output::Printer, this);
}

void TTestForm::PrintPreview2Click()
{
    print::printAllItems(*dtCurrentSet, ExamTitle, print::Output::Preview, this);
}
