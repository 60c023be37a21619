// The note window on a running exam: saving into the exam set and the bank, cancel, exit,
// nothing written without a change, the heading line, later exams, and a bank that refuses.

#include "exam/PrepareUnit.h"
#include "exam/TestUnit.h"
#include "notes/NoteUnit.h"
#include "store/Fields.h"
#include "store/StandaloneTable.h"
#include "support/Fixtures.h"
#include "support/FullDisk.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "widgets/OutlinedLabel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace testsupport;
using store::field::Q_OR_NUMBER;
using store::field::U_MEMO;

namespace {

// Items 1..6: exam A holds 1 to 3, exam B 4 to 6.
int examOfItem(int k) { return k <= 3 ? 1 : 2; }
int sectionOfItem(int k) { return (k - 1) % 4 + 1; }

// The stored note of bank item `id`, read through a table of its own.
QString bankNote(int id)
{
    store::StandaloneTable bank(store::BankFileName);
    bank.table.open();
    bank.table.setRecNo(id);
    return bank.table.asString(U_MEMO);
}

}  // namespace

class TestNotes : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        m_dir = std::make_unique<TempDirCwd>();
        makeBank(store::BankFileName, 6, examOfItem, sectionOfItem);
        makeTable(store::CurrentSetFileName, store::TableKind::Current, {});
        m_note = std::make_unique<TNoteForm>();
        m_form = std::make_unique<TTestForm>();
        m_form->linkWindows(nullptr, nullptr, m_note.get());
    }
    void cleanup()
    {
        m_form->CloseCurrentExam();
        m_form.reset();
        m_note.reset();
        m_dir.reset();
    }

    void savedNoteReachesBothTablesAndLaterExams();
    void cancelAndExitDiscardTheChange();
    void openingWithoutTypingWritesNothing();
    void savingAnEmptyTextClearsTheNote();
    void headingNamesTheExamAndTheItem();
    void aRefusedWriteKeepsTheNotePendingAndSaysWhere_data();
    void aRefusedWriteKeepsTheNotePendingAndSaysWhere();

private:
    // Starts practice exam `exam` (1 = A), or all questions with 0.
    void startExam(int exam)
    {
        TTestForm& f = *m_form;
        f.CloseCurrentExam();
        f.ExamTitle = exam == 0 ? QStringLiteral("All Questions")
                                : QStringLiteral("Practice Exam %1").arg(QChar('A' + exam - 1));
        f.dtQSet->setFilter(exam == 0 ? QStringLiteral("Q_EXAM_N<>0") : QStringLiteral("Q_EXAM_N=%1").arg(exam));
        f.dtQSet->setFiltered(true);
        f.dtQSet->open();
        f.TimeLimit = f.DefaultTime / 1440.0;
        f.StartRunning(PrepareExamSet(*f.dtQSet, *f.dtCurrentSet));
    }
    // Makes the item of bank number `id` the current one.
    void goToItem(int id)
    {
        store::Table& set = *m_form->dtCurrentSet;
        for (set.first(); !set.eof(); set.next())
            if (set.asInteger(Q_OR_NUMBER) == id)
                return;
        QFAIL(qPrintable(QStringLiteral("item %1 is not in the exam").arg(id)));
    }
    // Opens the note window with the Note button and runs `act` while it is shown; `act` ends
    // by closing it.
    void withNoteWindow(const std::function<void(TNoteForm&)>& act)
    {
        TNoteForm& note = *m_note;
        bool ran = false;
        QTimer::singleShot(0, &note, [&] {
            ran = true;
            QVERIFY(note.isVisible());
            act(note);
            if (note.isVisible())
                note.Button3->click();
        });
        m_form->NoteButton->click();
        QVERIFY(ran);
        QVERIFY(!note.isVisible());
    }
    static void type(TNoteForm& note, const QString& text)
    {
        note.DBMemo1->selectAll();
        QTest::keyClicks(note.DBMemo1, text);
    }

    QTemporaryDir m_config;
    std::unique_ptr<TempDirCwd> m_dir;
    std::unique_ptr<TNoteForm> m_note;
    std::unique_ptr<TTestForm> m_form;
};

