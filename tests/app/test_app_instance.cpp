// One instance per executable: the real program is started twice, under the offscreen
// platform, with its lock in a private runtime folder. The program's instance trace
// (QUIZLORE_TRACE_INSTANCE=1) tells what each process did.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString Program = QStringLiteral(QUIZLORE_EXECUTABLE);

// One started program, with everything it wrote to standard error.
class Started {
public:
    Started(const QString& program, const QString& runtimeDir, const QString& workDir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), workDir + QStringLiteral("/config"));
        env.insert(QStringLiteral("QUIZLORE_TRACE_INSTANCE"), QStringLiteral("1"));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(workDir);
        m_process.setProgram(program);
        QObject::connect(&m_process, &QProcess::readyReadStandardError, [this] {
            m_errors += QString::fromLocal8Bit(m_process.readAllStandardError());
        });
        m_process.start();
    }
    ~Started()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QProcess& process() { return m_process; }
    QString errors()
    {
        m_errors += QString::fromLocal8Bit(m_process.readAllStandardError());
        return m_errors;
    }
    bool said(const QString& line) { return errors().contains(QStringLiteral("]: ") + line); }
    // Waits until the program has shown its launcher and listens for later instances.
    bool waitUntilUp(int ms = 30000)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms && m_process.state() != QProcess::NotRunning) {
            if (said(QStringLiteral("listening")))
                return true;
            m_process.waitForReadyRead(100);
        }
        return said(QStringLiteral("listening"));
    }

private:
    QProcess m_process;
    QString m_errors;
};

}  // namespace

class TestAppInstance : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void secondStartOnlyBringsTheFirstForward();
    void executablesOfOtherNames_data();
    void executablesOfOtherNames();
    void aCrashedInstanceLeavesNoLockBehind();
    void lockThatCannotBeTakenEndsTheProgram();

private:
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QTemporaryDir> m_work;
};

void TestAppInstance::init()
{
    m_runtime = std::make_unique<QTemporaryDir>();
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtime->isValid() && m_work->isValid());
}

void TestAppInstance::cleanup()
{
    m_work.reset();
    m_runtime.reset();
}

void TestAppInstance::secondStartOnlyBringsTheFirstForward()
{
    Started first(Program, m_runtime->path(), m_work->path());
    QVERIFY2(first.waitUntilUp(), qPrintable(first.errors()));
    QVERIFY(first.said(QStringLiteral("first instance")));
    QVERIFY(QFileInfo::exists(m_runtime->filePath(QStringLiteral("PREVINST:quizlore.lock"))));

    QElapsedTimer clock;
    clock.start();
    Started second(Program, m_runtime->path(), m_work->path());
    QVERIFY(second.process().waitForFinished(20000));
    QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process().exitCode(), 0);
    QVERIFY2(clock.elapsed() < 15000, "the second start should end at once");
    QVERIFY2(second.said(QStringLiteral("lock held by a running instance")),
             qPrintable(second.errors()));
    QVERIFY(second.said(QStringLiteral("second instance: asking the running one to come forward")));
    QVERIFY(!second.said(QStringLiteral("windows created")));

    QTRY_VERIFY_WITH_TIMEOUT(first.said(QStringLiteral("asked to come forward")), 10000);
    QCOMPARE(first.process().state(), QProcess::Running);
    // The first holds its lock still.
    QVERIFY(QFileInfo::exists(m_runtime->filePath(QStringLiteral("PREVINST:quizlore.lock"))));
}

void TestAppInstance::executablesOfOtherNames_data()
{
    QTest::addColumn<QString>("copyName");
    QTest::addColumn<bool>("bothRun");
    QTest::newRow("other name") << "examprep" << true;
    QTest::newRow("other letter case") << "QUIZLORE" << true;
    QTest::newRow("same name before the first dot") << "quizlore.copy" << false;
}

void TestAppInstance::executablesOfOtherNames()
{
    QFETCH(QString, copyName);
    QFETCH(bool, bothRun);
    const QString copy = m_work->filePath(QStringLiteral("bin/") + copyName);
    QVERIFY(QDir(m_work->path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QFile::copy(Program, copy));
    QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    Started original(Program, m_runtime->path(), m_work->path());
    QVERIFY2(original.waitUntilUp(), qPrintable(original.errors()));
    Started other(copy, m_runtime->path(), m_work->path());
    if (bothRun) {
        QVERIFY2(other.waitUntilUp(), qPrintable(other.errors()));
        QVERIFY(other.said(QStringLiteral("first instance")));
        QCOMPARE(original.process().state(), QProcess::Running);
        QVERIFY(!original.said(QStringLiteral("asked to come forward")));
    } else {
        QVERIFY(other.process().waitForFinished(20000));
        QCOMPARE(other.process().exitCode(), 0);
        QVERIFY(!other.said(QStringLiteral("windows created")));
        QTRY_VERIFY_WITH_TIMEOUT(original.said(QStringLiteral("asked to come forward")), 10000);
    }
}

void TestAppInstance::aCrashedInstanceLeavesNoLockBehind()
{
    {
        Started crashed(Program, m_runtime->path(), m_work->path());
        QVERIFY2(crashed.waitUntilUp(), qPrintable(crashed.errors()));
        crashed.process().kill();
        QVERIFY(crashed.process().waitForFinished(5000));
    }
    Started next(Program, m_runtime->path(), m_work->path());
    QVERIFY2(next.waitUntilUp(), qPrintable(next.errors()));
    QVERIFY(next.said(QStringLiteral("first instance")));
}

void TestAppInstance::lockThatCannotBeTakenEndsTheProgram()
{
    // Something that is no lock file occupies the lock's name.
    QVERIFY(QDir(m_runtime->path()).mkdir(QStringLiteral("PREVINST:quizlore.lock")));
    Started blocked(Program, m_runtime->path(), m_work->path());
    QVERIFY(blocked.process().waitForFinished(20000));
    QCOMPARE(blocked.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(blocked.process().exitCode(), 0);
    QVERIFY(!blocked.said(QStringLiteral("windows created")));
    QVERIFY(blocked.said(QStringLiteral("lock held by a running instance")));
}

QTEST_GUILESS_MAIN(TestAppInstance)
#include "test_app_instance.moc"
