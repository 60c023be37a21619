// The item area of the exam window: where the question, the exhibit row, the answers and the
// explanation stand for items of every shape, the scrollable height, and a re-layout on resize.

#include "ItemFixture.h"

#include "exam/PictUnit1.h"
#include "exam/PictUnit2.h"
#include "exam/TestUnit.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QImage>
#include <QTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using itemfixture::choiceItem;
using itemfixture::runExam;
using itemfixture::wrappedHeight;

namespace {

const QString LongText = QStringLiteral(
    "A long answer text that cannot fit on one line of the item area, so that the label wraps "
    "it over several lines and every label below it moves down by the extra height it takes, "
    "which the layout has to follow exactly whatever the width of the window happens to be.");

int bottomOf(const QWidget* w)
{
    return w->y() + w->height();
}

// The lowest shown control of the item area plus the 17 pixels of the bottom margin.
int expectedScrollHeight(const TTestForm& form)
{
    int bottom = 0;
    const QList<const QWidget*> controls = {
        form.QPanel, form.Shape1, form.ExhBtnA, form.ExhBtnB, form.CalcButton, form.ExpText,
        form.RadioButton1, form.RadioButton2, form.RadioButton3, form.RadioButton4,
        form.RadioButton5, form.RadioButton6, form.CheckBox1, form.CheckBox2, form.CheckBox3,
        form.CheckBox4, form.CheckBox5, form.CheckBox6, form.ALabel1, form.ALabel2, form.ALabel3,
        form.ALabel4, form.ALabel5, form.ALabel6};
    for (const QWidget* w : controls)
        if (!w->isHidden())
            bottom = std::max(bottom, bottomOf(w));
    return bottom + 17;
}

}  // namespace

class TestItemLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void geometry_data();
    void geometry();
    void hiddenLabelKeepsItsLastCaption();
    void familyNotInUseKeepsItsStates();
    void revealExtendsTheScrollableHeight();
    void resizeLaysOutAgainAndKeepsTheReveal();
    void exhibitButtonsOpenTheirPictures_data();
    void exhibitButtonsOpenTheirPictures();

private:
    std::unique_ptr<itemfixture::ExamWindow> m_window;
    TTestForm* m_form = nullptr;
};

void TestItemLayout::initTestCase()
{
    m_window = std::make_unique<itemfixture::ExamWindow>();
    m_form = m_window->form();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestItemLayout::cleanupTestCase()
{
    m_window.reset();
}

void TestItemLayout::init()
{
    m_form->resize(800, 560);
    QCoreApplication::processEvents();
}

void TestItemLayout::geometry_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("multiple");
    QTest::addColumn<QString>("pict1");
    QTest::addColumn<QString>("pict2");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("reference");  // the label the explanation is placed below
    QTest::addColumn<bool>("scrolls");   // taller than the area of an 800 x 560 window

    const QString one = QStringLiteral("What is it?");
    QTest::newRow("two choices") << QStringList{"Alpha", "Beta"} << false << "" << "" << one << 2 << false;
    QTest::newRow("only choice a") << QStringList{"Alpha"} << false << "" << "" << one << 2 << false;
    QTest::newRow("gap at c") << QStringList{"Alpha", "Beta", "", "Delta"} << false << "" << ""
                              << one << 2 << false;
    QTest::newRow("four choices, no exhibits")
        << QStringList{"A1", "B1", "C1", "D1"} << false << "" << "" << one << 4 << false;
    QTest::newRow("long wrapped answers, multiple")
        << QStringList{LongText, LongText + " Again.", "Short"} << true << "" << "" << one << 3 << false;
    QTest::newRow("only PICT2") << QStringList{"Alpha", "Beta", "Gamma"} << false << ""
                                << "x2.bmp" << one << 3 << false;
    QTest::newRow("both exhibits, six choices, long question")
        << QStringList{"a", "b", "c", "d", "e", "f"} << true << "x1.bmp" << "x2.bmp"
        << LongText + " " + LongText << 6 << false;
    QTest::newRow("taller than the area: question within the scroll bar")
        << QStringList{LongText, LongText, LongText, LongText, LongText, LongText} << false << ""
        << "" << LongText + " " + LongText + " " + LongText << 6 << true;
}

