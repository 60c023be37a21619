#pragma once
// qbank readiness: the readiness estimate and the review schedule of a study history against a
// question bank, as lines for scripts.

#include <QStringList>

namespace history {
struct StudyPlan;
}

namespace qbank {

// The report: the estimate (or what it lacks), one line per section the exam draws from, the
// items due, and the estimate in plain words.
QStringList readinessLines(const history::StudyPlan& plan);

// The command, given what follows "readiness" on the command line; gives the exit code.
int readinessCommand(QStringList args);

}  // namespace qbank
