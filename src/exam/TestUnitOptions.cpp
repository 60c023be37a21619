// The exam window's options: loading them at creation, and File > Options..., which applies
// the options window's choices at once and writes them all to the store.

#include "exam/TestUnit.h"

#include "options/OptionsUnit.h"
#include "options/RunButton.h"
#include "platform/Handler.h"
#include "platform/SystemFolders.h"
#include "widgets/WindowStyle.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

void TTestForm::LoadOptions()
{
    WindowsDir = platform::systemProgramFolder();
    static_cast<options::OptionValues&>(*this) = options::LoadOptions(WindowsDir);
    assignItemFonts(*this);
    LearnButton->setVisible(ShowLearnBtn);
    // Without its program the calculator button stays hidden, and is off in memory until the
    // next OK of the options window writes it so.
    if (!QFileInfo(CalcPath).isFile()) {
        ShowCalcBtn = false;
    } else {
        try {
            CalcButton->setCommandLine(CalcPath);
        } catch (...) {
            // A file that is no program is said once; the button then has none, as if the
            // file were missing.
            platform::showCurrentException();
            ShowCalcBtn = false;
        }
    }
    CalcButton->setVisible(ShowCalcBtn);
}

void TTestForm::assignItemFonts(const options::OptionValues& values)
{
    questionFont = values.questionFont;
    answersFont = values.answersFont;
    explanationFont = values.explanationFont;
    QText->setFont(questionFont.font);
    widgets::setTextColor(QText, questionFont.color);
    ScrollBox1->setFont(answersFont.font);
    widgets::setTextColor(ScrollBox1, answersFont.color);
    widgets::setTextColor(ScrollBox1->widget(), answersFont.color);
    ExpText->setFont(explanationFont.font);
    widgets::setTextColor(ExpText, explanationFont.color);
}

void TTestForm::Preferences1Click()
{
    if (!OptionsWindow)
        return;
    OptionsWindow->Prepare(CurrentOptions());
    // Closed without OK: nothing is applied or written.
    if (OptionsWindow->exec() != QDialog::Accepted)
        return;
    const options::OptionValues pending = OptionsWindow->Pending;
    try {
        takeOptionChoices(pending);
    } catch (...) {
        // A refused calculator path: said, and everything else still applies and is stored.
        platform::showCurrentException();
    }
    assignItemFonts(pending);
    // The item on show is laid out again in the new fonts, so that no text overlaps or is cut.
    if (dtCurrentSet->isOpen() && ExamState != NoExam && ScrollBox1->isVisibleTo(this))
        LayoutItem();
    options::SaveOptions(CurrentOptions());
}

void TTestForm::takeOptionChoices(const options::OptionValues& pending)
{
    if (pending.ShowLearnBtn != ShowLearnBtn) {
        ShowLearnBtn = pending.ShowLearnBtn;
        LearnButton->setVisible(ShowLearnBtn);
    }
    if (pending.TimerOn != TimerOn) {
        TimerOn = pending.TimerOn;
        StartClock();  // shows and runs the clock only in a running exam
    }
    if (pending.ShowCalcBtn != ShowCalcBtn) {
        ShowCalcBtn = pending.ShowCalcBtn;
        CalcButton->setVisible(ShowCalcBtn);
    }
    DefaultTime = pending.DefaultTime;
    // Takes effect at the next exam start; a running exam keeps the order it was given.
    ShuffleChoices = pending.ShuffleChoices;
    // Letter case counts: a path changed only in case is given to the button again. The new
    // path is kept even when the button refuses it.
    if (pending.CalcPath != CalcPath) {
        CalcPath = pending.CalcPath;
        CalcButton->setCommandLine(CalcPath);
    }
}