void TestItemLayout::geometry()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, multiple);
    QFETCH(QString, pict1);
    QFETCH(QString, pict2);
    QFETCH(QString, question);
    QFETCH(int, reference);
    QFETCH(bool, scrolls);

    testsupport::Item it = choiceItem(answers, "a", multiple, question);
    it["PICT1"] = pict1;
    it["PICT2"] = pict2;
    TTestForm& f = *m_form;
    runExam(f, {it});

    QVERIFY(f.ScrollBox1->isVisible());
    QCoreApplication::processEvents();
    const int w = f.ScrollBox1->width();
    // The question panel spans what the scroll bar leaves; its text is wrapped at that width
    // less the two borders of 8. The answers and the explanation follow the whole width.
    const int client = f.ScrollBox1->viewport()->width();
    QCOMPARE(f.ScrollBox1->verticalScrollBar()->isVisible(), scrolls);
    QCOMPARE(client < w, scrolls);
    const int questionHeight = wrappedHeight(f.QText->font(), client - 16, question);
    QCOMPARE(f.QText->geometry(), QRect(8, 8, client - 16, questionHeight));
    QCOMPARE(f.QPanel->geometry(), QRect(0, 0, client, questionHeight + 16));
    QCOMPARE(f.Shape1->geometry(), QRect(0, questionHeight + 16, client, 1));

    // The exhibit row is reserved whether or not a button is shown in it.
    const int row = f.QPanel->height() + 2;
    QCOMPARE(f.ExhBtnA->geometry(), QRect(1, row, 93, 25));
    QCOMPARE(f.ExhBtnB->geometry(), QRect(96, row, 93, 25));
    QCOMPARE(f.ExhBtnA->isVisible(), !pict1.isEmpty());
    QCOMPARE(f.ExhBtnB->isVisible(), !pict2.isEmpty());
    QCOMPARE(f.CalcButton->y(), row);
    QCOMPARE(f.CalcButton->x() + f.CalcButton->width(), w - 1);

    // The six labels stacked 15 apart, starting 42 below the question panel.
    int top = f.QPanel->height() + 42;
    for (int k = 1; k <= 6; ++k) {
        const QString text = k <= answers.size() ? answers[k - 1] : QString();
        QLabel* label = f.answerLabel(k);
        QCOMPARE(label->isVisible(), !text.isEmpty());
        if (!text.isEmpty())
            QCOMPARE(label->text(), text);
        QCOMPARE(label->geometry(),
                 QRect(80, top, w - 110, wrappedHeight(label->font(), w - 110, label->text())));
        QCOMPARE(f.radioButton(k)->isVisible(), !text.isEmpty() && !multiple);
        QCOMPARE(f.checkBox(k)->isVisible(), !text.isEmpty() && multiple);
        QWidget* button = multiple ? static_cast<QWidget*>(f.checkBox(k)) : f.radioButton(k);
        QCOMPARE(button->geometry(), QRect(40, top, 38, 17));
        top += label->height() + 15;
    }

    // The explanation: 40 below the reference label, hidden while the exam runs.
    QLabel* ref = f.answerLabel(reference);
    QCOMPARE(f.ExpText->geometry(),
             QRect(8, bottomOf(ref) + 40, w - 38,
                   wrappedHeight(f.ExpText->font(), w - 38, QStringLiteral("Because."))));
    QVERIFY(f.ExpText->isHidden());
    QCOMPARE(f.ItemArea->height(), expectedScrollHeight(f));
}

void TestItemLayout::hiddenLabelKeepsItsLastCaption()
{
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"Alpha", LongText}, "a", false), choiceItem({"Only"}, "a", false)});
    f.NextButton->click();
    QCOMPARE(f.Label1->text(), QString("Item 2 of 2"));
    const int w = f.ScrollBox1->width();
    QVERIFY(f.ALabel2->isHidden());
    QCOMPARE(f.ALabel2->text(), LongText);
    QCOMPARE(f.ALabel2->y(), bottomOf(f.ALabel1) + 15);
    QCOMPARE(f.ALabel2->height(), wrappedHeight(f.ALabel2->font(), w - 110, LongText));
    QCOMPARE(f.ExpText->y(), bottomOf(f.ALabel2) + 40);
    QVERIFY(f.ALabel2->height() > f.ALabel1->height());
}

void TestItemLayout::familyNotInUseKeepsItsStates()
{
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B"}, "ab", true), choiceItem({"A", "B"}, "b", false)});
    f.CheckBox2->setChecked(true);
    f.NextButton->click();
    QVERIFY(f.CheckBox2->isHidden());
    QVERIFY(f.CheckBox2->isChecked());
    QVERIFY(f.RadioButton1->isVisible());
    QVERIFY(!f.RadioButton1->isChecked() && !f.RadioButton2->isChecked());
    f.PrevButton->click();
    QVERIFY(f.CheckBox2->isChecked() && !f.CheckBox1->isChecked());
    QVERIFY(f.RadioButton1->isHidden());
}

void TestItemLayout::revealExtendsTheScrollableHeight()
{
    TTestForm& f = *m_form;
    runExam(f, {choiceItem({"A", "B"}, "b", false, "Q", LongText)});
    const int concealed = f.ItemArea->height();
    QCOMPARE(concealed, expectedScrollHeight(f));
    QVERIFY(concealed < bottomOf(f.ExpText));
    f.RevealKey();
    QVERIFY(f.ExpText->isVisible());
    QCOMPARE(f.ItemArea->height(), bottomOf(f.ExpText) + 17);
    QVERIFY(f.ItemArea->height() > concealed);
}

