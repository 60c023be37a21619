#pragma once
// The per-user single-instance lock and the "come forward" request between instances.
//
// The lock is a lock file named "PREVINST:" followed by the title derived from the
// executable's file name, in the user's runtime folder. The process that takes it is the
// first instance; it also listens on a local socket through which a later start of the
// same executable asks it to come forward. A lock that cannot be taken for any reason
// counts as held by a running instance.

#include <QObject>
#include <QString>

#include <memory>

class QLockFile;
class QLocalServer;

namespace platform {

// The title that a program gets from its executable before it sets its own: the file name
// without its folder, cut at its first ".", every character after the first in lower case,
// at most 512 characters. "/opt/QUIZ.LORE.bin" gives "Quiz".
QString titleFromExecutable(const QString& executablePath);

// The executable of this process as the system knows it (argv0 when that cannot be read).
QString currentExecutablePath(const char* argv0);

// The per-user folder for the lock: $XDG_RUNTIME_DIR when set, else a private folder
// under the temporary folder. Empty when no such folder can be had.
QString instanceLockFolder();

class InstanceLock : public QObject {
    Q_OBJECT
public:
    // Tries to take the lock "PREVINST:<title>" in `folder` at once; never waits.
    explicit InstanceLock(const QString& title, const QString& folder = instanceLockFolder());
    ~InstanceLock() override;

    QString lockName() const { return m_lockName; }
    QString lockFilePath() const { return m_lockFilePath; }
    // True when this process took the lock.
    bool isFirst() const { return m_first; }

    // First instance: listens for requests of later instances; emits comeForwardRequested()
    // for each. Needs a running application object. Returns false when it cannot listen.
    bool listen();
    // Later instance: asks the running one to come forward. Returns false when nobody
    // listens or the request could not be delivered within `timeoutMs`.
    bool askToComeForward(int timeoutMs = 2000) const;

    // Drops the lock (also done by the destructor).
    void release();

signals:
    void comeForwardRequested();

private:
    QString serverName() const;

    QString m_lockName;
    QString m_lockFilePath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_first = false;
};

// True when the environment asks for a trace of the instance handling on standard error
// (QUIZLORE_TRACE_INSTANCE=1); the tests of the single-instance behaviour read it.
bool instanceTraceEnabled();
void traceInstance(const char* message);

}  // namespace platform
