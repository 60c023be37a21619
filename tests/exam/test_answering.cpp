// Answering in the exam window: moving between items, the answer sheet and the Correct flag
// for single and multiple response, marks, review that cannot change an answer, the keys a..f,
// and learn mode.

#include "ItemFixture.h"

#include "exam/TestUnit.h"
#include "notes/NoteUnit.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using itemfixture::choiceItem;
using itemfixture::runExam;

namespace {

const QColor Aqua(0, 255, 255);
const QColor White(255, 255, 255);

QString choices(const store::TItemState& s)
{
    QString out;
    for (int k = 1; k <= 6; ++k)
        if (s.choice(k))
            out += QChar(QLatin1Char(char('a' + k - 1)));
    return out;
}

QString checkedButtons(const TTestForm& f, bool multiple)
{
    QString out;
    for (int k = 1; k <= 6; ++k)
        if (multiple ? f.checkBox(k)->isChecked() : f.radioButton(k)->isChecked())
            out += QChar(QLatin1Char(char('a' + k - 1)));
    return out;
}

QColor labelColour(const QLabel* label)
{
    return label->palette().color(QPalette::Window);
}

// One step of a user on the item: click a label, a button, or press a key.
enum class Act { Label, Button, Key };

void act(TTestForm& f, Act how, QChar letter, bool multiple)
{
    const int k = letter.toLatin1() - 'a' + 1;
    switch (how) {
    case Act::Label:
        QTest::mouseClick(f.answerLabel(k), Qt::LeftButton);
        break;
    case Act::Button:
        if (multiple)
            QTest::mouseClick(f.checkBox(k), Qt::LeftButton, {}, QPoint(6, 8));
        else
            QTest::mouseClick(f.radioButton(k), Qt::LeftButton, {}, QPoint(6, 8));
        break;
    case Act::Key:
        QTest::keyClick(&f, Qt::Key(Qt::Key_A + k - 1));
        break;
    }
}

}  // namespace

Q_DECLARE_METATYPE(Act)

class TestAnswering : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void counterAndNavigation_data();
    void counterAndNavigation();
    void answerSheet_data();
    void answerSheet();
    void changingTheAnswerUpdatesCorrect();
    void answersAndMarksComeBack();
    void reviewSnapsBack_data();
    void reviewSnapsBack();
    void reviewShowsKeyAndVerdict();
    void revealLifecycle();
    void learnButtonFollowsOption();
    void altKeysServeTheItemFirst();
    void noRedrawWhileNoteWindowShown();
    void noExamIgnoresRecordMoves();

private:
    std::unique_ptr<itemfixture::ExamWindow> m_window;
    TTestForm* m_form = nullptr;
};

void TestAnswering::initTestCase()
{
    m_window = std::make_unique<itemfixture::ExamWindow>();
    m_form = m_window->form();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestAnswering::cleanupTestCase()
{
    m_window.reset();
}

void TestAnswering::init()
{
    m_form->activateWindow();
    m_form->PrevButton->setFocus();
}

void TestAnswering::counterAndNavigation_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("moves");  // Next presses from the first item
    QTest::addColumn<QString>("counter");
    QTest::addColumn<bool>("prevEnabled");
    QTest::addColumn<bool>("nextEnabled");

    QTest::newRow("first of three") << 3 << 0 << "Item 1 of 3" << false << true;
    QTest::newRow("middle of three") << 3 << 1 << "Item 2 of 3" << true << true;
    QTest::newRow("last of three") << 3 << 2 << "Item 3 of 3" << true << false;
    QTest::newRow("one item") << 1 << 0 << "Item 1 of 1" << false << false;
    QTest::newRow("tenth of twelve") << 12 << 9 << "Item 10 of 12" << true << true;
}

