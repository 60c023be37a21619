#pragma once
// An attempt as the exam window records it, built from its items: the sections and the score
// are counted from them, so a test only says which items were right.

#include "history/Attempt.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <vector>

namespace testsupport {

// Attempt n of Anna's: graded at `gradedAt`, an hour's limit, 600 + n seconds used, 850 to pass.
inline history::Attempt gradedAttempt(int n, std::vector<history::ItemResult> items, const QDateTime& gradedAt,
                                      const QString& title)
{
    history::Attempt a;
    a.key = history::newAttemptKey();
    a.gradedAt = gradedAt;
    a.examTitle = title;
    a.candidateName = QStringLiteral("Anna");
    a.timeLimitSeconds = 3600;
    a.timeUsedSeconds = 600 + n;
    a.passingScore = 850;
    std::map<int, history::Count> sections;
    int correct = 0;
    for (const history::ItemResult& item : items) {
        history::Count& s = sections[item.section];
        ++s.total;
        s.correct += item.correct;
        correct += item.correct;
    }
    for (const auto& [section, count] : sections)
        a.sections.push_back({section, count});
    a.score = items.empty() ? 0 : 1000 * correct / int(items.size());
    a.passed = a.score >= a.passingScore;
    a.items = std::move(items);
    return a;
}

} // namespace testsupport
