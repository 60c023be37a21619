#pragma once
// A learner's folder for the Study History window's tests: a small bank in a temporary working
// folder and the attempts recorded in its history.DAT.

#include "history/Attempt.h"
#include "support/TempDir.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace historytest {

// When attempt 0 would have been graded; attempt n is graded n hours later.
extern const QDateTime Start;

// Attempt n: `answers` gives items 1, 2, ... of the bank in order, '+' right, '-' wrong,
// '.' not answered. Item q is "Question q" of section (q-1) % 4 + 1.
history::Attempt attemptOf(int n, const QByteArray& answers, const QString& title = QStringLiteral("Practice Exam A"));

// The folder of a learner: the bank of `bankSize` items in practice exam A, and `attempts`
// recorded in history.DAT.
struct Folder {
    testsupport::TempDirCwd dir;
    explicit Folder(const std::vector<history::Attempt>& attempts = {}, int bankSize = 8);
    QString history() const;
};

}  // namespace historytest
