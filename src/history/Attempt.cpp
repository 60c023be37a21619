#include "history/Attempt.h"

#include "store/ExamKinds.h"

#include <QUuid>

namespace history {

QString newAttemptKey()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString examKindIdOfTitle(const QString& title)
{
    if (const store::ExamKind* kind = store::examKindByTitle(title))
        return kind->id;
    return QStringLiteral("title:") + title;
}

QString durationText(int seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace history
