// The exam clock's counter: counting with a hand-set clock, the countdown, expiry and the timer.

#include "results/TimeCounter.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace results;

namespace {

// A counter on a hand-set clock that stands at `startMs` when the count begins.
struct ClockFixture {
    std::shared_ptr<ManualTimeSource> source = std::make_shared<ManualTimeSource>();
    TKZTimeCounter counter{nullptr, source};
    QStringList events;  // what the counter emitted, in order

    explicit ClockFixture(std::int64_t startMs = 5'000'000)
    {
        source->setNowMs(startMs);
        counter.Restart();
        QObject::connect(&counter, &TKZTimeCounter::remainingChanged,
                         [this](const QString& text) { events << text; });
        QObject::connect(&counter, &TKZTimeCounter::expired,
                         [this] { events << QStringLiteral("expired"); });
    }
};

}  // namespace

class TestTimeCounter : public QObject {
    Q_OBJECT

private slots:
    void startsOffAndCounting();

    void clockTexts_data();
    void clockTexts();
    void limitsFromDayFractions();

    void countsWholeSecondsOfTheSource();
    void freezesAndResumes();
    void writtenElapsedTextDoesNotCount();

    void countsDownAOneMinuteLimit();
    void lateTickShowsZeroAndExpiresOnce();
    void restartGivesTheFullLimitAgain();
    void limitTexts_data();
    void limitTexts();

    void readsAMonotonicClock();
    void ticksOnlyWhileEnabled();
    void restartAlignsTheTicksWithTheCount();
};

void TestTimeCounter::startsOffAndCounting()
{
    TKZTimeCounter counter;
    QVERIFY(!counter.Enabled());
    QCOMPARE(counter.Interval(), 1000);
    QVERIFY(counter.Counting());
    QCOMPARE(counter.Elapsed(), QStringLiteral("0:00:00"));
}

void TestTimeCounter::clockTexts_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << qint64(0) << "0:00:00";
    QTest::newRow("59 seconds") << qint64(59) << "0:00:59";
    QTest::newRow("one minute") << qint64(60) << "0:01:00";
    QTest::newRow("90 minutes") << qint64(5400) << "1:30:00";
    QTest::newRow("600 minutes") << qint64(36000) << "10:00:00";
    QTest::newRow("last second of a day") << qint64(86399) << "23:59:59";
    QTest::newRow("a day") << qint64(86400) << "24:00:00";
    QTest::newRow("more than a day") << qint64(90061) << "25:01:01";
    QTest::newRow("negative") << qint64(-5) << "0:00:00";
}

void TestTimeCounter::clockTexts()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(clockText(seconds), text);
}

void TestTimeCounter::limitsFromDayFractions()
{
    // The begin-exam dialog stores minutes / 1440; every minute count must come back whole.
    for (int minutes = 1; minutes <= 600; ++minutes)
        QCOMPARE(secondsOfDayFraction(minutes / 1440.0), std::int64_t(minutes) * 60);
    QCOMPARE(secondsOfDayFraction(0.0625), std::int64_t(5400));
    QCOMPARE(secondsOfDayFraction(0), std::int64_t(0));
    QCOMPARE(secondsOfDayFraction(-1), std::int64_t(0));
    QCOMPARE(secondsOfDayFraction(std::nan("")), std::int64_t(0));
}

void TestTimeCounter::countsWholeSecondsOfTheSource()
{
    ClockFixture f;
    QCOMPARE(f.counter.elapsedSeconds(), std::int64_t(0));
    f.source->advanceMs(999);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:00"));
    f.source->advanceMs(1);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:01"));
    f.source->advanceMs(58'999);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:59"));
    f.source->advanceSeconds(5340);  // 5399.999 s
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("1:29:59"));

    f.counter.Restart();
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:00"));
    f.source->advanceSeconds(3);
    QCOMPARE(f.counter.elapsedSeconds(), std::int64_t(3));

    // A source that stepped back never gives a negative count.
    f.source->advanceSeconds(-10);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:00"));
}