void TestNotes::savedNoteReachesBothTablesAndLaterExams()
{
    startExam(1);
    goToItem(2);
    withNoteWindow([&](TNoteForm& note) {
        QVERIFY(!note.Button1->isEnabled());
        QVERIFY(!note.Button2->isEnabled());
        type(note, "Check the mask first.");
        QVERIFY(note.Button1->isEnabled());
        QVERIFY(note.Button2->isEnabled());
        note.Button1->click();
        QVERIFY(!note.Button1->isEnabled());
        QVERIFY(!note.Button2->isEnabled());
        QVERIFY(note.isVisible());
    });
    QCOMPARE(m_form->dtCurrentSet->asString(U_MEMO), QString("Check the mask first."));
    QCOMPARE(m_form->Label1->text(), QString("Item %1 of 3").arg(m_form->dtCurrentSet->recNo()));

    // A later exam with the same bank item starts with the note, also after the program's tables
    // were closed and opened again.
    m_form->CloseCurrentExam();
    QCOMPARE(bankNote(2), QString("Check the mask first."));
    QCOMPARE(bankNote(1), QString());
    startExam(0);
    goToItem(2);
    withNoteWindow([](TNoteForm& note) {
        QCOMPARE(note.DBMemo1->toPlainText(), QString("Check the mask first."));
    });
}

void TestNotes::cancelAndExitDiscardTheChange()
{
    startExam(1);
    goToItem(3);
    withNoteWindow([&](TNoteForm& note) {
        type(note, "first");
        note.Button1->click();
        type(note, "second");
        note.Button2->click();
        QCOMPARE(note.DBMemo1->toPlainText(), QString("first"));
        QVERIFY(!note.Button1->isEnabled());
        QVERIFY(!note.Button2->isEnabled());
        type(note, "third");
    });
    withNoteWindow([](TNoteForm& note) {
        QCOMPARE(note.DBMemo1->toPlainText(), QString("first"));
        QVERIFY(!note.Button1->isEnabled());
    });
    QCOMPARE(m_form->dtCurrentSet->state(), store::DataSetState::Browse);
    m_form->CloseCurrentExam();
    QCOMPARE(bankNote(3), QString("first"));
}

void TestNotes::openingWithoutTypingWritesNothing()
{
    startExam(2);
    const QByteArray bank = fileBytes(store::BankFileName);
    const QByteArray set = fileBytes(store::CurrentSetFileName);
    withNoteWindow([](TNoteForm& note) { QVERIFY(!note.Button1->isEnabled()); });
    m_form->CloseCurrentExam();
    QCOMPARE(fileBytes(store::BankFileName), bank);
    QCOMPARE(fileBytes(store::CurrentSetFileName), set);
}

void TestNotes::savingAnEmptyTextClearsTheNote()
{
    startExam(1);
    goToItem(1);
    withNoteWindow([&](TNoteForm& note) {
        type(note, "to be removed");
        note.Button1->click();
        note.DBMemo1->clear();
        QVERIFY(note.Button1->isEnabled());
        note.Button1->click();
    });
    QCOMPARE(m_form->dtCurrentSet->asString(U_MEMO), QString());
    m_form->CloseCurrentExam();
    QCOMPARE(bankNote(1), QString());
}

void TestNotes::headingNamesTheExamAndTheItem()
{
    startExam(2);
    goToItem(5);
    withNoteWindow([](TNoteForm& note) {
        QCOMPARE(note.Label2->text(), QString("Practice Exam B,  Item ID: 5"));
        QCOMPARE(note.windowTitle(), QString("Quizlore"));
        QCOMPARE(note.fcLabel1->text(), QString("User Note"));
    });
}

