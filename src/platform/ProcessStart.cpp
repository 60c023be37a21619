#include "platform/ProcessStart.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

// Writes the whole of `value` to `fd`; used between fork and exec, so only system calls.
void writeErrorNumber(int fd, int value)
{
    const char* bytes = reinterpret_cast<const char*>(&value);
    size_t left = sizeof value;
    while (left > 0) {
        const ssize_t written = ::write(fd, bytes, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes += written;
        left -= size_t(written);
    }
}

// Reads an error number from `fd`; 0 when the other end closed without writing one.
int readErrorNumber(int fd)
{
    int value = 0;
    char* bytes = reinterpret_cast<char*>(&value);
    size_t got = 0;
    while (got < sizeof value) {
        const ssize_t n = ::read(fd, bytes + got, sizeof value - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += size_t(n);
    }
    return got == sizeof value ? value : 0;
}

}  // namespace

int startDetachedProgram(const QString& program)
{
    const QByteArray path = program.toLocal8Bit();
    char* const argv[] = {const_cast<char*>(path.constData()), nullptr};

    // The grandchild reports a failed exec through this pipe; a successful exec closes it
    // (close-on-exec), which the parent reads as success.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return errno;

    // Two forks: the middle process ends at once, so the program is adopted by init and
    // leaves no zombie behind in our process.
    const pid_t middle = ::fork();
    if (middle < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (middle == 0) {
        ::close(report[0]);
        const pid_t program = ::fork();
        if (program < 0) {
            writeErrorNumber(report[1], errno);
            ::_exit(1);
        }
        if (program == 0) {
            ::setsid();  // its own session: our terminal's signals do not reach it
            ::execve(argv[0], argv, environ);
            writeErrorNumber(report[1], errno);
            ::_exit(127);
        }
        ::_exit(0);
    }

    ::close(report[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    const int error = readErrorNumber(report[0]);
    ::close(report[0]);
    return error;
}

}  // namespace platform
