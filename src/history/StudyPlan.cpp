#include "history/StudyPlan.h"

#include "history/Fingerprint.h"
#include "store/ExamKinds.h"
#include "store/Fields.h"
#include "store/ItemReader.h"
#include "store/Table.h"

#include <QDateTime>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>

namespace history {

namespace {

// A pass over a bank: `names` of every item, in Q_ID order.
using ItemWalk = std::function<void(const QStringList& names,
                                    const std::function<void(const std::vector<QVariant>& values)>& visit)>;

// One pass over the bank: each asked item's exam, section and fingerprint.
BankFacts factsOfWalk(const ItemWalk& walk)
{
    BankFacts facts;
    std::map<int, int> examSizes;
    auto prints = std::make_shared<std::unordered_map<std::int64_t, Fingerprint>>();
    const QStringList names = QStringList{QLatin1String(store::field::Q_ID), QLatin1String(store::field::Q_EXAM_N),
                                          QLatin1String(store::field::Q_SECT)} +
                              fingerprintFields();
    std::vector<QVariant> texts;
    walk(names, [&](const std::vector<QVariant>& row) {
        const int exam = row[1].toInt();
        if (exam == 0)
            return;
        if (exam >= 1 && exam <= store::PracticeExamCount)
            ++examSizes[exam];
        const int section = row[2].toInt();
        if (section >= 1 && section <= 4)
            ++facts.exam.sectionItems[std::size_t(section - 1)];
        texts.assign(row.begin() + 3, row.end());
        prints->emplace(row[0].toLongLong(), fingerprintOfValues(texts));
    });
    std::vector<int> sizes;
    for (const auto& [exam, size] : examSizes)
        sizes.push_back(size);
    std::sort(sizes.begin(), sizes.end());
    if (!sizes.empty()) {
        facts.exam.items = sizes[(sizes.size() - 1) / 2];
        facts.largestExam = sizes.back();
    }
    facts.current = [prints](ItemSource source, std::int64_t id) -> std::optional<Fingerprint> {
        if (source != ItemSource::Bank)
            return std::nullopt;
        const auto found = prints->find(id);
        return found == prints->end() ? std::nullopt : std::optional<Fingerprint>(found->second);
    };
    return facts;
}

}  // namespace

BankFacts bankFactsOf(store::Table& bank)
{
    return factsOfWalk([&bank](const QStringList& names, const auto& visit) { bank.walkColumns(names, visit); });
}

BankFacts bankFactsIn(const QString& bankFile)
{
    // Plain SQL: opening the file as a table would first load every key.
    store::ItemReader bank(bankFile);
    return factsOfWalk([&bank](const QStringList& names, const auto& visit) { bank.walk(names, visit); });
}

StudyPlan studyPlanOf(const HistoryStore& history, const BankFacts& bank, std::int64_t now)
{
    StudyPlan plan;
    std::vector<AnsweredItem> items = history.answeredBankItems(bank.current);
    // Only what was known at `now` counts.
    std::erase_if(items, [now](AnsweredItem& item) {
        std::erase_if(item.answers, [now](const TimedAnswer& a) { return a.at > now; });
        return item.answers.empty();
    });
    plan.hasHistory = !items.empty();
    plan.readiness = estimateReadiness(items, bank.exam);
    plan.examDate = history.examDate();
    std::optional<std::int64_t> examAt;
    if (plan.examDate)
        examAt = QDateTime(*plan.examDate, QTime(0, 0)).toMSecsSinceEpoch();
    plan.review = reviewSchedule(items, now, bank.largestExam, examAt);
    return plan;
}

}  // namespace history
