// Choosing an exam: the ten exam kinds, the begin-exam dialog and its fields, the empty user
// question set, failures of the table files during a start, and the way back to the launcher.

#include "app/MainUnit.h"
#include "app/Startup.h"
#include "exam/NameUnit.h"
#include "exam/ProgressUnit.h"
#include "exam/TestUnit.h"
#include "store/TableFile.h"
#include "BeginExamDriver.h"
#include "ProgramWindows.h"
#include "support/Fixtures.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "widgets/NumberEdit.h"
#include "widgets/ShapeButton.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <set>

using platform::PromptButton;
using platform::PromptKind;
Q_DECLARE_METATYPE(DialogAct)

namespace {

// The bank: items 1-5 in exam A, 6-7 in no exam, 8-10 in exam B, 11 in exam G.
int examOf(int k)
{
    return k <= 5 ? 1 : k <= 7 ? 0 : k <= 10 ? 2 : 7;
}
int sectionOf(int k)
{
    return (k - 1) % 4 + 1;
}
constexpr int BankItems = 9;  // items with Q_EXAM_N other than 0

void makeFiles(int userItems)
{
    testsupport::makeBank(store::BankFileName, 11, examOf, sectionOf);
    testsupport::makeTable(store::CurrentSetFileName, store::TableKind::Current, {});
    std::vector<testsupport::Item> user;
    for (int k = 1; k <= userItems; ++k)
        user.push_back(testsupport::item(0, k % 4 + 1, QStringLiteral("My question %1").arg(k)));
    testsupport::makeTable(store::UserSetFileName, store::TableKind::User, user);
}

DialogAct typeCount(const QString& text)
{
    return [text](TNameForm& dialog) {
        dialog.SpinEdit2->setFocus();
        dialog.SpinEdit2->selectAll();
        QTest::keyClick(dialog.SpinEdit2, Qt::Key_Delete);
        QTest::keyClicks(dialog.SpinEdit2, text);
        QTest::keyClick(dialog.SpinEdit2, Qt::Key_Return);  // the default button: OK
    };
}

DialogAct typeTime(const QString& text)
{
    return [text](TNameForm& dialog) {
        dialog.SpinEdit1->setFocus();
        dialog.SpinEdit1->selectAll();
        QTest::keyClick(dialog.SpinEdit1, Qt::Key_Delete);
        QTest::keyClicks(dialog.SpinEdit1, text);
        clickOk(dialog);
    };
}

QAction* kindAction(const QString& name)
{
    return TestForm->findChild<QAction*>(name);
}

QList<int> currentOrNumbers()
{
    QList<int> result;
    store::Table* set = TestForm->dtCurrentSet;
    for (set->first(); !set->eof(); set->next())
        result.append(set->asInteger("Q_OR_NUMBER"));
    set->first();
    return result;
}

store::TableKind kindOfFile(const QString& file)
{
    return file == store::BankFileName      ? store::TableKind::Bank
           : file == store::CurrentSetFileName ? store::TableKind::Current
                                               : store::TableKind::User;
}

// Puts a file with `fault` in the place of the table file `file`.
void breakFile(const QString& file, const QString& fault)
{
    const store::TableKind kind = kindOfFile(file);
    const QByteArray good = testsupport::fileBytes(file);
    QFile::remove(file);
    auto write = [&](const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    if (fault == "empty") {
        write({});
    } else if (fault == "text") {
        write("My notes for the exam.\n");
    } else if (fault == "random bytes") {
        QByteArray bytes(8192, '\0');
        QRandomGenerator random(7);
        for (char& byte : bytes)
            byte = char(random.bounded(256));
        write(bytes);
    } else if (fault == "cut short") {
        write(good.left(1536));  // one and a half pages
    } else if (fault == "damaged page") {
        QByteArray bytes = good;
        for (int i = 1024 + 200; i < 1024 + 264 && i < bytes.size(); ++i)
            bytes[i] = char(~bytes[i]);
        write(bytes);
    } else if (fault == "another password") {
        store::createTableFile(file, kind, QStringLiteral("NotOurPassword9"));
    } else if (fault == "not encrypted") {
        store::createTableFile(file, kind, QString());
    } else if (fault == "another program's database") {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlcipher"),
                     {file, QStringLiteral("CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES('mine');")});
        QVERIFY(sqlite.waitForFinished(30000));
        QCOMPARE(sqlite.exitCode(), 0);
    }
    QVERIFY(QFileInfo::exists(file));
}

}  // namespace

