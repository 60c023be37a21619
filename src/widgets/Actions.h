#pragma once
// Menu and tool bar commands of the program's windows.

#include <QString>

class QAction;
class QObject;

namespace widgets {

// A command owned by `owner`, with the object name `name` (so tests and the window's code find
// it by the name it has in the design) and the caption `caption`, mnemonic included.
QAction* makeAction(QObject* owner, const char* name, const QString& caption);

}  // namespace widgets
