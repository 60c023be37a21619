#include "app/OgFirst.h"

#include "platform/SingleInstance.h"

#include <memory>

namespace {

std::unique_ptr<platform::InstanceLock> lock;
bool first = false;

}  // namespace

void CreateInstanceLock(const char* argv0)
{
    if (lock)
        return;
    const QString title = platform::titleFromExecutable(platform::currentExecutablePath(argv0));
    lock = std::make_unique<platform::InstanceLock>(title);
    first = lock->isFirst();
}

bool InstanceIsFirst()
{
    return first;
}

void ShowRunningInstance()
{
    platform::traceInstance("second instance: asking the running one to come forward");
    if (lock)
        lock->askToComeForward();
}

void ReleaseInstanceLock()
{
    lock.reset();
}

platform::InstanceLock* InstanceLockObject()
{
    return lock.get();
}