void TestAnswering::counterAndNavigation()
{
    QFETCH(int, count);
    QFETCH(int, moves);
    QFETCH(QString, counter);
    QFETCH(bool, prevEnabled);
    QFETCH(bool, nextEnabled);

    std::vector<testsupport::Item> items;
    for (int k = 1; k <= count; ++k)
        items.push_back(choiceItem({"A", "B"}, "a", false, QStringLiteral("Question %1").arg(k),
                                   "E", 500 + k));
    TTestForm& f = *m_form;
    runExam(f, items);
    for (int m = 0; m < moves; ++m)
        QTest::mouseClick(f.NextButton, Qt::LeftButton);
    QCOMPARE(f.Label1->text(), counter);
    QCOMPARE(f.Label2->text(), QStringLiteral("Item ID: %1").arg(501 + moves));
    QCOMPARE(f.QText->text(), QStringLiteral("Question %1").arg(moves + 1));
    QCOMPARE(f.PrevButton->isEnabled(), prevEnabled);
    QCOMPARE(f.NextButton->isEnabled(), nextEnabled);
    if (prevEnabled) {
        QTest::mouseClick(f.PrevButton, Qt::LeftButton);
        QCOMPARE(f.Label1->text(), QStringLiteral("Item %1 of %2").arg(moves).arg(count));
    }
}

void TestAnswering::answerSheet_data()
{
    QTest::addColumn<bool>("multiple");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Act>("how");
    QTest::addColumn<QString>("steps");    // letters acted on, in order
    QTest::addColumn<QString>("chosen");   // the choices afterwards
    QTest::addColumn<bool>("correct");

    for (Act how : {Act::Label, Act::Button, Act::Key}) {
        const char* by = how == Act::Label ? "label" : how == Act::Button ? "button" : "key";
        auto row = [by](const char* name) -> QTestData& { return QTest::newRow(qPrintable(QString("%1 by %2").arg(name, by))); };
        row("single right") << false << "b" << how << "b" << "b" << true;
        row("single wrong") << false << "b" << how << "c" << "c" << false;
        row("single replaced") << false << "b" << how << "cab" << "b" << true;
        row("single twice") << false << "b" << how << "bb" << "b" << true;
        row("multiple exact") << true << "ace" << how << "eca" << "ace" << true;
        row("multiple subset") << true << "ace" << how << "ac" << "ac" << false;
        row("multiple superset") << true << "ac" << how << "acd" << "acd" << false;
        row("multiple toggled back") << true << "a" << how << "abb" << "a" << true;
        row("multiple all unticked") << true << "a" << how << "aa" << "" << false;
        row("multiple empty key unticked") << true << "" << how << "dd" << "" << true;
        if (how != Act::Button)  // a choice without text has no button to click
            row("absent choice ignored") << false << "a" << how << "fa" << "a" << true;
    }
}

void TestAnswering::answerSheet()
{
    QFETCH(bool, multiple);
    QFETCH(QString, key);
    QFETCH(Act, how);
    QFETCH(QString, steps);
    QFETCH(QString, chosen);
    QFETCH(bool, correct);

    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B", "C", "D", "E"}, key, multiple)});
    QCOMPARE(choices(f.ItemStates[0]), QString());
    QVERIFY(!f.ItemStates[0].Correct);
    for (QChar letter : steps)
        act(f, how, letter, multiple);
    QCOMPARE(choices(f.ItemStates[0]), chosen);
    QCOMPARE(checkedButtons(f, multiple), chosen);
    QCOMPARE(f.ItemStates[0].Correct, correct);
}

void TestAnswering::changingTheAnswerUpdatesCorrect()
{
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B", "C"}, "b", false)});
    f.RadioButton2->setChecked(true);  // by code: handled as a click
    QVERIFY(f.ItemStates[0].Correct);
    f.ALabelkClick(3);
    QCOMPARE(choices(f.ItemStates[0]), QString("c"));
    QVERIFY(!f.ItemStates[0].Correct);
}

void TestAnswering::answersAndMarksComeBack()
{
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B", "C"}, "c", false), choiceItem({"A", "B", "C"}, "ab", true),
                choiceItem({"A", "B"}, "a", false)});
    f.ALabelkClick(3);
    QTest::mouseClick(f.MarkBox, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(f.ItemStates[0].Marked);
    f.NextButton->click();
    QVERIFY(!f.MarkBox->isChecked());
    f.ALabelkClick(2);
    f.NextButton->click();
    QCOMPARE(checkedButtons(f, false), QString());  // an untouched item shows no answer
    f.PrevButton->click();
    QCOMPARE(checkedButtons(f, true), QString("b"));
    QVERIFY(!f.MarkBox->isChecked());
    f.PrevButton->click();
    QCOMPARE(checkedButtons(f, false), QString("c"));
    QVERIFY(f.MarkBox->isChecked());
    QCOMPARE(choices(f.ItemStates[0]), QString("c"));
    QCOMPARE(choices(f.ItemStates[1]), QString("b"));
    QCOMPARE(choices(f.ItemStates[2]), QString());
    QVERIFY(f.ItemStates[0].Correct && !f.ItemStates[1].Correct && !f.ItemStates[2].Correct);
    QVERIFY(f.ItemStates[0].Marked && !f.ItemStates[1].Marked);
}

