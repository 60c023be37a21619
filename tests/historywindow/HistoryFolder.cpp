#include "HistoryFolder.h"

#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "store/Fields.h"
#include "support/Fixtures.h"
#include "support/GradedAttempt.h"

namespace historytest {

using namespace history;

namespace {

// Item q of the test bank: section (q-1) % 4 + 1, "Question q", answer a keyed.
int sectionOf(int q)
{
    return (q - 1) % 4 + 1;
}

Fingerprint bankFingerprint(std::int64_t q)
{
    ItemTexts texts;
    texts.question = QStringLiteral("Question %1").arg(q);
    texts.answers[0] = QStringLiteral("Answer a");
    texts.answers[1] = QStringLiteral("Answer b");
    texts.keys[0] = true;
    return fingerprint(texts);
}

}  // namespace

const QDateTime Start(QDate(2026, 11, 2), QTime(9, 30), Qt::UTC);

Attempt attemptOf(int n, const QByteArray& answers, const QString& title)
{
    std::vector<ItemResult> items;
    for (int i = 0; i < answers.size(); ++i) {
        ItemResult item;
        item.sourceId = i + 1;
        item.fingerprint = bankFingerprint(item.sourceId);
        item.section = sectionOf(i + 1);
        item.question = QStringLiteral("Question %1").arg(item.sourceId);
        item.correct = answers[i] == '+';
        item.answered = answers[i] != '.';
        items.push_back(item);
    }
    return testsupport::gradedAttempt(n, std::move(items), Start.addSecs(3600 * n), title);
}

Folder::Folder(const std::vector<Attempt>& attempts, int bankSize)
{
    testsupport::makeBank(store::BankFileName, bankSize, [](int) { return 1; }, sectionOf);
    HistoryStore history(dir.file(HistoryFileName));
    for (const Attempt& a : attempts)
        history.record(a);
}

QString Folder::history() const
{
    return dir.file(HistoryFileName);
}

}  // namespace historytest
