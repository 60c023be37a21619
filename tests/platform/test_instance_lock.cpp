// The single-instance lock: the title taken from the executable's name, who gets the lock,
// what counts as a running instance, and the "come forward" request between instances.

#include "platform/SingleInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using platform::InstanceLock;

class TestInstanceLock : public QObject {
    Q_OBJECT
private slots:
    void titleFromExecutable_data();
    void titleFromExecutable();
    void firstTakesTheLockAndLaterOnesDoNot();
    void releasedLockCanBeTakenAgain();
    void oldLockOfALiveInstanceStillHolds();
    void differentTitlesAreDifferentLocks();
    void lockThatCannotBeCreatedCountsAsRunning();
    void noFolderCountsAsRunning();
    void laterInstanceAsksTheFirstToComeForward();
    void askingWithoutAListenerFails();
};

void TestInstanceLock::titleFromExecutable_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain lower case") << "/usr/local/bin/quizlore" << "quizlore";
    QTest::newRow("first kept, rest lowered") << "/opt/QuizLore" << "Quizlore";
    QTest::newRow("cut at the first dot") << "QUIZ.LORE.exe" << "Quiz";
    QTest::newRow("dot in the folder only") << "/opt/prep.2.0/QUIZLORE" << "Quizlore";
    QTest::newRow("no folder") << "quizlore2" << "quizlore2";
    QTest::newRow("single character") << "/bin/Q" << "Q";
    QTest::newRow("leading dot") << "/tmp/.quizlore" << "";
    QTest::newRow("first not a letter") << "/x/2QUIZ" << "2quiz";
    QTest::newRow("non-ASCII") << QString::fromUtf8("/x/ÜBUNG.bin") << QString::fromUtf8("Übung");
    QTest::newRow("at most 512 characters")
        << "/x/Q" + QString(600, QLatin1Char('Z')) << "Q" + QString(511, QLatin1Char('z'));
}

void TestInstanceLock::titleFromExecutable()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(platform::titleFromExecutable(path), title);
}

void TestInstanceLock::firstTakesTheLockAndLaterOnesDoNot()
{
    QTemporaryDir folder;
    InstanceLock first(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(first.isFirst());
    QCOMPARE(first.lockName(), QStringLiteral("PREVINST:Quizlore"));
    QVERIFY(QFileInfo::exists(first.lockFilePath()));

    InstanceLock second(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(!second.isFirst());
    InstanceLock third(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(!third.isFirst());
    // A refused start leaves the holder's lock alone.
    QVERIFY(first.isFirst());
    QVERIFY(QFileInfo::exists(first.lockFilePath()));
}

void TestInstanceLock::releasedLockCanBeTakenAgain()
{
    QTemporaryDir folder;
    {
        InstanceLock first(QStringLiteral("Quizlore"), folder.path());
        QVERIFY(first.isFirst());
    }
    InstanceLock next(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(next.isFirst());
    next.release();
    InstanceLock after(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(after.isFirst());
}

void TestInstanceLock::oldLockOfALiveInstanceStillHolds()
{
    // An instance that has run for an hour keeps its lock.
    QTemporaryDir folder;
    InstanceLock first(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(first.isFirst());
    QFile lockFile(first.lockFilePath());
    QVERIFY(lockFile.open(QIODevice::ReadWrite));
    const QDateTime anHourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    QVERIFY(lockFile.setFileTime(anHourAgo, QFileDevice::FileModificationTime));
    lockFile.close();
    InstanceLock later(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(!later.isFirst());
}

void TestInstanceLock::differentTitlesAreDifferentLocks()
{
    QTemporaryDir folder;
    InstanceLock one(QStringLiteral("Quizlore"), folder.path());
    InstanceLock other(QStringLiteral("Quizlore2"), folder.path());
    QVERIFY(one.isFirst());
    QVERIFY(other.isFirst());
}

void TestInstanceLock::lockThatCannotBeCreatedCountsAsRunning()
{
    // Something that is no lock file sits under the lock's name.
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("PREVINST:Quizlore.lock")));
    InstanceLock lock(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(!lock.isFirst());
    QVERIFY(!lock.listen());
}

void TestInstanceLock::noFolderCountsAsRunning()
{
    InstanceLock lock(QStringLiteral("Quizlore"), QString());
    QVERIFY(!lock.isFirst());
    QVERIFY(!lock.askToComeForward(200));
}

void TestInstanceLock::laterInstanceAsksTheFirstToComeForward()
{
    QTemporaryDir folder;
    InstanceLock first(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(first.listen());
    QSignalSpy asked(&first, &InstanceLock::comeForwardRequested);

    InstanceLock second(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(!second.isFirst());
    QVERIFY(second.askToComeForward());
    QTRY_COMPARE(asked.count(), 1);
    QVERIFY(second.askToComeForward());
    QTRY_COMPARE(asked.count(), 2);

    // A lock of another name (here: another folder) does not reach this instance.
    QTemporaryDir elsewhere;
    InstanceLock stranger(QStringLiteral("Quizlore"), elsewhere.path());
    QVERIFY(stranger.isFirst());
    QVERIFY(!stranger.askToComeForward(300));
    QTest::qWait(100);
    QCOMPARE(asked.count(), 2);
}

void TestInstanceLock::askingWithoutAListenerFails()
{
    QTemporaryDir folder;
    InstanceLock first(QStringLiteral("Quizlore"), folder.path());
    InstanceLock second(QStringLiteral("Quizlore"), folder.path());
    QVERIFY(!second.askToComeForward(300));
}

QTEST_MAIN(TestInstanceLock)
#include "test_instance_lock.moc"
