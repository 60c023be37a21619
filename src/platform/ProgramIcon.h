#pragma once
// The icon of an installed program, as the desktop shows it: the Icon of the desktop entry
// (a ".desktop" file under the XDG data folders' "applications") whose Exec starts the program.

#include <QIcon>
#include <QString>
#include <QStringList>

namespace platform {

// The Icon value of the first desktop entry under `applicationFolders` (searched in order,
// each with its subfolders, by file name) whose Exec command names a program with the same
// file name as `program`; an empty text when there is none.
QString desktopEntryIconName(const QString& program, const QStringList& applicationFolders);

// The icon of `program`: its desktop entry's icon (a theme name or a file path), else the
// theme's "accessories-calculator"; a null icon when neither is found.
QIcon calculatorIcon(const QString& program);

}  // namespace platform
