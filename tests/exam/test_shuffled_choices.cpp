// Shuffled choices seen from the exam window: every exam kind shows each item's choices in a new
// order with their keys, filled ones first; items whose choices refer to each other keep their
// order; the study history still knows each item; with the option off the exam set is as stored.

#include "BeginExamDriver.h"
#include "ProgramWindows.h"

#include "exam/ExamHistory.h"
#include "exam/TestUnit.h"
#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "results/Grading.h"
#include "store/StandaloneTable.h"
#include "support/Fixtures.h"
#include "support/ScriptedPrompts.h"

#include <QtTest>

#include <map>

namespace {

constexpr int BankItems = 50;
constexpr int KeepsOrder = 7;   // has "None of the above."
constexpr int HasAGap = 9;      // Q3 empty, Q4 filled

struct Choice {
    QString text;
    bool key = false;
    bool operator<(const Choice& o) const { return text < o.text; }
    bool operator==(const Choice& o) const = default;
};
using Choices = std::array<Choice, 6>;

testsupport::Item choiceItem(int k, int exam)
{
    testsupport::Item it = testsupport::item(exam, (k - 1) % 4 + 1, QStringLiteral("Question %1").arg(k));
    const int count = 3 + k % 4;  // three to six choices
    for (int c = 1; c <= 6; ++c) {
        it[QStringLiteral("Q%1").arg(c)] = c <= count ? QStringLiteral("Item %1 choice %2").arg(k).arg(c) : QString();
        it[QStringLiteral("A%1").arg(c)] = false;
    }
    it["A2"] = true;
    if (k % 3 == 0) {  // multiple response: two keys
        it["Q_TYPE"] = true;
        it["A3"] = true;
    }
    if (k == KeepsOrder)
        it["Q4"] = QStringLiteral("None of the above.");
    if (k == HasAGap) {
        it["Q3"] = QString();
        it["A3"] = false;
        it["Q4"] = QStringLiteral("Item %1 choice 4").arg(k);
    }
    return it;
}

std::vector<testsupport::Item> choiceItems(int count, bool bank)
{
    std::vector<testsupport::Item> items;
    for (int k = 1; k <= count; ++k) {
        testsupport::Item it = choiceItem(k, bank ? (k - 1) % 7 + 1 : 0);
        if (bank)
            it["Q_ID"] = k;
        items.push_back(it);
    }
    return items;
}

Choices choicesOf(const store::Table& table)
{
    Choices choices;
    for (int c = 1; c <= 6; ++c)
        choices[size_t(c - 1)] = {table.asString(store::field::text(c)), table.asBoolean(store::field::key(c))};
    return choices;
}

// Every item of `file` by Q_ID, with its choices as stored.
std::map<std::int64_t, Choices> storedChoices(const QString& file)
{
    std::map<std::int64_t, Choices> items;
    store::StandaloneTable source(file);
    source.table.open();
    for (source.table.first(); !source.table.eof(); source.table.next())
        items[source.table.asInteger("Q_ID")] = choicesOf(source.table);
    return items;
}

// The exam set's items: their source Q_ID and their choices as shown, in exam order.
std::vector<std::pair<std::int64_t, Choices>> shownItems()
{
    std::vector<std::pair<std::int64_t, Choices>> items;
    store::Table& set = *TestForm->dtCurrentSet;
    for (set.first(); !set.eof(); set.next())
        items.push_back({set.asInteger("Q_OR_NUMBER"), choicesOf(set)});
    set.first();
    return items;
}

bool start(const QString& action)
{
    DialogDriver driver(clickOk);
    TestForm->findChild<QAction*>(action)->trigger();
    return driver.seen().shown && TestForm->ExamState == TTestForm::ExamRunning;
}

// Ticks, item by item as a user does, every shown choice whose text is a key in the source.
void answerByKeyTexts(const std::map<std::int64_t, Choices>& source)
{
    TTestForm& f = *TestForm;
    f.dtCurrentSet->first();
    for (int i = 0; i < f.ItemCount; ++i) {
        const Choices& stored = source.at(f.dtCurrentSet->asInteger("Q_OR_NUMBER"));
        const Choices shown = choicesOf(*f.dtCurrentSet);
        for (int place = 0; place < 6; ++place)
            for (const Choice& c : stored)
                if (c.key && !c.text.isEmpty() && c.text == shown[size_t(place)].text)
                    QTest::mouseClick(f.answerLabel(place + 1), Qt::LeftButton);
        if (i + 1 < f.ItemCount)
            QTest::mouseClick(f.NextButton, Qt::LeftButton);
    }
}

// Records an attempt in which every bank item was missed and marked, as an earlier exam would.
void recordAllMissedAndMarked()
{
    history::Attempt attempt;
    attempt.key = history::newAttemptKey();
    attempt.gradedAt = QDateTime::currentDateTimeUtc();
    attempt.examTitle = QStringLiteral("All Questions");
    store::StandaloneTable bank(store::BankFileName);
    bank.table.open();
    for (bank.table.first(); !bank.table.eof(); bank.table.next()) {
        history::ItemResult item;
        item.sourceId = bank.table.asInteger("Q_ID");
        item.fingerprint = history::fingerprintOfRecord(bank.table);
        item.section = bank.table.asInteger("Q_SECT");
        item.question = bank.table.asString("Q_TEXT");
        item.marked = true;
        attempt.items.push_back(item);
    }
    history::HistoryStore().record(attempt);
}

}  // namespace

