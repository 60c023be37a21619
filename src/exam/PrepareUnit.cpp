#include "exam/PrepareUnit.h"

#include "store/RecordCopy.h"
#include "store/StoreError.h"
#include "store/Table.h"

#include <QDateTime>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using store::Table;

enum class Source { Bank, User };

// What a copy of a source record holds: every field of the source in its type, except that
// the source's Q_ID goes into Q_OR_NUMBER (the current set numbers its records itself).
std::vector<store::CopiedField> copiedFields(Source kind)
{
    using namespace store::field;
    std::vector<store::CopiedField> fields;
    const store::TableKind table = kind == Source::Bank ? store::TableKind::Bank : store::TableKind::User;
    for (const store::FieldDef& field : store::fieldsOf(table)) {
        if (qstrcmp(field.name, Q_ID) == 0)
            fields.push_back({Q_ID, Q_OR_NUMBER, store::FieldType::Integer});
        else
            fields.push_back({field.name, field.name, field.type});
    }
    return fields;
}

// Reports the start of one run and, whatever happens, its end.
class ProgressReported {
public:
    explicit ProgressReported(const PrepareProgress& progress) : m_progress(progress)
    {
        if (m_progress.started)
            m_progress.started();
    }
    ~ProgressReported()
    {
        if (m_progress.finished)
            m_progress.finished();
    }
    void setMaximum(int maximum) const
    {
        if (m_progress.sized)
            m_progress.sized(maximum);
    }
    void setPosition(int position) const
    {
        if (m_progress.advanced)
            m_progress.advanced(position);
    }

private:
    const PrepareProgress& m_progress;
};

// A table's page cache holds its whole file for the exam start's passes over it. It returns
// to its usual size once they are done, and the freed pages, which
// lie scattered between longer-lived blocks, go back to the system: without the trim the
// process would keep them resident for the whole exam.
void givePagesBack(Table& table)
{
    table.releasePageCache();
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Gives the source's page cache back when the copy ends, however it ends.
struct SourcePagesBack {
    Table& source;
    ~SourcePagesBack() { givePagesBack(source); }
};

// The candidates of the source: record numbers of the bank, Q_ID values of the user set.
// A bank whose Q_ID values are not its record numbers would make the copy take wrong records,
// so it is refused here, before anything is written.
std::vector<std::int64_t> collectCandidates(Table& source, Source kind)
{
    const std::vector<std::int64_t>& keys = source.visibleKeys();
    if (kind == Source::User)
        return keys;
    std::vector<std::int64_t> candidates;
    candidates.reserve(keys.size());
    for (std::int64_t id : keys) {
        const int number = source.recordNumberOf(id);
        if (id != number)
            throw store::StoreError(
                QStringLiteral("Table %1: record number %2 has Q_ID %3; the question numbers "
                               "must run 1, 2, 3 ... without gaps")
                    .arg(source.tableName())
                    .arg(number)
                    .arg(id));
        candidates.push_back(number);
    }
    return candidates;
}

// `listed`, when given, names the bank items to take in place of every visible record.
PreparedSet fill(Table& source, Table& currentSet, Source kind, int count, const PrepareProgress& listener,
                 store::ChoiceShuffle* shuffle, const std::vector<std::int64_t>* listed = nullptr)
{
    const ProgressReported progress(listener);
    source.disableControls();
    struct Enable {
        Table& t;
        ~Enable() { t.enableControls(); }
    } sourceEnable{source};
    // However the run ends, the source gives its page cache back.
    const SourcePagesBack pagesBack{source};

    const std::vector<std::int64_t> candidates = listed ? *listed : collectCandidates(source, kind);
    const int n = int(candidates.size());
    if (count < 0 || count > n)
        count = n;
    RandomDraw random(RandomDraw::seedFromClock());
    const std::vector<std::int64_t> picks = drawPicks(candidates, count, random);

    currentSet.close();
    currentSet.setExclusive(true);
    currentSet.open();
    progress.setMaximum(count);
    store::RecordCopy copy(source, currentSet, copiedFields(kind));
    copy.shuffleChoices(shuffle);
    std::vector<store::ChoiceOrder> orders;
    if (shuffle)
        orders.reserve(size_t(count));
    currentSet.disableControls();
    try {
        // One transaction: the exam set is either wholly refilled or left as it was.
        currentSet.startTransaction();
        currentSet.emptyTable();
        {
            // One read lock for all the lookups, not one per record.
            const store::SharedReads reads(source);
            for (int k = 0; k < count; ++k) {
                if (!copy.append(picks[size_t(k)]))
                    throw store::StoreError(QStringLiteral("Table %1: item Q_ID %2 has vanished")
                                                .arg(source.tableName())
                                                .arg(picks[size_t(k)]));
                if (shuffle)
                    orders.push_back(copy.lastOrder());
                progress.setPosition(k);
            }
        }
        copy.finish();
        currentSet.commit();
    } catch (...) {
        currentSet.rollback();
        currentSet.enableControls();
        throw;
    }
    // The source stands on the last item copied, as after a lookup of each in turn.
    if (count > 0)
        source.findKey(picks[size_t(count) - 1]);
    currentSet.first();
    PreparedSet result{currentSet.recNo(), currentSet.recordCount(), std::move(orders)};
    currentSet.enableControls();
    return result;
}

}  // namespace