void TestTimeCounter::freezesAndResumes()
{
    ClockFixture f;
    f.source->advanceMs(12'700);
    f.counter.setCounting(false);
    QVERIFY(!f.counter.Counting());
    f.source->advanceSeconds(100);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:12"));

    // Resumes from the frozen whole seconds, not from where the source stands.
    f.counter.setCounting(true);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:12"));
    f.source->advanceSeconds(3);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:15"));

    // Switching on while on changes nothing.
    f.counter.setCounting(true);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:15"));

    // Restart while frozen: zero, and it stays zero until counting resumes.
    f.counter.setCounting(false);
    f.counter.Restart();
    f.source->advanceSeconds(7);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:00"));
    f.counter.setCounting(true);
    f.source->advanceSeconds(2);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:02"));
}

void TestTimeCounter::writtenElapsedTextDoesNotCount()
{
    ClockFixture f;
    f.source->advanceSeconds(30);
    f.counter.setElapsed(QStringLiteral("5:00:00"));
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:30"));
    f.counter.setCounting(false);
    QCOMPARE(f.counter.Elapsed(), QStringLiteral("0:00:30"));
}

void TestTimeCounter::countsDownAOneMinuteLimit()
{
    ClockFixture f;
    f.counter.setTimeLimit(1 / 1440.0);
    QCOMPARE(f.counter.limitText(), QStringLiteral("0:01:00"));
    f.counter.setEnabled(true);

    // Ticks arrive a little after each whole second.
    for (int second = 1; second < 60; ++second) {
        f.source->advanceMs(second == 1 ? 1003 : 1000);
        const ClockReading reading = f.counter.countDown();
        QCOMPARE(reading.elapsedSeconds, std::int64_t(second));
        QCOMPARE(reading.remainingSeconds, std::int64_t(60 - second));
        QVERIFY(!reading.reached);
        QVERIFY(f.counter.Enabled());
    }
    QCOMPARE(f.events.first(), QStringLiteral("0:00:59"));
    QCOMPARE(f.events.last(), QStringLiteral("0:00:01"));
    QVERIFY(!f.events.contains(QStringLiteral("expired")));

    // The tick that shows 0:00:00 switches the timer off, then reports the expiry.
    f.events.clear();
    f.source->advanceMs(1000);
    const ClockReading last = f.counter.countDown();
    QVERIFY(last.reached);
    QCOMPARE(last.remainingText, QStringLiteral("0:00:00"));
    QCOMPARE(f.events, (QStringList{QStringLiteral("0:00:00"), QStringLiteral("expired")}));
    QVERIFY(!f.counter.Enabled());
}

void TestTimeCounter::lateTickShowsZeroAndExpiresOnce()
{
    ClockFixture f;
    f.counter.setTimeLimitSeconds(60);
    f.counter.setEnabled(true);
    QSignalSpy expired(&f.counter, &TKZTimeCounter::expired);

    f.source->advanceSeconds(75);  // busy printing, say
    const ClockReading reading = f.counter.countDown();
    QCOMPARE(reading.elapsedSeconds, std::int64_t(75));
    QCOMPARE(reading.remainingSeconds, std::int64_t(0));
    QCOMPARE(reading.remainingText, QStringLiteral("0:00:00"));
    QCOMPARE(expired.count(), 1);
    QVERIFY(!f.counter.Enabled());

    // A tick that was already on its way, or the timer switched on again without a new count.
    f.source->advanceSeconds(1);
    f.counter.countDown();
    f.counter.setEnabled(true);
    f.counter.countDown();
    QCOMPARE(expired.count(), 1);
    QVERIFY(!f.counter.Enabled());
}

void TestTimeCounter::restartGivesTheFullLimitAgain()
{
    ClockFixture f;
    f.counter.setTimeLimitSeconds(10);
    QSignalSpy expired(&f.counter, &TKZTimeCounter::expired);
    f.source->advanceSeconds(10);
    f.counter.countDown();
    QCOMPARE(expired.count(), 1);

    f.counter.setEnabled(true);
    f.counter.Restart();
    f.source->advanceSeconds(4);
    QCOMPARE(f.counter.countDown().remainingText, QStringLiteral("0:00:06"));
    QVERIFY(f.counter.Enabled());
    f.source->advanceSeconds(6);
    QVERIFY(f.counter.countDown().reached);
    QCOMPARE(expired.count(), 2);
}

void TestTimeCounter::limitTexts_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("text");
    QTest::newRow("shortest") << 1 << "0:01:00";
    QTest::newRow("90 minutes") << 90 << "1:30:00";
    QTest::newRow("longest") << 600 << "10:00:00";
}

void TestTimeCounter::limitTexts()
{
    QFETCH(int, minutes);
    QFETCH(QString, text);
    ClockFixture f;
    f.counter.setTimeLimit(minutes / 1440.0);
    QCOMPARE(f.counter.limitText(), text);
    f.source->advanceSeconds(1);
    QCOMPARE(f.counter.countDown().remainingSeconds, std::int64_t(minutes) * 60 - 1);
}

void TestTimeCounter::readsAMonotonicClock()
{
    // The production source must not follow the wall clock, so that setting the system time
    // or a daylight-saving switch cannot add or remove time from an exam.
    QVERIFY(MonotonicTimeSource::isMonotonic());
    MonotonicTimeSource source;
    const std::int64_t before = source.nowMs();
    QTest::qWait(20);
    QVERIFY(source.nowMs() >= before + 15);
}

void TestTimeCounter::ticksOnlyWhileEnabled()
{
    TKZTimeCounter counter;
    QSignalSpy ticks(&counter, &TKZTimeCounter::OnTimer);
    counter.setInterval(10);
    QTest::qWait(50);
    QCOMPARE(ticks.count(), 0);

    counter.setEnabled(true);
    QVERIFY(counter.Enabled());
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 2, 2000);

    counter.setEnabled(false);
    const int seen = ticks.count();
    QTest::qWait(50);
    QCOMPARE(ticks.count(), seen);
}

void TestTimeCounter::restartAlignsTheTicksWithTheCount()
{
    // The exam window switches the timer on and then restarts the count. The ticks must follow
    // the count, or each one would read the second before.
    TKZTimeCounter counter;
    auto* timer = counter.findChild<QTimer*>();
    QVERIFY(timer);
    counter.setEnabled(true);
    QTest::qWait(300);
    counter.Restart();
    QVERIFY2(timer->remainingTime() > 900, qPrintable(QString::number(timer->remainingTime())));
    QVERIFY(counter.Enabled());

    // A stopped timer stays stopped.
    counter.setEnabled(false);
    counter.Restart();
    QVERIFY(!counter.Enabled());
}

QTEST_GUILESS_MAIN(TestTimeCounter)
#include "test_time_counter.moc"