class TestExamSelection : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void examKinds_data();
    void examKinds();
    void randomExamSize_data();
    void randomExamSize();
    void timeField_data();
    void timeField();
    void randomExamKeepsTheLastTime();
    void nameIsKeptBetweenExams();
    void cancelStartsNothing_data();
    void cancelStartsNothing();
    void numberFieldsWhenLeft_data();
    void numberFieldsWhenLeft();
    void aboutBoxFromTheHelpMenu();
    void emptyUserSet();
    void missingTableFile_data();
    void missingTableFile();
    void brokenTableFileIsLeftAsItWas_data();
    void brokenTableFileIsLeftAsItWas();
    void closingReturnsToTheLauncher();
    void examChoiceKeepsNoFocusDuringAnExam_data();
    void examChoiceKeepsNoFocusDuringAnExam();

private:
    ProgramWindows m_program;
};

void TestExamSelection::initTestCase()
{
    m_program.create([] { makeFiles(3); });
}

void TestExamSelection::cleanupTestCase()
{
    m_program.destroy();
}

void TestExamSelection::init()
{
    m_program.enterNewFolder();
    // A begin-exam dialog as it is right after start-up.
    delete NameForm;
    NameForm = new TNameForm;
    TestForm->DefaultTime = 60;
    TestForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(TestForm));
}

void TestExamSelection::cleanup()
{
    m_program.leaveFolder();
}

void TestExamSelection::examKinds_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("countEnabled");
    QTest::addColumn<int>("time");  // the time field when the dialog comes up
    QTest::addColumn<int>("items");
    QTest::addColumn<bool>("note");
    QTest::addColumn<QString>("filter");  // of the question bank during the exam
    QTest::addColumn<QString>("kindId");  // what the study history keys the attempt by

    QTest::newRow("A") << "Action1" << "Begin Practice Exam A" << "Practice Exam A" << false << 60
                       << 5 << true << "Q_EXAM_N=1" << "practice-a";
    QTest::newRow("B") << "Action2" << "Begin Practice Exam B" << "Practice Exam B" << false << 60
                       << 3 << true << "Q_EXAM_N=2" << "practice-b";
    QTest::newRow("C, no items") << "Action3" << "Begin Practice Exam C" << "Practice Exam C"
                                 << false << 60 << 0 << true << "Q_EXAM_N=3" << "practice-c";
    QTest::newRow("G") << "Action7" << "Begin Practice Exam G" << "Practice Exam G" << false << 60
                       << 1 << true << "Q_EXAM_N=7" << "practice-g";
    QTest::newRow("all questions") << "AllQAct" << "Take All Questions" << "All Questions" << false
                                   << 60 << BankItems << true << "Q_EXAM_N<>0" << "all-questions";
    QTest::newRow("random") << "RandAct" << "Random Exam" << "Random Exam" << true << 90
                            << BankItems << true << "Q_EXAM_N<>0" << "random";
    QTest::newRow("user") << "UserAct" << "User Exam" << "User Exam" << false << 60 << 3 << false
                          << "Q_EXAM_N<>0" << "user";
}

