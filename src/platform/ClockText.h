#pragma once
// Time-of-day texts of the exam clock. One process-wide pair of designators for morning and
// afternoon times is used wherever a time is formatted or parsed in 12-hour form; the clock
// itself writes and reads the 24-hour form "H:mm:ss", so that both directions always agree.

#include <QString>
#include <QTime>

namespace platform {

void setTimeDesignators(const QString& morning, const QString& afternoon);
QString morningDesignator();
QString afternoonDesignator();

// "H:mm:ss", for instance "1:30:00".
QString formatClockTime(const QTime& time);
// The reverse of formatClockTime; an invalid QTime when the text is not such a time.
QTime parseClockTime(const QString& text);

}  // namespace platform
