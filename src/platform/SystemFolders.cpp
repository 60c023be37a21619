#include "platform/SystemFolders.h"

namespace platform {

QString systemProgramFolder()
{
    return QStringLiteral("/usr/bin");
}

}  // namespace platform
