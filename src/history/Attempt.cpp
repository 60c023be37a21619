#include "history/Attempt.h"

#include <QUuid>

namespace history {

QString newAttemptKey()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

}  // namespace history
