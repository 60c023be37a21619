#include "exam/ExamHistory.h"

#include "history/ExamRecord.h"
#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "history/StudyPlan.h"
#include "store/QuietWalk.h"
#include "store/Table.h"

#include <QDateTime>

#include <stdexcept>

namespace examhistory {

namespace {

history::Attempt attemptOf(store::Table& examSet, const store::ItemStates& sheet, const results::Grade& grade,
                           const ExamFacts& facts)
{
    history::Attempt attempt;
    attempt.key = facts.key;
    attempt.gradedAt = QDateTime::currentDateTimeUtc();
    attempt.examKindId = facts.kindId;
    attempt.examTitle = facts.title;
    attempt.candidateName = facts.candidateName;
    attempt.timeLimitSeconds = facts.timeLimitSeconds;
    attempt.timeUsedSeconds = facts.timeUsedSeconds;
    attempt.score = grade.shownScore;
    attempt.passingScore = results::PassingScore;
    attempt.passed = grade.passed;
    attempt.sections = history::sectionResultsOf(grade);
    const store::QuietWalk walk(examSet);
    for (examSet.first(); !examSet.eof(); examSet.next()) {
        const int entry = examSet.recNo() - 1;
        if (entry < 0 || entry >= sheet.size())
            throw std::runtime_error("the answer sheet does not match the exam set");
        const store::ChoiceOrder shown =
            std::size_t(entry) < facts.choiceOrders.size() ? facts.choiceOrders[std::size_t(entry)] : store::ChoiceOrder{};
        attempt.items.push_back(history::itemResultOf(examSet, sheet[entry], facts.source, shown));
    }
    return attempt;
}

}  // namespace

QString recordExam(store::Table& examSet, const store::ItemStates& sheet, const results::Grade& grade,
                   const ExamFacts& facts)
{
    try {
        history::HistoryStore().record(attemptOf(examSet, sheet, grade, facts));
        return {};
    } catch (const std::exception& e) {
        return QStringLiteral("Your score is shown as usual, but this attempt was not recorded in the study "
                              "history.\r\r%1")
            .arg(QString::fromStdString(e.what()));
    }
}

QString examTitleOf(WeakSpots kind)
{
    switch (kind) {
    case WeakSpots::Missed: return QStringLiteral("Missed Questions");
    case WeakSpots::Marked: return QStringLiteral("Marked Questions");
    case WeakSpots::Due: return QStringLiteral("Due for Review");
    }
    return {};
}

QString nothingToTakeText(WeakSpots kind)
{
    return kind == WeakSpots::Missed
               ? QStringLiteral("No missed questions yet: take a practice exam first.")
               : QStringLiteral("No marked questions yet: mark questions in a practice exam first.");
}

std::vector<std::int64_t> weakSpotItems(WeakSpots kind, store::Table& bank)
{
    const store::QuietWalk walk(bank);
    const history::CurrentFingerprint current =
        [&bank](history::ItemSource source, std::int64_t id) -> std::optional<history::Fingerprint> {
        if (source != history::ItemSource::Bank || !bank.findKey(id))
            return std::nullopt;
        return history::fingerprintOfRecord(bank);
    };
    const history::HistoryStore studyHistory;
    return kind == WeakSpots::Missed ? studyHistory.latestMissedBankItems(current)
                                     : studyHistory.latestMarkedBankItems(current);
}

ListedItems listedItems(WeakSpots kind, store::Table& bank)
{
    if (kind != WeakSpots::Due) {
        ListedItems listed{weakSpotItems(kind, bank), {}};
        if (listed.items.empty())
            listed.nothingText = nothingToTakeText(kind);
        return listed;
    }
    const store::QuietWalk walk(bank);
    const history::BankFacts facts = history::bankFactsOf(bank);
    const history::StudyPlan plan =
        history::studyPlanOf(history::HistoryStore(), facts, QDateTime::currentMSecsSinceEpoch());
    ListedItems listed;
    for (const history::DueItem& item : plan.review.due)
        listed.items.push_back(item.bankId);
    if (listed.items.empty())
        listed.nothingText = history::nothingDueText(plan.review, plan.hasHistory);
    return listed;
}

}  // namespace examhistory