void TestItemLayout::resizeLaysOutAgainAndKeepsTheReveal()
{
    TTestForm& f = *m_form;
    const QStringList answers{LongText, LongText, LongText, LongText, LongText, LongText};
    runExam(f, {choiceItem(answers, "ce", true, LongText + " " + LongText, LongText),
                choiceItem({"x"}, "a", false)});
    f.CheckBox3->setChecked(true);
    f.RevealKey();
    f.ScrollBox1->verticalScrollBar()->setValue(f.ScrollBox1->verticalScrollBar()->maximum());
    QVERIFY(f.ScrollBox1->verticalScrollBar()->value() > 0);
    const QString counter = f.Label1->text();
    const int narrowHeight = f.QPanel->height();

    f.resize(1200, 560);
    QCoreApplication::processEvents();
    const int w = f.ScrollBox1->width();
    QVERIFY(w > 1000);
    const int client = f.ScrollBox1->viewport()->width();
    QCOMPARE(f.QPanel->height(),
             wrappedHeight(f.QText->font(), client - 16, LongText + " " + LongText) + 16);
    QVERIFY(f.QPanel->height() <= narrowHeight);
    QCOMPARE(f.ALabel1->width(), w - 110);
    QCOMPARE(f.ALabel1->height(), wrappedHeight(f.ALabel1->font(), w - 110, LongText));
    QCOMPARE(f.ExpText->width(), w - 38);
    QCOMPARE(f.ExpText->y(), bottomOf(f.ALabel6) + 40);
    QCOMPARE(f.ScrollBox1->verticalScrollBar()->value(), 0);
    // The reveal and the answer survive; the counter is not recomputed.
    QVERIFY(f.ExpText->isVisible());
    QCOMPARE(f.ALabel3->palette().color(QPalette::Window), QColor(0, 255, 255));
    QCOMPARE(f.ALabel1->palette().color(QPalette::Window), QColor(255, 255, 255));
    QVERIFY(f.CheckBox3->isChecked());
    QVERIFY(f.ItemStates[0].Choice3);
    QCOMPARE(f.Label1->text(), counter);
    QCOMPARE(f.ItemArea->height(), bottomOf(f.ExpText) + 17);
}

void TestItemLayout::exhibitButtonsOpenTheirPictures_data()
{
    QTest::addColumn<int>("exhibit");
    QTest::addColumn<bool>("byKey");  // Alt+1 / Alt+2 instead of a click
    QTest::newRow("exhibit 1 clicked") << 1 << false;
    QTest::newRow("exhibit 2 clicked") << 2 << false;
    QTest::newRow("exhibit 1 by Alt+1") << 1 << true;
    QTest::newRow("exhibit 2 by Alt+2") << 2 << true;
}

void TestItemLayout::exhibitButtonsOpenTheirPictures()
{
    QFETCH(int, exhibit);
    QFETCH(bool, byKey);

    QImage first(40, 30, QImage::Format_RGB32);
    first.fill(Qt::red);
    QVERIFY(first.save("first.bmp"));
    QImage second(70, 50, QImage::Format_RGB32);
    second.fill(Qt::blue);
    QVERIFY(second.save("second.bmp"));
    TPict1Form pict1;
    TPict2Form pict2;
    Pict1Form = &pict1;
    Pict2Form = &pict2;

    TTestForm& f = *m_form;
    testsupport::Item it = choiceItem({"A", "B"}, "a", false);
    it["PICT1"] = "first.bmp";
    it["PICT2"] = "second.bmp";
    runExam(f, {it});
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));

    QWidget* opened = nullptr;
    QSize shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal;
            shown = modal->findChild<QLabel*>()->size();
            modal->close();
        }
    });
    poll.start(20);
    if (byKey)
        QTest::keyClick(&f, exhibit == 1 ? Qt::Key_1 : Qt::Key_2, Qt::AltModifier);
    else
        QTest::mouseClick(exhibit == 1 ? f.ExhBtnA : f.ExhBtnB, Qt::LeftButton);
    QTRY_VERIFY(opened);  // an accelerator presses its button after a short animation
    poll.stop();
    QCOMPARE(opened, exhibit == 1 ? static_cast<QWidget*>(&pict1) : &pict2);
    QCOMPARE(shown, exhibit == 1 ? QSize(40, 30) : QSize(70, 50));
    Pict1Form = nullptr;
    Pict2Form = nullptr;
}

QTEST_MAIN(TestItemLayout)
#include "test_item_layout.moc"