void TestNotes::aRefusedWriteKeepsTheNotePendingAndSaysWhere_data()
{
    QTest::addColumn<bool>("bankHeld");         // by another program, before Save Note
    QTest::addColumn<bool>("examSetFull");      // its disk full before Save Note
    QTest::addColumn<bool>("diskFullBetween");  // the disk fills once the bank took the new note
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("bankAfter");
    const QString locked = QStringLiteral("the file is locked by another program");
    const QString full = QStringLiteral("the disk is full");
    const QString again = QStringLiteral("It stays in the note window: Save Note tries again.");
    QTest::newRow("the bank refuses")
        << true << false << false
        << "The note on Item ID %1 was not saved: the question bank qbank2.DAT: " + locked + ".\r" + again << "kept";
    // The bank took the note, the exam set refused it, and the bank got its old note back.
    QTest::newRow("the exam set refuses")
        << false << true << false
        << "The note on Item ID %1 was not saved: the current exam ces.DAT: " + full + ".\r" + again << "kept";
    // The exam set and then the bank's way back refuse: the bank keeps the new note, and says so.
    QTest::newRow("the disk fills between the two writes")
        << false << false << true
        << "The note on Item ID %1 was saved in the question bank qbank2.DAT, but not in the current exam ces.DAT: "
               + full + ".\rLater exams show it. " + again
        << "lost?";
}

// Another program holds a file, or the disk fills. The note is saved in both tables or in
// neither, and where it is not, the message names the item and the file and says where the note is.
void TestNotes::aRefusedWriteKeepsTheNotePendingAndSaysWhere()
{
    QFETCH(bool, bankHeld);
    QFETCH(bool, examSetFull);
    QFETCH(bool, diskFullBetween);
    QFETCH(QString, said);
    QFETCH(QString, bankAfter);
    FullDisk disk;  // before the exam opens its tables
    startExam(1);
    goToItem(1);
    withNoteWindow([](TNoteForm& note) {
        type(note, "kept");
        note.Button1->click();
    });
    auto hold = [](const QString& file) {
        auto holder = std::make_unique<store::StandaloneTable>(file);
        holder->table.setExclusive(true);
        holder->table.open();
        holder->table.startTransaction();
        return holder;
    };
    std::unique_ptr<store::StandaloneTable> bankHolder;
    if (bankHeld)
        bankHolder = hold(store::BankFileName);
    if (examSetFull)
        disk.fill(store::CurrentSetFileName);
    bool bankEdited = false;
    QMetaObject::Connection between;
    if (diskFullBetween) {
        store::Table* bank = m_form->dtQSet;
        between = connect(bank, &store::Table::stateChanged, this, [&, bank] {
            if (bank->state() == store::DataSetState::Edit)
                bankEdited = true;
            else if (bankEdited)
                disk.fillAll();
        });
    }

    ScriptedPrompts prompts;
    prompts.answer(platform::PromptButton::Ok);
    withNoteWindow([&](TNoteForm& note) {
        type(note, "lost?");
        note.Button1->click();
        QCOMPARE(prompts.requests().size(), 1);
        QCOMPARE(prompts.requests().first().text, said.arg(m_form->dtCurrentSet->asInteger(Q_OR_NUMBER)));
        QCOMPARE(note.DBMemo1->toPlainText(), QString("lost?"));
        QVERIFY(note.Button1->isEnabled());
        QVERIFY(note.Button2->isEnabled());
    });
    disconnect(between);
    disk.makeRoom();
    if (bankHolder)
        bankHolder->table.rollback();
    bankHolder.reset();
    QCOMPARE(m_form->dtCurrentSet->asString(U_MEMO), QString("kept"));
    m_form->CloseCurrentExam();
    QCOMPARE(bankNote(1), bankAfter);
}

QTEST_MAIN(TestNotes)
#include "test_notes.moc"
