#include "history/ExamRecord.h"

#include "history/Fingerprint.h"
#include "store/Fields.h"
#include "store/Table.h"

namespace history {

ItemResult itemResultOf(const store::Table& examSet, const store::TItemState& entry, ItemSource source,
                        const store::ChoiceOrder& shown)
{
    ItemResult item;
    item.source = source;
    item.sourceId = examSet.value(QLatin1String(store::field::Q_OR_NUMBER)).toLongLong();
    item.fingerprint = fingerprintOfRecord(examSet, shown);
    item.section = examSet.asInteger(QLatin1String(store::field::Q_SECT));
    item.question = examSet.asString(QLatin1String(store::field::Q_TEXT));
    for (int k = 1; k <= store::field::AnswerCount; ++k)
        item.answered = item.answered || entry.choice(k);
    item.correct = entry.Correct;
    item.marked = entry.Marked;
    return item;
}

std::vector<SectionResult> sectionResultsOf(const results::Grade& grade)
{
    std::vector<SectionResult> sections;
    for (int s = 1; s <= results::SectionCount; ++s)
        sections.push_back({s, {grade.count.section(s).correct, grade.count.section(s).total}});
    return sections;
}

}  // namespace history
