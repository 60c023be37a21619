// The options window on its own: each showing starts from the values it is given, the radio
// groups and the font list set the pending values, "Change Font" and the program chooser go
// through the prompts, and only OK closes with the time and the path taken.

#include "options/OptionsUnit.h"
#include "support/ScriptedPrompts.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <functional>

using options::OptionValues;
using testsupport::ScriptedPrompts;

namespace {

OptionValues someValues()
{
    OptionValues values;
    values.questionFont = {options::designFont(), QColor(0, 0, 0)};
    values.answersFont = {QFont("Arial", 12), QColor(0, 0, 0)};
    values.explanationFont = {QFont("Arial", 10), QColor(0, 0, 128)};
    values.ShowLearnBtn = false;
    values.ShowCalcBtn = true;
    values.TimerOn = true;
    values.DefaultTime = 90;
    values.CalcPath = "/usr/bin/xcalc";
    return values;
}

// Shows `form` modally, runs `whileShown` inside its event loop and returns how it closed.
// `whileShown` must close the window.
int showModal(TOptionsForm& form, const std::function<void()>& whileShown)
{
    QTimer::singleShot(0, &form, whileShown);
    return form.exec();
}

}  // namespace

class TestOptionsWindow : public QObject {
    Q_OBJECT
private slots:
    void look();
    void showingStartsFromTheGivenValues_data();
    void showingStartsFromTheGivenValues();
    void closeBoxThenShowAgainStartsAfresh();
    void radioGroupsSetThePendingValues();
    void fontListPreview();
    void changeFont_data();
    void changeFont();
    void chooserReplacesThePath();
    void okTakesTimeAndPath_data();
    void okTakesTimeAndPath();
};

