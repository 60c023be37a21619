// A writer for the crash-safety test, which kills it at random points. It works on the table
// files in the current directory and says "writing" on standard output when its tables are
// open, and "written" when the writing is done. The first argument names the writing:
//   prepare       refills the current exam set ces.DAT from practice exam A of qbank2.DAT, as
//                 an exam start does (the default);
//   note          saves a long note for the first item of ces.DAT, in ces.DAT and in the bank
//                 record it came from, as the note window does;
//   sampler-save  adds an item with a long question to the user set qbank2usr.DAT, as the
//                 test sampler's Save does;
//   empty-set     empties the user set, as the test sampler's "Empty question set" does;
//   history       records a graded attempt of many items in the study history history.DAT.

#include "exam/PrepareUnit.h"
#include "history/HistoryStore.h"
#include "notes/NoteSave.h"
#include "store/Fields.h"
#include "store/StandaloneTable.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Long enough to take many pages, so that kills land inside the writing.
QString longText(const char* what)
{
    return QString::fromLatin1(what).repeated(20000);
}

void say(const char* line)
{
    std::puts(line);
    std::fflush(stdout);
}

void writing()
{
    say("writing");
}

void prepare()
{
    store::StandaloneTable bank(store::BankFileName);
    store::StandaloneTable currentSet(store::CurrentSetFileName);
    bank.table.setFilter(QStringLiteral("Q_EXAM_N=1"));
    bank.table.setFiltered(true);
    bank.table.open();
    writing();
    PrepareExamSet(bank.table, currentSet.table);
}

void saveNote()
{
    store::StandaloneTable bank(store::BankFileName);
    store::StandaloneTable currentSet(store::CurrentSetFileName);
    bank.table.open();
    currentSet.table.open();
    currentSet.table.first();
    writing();
    notes::saveNote(currentSet.table, &bank.table, longText("a note "));
}

void samplerSave()
{
    store::StandaloneTable userSet(store::UserSetFileName);
    userSet.table.open();
    writing();
    userSet.table.append();
    userSet.table.setValue(store::field::Q_TEXT, longText("a question "));
    userSet.table.setValue(store::field::Q_SECT, 2);
    userSet.table.setValue(store::field::Q_TYPE, false);
    userSet.table.post();
}

void emptySet()
{
    store::StandaloneTable userSet(store::UserSetFileName);
    userSet.table.open();
    userSet.table.takeExclusive();
    writing();
    userSet.table.emptyTable();
}

// The same attempt in every run, so that the history a run leaves can be compared with the
// history of a run to its end.
void recordAttempt()
{
    history::HistoryStore store;
    store.attempts();
    history::Attempt attempt;
    attempt.key = QStringLiteral("crash-test-attempt");
    attempt.gradedAt = QDateTime(QDate(2026, 12, 10), QTime(12, 0));
    attempt.examTitle = QStringLiteral("All Questions");
    attempt.candidateName = QStringLiteral("Anna");
    attempt.timeUsedSeconds = 1200;
    attempt.passingScore = 850;
    attempt.sections.push_back({1, {10000, 20000}});
    const QString question = QStringLiteral("a question ").repeated(20);
    for (int k = 1; k <= 20000; ++k) {
        history::ItemResult item;
        item.sourceId = k;
        item.fingerprint = k * 7919;
        item.section = 1;
        item.question = question;
        item.answered = k % 3 != 0;
        item.correct = k % 2 == 0 && item.answered;
        item.marked = k % 5 == 0;
        attempt.items.push_back(item);
    }
    attempt.score = 333;
    writing();
    store.record(attempt);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("prepare");
    try {
        if (mode == QLatin1String("note"))
            saveNote();
        else if (mode == QLatin1String("sampler-save"))
            samplerSave();
        else if (mode == QLatin1String("empty-set"))
            emptySet();
        else if (mode == QLatin1String("history"))
            recordAttempt();
        else
            prepare();
        say("written");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "crash_writer: %s\n", e.what());
        return 1;
    }
    return 0;
}
