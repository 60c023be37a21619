#pragma once
// The options window: the three item fonts, the Learn Now and calculator buttons, the exam
// clock, the offered time limit, the calculator program and the order of the choices.
//
// The exam window fills it with its current values (Prepare), shows it modally and, when it
// closes with OK, takes the pending values. Closing it any other way leaves them unused, and
// the next Prepare starts afresh.

#include "options/OptionsStore.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace widgets {
class NumberEdit;
class RadioGroup;
}  // namespace widgets

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    // The values the window holds while it is open: the fonts as changed, the radio groups'
    // choices, and (after OK) the time and the path.
    options::OptionValues Pending;

    // The font list's entries, in order: question, answers, explanation.
    static const QStringList& fontNames();

    QListWidget* ListBox1;  // "Question", "Answers", "Explanation"
    QLabel* Panel1;         // preview of the chosen entry's pending font
    QPushButton* BitBtn3;   // "Change Font"
    QTabWidget* PageControl1;
    widgets::RadioGroup* LearnBtnGroup;
    widgets::RadioGroup* CalcBtnGroup;
    QLabel* Label1;         // "Calculator path:"
    QLineEdit* Edit1;       // the calculator path
    QToolButton* SpeedButton1;  // chooses the calculator with the file dialog
    widgets::RadioGroup* TimerGroup;
    QLabel* Label2;         // "Deafault Time (min):"
    widgets::NumberEdit* SpinEdit1;  // default time, 1 to 9000 minutes
    widgets::RadioGroup* ChoiceOrderGroup;  // shuffle the choices, or keep their order
    QPushButton* BitBtn1;   // "OK"

    // Starts a showing from the exam window's `current` values: the first page, the fonts,
    // the time, the path and the radio groups.
    void Prepare(const options::OptionValues& current);

    // The pending font of font list entry `row` (0 question, 1 answers, 2 explanation).
    options::FontSetting& pendingFont(int row);
    // Shows the chosen entry's name in its pending font in the preview.
    void ListBox1Click();
    // "Change Font": the font dialog on the preview's font; a confirmed font and colour
    // become the chosen entry's pending font.
    void BitBtn3Click();
    // The chooser beside the path: a chosen program's full name replaces the path.
    void SpeedButton1Click();
    // OK: takes the time and the path and closes with OK.
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildFontsGroup();
    void buildPages();
    void fitPageTabs();
};

extern TOptionsForm* OptionsForm;
