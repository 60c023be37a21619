#pragma once
// The exam clock's counter TKZTimeCounter: a one-second timer and, independent of it, a count of
// the time elapsed since the exam began, plus the countdown against the time limit that the
// exam window's tick handler shows.
//
// Elapsed time is read from a monotonic clock through a small TimeSource, never from the wall
// clock: a daylight-saving switch or a time synchronisation neither adds nor removes time.
// Tests give the counter a ManualTimeSource and set the time by hand.

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class QTimer;

namespace results {

// Milliseconds elapsed on a clock that only runs forward at a steady rate, from any origin.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual std::int64_t nowMs() const = 0;
};

// The machine's monotonic clock (QElapsedTimer).
class MonotonicTimeSource : public TimeSource {
public:
    MonotonicTimeSource();
    std::int64_t nowMs() const override;
    // Whether this platform's QElapsedTimer really is monotonic.
    static bool isMonotonic();

private:
    QElapsedTimer m_timer;
};

// A clock that stands still until it is set or advanced; for tests.
class ManualTimeSource : public TimeSource {
public:
    std::int64_t nowMs() const override { return m_now; }
    void setNowMs(std::int64_t ms) { m_now = ms; }
    void advanceMs(std::int64_t ms) { m_now += ms; }
    void advanceSeconds(std::int64_t seconds) { m_now += seconds * 1000; }

private:
    std::int64_t m_now = 0;
};

// A duration in whole seconds as the clock shows it: "H:mm:ss" ("1:30:00", "10:00:00",
// "0:00:59"); negative durations show as "0:00:00".
QString clockText(std::int64_t seconds);
// A time limit given as a fraction of a day (minutes / 1440) in whole seconds.
std::int64_t secondsOfDayFraction(double days);

// What one tick of the countdown found.
struct ClockReading {
    std::int64_t elapsedSeconds = 0;    // whole seconds since the count began
    std::int64_t remainingSeconds = 0;  // limit minus elapsed, never below 0
    QString remainingText;              // clockText(remainingSeconds)
    bool reached = false;               // elapsed has reached the limit
};

class TKZTimeCounter : public QObject {
    Q_OBJECT
public:
    // Without a source the counter reads the machine's monotonic clock. Counting is on and the
    // count starts now; the timer is off with an interval of 1000 ms.
    explicit TKZTimeCounter(QObject* parent = nullptr, std::shared_ptr<TimeSource> source = {});
    ~TKZTimeCounter() override;

    // Timer part: ticks (OnTimer) come every Interval ms while Enabled is on.
    bool Enabled() const;
    void setEnabled(bool on);
    int Interval() const;
    void setInterval(int ms);

    // Counting part, independent of the timer.
    bool Counting() const { return m_counting; }
    // Off freezes the count at its whole seconds; on again resumes from there.
    void setCounting(bool on);
    // The count starts again from zero now; a running timer starts its period again with it.
    void Restart();
    // The elapsed time in whole seconds (frozen while counting is off).
    std::int64_t elapsedSeconds() const;
    // The elapsed time as a clock text.
    QString Elapsed() const;
    // Stores the text; it has no effect on the count (kept for the component's interface).
    void setElapsed(const QString& text) { m_writtenElapsed = text; }

    // Countdown against a time limit in whole seconds (0 until set).
    void setTimeLimitSeconds(std::int64_t seconds) { m_limitSeconds = seconds; }
    // The exam window's form: minutes / 1440 (90 minutes are 0.0625).
    void setTimeLimit(double days) { m_limitSeconds = secondsOfDayFraction(days); }
    std::int64_t timeLimitSeconds() const { return m_limitSeconds; }
    // The label's text at the start: the whole limit ("1:30:00").
    QString limitText() const { return clockText(m_limitSeconds); }

    // One tick of the countdown: reads the elapsed time, emits remainingChanged with the time
    // left, and when the limit is reached switches the timer off and emits expired, once per
    // count (Restart arms it again). A tick later than the limit shows "0:00:00".
    ClockReading countDown();

signals:
    // The timer's tick.
    void OnTimer();
    // The time left after a countdown tick, as the label should show it.
    void remainingChanged(const QString& text);
    // The limit is reached; the timer is already off.
    void expired();

private:
    std::int64_t elapsedMs() const;

    std::shared_ptr<TimeSource> m_source;
    QTimer* m_timer;
    bool m_counting = true;
    std::int64_t m_startMs = 0;
    std::int64_t m_frozenSeconds = 0;
    std::int64_t m_limitSeconds = 0;
    bool m_expiredSent = false;
    QString m_writtenElapsed;
};

}  // namespace results