void TestOptionsWindow::look()
{
    TOptionsForm form;
    QCOMPARE(form.windowTitle(), QString("Options"));
    QVERIFY(!(form.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.Panel1->text(), QString("Example"));
    QCOMPARE(form.BitBtn1->text(), QString("OK"));
    QVERIFY(form.BitBtn1->isDefault());
    // No Cancel button.
    for (QPushButton* button : form.findChildren<QPushButton*>())
        QVERIFY(button->text() != "Cancel");
    QStringList pages;
    for (int i = 0; i < form.PageControl1->count(); ++i)
        pages << form.PageControl1->tabText(i);
    QCOMPARE(pages, QStringList({"'Learn Now' button", "Calculator", "Timer", "Choices"}));
    // Every tab in sight: the pages are never scrolled to be found.
    QVERIFY(form.PageControl1->width() >= form.PageControl1->tabBar()->sizeHint().width());
    QCOMPARE(form.ChoiceOrderGroup->title(), QString("Choice Order"));
    QCOMPARE(form.ChoiceOrderGroup->item(0)->text(), QString("Shuffle the choices at every exam start"));
    QCOMPARE(form.ChoiceOrderGroup->item(1)->text(), QString("Keep the order of the choices"));
    QCOMPARE(form.LearnBtnGroup->item(0)->text(),
             QString("Show 'Learn Now' button (not recomended)"));
    QCOMPARE(form.Label2->text(), QString("Deafault Time (min):"));
    QCOMPARE(form.SpinEdit1->minimum(), 1);
    QCOMPARE(form.SpinEdit1->maximum(), 9000);
}

void TestOptionsWindow::showingStartsFromTheGivenValues_data()
{
    QTest::addColumn<bool>("learn");
    QTest::addColumn<bool>("timer");
    QTest::addColumn<bool>("calc");
    QTest::addColumn<bool>("shuffle");
    QTest::newRow("defaults") << false << true << true << false;
    QTest::newRow("all turned round") << true << false << false << true;
}

void TestOptionsWindow::showingStartsFromTheGivenValues()
{
    QFETCH(bool, learn);
    QFETCH(bool, timer);
    QFETCH(bool, calc);
    QFETCH(bool, shuffle);
    TOptionsForm form;
    OptionValues values = someValues();
    values.ShuffleChoices = shuffle;
    values.ShowLearnBtn = learn;
    values.TimerOn = timer;
    values.ShowCalcBtn = calc;
    values.DefaultTime = 45;
    form.PageControl1->setCurrentIndex(2);
    form.Prepare(values);
    QCOMPARE(form.PageControl1->currentIndex(), 0);
    QCOMPARE(form.SpinEdit1->value(), 45);
    QCOMPARE(form.Edit1->text(), QString("/usr/bin/xcalc"));
    QCOMPARE(form.LearnBtnGroup->ItemIndex(), learn ? 0 : 1);
    QCOMPARE(form.TimerGroup->ItemIndex(), timer ? 0 : 1);
    QCOMPARE(form.CalcBtnGroup->ItemIndex(), calc ? 0 : 1);
    QCOMPARE(form.Pending.ShowLearnBtn, learn);
    QCOMPARE(form.Pending.TimerOn, timer);
    QCOMPARE(form.Pending.ShowCalcBtn, calc);
    QCOMPARE(form.ChoiceOrderGroup->ItemIndex(), shuffle ? 0 : 1);
    QCOMPARE(form.Pending.ShuffleChoices, shuffle);
    form.ChoiceOrderGroup->setItemIndex(shuffle ? 1 : 0);
    QCOMPARE(form.Pending.ShuffleChoices, !shuffle);
    QCOMPARE(form.Pending.answersFont.font, values.answersFont.font);
}

void TestOptionsWindow::closeBoxThenShowAgainStartsAfresh()
{
    ScriptedPrompts prompts;
    prompts.answerFontAndColor(QFont("Arial", 30), QColor(255, 0, 0));
    TOptionsForm form;
    const OptionValues values = someValues();
    form.Prepare(values);
    const int result = showModal(form, [&] {
        form.LearnBtnGroup->item(0)->click();
        form.SpinEdit1->showValue(300);
        form.Edit1->setText("/somewhere/else");
        QTest::mouseClick(form.BitBtn3, Qt::LeftButton);
        form.close();
    });
    QCOMPARE(result, int(QDialog::Rejected));

    form.Prepare(values);
    QCOMPARE(form.LearnBtnGroup->ItemIndex(), 1);
    QCOMPARE(form.Pending.ShowLearnBtn, false);
    QCOMPARE(form.SpinEdit1->value(), 90);
    QCOMPARE(form.Edit1->text(), values.CalcPath);
    QCOMPARE(form.Pending.questionFont.font, values.questionFont.font);
    QCOMPARE(form.Pending.questionFont.color, values.questionFont.color);
}

void TestOptionsWindow::radioGroupsSetThePendingValues()
{
    TOptionsForm form;
    form.Prepare(someValues());
    form.LearnBtnGroup->item(0)->click();
    form.TimerGroup->item(1)->click();
    form.CalcBtnGroup->item(1)->click();
    QCOMPARE(form.Pending.ShowLearnBtn, true);
    QCOMPARE(form.Pending.TimerOn, false);
    QCOMPARE(form.Pending.ShowCalcBtn, false);
    form.CalcBtnGroup->item(0)->click();
    QCOMPARE(form.Pending.ShowCalcBtn, true);
}

void TestOptionsWindow::fontListPreview()
{
    TOptionsForm form;
    form.Prepare(someValues());
    const int result = showModal(form, [&] {
        // Each showing begins on "Question".
        QCOMPARE(form.ListBox1->currentRow(), 0);
        QCOMPARE(form.Panel1->text(), QString("Question"));
        QCOMPARE(form.Panel1->font().family(), QString("MS Sans Serif"));
        form.ListBox1->setCurrentRow(1);
        QCOMPARE(form.Panel1->text(), QString("Answers"));
        QCOMPARE(form.Panel1->font().pointSize(), 12);
        form.ListBox1->setCurrentRow(2);
        QCOMPARE(form.Panel1->text(), QString("Explanation"));
        QCOMPARE(form.Panel1->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        form.close();
    });
    QCOMPARE(result, int(QDialog::Rejected));
    showModal(form, [&] {
        QCOMPARE(form.ListBox1->currentRow(), 0);
        QCOMPARE(form.Panel1->text(), QString("Question"));
        form.close();
    });
}

void TestOptionsWindow::changeFont_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("accept");
    QTest::newRow("question, accepted") << 0 << true;
    QTest::newRow("explanation, accepted") << 2 << true;
    QTest::newRow("answers, cancelled") << 1 << false;
}

void TestOptionsWindow::changeFont()
{
    QFETCH(int, row);
    QFETCH(bool, accept);
    const OptionValues values = someValues();
    QFont big("DejaVu Serif", 20);
    big.setBold(true);
    big.setUnderline(true);
    const QColor red(255, 0, 0);
    ScriptedPrompts prompts;
    if (accept)
        prompts.answerFontAndColor(big, red);
    else
        prompts.cancelFont();

    TOptionsForm form;
    form.Prepare(values);
    options::FontSetting before;
    showModal(form, [&] {
        form.ListBox1->setCurrentRow(row);
        before = form.pendingFont(row);
        QTest::mouseClick(form.BitBtn3, Qt::LeftButton);
        form.close();
    });
    // The dialog opened on the preview's font and colour.
    QCOMPARE(prompts.fontRequests(), 1);
    QCOMPARE(prompts.offeredFont(), before.font);
    QCOMPARE(prompts.offeredColor(), before.color);
    // A confirmed choice becomes the entry's pending font, effects included, and the preview
    // shows it; the other entries keep theirs.
    const options::FontSetting& after = form.pendingFont(row);
    QCOMPARE(after.font, accept ? big : before.font);
    QCOMPARE(after.color, accept ? red : before.color);
    QCOMPARE(form.Panel1->font(), after.font);
    QCOMPARE(form.Panel1->palette().color(QPalette::WindowText), after.color);
    const options::FontSetting given[] = {values.questionFont, values.answersFont,
                                          values.explanationFont};
    for (int other = 0; other < 3; ++other) {
        if (other != row)
            QCOMPARE(form.pendingFont(other).font, given[other].font);
    }
}

void TestOptionsWindow::chooserReplacesThePath()
{
    ScriptedPrompts prompts;
    prompts.answerFile("/usr/bin/env");
    prompts.answerFile(QString());  // cancelled
    TOptionsForm form;
    form.Prepare(someValues());
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    QCOMPARE(form.Edit1->text(), QString("/usr/bin/env"));
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    QCOMPARE(form.Edit1->text(), QString("/usr/bin/env"));
    QCOMPARE(prompts.fileFolders(), QStringList({"/usr/bin", "/usr/bin"}));
    // Nothing is checked before OK.
    QCOMPARE(prompts.requests().size(), 0);
}

void TestOptionsWindow::okTakesTimeAndPath_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("minutes");
    QTest::newRow("45") << "45" << 45;
    QTest::newRow("0 is held to 1") << "0" << 1;
    QTest::newRow("empty counts as 1") << "" << 1;
    QTest::newRow("above 9000 is held to 9000") << "12000" << 9000;
    QTest::newRow("9000") << "9000" << 9000;
}

void TestOptionsWindow::okTakesTimeAndPath()
{
    QFETCH(QString, typed);
    QFETCH(int, minutes);
    TOptionsForm form;
    form.Prepare(someValues());
    const int result = showModal(form, [&] {
        form.PageControl1->setCurrentIndex(1);
        form.Edit1->setText("/opt/Calc");
        form.PageControl1->setCurrentIndex(2);
        form.SpinEdit1->setFocus();
        form.SpinEdit1->selectAll();
        QTest::keyClick(form.SpinEdit1, Qt::Key_Delete);
        QTest::keyClicks(form.SpinEdit1, typed);
        QTest::keyClick(form.SpinEdit1, Qt::Key_Return);  // the default button: OK
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(form.Pending.DefaultTime, minutes);
    QCOMPARE(form.SpinEdit1->value(), minutes);
    QCOMPARE(form.Pending.CalcPath, QString("/opt/Calc"));
}

QTEST_MAIN(TestOptionsWindow)
#include "test_options_window.moc"