void TestAnswering::reviewSnapsBack_data()
{
    QTest::addColumn<bool>("multiple");
    QTest::addColumn<QString>("answered");  // while running
    QTest::addColumn<Act>("how");
    QTest::addColumn<QString>("steps");     // tried in review

    for (Act how : {Act::Label, Act::Button, Act::Key}) {
        const char* by = how == Act::Label ? "label" : how == Act::Button ? "button" : "key";
        auto row = [by](const char* name) -> QTestData& { return QTest::newRow(qPrintable(QString("%1 by %2").arg(name, by))); };
        row("single answered") << false << "b" << how << "ca";
        row("single unanswered") << false << "" << how << "c";
        row("multiple answered") << true << "ac" << how << "abd";
        row("multiple unanswered") << true << "" << how << "e";
    }
}

void TestAnswering::reviewSnapsBack()
{
    QFETCH(bool, multiple);
    QFETCH(QString, answered);
    QFETCH(Act, how);
    QFETCH(QString, steps);

    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B", "C", "D", "E"}, "b", multiple)});
    for (QChar letter : answered)
        f.ALabelkClick(letter.toLatin1() - 'a' + 1);
    const store::TItemState before = f.ItemStates[0];
    f.ExamState = TTestForm::Reviewing;
    f.ReviewControls();
    f.dtCurrentSet->first();
    for (QChar letter : steps) {
        act(f, how, letter, multiple);
        QCOMPARE(checkedButtons(f, multiple), answered);
    }
    QCOMPARE(choices(f.ItemStates[0]), answered);
    QCOMPARE(f.ItemStates[0].Correct, before.Correct);
}

