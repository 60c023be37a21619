#include "results/TimeCounter.h"

#include "platform/ClockText.h"

#include <QTime>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace results {

namespace {

constexpr std::int64_t SecondsPerDay = 24 * 60 * 60;

}  // namespace

MonotonicTimeSource::MonotonicTimeSource()
{
    m_timer.start();
}

std::int64_t MonotonicTimeSource::nowMs() const
{
    return m_timer.elapsed();
}

bool MonotonicTimeSource::isMonotonic()
{
    return QElapsedTimer::isMonotonic();
}

QString clockText(std::int64_t seconds)
{
    seconds = std::max<std::int64_t>(seconds, 0);
    if (seconds < SecondsPerDay)
        return platform::formatClockTime(QTime(0, 0).addSecs(int(seconds)));
    // A time of day cannot hold a day or more; count the hours on.
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

std::int64_t secondsOfDayFraction(double days)
{
    if (!std::isfinite(days) || days <= 0)
        return 0;
    return std::llround(days * double(SecondsPerDay));
}

TKZTimeCounter::TKZTimeCounter(QObject* parent, std::shared_ptr<TimeSource> source)
    : QObject(parent),
      m_source(source ? std::move(source) : std::make_shared<MonotonicTimeSource>()),
      m_timer(new QTimer(this))
{
    m_timer->setInterval(1000);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TKZTimeCounter::OnTimer);
    m_startMs = m_source->nowMs();
}

TKZTimeCounter::~TKZTimeCounter() = default;

bool TKZTimeCounter::Enabled() const
{
    return m_timer->isActive();
}

void TKZTimeCounter::setEnabled(bool on)
{
    if (on == m_timer->isActive())
        return;
    if (on)
        m_timer->start();
    else
        m_timer->stop();
}

int TKZTimeCounter::Interval() const
{
    return m_timer->interval();
}

void TKZTimeCounter::setInterval(int ms)
{
    m_timer->setInterval(ms);
}

void TKZTimeCounter::setCounting(bool on)
{
    if (on == m_counting)
        return;
    if (on) {
        m_startMs = m_source->nowMs() - m_frozenSeconds * 1000;
    } else {
        m_frozenSeconds = elapsedSeconds();
    }
    m_counting = on;
}

void TKZTimeCounter::Restart()
{
    m_startMs = m_source->nowMs();
    m_frozenSeconds = 0;
    m_expiredSent = false;
    // A running timer starts its period again from here, so that every tick comes just after a
    // whole second of the new count. Started before the count, it would tick a hair early and
    // each tick would read one second less (and the limit would be noticed a tick late).
    if (m_timer->isActive())
        m_timer->start();
}

std::int64_t TKZTimeCounter::elapsedMs() const
{
    return std::max<std::int64_t>(m_source->nowMs() - m_startMs, 0);
}

std::int64_t TKZTimeCounter::elapsedSeconds() const
{
    return m_counting ? elapsedMs() / 1000 : m_frozenSeconds;
}

QString TKZTimeCounter::Elapsed() const
{
    return clockText(elapsedSeconds());
}

ClockReading TKZTimeCounter::countDown()
{
    ClockReading reading;
    reading.elapsedSeconds = elapsedSeconds();
    reading.remainingSeconds = std::max<std::int64_t>(m_limitSeconds - reading.elapsedSeconds, 0);
    reading.remainingText = clockText(reading.remainingSeconds);
    reading.reached = reading.elapsedSeconds >= m_limitSeconds;

    emit remainingChanged(reading.remainingText);
    if (reading.reached) {
        setEnabled(false);
        if (!m_expiredSent) {
            m_expiredSent = true;
            emit expired();
        }
    }
    return reading;
}

}  // namespace results
