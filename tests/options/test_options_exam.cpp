// The options window from the exam window: File > Options... during an exam, the OK step that
// applies everything at once and writes every key, the close box that changes nothing,
// and the calculator button taking its program.

#include "exam/ItemFixture.h"
#include "options/OptionsStore.h"
#include "options/OptionsUnit.h"
#include "options/RunButton.h"
#include "support/ScriptedPrompts.h"
#include "support/StoredOptionKeys.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QtTest>

#include <functional>

using platform::PromptButton;
using platform::PromptKind;
using testsupport::ScriptedPrompts;
using Stored = QMap<QString, QString>;

namespace {

// Everything in the store's group "Options", as text.
Stored storedValues()
{
    Stored values;
    auto store = options::openStore();
    for (const QString& key : store->childKeys())
        values.insert(key, store->value(key).toString());
    return values;
}

void storeValues(const Stored& values)
{
    auto settings = options::openStore();
    settings->remove(QString());
    for (auto it = values.begin(); it != values.end(); ++it)
        settings->setValue(it.key(), it.value());
    settings->sync();
}

void writeProgram(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nexit 0\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// Opens File > Options... and runs `whileShown` inside the window, which must close it.
void runOptions(TTestForm& form, const std::function<void(TOptionsForm&)>& whileShown)
{
    TOptionsForm* options = form.OptionsWindow;
    QVERIFY(options);
    bool shown = false;
    QTimer::singleShot(0, options, [&] {
        shown = options->isVisible();
        whileShown(*options);
    });
    form.Preferences1->trigger();
    QVERIFY(shown);
    QVERIFY(!options->isVisible());
}

void pressOk(TOptionsForm& options)
{
    QTest::mouseClick(options.BitBtn1, Qt::LeftButton);
}

QFont bigBoldFont()
{
    QFont font("DejaVu Serif", 20);
    font.setBold(true);
    return font;
}

}  // namespace

class TestOptionsExam : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void firstOkWritesEveryKey();
    void closeBoxChangesNothing();
    void fontsApplyAtOnceInARunningExam();
    void underlineShowsButIsNotStored();
    void learnNowAndClockFollowAtOnce();
    void defaultTimeIsKept();
    void pathChangedOnlyInLetterCase();
    void refusedPathIsStoredAndTheButtonKeepsItsProgram();
    void calculatorShownWithoutAProgram();
    void chosenProgramIsTakenAtOk();
    void startupWithAFileThatIsNotAProgram();

private:
    // The exam window over `stored` settings, with the options window.
    void open(const Stored& stored);

    std::unique_ptr<itemfixture::ExamWindow> m_exam;
    std::unique_ptr<TOptionsForm> m_options;
};

void TestOptionsExam::cleanup()
{
    m_options.reset();
    m_exam.reset();
}

void TestOptionsExam::open(const Stored& stored)
{
    m_exam = std::make_unique<itemfixture::ExamWindow>([&] { storeValues(stored); });
    m_options = std::make_unique<TOptionsForm>();
    m_exam->form()->linkOptionsWindow(m_options.get());
}

void TestOptionsExam::firstOkWritesEveryKey()
{
    // The calculator is missing, so the window starts with it off in memory only.
    open({{"CalcPath", "/no/such/calculator"}});
    runOptions(*m_exam->form(), [](TOptionsForm& options) { pressOk(options); });
    const Stored stored = storedValues();
    QCOMPARE(optionkeys::sorted(stored.keys()), optionkeys::sorted(optionkeys::Expected));
    QCOMPARE(stored["ShowCalcBtn"], QString("0"));
    QCOMPARE(stored["CalcPath"], QString("/no/such/calculator"));
    QCOMPARE(stored["QFontName"], QString("MS Sans Serif"));
    QCOMPARE(stored["QFontSize"], QString("10"));
    QCOMPARE(stored["QFontColor"], QString("0"));
    QCOMPARE(stored["AFontBold"], QString("0"));
    QCOMPARE(stored["EXPFontColor"], QString("8388608"));
    QCOMPARE(stored["ShowLearnBtn"], QString("0"));
    QCOMPARE(stored["TimerOn"], QString("1"));
    QCOMPARE(stored["DefaultTime"], QString("90"));
}

void TestOptionsExam::closeBoxChangesNothing()
{
    open({});
    TTestForm& form = *m_exam->form();
    itemfixture::runExam(form, {itemfixture::choiceItem({"Yes", "No"}, "a", false)});
    const QFont questionFont = form.QText->font();
    ScriptedPrompts prompts;
    prompts.answerFontAndColor(bigBoldFont(), QColor(255, 0, 0));
    runOptions(form, [](TOptionsForm& options) {
        QTest::mouseClick(options.BitBtn3, Qt::LeftButton);
        options.LearnBtnGroup->item(0)->click();
        options.TimerGroup->item(1)->click();
        options.close();
    });
    QCOMPARE(form.QText->font(), questionFont);
    QCOMPARE(form.questionFont.color, QColor(0, 0, 0));
    QVERIFY(!form.LearnButton->isVisible());
    QVERIFY(form.TimeLabel->isVisible());
    QVERIFY(storedValues().isEmpty());
}

