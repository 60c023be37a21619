#include "widgets/Actions.h"

#include <QAction>

namespace widgets {

QAction* makeAction(QObject* owner, const char* name, const QString& caption)
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace widgets
