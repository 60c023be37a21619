// A writer for the crash-safety test, which kills it at random points: refills the current
// exam set ces.DAT from practice exam A of qbank2.DAT in the current directory, as an exam
// start does. It says "writing" on standard output when the bank is open.

#include "exam/PrepareUnit.h"
#include "store/StandaloneTable.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        store::StandaloneTable bank(store::BankFileName);
        store::StandaloneTable currentSet(store::CurrentSetFileName);
        bank.table.setFilter(QStringLiteral("Q_EXAM_N=1"));
        bank.table.setFiltered(true);
        bank.table.open();
        // The test aims its kills at what follows.
        std::puts("writing");
        std::fflush(stdout);
        PrepareExamSet(bank.table, currentSet.table);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "crash_writer: %s\n", e.what());
        return 1;
    }
    return 0;
}