void TestExamSelection::examKinds()
{
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(bool, countEnabled);
    QFETCH(int, time);
    QFETCH(int, items);
    QFETCH(bool, note);
    QFETCH(QString, filter);
    QFETCH(QString, kindId);
    testsupport::ScriptedPrompts prompts;  // nothing may be asked
    NameForm->NameEdit->setText("Pat Doe");

    DialogDriver driver(clickOk);
    kindAction(action)->trigger();

    const Seen& seen = driver.seen();
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, caption);
    QCOMPARE(seen.date, "Date: " + QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    // The number field shows the whole bank, also when it is disabled.
    QCOMPARE(seen.count, BankItems);
    QCOMPARE(seen.countEnabled, countEnabled);
    QCOMPARE(seen.countLabelEnabled, countEnabled);
    QCOMPARE(NameForm->SpinEdit2->palette().color(QPalette::Disabled, QPalette::Base) ==
                 QColor(192, 192, 192),
             !countEnabled);
    QCOMPARE(seen.time, time);

    QCOMPARE(TestForm->ExamState, TTestForm::ExamRunning);
    QCOMPARE(TestForm->ExamTitle, title);
    QCOMPARE(TestForm->ExamKindId, kindId);
    QCOMPARE(TestForm->Label3->text(), title);
    QCOMPARE(TestForm->CandidateName, QString("Pat Doe"));
    QCOMPARE(TestForm->TimeLimit, time / 1440.0);
    QCOMPARE(TestForm->ItemCount, items);
    QCOMPARE(TestForm->ItemStates.size(), items);
    QCOMPARE(TestForm->FirstItemNo, items > 0 ? 1 : TestForm->FirstItemNo);
    QVERIFY(TestForm->dtCurrentSet->isOpen());
    QCOMPARE(TestForm->dtCurrentSet->recordCount(), items);
    if (items > 0)
        QCOMPARE(TestForm->dtCurrentSet->recNo(), 1);
    const QList<int> ids = currentOrNumbers();
    QCOMPARE(int(std::set<int>(ids.begin(), ids.end()).size()), items);
    QCOMPARE(TestForm->dtQSet->filter(), filter);
    QCOMPARE(TestForm->dtQSet->isOpen(), action != "UserAct");

    // The running look.
    QVERIFY(!TestForm->Panel4->isVisible());
    QVERIFY(TestForm->Panel2->isVisible());
    QVERIFY(TestForm->Label3->isVisible());
    QVERIFY(TestForm->TimeLabel->isVisible());
    QCOMPARE(TestForm->GradeButton->text(), QString("Grade Now"));
    QCOMPARE(TestForm->NoteButton->isVisible(), note);
    QVERIFY(!TestForm->N21->menuAction()->isEnabled());
    QCOMPARE(prompts.requests().size(), 0);

    // Leaving the exam closes the tables and brings the Note button back.
    TestForm->CloseCurrentExam();
    QVERIFY(!TestForm->dtQSet->isOpen());
    QVERIFY(!TestForm->dtCurrentSet->isOpen());
    QVERIFY(!TestForm->dtUserSet->isOpen());
    QVERIFY(TestForm->dtQSet->filter().isEmpty());
    QVERIFY(!TestForm->dtQSet->filtered());
    QVERIFY(TestForm->NoteButton->isVisibleTo(TestForm->Panel2));
}

void TestExamSelection::randomExamSize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("items");
    QTest::newRow("4") << "4" << 4;
    QTest::newRow("999 becomes N") << "999" << BankItems;
    QTest::newRow("0 becomes 1") << "0" << 1;
    QTest::newRow("-5 becomes 1") << "-5" << 1;
    QTest::newRow("nothing counts as 1") << "" << 1;
    QTest::newRow("1.5 is not whole: 1") << "1.5" << 1;
    QTest::newRow("letters cannot be typed") << "2x" << 2;
    QTest::newRow("+3") << "+3" << 3;
}

void TestExamSelection::randomExamSize()
{
    QFETCH(QString, typed);
    QFETCH(int, items);
    DialogDriver driver(typeCount(typed));
    TestForm->RandAct->trigger();
    QVERIFY(driver.seen().shown);
    QCOMPARE(TestForm->ExamState, TTestForm::ExamRunning);
    QCOMPARE(TestForm->ItemCount, items);
    QCOMPARE(NameForm->SpinEdit2->value(), items);
    // Distinct items, none from outside the practice exams.
    const QList<int> ids = currentOrNumbers();
    QCOMPARE(int(std::set<int>(ids.begin(), ids.end()).size()), items);
    for (int id : ids)
        QVERIFY2(examOf(id) != 0, qPrintable(QString::number(id)));
}

void TestExamSelection::timeField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("minutes");
    QTest::newRow("45") << "45" << 45;
    QTest::newRow("0 becomes 1") << "0" << 1;
    QTest::newRow("9999 becomes 600") << "9999" << 600;
    QTest::newRow("nothing counts as 1") << "" << 1;
    QTest::newRow("letters cannot be typed") << "1a2" << 12;
}

void TestExamSelection::timeField()
{
    QFETCH(QString, typed);
    QFETCH(int, minutes);
    DialogDriver driver(typeTime(typed));
    TestForm->Action1->trigger();
    QVERIFY(driver.seen().shown);
    QCOMPARE(TestForm->ExamState, TTestForm::ExamRunning);
    QCOMPARE(TestForm->TimeLimit, minutes / 1440.0);
    QCOMPARE(NameForm->SpinEdit1->text(), QString::number(minutes));
}