void TestOptionsExam::fontsApplyAtOnceInARunningExam()
{
    open({});
    TTestForm& form = *m_exam->form();
    itemfixture::runExam(form, {itemfixture::choiceItem({"Yes", "No"}, "a", false,
                                                        "A question long enough to wrap once "
                                                        "the font is large and bold, as it "
                                                        "will be after the change.")});
    const int panelBefore = form.QPanel->height();
    QFont explanation("DejaVu Sans", 14);
    explanation.setItalic(true);
    ScriptedPrompts prompts;
    prompts.answerFontAndColor(bigBoldFont(), QColor(255, 0, 0));
    prompts.answerFontAndColor(explanation, QColor(0, 128, 0));
    runOptions(form, [](TOptionsForm& options) {
        QTest::mouseClick(options.BitBtn3, Qt::LeftButton);  // "Question" is chosen
        options.ListBox1->setCurrentRow(2);
        QTest::mouseClick(options.BitBtn3, Qt::LeftButton);
        pressOk(options);
    });
    QCOMPARE(form.QText->font(), bigBoldFont());
    QCOMPARE(form.QText->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(form.ExpText->font(), explanation);
    QCOMPARE(form.ExpText->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    // The item on show is laid out again: the question panel fits the larger text.
    QCOMPARE(form.QPanel->height(), form.QText->height() + 16);
    QVERIFY(form.QPanel->height() > panelBefore);

    const Stored stored = storedValues();
    QCOMPARE(stored["QFontName"], QString("DejaVu Serif"));
    QCOMPARE(stored["QFontSize"], QString("20"));
    QCOMPARE(stored["QFontBold"], QString("1"));
    QCOMPARE(stored["QFontColor"], QString("255"));
    QCOMPARE(stored["EXPFontItalic"], QString("1"));
    QCOMPARE(stored["EXPFontColor"], QString::number(128 << 8));
    QCOMPARE(stored["AFontName"], QString("MS Sans Serif"));
}

void TestOptionsExam::underlineShowsButIsNotStored()
{
    open({});
    TTestForm& form = *m_exam->form();
    QFont underlined = form.ScrollBox1->font();
    underlined.setUnderline(true);
    underlined.setStrikeOut(true);
    ScriptedPrompts prompts;
    prompts.answerFontAndColor(underlined, QColor());
    runOptions(form, [](TOptionsForm& options) {
        options.ListBox1->setCurrentRow(1);
        QTest::mouseClick(options.BitBtn3, Qt::LeftButton);
        pressOk(options);
    });
    QVERIFY(form.ScrollBox1->font().underline());
    QVERIFY(form.ALabel1->font().strikeOut());
    // The next run reads the font without them.
    const options::OptionValues next = options::LoadOptions(form.WindowsDir);
    QVERIFY(!next.answersFont.font.underline());
    QVERIFY(!next.answersFont.font.strikeOut());
    QCOMPARE(next.answersFont.font.family(), underlined.family());
}

void TestOptionsExam::learnNowAndClockFollowAtOnce()
{
    open({});
    TTestForm& form = *m_exam->form();
    itemfixture::runExam(form, {itemfixture::choiceItem({"Yes", "No"}, "a", false)});
    form.TimeLimit = 30 / 1440.0;
    form.StartClock();
    QVERIFY(form.TimeLabel->isVisible());
    runOptions(form, [](TOptionsForm& options) {
        options.LearnBtnGroup->item(0)->click();
        options.TimerGroup->item(1)->click();
        options.CalcBtnGroup->item(1)->click();
        pressOk(options);
    });
    QVERIFY(form.LearnButton->isVisible());
    QVERIFY(!form.TimeLabel->isVisible());
    QVERIFY(!form.CalcButton->isVisible());
    QCOMPARE(form.TimerOn, false);

    runOptions(form, [](TOptionsForm& options) {
        // The window starts from the exam window's values.
        QCOMPARE(options.TimerGroup->ItemIndex(), 1);
        QCOMPARE(options.LearnBtnGroup->ItemIndex(), 0);
        options.TimerGroup->item(0)->click();
        options.LearnBtnGroup->item(1)->click();
        pressOk(options);
    });
    QVERIFY(form.TimeLabel->isVisible());
    QCOMPARE(form.TimeLabel->text(), QString("0:30:00"));
    QVERIFY(!form.LearnButton->isVisible());
    const Stored stored = storedValues();
    QCOMPARE(stored["TimerOn"], QString("1"));
    QCOMPARE(stored["ShowLearnBtn"], QString("0"));
    QCOMPARE(stored["ShowCalcBtn"], QString("0"));
}

void TestOptionsExam::defaultTimeIsKept()
{
    open({});
    TTestForm& form = *m_exam->form();
    runOptions(form, [](TOptionsForm& options) {
        options.SpinEdit1->showValue(45);
        pressOk(options);
    });
    QCOMPARE(form.DefaultTime, 45);
    QCOMPARE(storedValues()["DefaultTime"], QString("45"));
}

void TestOptionsExam::pathChangedOnlyInLetterCase()
{
    const QString upper = QDir::current().absoluteFilePath("Calc");
    const QString lower = QDir::current().absoluteFilePath("calc");
    open({});
    writeProgram(upper);
    writeProgram(lower);
    TTestForm& form = *m_exam->form();
    form.CalcPath = upper;
    form.CalcButton->setCommandLine(upper);
    runOptions(form, [&](TOptionsForm& options) {
        options.Edit1->setText(lower);
        pressOk(options);
    });
    QCOMPARE(form.CalcPath, lower);
    QCOMPARE(form.CalcButton->CommandLine(), lower);
    QCOMPARE(storedValues()["CalcPath"], lower);
}

void TestOptionsExam::refusedPathIsStoredAndTheButtonKeepsItsProgram()
{
    open({});
    TTestForm& form = *m_exam->form();
    const QString program = QDir::current().absoluteFilePath("calc");
    writeProgram(program);
    form.CalcPath = program;
    form.CalcButton->setCommandLine(program);
    const QString missing = QDir::current().absoluteFilePath("gone");
    ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);
    runOptions(form, [&](TOptionsForm& options) {
        options.Edit1->setText(missing);
        options.SpinEdit1->showValue(60);
        pressOk(options);
    });
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(prompts.requests()[0].kind, PromptKind::Error);
    QCOMPARE(prompts.requests()[0].text, "The file: " + missing + " cannot be found.");
    QCOMPARE(form.CalcButton->CommandLine(), program);
    QCOMPARE(form.CalcPath, missing);
    const Stored stored = storedValues();
    QCOMPARE(optionkeys::sorted(stored.keys()), optionkeys::sorted(optionkeys::Expected));
    QCOMPARE(stored["CalcPath"], missing);
    QCOMPARE(stored["DefaultTime"], QString("60"));
}

void TestOptionsExam::calculatorShownWithoutAProgram()
{
    open({{"CalcPath", "/no/such/calculator"}});
    TTestForm& form = *m_exam->form();
    itemfixture::runExam(form, {itemfixture::choiceItem({"Yes", "No"}, "a", false)});
    QVERIFY(!form.CalcButton->isVisible());
    runOptions(form, [](TOptionsForm& options) {
        QCOMPARE(options.CalcBtnGroup->ItemIndex(), 1);
        options.CalcBtnGroup->item(0)->click();
        pressOk(options);
    });
    QVERIFY(form.CalcButton->isVisible());
    ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);
    QTest::mouseClick(form.CalcButton, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(prompts.requests()[0].text,
             QString("Error executing program. Error Code:; %1.").arg(ENOENT));
    QCOMPARE(form.ExamState, int(TTestForm::ExamRunning));
}

void TestOptionsExam::chosenProgramIsTakenAtOk()
{
    open({{"CalcPath", "/no/such/calculator"}, {"ShowCalcBtn", "0"}});
    TTestForm& form = *m_exam->form();
    const QString program = QDir::current().absoluteFilePath("my-calc");
    writeProgram(program);
    ScriptedPrompts prompts;
    prompts.answerFile(program);
    runOptions(form, [&](TOptionsForm& options) {
        options.PageControl1->setCurrentIndex(1);
        QTest::mouseClick(options.SpeedButton1, Qt::LeftButton);
        QCOMPARE(options.Edit1->text(), program);
        // Nothing is taken before OK.
        QCOMPARE(form.CalcButton->CommandLine(), QString());
        options.CalcBtnGroup->item(0)->click();
        pressOk(options);
    });
    QCOMPARE(form.CalcButton->CommandLine(), program);
    QVERIFY(form.CalcButton->isVisibleTo(form.ItemArea));
    QCOMPARE(storedValues()["ShowCalcBtn"], QString("1"));
    QCOMPARE(storedValues()["CalcPath"], program);
}

void TestOptionsExam::startupWithAFileThatIsNotAProgram()
{
    ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);
    QString path;
    m_exam = std::make_unique<itemfixture::ExamWindow>([&] {
        path = QDir::current().absoluteFilePath("notes.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        storeValues({{"CalcPath", path}});
    });
    TTestForm& form = *m_exam->form();
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(prompts.requests()[0].text, path + " is not an executable file.");
    QCOMPARE(form.ShowCalcBtn, false);
    QVERIFY(!form.CalcButton->isVisibleTo(form.ItemArea));
    QCOMPARE(form.CalcButton->CommandLine(), QString());
}

QTEST_MAIN(TestOptionsExam)
#include "test_options_exam.moc"
