#pragma once
// Starting another program on its own: the program runs detached from ours, and we never wait
// for it to end.

#include <QString>

namespace platform {

// Starts the program file at `program` without arguments, in the current directory and with
// the current environment, as a process of its own that outlives ours. Returns 0 when the
// program was started, else the system's error number (errno) of the failed start, for
// instance ENOENT for a script whose interpreter does not exist. The call waits only until
// the new process has replaced itself with the program, never for the program itself.
int startDetachedProgram(const QString& program);

}  // namespace platform