void TestExamSelection::randomExamKeepsTheLastTime()
{
    // Right after start-up the random exam offers 90, whatever the default time.
    {
        DialogDriver driver([](TNameForm& d) { d.reject(); });
        TestForm->RandAct->trigger();
        QCOMPARE(driver.seen().time, 90);
    }
    // After a practice exam was begun it offers the default time set then...
    {
        DialogDriver driver([](TNameForm& d) { d.reject(); });
        TestForm->Action2->trigger();
        QCOMPARE(driver.seen().time, 60);
    }
    {
        DialogDriver driver([](TNameForm& d) { d.reject(); });
        TestForm->RandAct->trigger();
        QCOMPARE(driver.seen().time, 60);
    }
    // ...or what the user typed last.
    {
        DialogDriver driver(typeTime("75"));
        TestForm->AllQAct->trigger();
        QCOMPARE(TestForm->ExamState, TTestForm::ExamRunning);
    }
    TestForm->CloseCurrentExam();
    {
        DialogDriver driver([](TNameForm& d) { d.reject(); });
        TestForm->RandAct->trigger();
        QCOMPARE(driver.seen().time, 75);
    }
}

void TestExamSelection::nameIsKeptBetweenExams()
{
    {
        DialogDriver driver([](TNameForm& d) { clickOk(d); });
        TestForm->Action1->trigger();
        QCOMPARE(driver.seen().name, QString("Your Name"));
    }
    QCOMPARE(TestForm->CandidateName, QString("Your Name"));
    TestForm->CloseCurrentExam();
    {
        DialogDriver driver([](TNameForm& d) {
            d.NameEdit->setText("Ann Lee");
            clickOk(d);
        });
        TestForm->Action2->trigger();
    }
    TestForm->CloseCurrentExam();
    {
        DialogDriver driver([](TNameForm& d) {
            d.NameEdit->clear();  // an empty name is accepted
            clickOk(d);
        });
        TestForm->UserAct->trigger();
        QCOMPARE(driver.seen().name, QString("Ann Lee"));
    }
    QCOMPARE(TestForm->ExamState, TTestForm::ExamRunning);
    QCOMPARE(TestForm->CandidateName, QString());
}

void TestExamSelection::cancelStartsNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<DialogAct>("cancel");
    const DialogAct button = [](TNameForm& d) { QTest::mouseClick(d.BitBtn2, Qt::LeftButton); };
    const DialogAct escape = [](TNameForm& d) { QTest::keyClick(&d, Qt::Key_Escape); };
    const DialogAct closeBox = [](TNameForm& d) { d.close(); };
    QTest::newRow("A, Cancel") << "Action1" << button;
    QTest::newRow("all, Esc") << "AllQAct" << escape;
    QTest::newRow("random, close box") << "RandAct" << closeBox;
    QTest::newRow("user, Cancel") << "UserAct" << button;
}

void TestExamSelection::cancelStartsNothing()
{
    QFETCH(QString, action);
    QFETCH(DialogAct, cancel);
    TestForm->CandidateName = "Earlier";
    TestForm->TimeLimit = 30 / 1440.0;
    {
        DialogDriver driver([cancel](TNameForm& d) {
            d.NameEdit->setText("Changed");
            cancel(d);
        });
        kindAction(action)->trigger();
        QVERIFY(driver.seen().shown);
    }
    QCOMPARE(TestForm->ExamState, TTestForm::NoExam);
    QCOMPARE(TestForm->CandidateName, QString("Earlier"));
    QCOMPARE(TestForm->TimeLimit, 30 / 1440.0);
    QVERIFY(TestForm->Panel4->isVisible());
    QVERIFY(!TestForm->Panel2->isVisible());
    QVERIFY(!TestForm->dtQSet->isOpen());
    QVERIFY(!TestForm->dtCurrentSet->isOpen());

    // Another kind then works as if nothing had been chosen.
    {
        DialogDriver driver(clickOk);
        TestForm->Action2->trigger();
    }
    QCOMPARE(TestForm->ExamState, TTestForm::ExamRunning);
    QCOMPARE(TestForm->ItemCount, 3);
    QCOMPARE(TestForm->Label3->text(), QString("Practice Exam B"));
    QVERIFY(TestForm->NoteButton->isVisible());
}

