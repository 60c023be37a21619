#pragma once
// Runs the built qbank tool (its path in QUIZLORE_QBANK, set for every test) to its end.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

struct QbankRun {
    int exitCode = -1;  // also when it could not start, did not end or crashed
    QString out, err;
};

inline QbankRun qbank(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("QUIZLORE_QBANK"), args);
    const bool ended = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit;
    return {ended ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace testsupport
