#include "platform/LineBreaks.h"

namespace platform {

QString unifiedLineBreaks(const QString& text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return unified;
}

}  // namespace platform