class TestShuffledChoices : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_program.create([] {
            testsupport::makeTable(store::BankFileName, store::TableKind::Bank, choiceItems(BankItems, true));
            testsupport::makeTable(store::CurrentSetFileName, store::TableKind::Current, {});
            testsupport::makeTable(store::UserSetFileName, store::TableKind::User, choiceItems(12, false));
        });
    }
    void cleanupTestCase() { m_program.destroy(); }
    void init()
    {
        m_program.enterNewFolder();
        NameForm->NameEdit->setText("Pat Doe");
        TestForm->ShuffleChoices = true;
        TestForm->ChoiceShuffler.reseed(2026);
        TestForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(TestForm));
    }
    void cleanup()
    {
        TestForm->ShuffleChoices = false;
        m_program.leaveFolder();
    }

    void everyKindShowsShuffledChoices_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("user");
        QTest::newRow("practice exam A") << "Action1" << false;
        QTest::newRow("practice exam G") << "Action7" << false;
        QTest::newRow("all questions") << "AllQAct" << false;
        QTest::newRow("random") << "RandAct" << false;
        QTest::newRow("user") << "UserAct" << true;
        QTest::newRow("missed") << "MissedAct" << false;
        QTest::newRow("marked") << "MarkedAct" << false;
    }
    void everyKindShowsShuffledChoices()
    {
        QFETCH(QString, action);
        QFETCH(bool, user);
        testsupport::ScriptedPrompts prompts;  // nothing may be asked
        recordAllMissedAndMarked();
        const auto source = storedChoices(user ? store::UserSetFileName : store::BankFileName);
        QVERIFY(start(action));
        const auto shown = shownItems();
        QVERIFY(!shown.empty());
        QCOMPARE(TestForm->ChoiceOrders.size(), shown.size());
        int moved = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const auto& [id, choices] = shown[i];
            const Choices& stored = source.at(id);
            const store::ChoiceOrder& order = TestForm->ChoiceOrders[i];
            // The same choices with their keys, the filled ones first.
            Choices a = choices, b = stored;
            std::sort(a.begin(), a.end());
            std::sort(b.begin(), b.end());
            QCOMPARE(a, b);
            bool emptySeen = false;
            for (int place = 0; place < 6; ++place) {
                QCOMPARE(choices[size_t(place)], stored[size_t(order.shown[size_t(place)])]);
                emptySeen = emptySeen || choices[size_t(place)].text.isEmpty();
                QVERIFY2(!emptySeen || choices[size_t(place)].text.isEmpty(), "a gap among the choices");
            }
            if (id == KeepsOrder && !user)
                QVERIFY(order.isStored());
            moved += order.isStored() ? 0 : 1;
        }
        QVERIFY(moved > 0);
        // Ticking the source's keys by their texts scores full marks.
        answerByKeyTexts(source);
        QCOMPARE(results::gradeSheet(TestForm->ItemStates).shownScore, 1000);
    }

    // The same item gets another order at the next start (the items' order aside).
    void twoStartsGiveDifferentOrders()
    {
        auto ordersById = [] {
            std::map<std::int64_t, store::ChoiceOrder> orders;
            const auto items = shownItems();
            for (std::size_t i = 0; i < items.size(); ++i)
                orders[items[i].first] = TestForm->ChoiceOrders.at(i);
            return orders;
        };
        QVERIFY(start("AllQAct"));
        const auto first = ordersById();
        TestForm->CloseCurrentExam();
        QVERIFY(start("AllQAct"));
        QCOMPARE(TestForm->ItemCount, BankItems);
        const auto second = ordersById();
        QCOMPARE(first.size(), second.size());
        QVERIFY(first != second);
        QCOMPARE(second.at(KeepsOrder), store::ChoiceOrder{});
    }

    // A shuffled exam with one item missed: the history records the bank's fingerprints, so
    // Missed Questions holds exactly that item.
    void theHistoryKnowsShuffledItems()
    {
        QVERIFY(start("Action1"));
        const auto source = storedChoices(store::BankFileName);
        answerByKeyTexts(source);
        // Item 1 of the exam is answered wrongly: one choice that is no key is ticked too.
        TTestForm& f = *TestForm;
        f.dtCurrentSet->first();
        const std::int64_t missed = f.dtCurrentSet->asInteger("Q_OR_NUMBER");
        const Choices shown = choicesOf(*f.dtCurrentSet);
        for (int place = 0; place < 6; ++place) {
            if (!shown[size_t(place)].text.isEmpty() && !shown[size_t(place)].key) {
                QTest::mouseClick(f.answerLabel(place + 1), Qt::LeftButton);
                break;
            }
        }
        QCOMPARE(f.RecordAttempt(), QString());

        store::StandaloneTable bank(store::BankFileName);
        bank.table.setFilter(store::AskedItemsFilter);
        bank.table.setFiltered(true);
        bank.table.open();
        const std::vector<std::int64_t> items = examhistory::weakSpotItems(examhistory::WeakSpots::Missed, bank.table);
        QCOMPARE(items, std::vector<std::int64_t>{missed});
    }

    // With the option off the exam set holds every item's choices as stored.
    void optionOffKeepsTheStoredOrder()
    {
        TestForm->ShuffleChoices = false;
        const auto source = storedChoices(store::BankFileName);
        QVERIFY(start("AllQAct"));
        QVERIFY(TestForm->ChoiceOrders.empty());
        for (const auto& [id, choices] : shownItems())
            QCOMPARE(choices, source.at(id));
    }

private:
    ProgramWindows m_program;
};

QTEST_MAIN(TestShuffledChoices)
#include "test_shuffled_choices.moc"
