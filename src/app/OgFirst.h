#pragma once
// The single-instance guard. The lock is taken once, before the main sequence, under the
// name "PREVINST:" followed by the title derived from the executable's file name; it is
// held until the program ends. A later start of the same executable finds it held, asks the
// running instance to come forward and ends without a window.

namespace platform {
class InstanceLock;
}

// Takes the instance lock and sets the first-instance flag. `argv0` names the executable
// when the system cannot tell it otherwise.
void CreateInstanceLock(const char* argv0);
// True when this process holds the lock. False also when the lock could not be created.
bool InstanceIsFirst();
// Asks the running instance to bring its windows forward; silent when that fails.
void ShowRunningInstance();
// Closes the lock; done once at program exit.
void ReleaseInstanceLock();
// The lock of this process (nullptr before CreateInstanceLock and after release).
platform::InstanceLock* InstanceLockObject();
