#include "platform/ClockText.h"

namespace platform {

namespace {

QString& morning()
{
    static QString text = QStringLiteral("AM");
    return text;
}

QString& afternoon()
{
    static QString text = QStringLiteral("PM");
    return text;
}

const QString ClockFormat = QStringLiteral("H:mm:ss");

}  // namespace

void setTimeDesignators(const QString& morningText, const QString& afternoonText)
{
    morning() = morningText;
    afternoon() = afternoonText;
}

QString morningDesignator()
{
    return morning();
}

QString afternoonDesignator()
{
    return afternoon();
}

QString formatClockTime(const QTime& time)
{
    return time.toString(ClockFormat);
}

QTime parseClockTime(const QString& text)
{
    return QTime::fromString(text.trimmed(), ClockFormat);
}

}  // namespace platform
