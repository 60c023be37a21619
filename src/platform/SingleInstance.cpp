#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int MaxTitleLength = 512;
const QByteArray ComeForwardRequest = QByteArrayLiteral("come-forward\n");

}  // namespace

QString titleFromExecutable(const QString& executablePath)
{
    QString name = executablePath.mid(executablePath.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name.left(MaxTitleLength);
}

QString currentExecutablePath(const char* argv0)
{
    const QString self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (!self.isEmpty())
        return self;
    return argv0 ? QFile::decodeName(argv0) : QString();
}

QString instanceLockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    // A folder of this user's own, which nobody else can write into.
    const QString folder =
        QDir::tempPath() + QStringLiteral("/quizlore-") + QString::number(getuid());
    const QByteArray native = QFile::encodeName(folder);
    ::mkdir(native.constData(), 0700);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != getuid() || (info.st_mode & 077) != 0)
        return QString();
    return folder;
}

InstanceLock::InstanceLock(const QString& title, const QString& folder)
    : m_lockName(QStringLiteral("PREVINST:") + title)
{
    if (folder.isEmpty()) {
        traceInstance("no folder for the instance lock");
        return;
    }
    m_lockFilePath = QDir(folder).filePath(m_lockName + QStringLiteral(".lock"));
    m_lock = std::make_unique<QLockFile>(m_lockFilePath);
    // Only a lock whose owner has died is stale, however old it is.
    m_lock->setStaleLockTime(0);
    m_first = m_lock->tryLock(0);
    if (!m_first)
        m_lock.reset();
    traceInstance(m_first ? "first instance" : "lock held by a running instance");
}

InstanceLock::~InstanceLock()
{
    release();
}

void InstanceLock::release()
{
    delete m_server;
    m_server = nullptr;
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

QString InstanceLock::serverName() const
{
    // The name follows the lock file, so that a lock in another folder is another lock.
    const QByteArray hash =
        QCryptographicHash::hash(m_lockFilePath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("quizlore-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash.left(20)));
}

bool InstanceLock::listen()
{
    if (!m_first)
        return false;
    if (m_server)
        return m_server->isListening();
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            auto readRequest = [this, socket] {
                if (!socket->canReadLine())
                    return;
                const QByteArray line = socket->readLine();
                socket->disconnectFromServer();
                if (line == ComeForwardRequest) {
                    traceInstance("asked to come forward");
                    emit comeForwardRequested();
                }
            };
            connect(socket, &QLocalSocket::readyRead, this, readRequest);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readRequest();
        }
    });
    const bool listening = m_server->listen(serverName());
    traceInstance(listening ? "listening" : "cannot listen");
    return listening;
}

bool InstanceLock::askToComeForward(int timeoutMs) const
{
    if (m_lockFilePath.isEmpty())
        return false;
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(ComeForwardRequest);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(timeoutMs)) {
    }
    const bool sent = socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return sent;
}

bool instanceTraceEnabled()
{
    return qEnvironmentVariableIntValue("QUIZLORE_TRACE_INSTANCE") == 1;
}

void traceInstance(const char* message)
{
    if (instanceTraceEnabled()) {
        std::fprintf(stderr, "quizlore[%lld]: %s\n", static_cast<long long>(getpid()), message);
        std::fflush(stderr);
    }
}

}  // namespace platform
