// The one lock-wait rule of every file the program writes: while another program holds a file,
// a table component, a record copy and the study history wait for it (LockRetryCount tries,
// LockWaitTime apart) and go on once it is let go; after the last try they fail with an error
// that names the file.

#include "history/HistoryStore.h"
#include "store/RecordCopy.h"
#include "store/StandaloneTable.h"
#include "store/StoreError.h"
#include "support/FileLocks.h"
#include "support/Fixtures.h"
#include "support/GradedAttempt.h"
#include "support/TempDir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSemaphore>
#include <QTest>

#include <chrono>
#include <functional>
#include <thread>

using namespace store;
using namespace testsupport;

namespace {

// Another program that takes `file`, holds it for `holdFor` and lets it go. Constructing it
// returns once the file is held.
class LockHeldFor {
public:
    LockHeldFor(const QString& file, std::chrono::milliseconds holdFor)
    {
        m_thread = std::thread([this, file, holdFor] {
            OtherProgramLock lock(file);
            m_held.release();
            std::this_thread::sleep_for(holdFor);
        });
        m_held.acquire();
    }
    ~LockHeldFor() { m_thread.join(); }
    LockHeldFor(const LockHeldFor&) = delete;
    LockHeldFor& operator=(const LockHeldFor&) = delete;

private:
    QSemaphore m_held;
    std::thread m_thread;
};

int examOne(int) { return 1; }
int sectionOne(int) { return 1; }

history::Attempt attemptOf(int n)
{
    history::ItemResult item;
    item.sourceId = 1;
    item.section = 1;
    item.question = QStringLiteral("Question 1");
    item.answered = item.correct = true;
    return gradedAttempt(n, {item}, QDateTime(QDate(2026, 11, 2), QTime(9, n)), QStringLiteral("Practice Exam A"));
}

const char* const FileNames[] = {"qbank2.DAT", "ces.DAT", "history.DAT"};

// The files every case starts from, made once (keying a file takes a while): a bank of three
// items, an empty exam set and a history of one attempt.
void makeFiles(const QString& folder)
{
    TempDirCwd dir;
    makeBank("qbank2.DAT", 3, examOne, sectionOne);
    makeTable("ces.DAT", TableKind::Current, {});
    history::HistoryStore().record(attemptOf(1));
    for (const char* name : FileNames)
        QFile::copy(name, QDir(folder).filePath(name));
}

// The files of one case, the two tables open, and a copy from the bank to the exam set.
struct Files {
    TempDirCwd dir;
    std::unique_ptr<StandaloneTable> bank;
    std::unique_ptr<StandaloneTable> examSet;
    std::unique_ptr<RecordCopy> copy;

    explicit Files(const QString& made)
    {
        for (const char* name : FileNames)
            QFile::copy(QDir(made).filePath(name), name);
        bank = std::make_unique<StandaloneTable>("qbank2.DAT");
        examSet = std::make_unique<StandaloneTable>("ces.DAT");
        bank->table.open();
        examSet->table.open();
        copy = std::make_unique<RecordCopy>(bank->table, examSet->table,
                                            std::vector<CopiedField>{{"Q_TEXT", "Q_TEXT", FieldType::Text}});
    }
};

struct Writer {
    const char* name;
    const char* lockedFile;
    std::function<void(Files&)> write;
    bool tableSettings = true;  // waits as its table components' LockRetryCount and LockWaitTime say
};

const Writer Writers[] = {
    {"table post", "qbank2.DAT",
     [](Files& f) {
         f.bank->table.edit();
         f.bank->table.setValue("U_MEMO", "note");
         f.bank->table.post();
     }},
    {"table open", "qbank2.DAT",
     [](Files& f) {
         f.bank->table.close();
         f.bank->table.open();
     }},
    {"table transaction", "ces.DAT",
     [](Files& f) {
         f.examSet->table.startTransaction();
         f.examSet->table.commit();
     }},
    {"record copy, reading the source", "qbank2.DAT", [](Files& f) { QVERIFY(f.copy->append(2)); }},
    {"record copy, writing the target", "ces.DAT", [](Files& f) { QVERIFY(f.copy->append(2)); }},
    {"history recording", "history.DAT", [](Files&) { history::HistoryStore().record(attemptOf(2)); }, false},
};

void addWriterRows(bool withTableSettingsOnly)
{
    QTest::addColumn<int>("writer");
    for (int i = 0; i < int(std::size(Writers)); ++i)
        if (Writers[i].tableSettings || !withTableSettingsOnly)
            QTest::newRow(Writers[i].name) << i;
}

}  // namespace

class TestLockWait : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { makeFiles(m_made.path()); }

    // The other program lets go well within the 15 tries of 100 ms: the write gets in.
    void writersWaitForAnotherProgram_data() { addWriterRows(false); }
    void writersWaitForAnotherProgram()
    {
        QFETCH(int, writer);
        Files files(m_made.path());
        LockHeldFor other(Writers[writer].lockedFile, std::chrono::milliseconds(300));
        Writers[writer].write(files);  // an error fails the test with its message
    }

    // The tables' own settings hold, for their cursors and for a copy between them, and the
    // error names the file that is held.
    void tablesGiveUpAfterTheirTries_data() { addWriterRows(true); }
    void tablesGiveUpAfterTheirTries()
    {
        QFETCH(int, writer);
        Files files(m_made.path());
        for (StandaloneTable* t : {files.bank.get(), files.examSet.get()}) {
            t->table.setLockRetryCount(3);
            t->table.setLockWaitTime(50);
        }
        OtherProgramLock other(Writers[writer].lockedFile);
        QElapsedTimer clock;
        clock.start();
        QString error;
        try {
            Writers[writer].write(files);
        } catch (const StoreError& e) {
            error = e.message();
        }
        const qint64 waited = clock.elapsed();
        QVERIFY2(error.contains(Writers[writer].lockedFile) && error.contains("locked by another program"),
                 qPrintable(error));
        QVERIFY2(waited >= 150, qPrintable(QString::number(waited)));
        QVERIFY2(waited < 1400, qPrintable(QString::number(waited)));  // not the default 15 tries
    }

private:
    QTemporaryDir m_made;
};

QTEST_GUILESS_MAIN(TestLockWait)
#include "test_lock_wait.moc"