void TestExamSelection::numberFieldsWhenLeft_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // after the focus has left the field
    QTest::addColumn<int>("keyUps");     // then the up arrow, this many times
    QTest::addColumn<int>("value");
    QTest::newRow("count 999") << "SpinEdit2" << "999" << "9" << 0 << 9;
    QTest::newRow("count 0") << "SpinEdit2" << "0" << "1" << 0 << 1;
    QTest::newRow("count -") << "SpinEdit2" << "-" << "1" << 0 << 1;
    QTest::newRow("count 5, up 10 times") << "SpinEdit2" << "5" << "5" << 10 << 9;
    QTest::newRow("time 700") << "SpinEdit1" << "700" << "600" << 0 << 600;
    QTest::newRow("time abc") << "SpinEdit1" << "abc" << "1" << 0 << 1;
    QTest::newRow("time 599, up twice") << "SpinEdit1" << "599" << "599" << 2 << 600;
}

void TestExamSelection::numberFieldsWhenLeft()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, keyUps);
    QFETCH(int, value);
    QString shownAfterLeaving;
    int valueAfterKeys = -1;
    DialogDriver driver([&](TNameForm& d) {
        auto* edit = d.findChild<widgets::NumberEdit*>(field);
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        d.NameEdit->setFocus();  // leave the field
        shownAfterLeaving = edit->text();
        edit->setFocus();
        for (int k = 0; k < keyUps; ++k)
            QTest::keyClick(edit, Qt::Key_Up);
        valueAfterKeys = edit->value();
        d.reject();
    });
    TestForm->RandAct->trigger();
    QVERIFY(driver.seen().shown);
    QCOMPARE(shownAfterLeaving, shown);
    QCOMPARE(valueAfterKeys, value);
    QCOMPARE(TestForm->ExamState, TTestForm::NoExam);
}

void TestExamSelection::aboutBoxFromTheHelpMenu()
{
    bool shownModally = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == "AboutForm") {
            shownModally = true;
            poll.stop();
            static_cast<QDialog*>(modal)->accept();
        }
    });
    poll.start(10);
    QTimer::singleShot(5000, [] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != TestForm)
            modal->close();
    });
    TestForm->About1->trigger();
    QVERIFY(shownModally);
    QVERIFY(TestForm->isVisible());
}

void TestExamSelection::emptyUserSet()
{
    QFile::remove(store::UserSetFileName);
    testsupport::makeTable(store::UserSetFileName, store::TableKind::User, {});
    testsupport::ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);
    DialogDriver driver([](TNameForm& d) { d.reject(); });

    QTest::mouseClick(TestForm->UserBtn, Qt::LeftButton);

    QVERIFY(!driver.seen().shown);
    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& request = prompts.requests().first();
    QCOMPARE(request.kind, PromptKind::Information);
    QCOMPARE(request.caption, QString("Information"));
    QCOMPARE(request.text, QString("User defined question set is empty!"));
    QCOMPARE(request.buttons, QList<PromptButton>{PromptButton::Ok});
    QCOMPARE(TestForm->ExamState, TTestForm::NoExam);
    QVERIFY(!TestForm->dtUserSet->isOpen());
    QVERIFY(TestForm->Panel4->isVisible());
}

void TestExamSelection::missingTableFile_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("dialog");  // the dialog comes up before the failure
    QTest::newRow("bank, practice exam") << "qbank2.DAT" << "Action1" << false;
    QTest::newRow("bank, random exam") << "qbank2.DAT" << "RandAct" << false;
    QTest::newRow("bank, user exam") << "qbank2.DAT" << "UserAct" << false;
    QTest::newRow("current set, practice exam") << "ces.DAT" << "Action1" << true;
    QTest::newRow("current set, random exam") << "ces.DAT" << "RandAct" << true;
    QTest::newRow("current set, user exam") << "ces.DAT" << "UserAct" << true;
    QTest::newRow("user set, user exam") << "qbank2usr.DAT" << "UserAct" << false;
}

void TestExamSelection::missingTableFile()
{
    QFETCH(QString, missing);
    QFETCH(QString, action);
    QFETCH(bool, dialog);
    QVERIFY(QFile::remove(missing));
    testsupport::ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);
    TestForm->Label3->clear();
    DialogDriver driver(clickOk);

    kindAction(action)->trigger();

    QCOMPARE(driver.seen().shown, dialog);
    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& request = prompts.requests().first();
    QCOMPARE(request.kind, PromptKind::Error);
    QCOMPARE(request.caption, QString("Quizlore Prep 2.0"));
    QVERIFY2(request.text.contains(missing), qPrintable(request.text));
    QCOMPARE(TestForm->ExamState, TTestForm::NoExam);
    QVERIFY(TestForm->Panel4->isVisible());
    QVERIFY(!TestForm->Panel2->isVisible());
    QVERIFY(!ProgressForm->isVisible());
    // A start that got past the dialog has already set the exam title.
    QCOMPARE(!TestForm->Label3->text().isEmpty(), dialog);
}