void TestAnswering::reviewShowsKeyAndVerdict()
{
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B", "C", "D"}, "abd", true),
                choiceItem({"A", "B", "C"}, "b", false)});
    for (int k : {1, 2, 4})
        f.ALabelkClick(k);
    QVERIFY(f.ItemStates[0].Correct);
    f.NextButton->click();
    f.ALabelkClick(3);
    f.ExamState = TTestForm::Reviewing;
    f.ReviewControls();
    f.dtCurrentSet->first();

    QVERIFY(f.CorrectLabel->isVisible());
    QVERIFY(!f.LearnButton->isEnabled());
    QVERIFY(f.ExpText->isVisible());
    QCOMPARE(f.CorrectLabel->text(), QString("Correct"));
    QCOMPARE(f.CorrectLabel->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    const QColor expected[] = {Aqua, Aqua, White, Aqua};
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(labelColour(f.answerLabel(k)), expected[k - 1]);

    f.NextButton->click();
    QCOMPARE(f.CorrectLabel->text(), QString("Incorrect"));
    QCOMPARE(f.CorrectLabel->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(f.ExpText->isVisible());
    QCOMPARE(labelColour(f.ALabel2), Aqua);
    QCOMPARE(labelColour(f.ALabel1), White);
    QCOMPARE(labelColour(f.ALabel3), White);
    QCOMPARE(checkedButtons(f, false), QString("c"));
}

void TestAnswering::revealLifecycle()
{
    TTestForm& f = *m_form;
    f.LearnButton->setVisible(true);
    runExam(f, {choiceItem({"A", "B", "C", "D"}, "bcd", true),
                choiceItem({"A", "B"}, "a", false, "Q", QString())});
    f.ALabelkClick(1);
    QVERIFY(f.ExpText->isHidden());
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(labelColour(f.answerLabel(k)), White);

    QTest::mouseClick(f.LearnButton, Qt::LeftButton);
    QVERIFY(f.ExpText->isVisible());
    const QColor revealed[] = {White, Aqua, Aqua, Aqua};
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(labelColour(f.answerLabel(k)), revealed[k - 1]);
    // Pressed again: still revealed, no toggle; the answer is untouched.
    QTest::mouseClick(f.LearnButton, Qt::LeftButton);
    QVERIFY(f.ExpText->isVisible());
    QCOMPARE(choices(f.ItemStates[0]), QString("a"));
    QVERIFY(!f.ItemStates[0].Correct);
    QVERIFY(f.CorrectLabel->isHidden());

    // A resize keeps it; the answer can still change.
    f.resize(f.width() + 60, f.height());
    QCoreApplication::processEvents();
    QVERIFY(f.ExpText->isVisible());
    QCOMPARE(labelColour(f.ALabel2), Aqua);
    for (int k : {1, 2, 3, 4})
        f.ALabelkClick(k);
    QVERIFY(f.ItemStates[0].Correct);

    // The next record change conceals it, and returning shows it concealed.
    f.NextButton->click();
    QVERIFY(f.ExpText->isHidden());
    QTest::mouseClick(f.LearnButton, Qt::LeftButton);  // no explanation: only the colours
    QCOMPARE(labelColour(f.ALabel1), Aqua);
    f.PrevButton->click();
    QVERIFY(f.ExpText->isHidden());
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(labelColour(f.answerLabel(k)), White);
    f.resize(800, 560);
    f.LearnButton->setVisible(f.ShowLearnBtn);
}

void TestAnswering::learnButtonFollowsOption()
{
    // The option is off by default: the button is hidden and the accelerator does nothing.
    TTestForm& f = *m_form;
    QVERIFY(!f.ShowLearnBtn);
    runExam(f, {choiceItem({"A", "B"}, "a", false)});
    QVERIFY(f.LearnButton->isHidden());
    QTest::keyClick(&f, Qt::Key_L, Qt::AltModifier);
    QVERIFY(f.ExpText->isHidden());
}

void TestAnswering::altKeysServeTheItemFirst()
{
    // The disabled Exams menu and the File menu share M and F with the mark box and answer f.
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B", "C", "D", "E", "F"}, "f", false)});
    QVERIFY(!f.N21->isEnabled());
    QTest::keyClick(&f, Qt::Key_M, Qt::AltModifier);
    QVERIFY(f.MarkBox->isChecked());
    QVERIFY(f.ItemStates[0].Marked);
    QTest::keyClick(&f, Qt::Key_M, Qt::AltModifier);
    QVERIFY(!f.MarkBox->isChecked());
    QTest::keyClick(&f, Qt::Key_F, Qt::AltModifier);
    QVERIFY(f.radioButton(6)->isChecked());
    QVERIFY(f.ItemStates[0].choice(6));
    QVERIFY(!f.N11->isVisible());
}

void TestAnswering::noRedrawWhileNoteWindowShown()
{
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B"}, "a", false, "First"), choiceItem({"A", "B"}, "a", false, "Second")});
    f.LearnButton->setVisible(true);
    f.LearnButton->click();
    TNoteForm note;
    f.NoteWindow = &note;
    note.show();
    f.dtCurrentSet->next();
    QCOMPARE(f.Label1->text(), QString("Item 1 of 2"));
    QCOMPARE(f.QText->text(), QString("First"));
    QVERIFY(f.ExpText->isVisible());
    note.hide();
    f.dtCurrentSet->prior();
    QCOMPARE(f.Label1->text(), QString("Item 1 of 2"));
    QVERIFY(f.ExpText->isHidden());
    f.LearnButton->setVisible(f.ShowLearnBtn);
    f.NoteWindow = nullptr;
}

void TestAnswering::noExamIgnoresRecordMoves()
{
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B"}, "a", false, "First"), choiceItem({"A", "B"}, "a", false, "Second")});
    f.ExamState = TTestForm::NoExam;
    f.dtCurrentSet->next();
    QCOMPARE(f.QText->text(), QString("First"));
    f.ALabelkClick(2);  // the radio button is shown, but nothing is recorded without an exam
    QCOMPARE(choices(f.ItemStates[0]), QString());
    QCOMPARE(choices(f.ItemStates[1]), QString());
}

QTEST_MAIN(TestAnswering)
#include "test_answering.moc"
