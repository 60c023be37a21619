#pragma once
// Folders that the program takes from the system.

#include <QString>

namespace platform {

// The folder of the system's own programs, where the default calculator is looked for.
QString systemProgramFolder();

}  // namespace platform