std::uint32_t RandomDraw::seedFromClock()
{
    // ((hour * 60 + minute) * 60 + second) * 1000 + milliseconds, in UTC.
    return std::uint32_t(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

std::uint32_t RandomDraw::below(std::uint32_t n)
{
    m_state = m_state * 134775813u + 1u;
    return std::uint32_t((std::uint64_t(m_state) * n) >> 32);
}

std::vector<std::int64_t> drawPicks(const std::vector<std::int64_t>& candidates, int count,
                                    RandomDraw& random)
{
    const auto n = std::uint32_t(candidates.size());
    std::vector<std::int64_t> picks;
    if (n == 0 || count <= 0)
        return picks;
    count = std::min<int>(count, int(n));
    picks.reserve(size_t(count));
    // Candidates are distinct, so "already picked" is a property of the candidate's index.
    std::vector<bool> picked(n, false);
    while (int(picks.size()) < count) {
        const std::uint32_t i = random.below(n);
        if (picked[i])
            continue;
        picked[i] = true;
        picks.push_back(candidates[i]);
    }
    return picks;
}

PreparedSet PrepareExamSet(Table& qset, Table& currentSet, const PrepareProgress& progress,
                           store::ChoiceShuffle* shuffle)
{
    return fill(qset, currentSet, Source::Bank, -1, progress, shuffle);
}

PreparedSet PrepareRandomSet(Table& qset, Table& currentSet, int count, const PrepareProgress& progress,
                             store::ChoiceShuffle* shuffle)
{
    return fill(qset, currentSet, Source::Bank, std::max(count, 1), progress, shuffle);
}

PreparedSet PrepareListedSet(Table& qset, Table& currentSet, std::vector<std::int64_t> ids,
                             const PrepareProgress& progress, store::ChoiceShuffle* shuffle)
{
    // The draw takes each candidate once, and only items the bank shows (its keys are sorted).
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    const std::vector<std::int64_t>& shown = qset.visibleKeys();
    for (std::int64_t id : ids)
        if (!std::binary_search(shown.begin(), shown.end(), id))
            throw store::StoreError(
                QStringLiteral("Table %1: item Q_ID %2 is not one of the items to ask").arg(qset.tableName()).arg(id));
    return fill(qset, currentSet, Source::Bank, -1, progress, shuffle, &ids);
}

PreparedSet PrepareUserSet(Table& userSet, Table& currentSet, const PrepareProgress& progress,
                           store::ChoiceShuffle* shuffle)
{
    return fill(userSet, currentSet, Source::User, -1, progress, shuffle);
}

void BuildItemStates(Table& currentSet, store::ItemStates& itemStates)
{
    // Entry r - 1 belongs to record number r; the sections are read in one pass.
    const std::vector<QVariant> sections = currentSet.columnValues(QLatin1String(store::field::Q_SECT));
    const std::vector<std::int64_t>& keys = currentSet.visibleKeys();
    itemStates.fill(store::TItemState(), currentSet.recordCount());
    for (size_t k = 0; k < keys.size(); ++k)
        itemStates[currentSet.recordNumberOf(keys[k]) - 1].Section = std::int32_t(sections[k].toLongLong());
    currentSet.last();
    currentSet.next();  // left at its end; the caller goes back to the first record
    givePagesBack(currentSet);
}
