#pragma once
// A temporary folder that is the process's current directory for the life of the object.

#include <QDir>
#include <QTemporaryDir>

namespace testsupport {

class TempDirCwd {
public:
    TempDirCwd() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~TempDirCwd() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

}  // namespace testsupport
