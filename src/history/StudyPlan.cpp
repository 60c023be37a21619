#include "history/StudyPlan.h"

#include "history/Fingerprint.h"
#include "store/ExamKinds.h"
#include "store/Fields.h"
#include "store/StandaloneTable.h"

#include <QDateTime>

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_set>

namespace history {

BankFacts bankFactsOf(store::Table& bank)
{
    BankFacts facts;
    const std::vector<std::int64_t>& ids = bank.visibleKeys();
    const std::vector<QVariant> exams = bank.columnValues(QLatin1String(store::field::Q_EXAM_N));
    const std::vector<QVariant> sections = bank.columnValues(QLatin1String(store::field::Q_SECT));
    std::map<int, int> examSizes;
    auto asked = std::make_shared<std::unordered_set<std::int64_t>>();
    for (std::size_t i = 0; i < ids.size() && i < exams.size() && i < sections.size(); ++i) {
        const int exam = exams[i].toInt();
        if (exam == 0)
            continue;
        asked->insert(ids[i]);
        if (exam >= 1 && exam <= store::PracticeExamCount)
            ++examSizes[exam];
        const int section = sections[i].toInt();
        if (section >= 1 && section <= 4)
            ++facts.exam.sectionItems[std::size_t(section - 1)];
    }
    std::vector<int> sizes;
    for (const auto& [exam, size] : examSizes)
        sizes.push_back(size);
    std::sort(sizes.begin(), sizes.end());
    if (!sizes.empty()) {
        facts.exam.items = sizes[(sizes.size() - 1) / 2];
        facts.largestExam = sizes.back();
    }
    auto known = std::make_shared<std::unordered_map<std::int64_t, std::optional<Fingerprint>>>();
    facts.current = [&bank, asked, known](ItemSource source, std::int64_t id) -> std::optional<Fingerprint> {
        if (source != ItemSource::Bank || !asked->contains(id))
            return std::nullopt;
        if (const auto found = known->find(id); found != known->end())
            return found->second;
        std::optional<Fingerprint> print;
        if (bank.findKey(id))
            print = fingerprintOfRecord(bank);
        known->emplace(id, print);
        return print;
    };
    return facts;
}

namespace {

// A bank opened for its facts, read under one read lock while they are used: each item's
// fingerprint is then read without taking and giving back the lock.
struct HeldBank {
    store::StandaloneTable bank;
    std::optional<store::SharedReads> reads;

    explicit HeldBank(const QString& file) : bank(file)
    {
        bank.table.open();
        reads.emplace(bank.table);
    }
};

}  // namespace

BankFacts bankFactsIn(const QString& bankFile)
{
    auto held = std::make_shared<HeldBank>(bankFile);
    BankFacts facts = bankFactsOf(held->bank.table);
    facts.keepOpen = held;
    return facts;
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