// Eight faults in each of the three files: one error box names the file, no exam starts, and
// every file stays byte for byte as it was.
void TestExamSelection::brokenTableFileIsLeftAsItWas_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("action");
    for (const QString& file : {store::BankFileName, store::CurrentSetFileName, store::UserSetFileName})
        for (const char* fault : {"empty", "text", "random bytes", "cut short", "damaged page",
                                  "another password", "not encrypted", "another program's database"})
            QTest::addRow("%s, %s", qPrintable(file), fault)
                << file << QString(fault) << (file == store::UserSetFileName ? "UserAct" : "Action1");
}

void TestExamSelection::brokenTableFileIsLeftAsItWas()
{
    QFETCH(QString, file);
    QFETCH(QString, fault);
    QFETCH(QString, action);
    breakFile(file, fault);
    std::map<QString, QByteArray> before;
    for (const QString& name : {store::BankFileName, store::CurrentSetFileName, store::UserSetFileName})
        before[name] = testsupport::fileBytes(name);
    testsupport::ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);
    DialogDriver driver(clickOk);

    kindAction(action)->trigger();

    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& request = prompts.requests().first();
    QCOMPARE(request.kind, PromptKind::Error);
    QVERIFY2(request.text.contains(file), qPrintable(request.text));
    QCOMPARE(TestForm->ExamState, 0);
    TestForm->CloseCurrentExam();
    for (const auto& [name, bytes] : before)
        QVERIFY2(testsupport::fileBytes(name) == bytes, qPrintable(name + " was changed"));
}

void TestExamSelection::closingReturnsToTheLauncher()
{
    testsupport::ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);  // "This exam is not completed."
    TestForm->hide();
    MainForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(MainForm));

    bool launcherHidden = false;
    int stateWhileOpen = -1;
    QTimer::singleShot(50, TestForm, [&] {
        launcherHidden = !MainForm->isVisible();
        DialogDriver driver(clickOk);
        TestForm->Action1->trigger();
        stateWhileOpen = TestForm->ExamState;
        TestForm->Exit1->trigger();
    });
    QTimer::singleShot(10000, TestForm, [] { TestForm->hide(); });
    QTest::mouseClick(MainForm->findChild<QWidget*>("StartTestBtn"), Qt::LeftButton);

    QVERIFY(launcherHidden);
    QCOMPARE(stateWhileOpen, 1);
    QVERIFY(!TestForm->isVisible());
    QVERIFY(MainForm->isVisible());
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(TestForm->ExamState, TTestForm::NoExam);
    QVERIFY(!TestForm->dtQSet->isOpen());
    QVERIFY(!TestForm->dtCurrentSet->isOpen());
    QVERIFY(TestForm->Panel4->isVisibleTo(TestForm));
}

void TestExamSelection::examChoiceKeepsNoFocusDuringAnExam_data()
{
    QTest::addColumn<bool>("byKeyboard");  // Alt+A, else a click on "A"
    QTest::newRow("Alt+A") << true;
    QTest::newRow("click") << false;
}

void TestExamSelection::examChoiceKeepsNoFocusDuringAnExam()
{
    // The exam letter that started the exam does not keep the window's focus once it is hidden:
    // where nothing activates the window again (no window manager), Enter or Space would reach it
    // and start another exam over the running one.
    QFETCH(bool, byKeyboard);
    testsupport::ScriptedPrompts prompts;
    QApplication::setActiveWindow(TestForm);
    QVERIFY(QTest::qWaitForWindowActive(TestForm));
    DialogDriver driver(clickOk);
    if (byKeyboard)
        QTest::keyClick(TestForm, Qt::Key_A, Qt::AltModifier);
    else
        QTest::mouseClick(TestForm->fcShapeBtn1, Qt::LeftButton);
    QVERIFY(driver.seen().shown);
    QCOMPARE(TestForm->ExamState, TTestForm::ExamRunning);
    QWidget* focus = TestForm->focusWidget();
    QVERIFY2(!focus || !TestForm->Panel4->isAncestorOf(focus), qPrintable(focus->objectName()));
}

QTEST_MAIN(TestExamSelection)
#include "test_exam_selection.moc"
