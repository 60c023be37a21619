// Preparing the exam set of "All Questions" against the same copy done by one SQL statement
// between the same encrypted files, measured in the same run; practice exam A and a random
// exam of 1,000 items on the same bank likewise, and where the time of "All Questions" goes.
//
// Prints a line per case, then prepare_all_100k_shuffled: ratio=<x> ms=<y> over_unshuffled=<z>
// (the same with shuffled choices), and ends with: prepare_all_100k: ratio=<x> ms=<y>

#include "BenchBank.h"
#include "BenchTiming.h"
#include "exam/PrepareUnit.h"
#include "store/Fields.h"
#include "store/Session.h"
#include "store/StandaloneTable.h"
#include "store/Table.h"
#include "store/TableFile.h"

#include <sqlcipher/sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace store;

namespace {

// Exam 0 holds every eighth item, which "All Questions" leaves out.
void makeBank(const QString& file, int count)
{
    makeBenchBank(file, count, [](int k) { return k % 8; });
}

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

// The baseline: open the exam set, attach the bank, and copy in one transaction the items that
// `pick` chooses ("WHERE ...", with an order and a limit for a random exam).
void copyBySql(const QString& bank, const QString& current, const QString& pick = QStringLiteral("WHERE Q_EXAM_N <> 0"))
{
    QStringList columns;
    for (const FieldDef& f : fieldsOf(TableKind::Bank))
        if (QLatin1String(f.name) != QLatin1String("Q_ID"))
            columns.append(QLatin1String(f.name));
    const QString list = columns.join(',');
    const QByteArray key = TablePassword.toUtf8();
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(QFile::encodeName(current).constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    sqlite3_key(db, key.constData(), int(key.size()));
    const QString sql = QStringLiteral("ATTACH DATABASE '%1' AS bank KEY '%2'; BEGIN; DELETE FROM items; "
                                       "INSERT INTO items (%3, Q_OR_NUMBER) SELECT %3, Q_ID FROM bank.items "
                                       "%4; COMMIT;")
                            .arg(bank, TablePassword, list, pick);
    check(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

// Where one "All Questions" run spends its time, read from the progress reports: the start,
// the size (keys collected, picks drawn, exam set opened), the first item copied (exam set
// emptied), the last one, the end (commit, bank pages given back), then the answer sheet.
struct Phases {
    double open = 0, draw = 0, empty = 0, copy = 0, commit = 0, sheet = 0;
    double total() const { return open + draw + empty + copy + commit + sheet; }
};

PrepareProgress phaseTrace(QElapsedTimer& clock, std::vector<double>& marks)
{
    PrepareProgress progress;
    auto mark = [&clock, &marks] { marks.push_back(double(clock.nsecsElapsed()) / 1e6); };
    progress.started = mark;
    progress.sized = [mark](int) { mark(); };
    progress.advanced = [mark, &marks, &clock](int k) {
        // The first item and then only the last mark of the loop: marks[3] is the latest.
        if (k == 0)
            mark();
        else if (marks.size() > 3)
            marks[3] = double(clock.nsecsElapsed()) / 1e6;
        else
            mark();
    };
    progress.finished = mark;
    return progress;
}

// An exam start on `bank`: every item the filter lets through, or `count` of them drawn at random.
struct Exam {
    QString filter = QStringLiteral("Q_EXAM_N<>0");
    int count = -1;
    store::ChoiceShuffle* shuffle = nullptr;  // each item's choices in a new order
};

double prepare(const QString& bank, const QString& current, int runs, int* items, Phases* phases = nullptr,
               const Exam& exam = {})
{
    Session session(SessionName);
    session.addPassword(TablePassword);
    Table qset, currentSet;
    qset.setSession(&session);
    qset.setTableName(bank);
    currentSet.setSession(&session);
    currentSet.setTableName(current);
    qset.setFilter(exam.filter);
    qset.setFiltered(true);
    ItemStates states;
    std::vector<Phases> traced;
    // As an exam start does: the bank is opened for the run and closed when the exam ends.
    const double median = medianMs(runs, [&] {
        currentSet.close();
        QElapsedTimer clock;
        clock.start();
        std::vector<double> marks;
        qset.close();
        qset.open();
        const PrepareProgress progress = phaseTrace(clock, marks);
        PreparedSet result = exam.count < 0 ? PrepareExamSet(qset, currentSet, progress, exam.shuffle)
                                            : PrepareRandomSet(qset, currentSet, exam.count, progress, exam.shuffle);
        marks.push_back(double(clock.nsecsElapsed()) / 1e6);
        BuildItemStates(currentSet, states);
        marks.push_back(double(clock.nsecsElapsed()) / 1e6);
        *items = result.ItemCount;
        if (marks.size() == 7)
            traced.push_back({marks[0], marks[1] - marks[0], marks[2] - marks[1], marks[3] - marks[2],
                              marks[5] - marks[3], marks[6] - marks[5]});
    });
    if (phases && !traced.empty()) {
        std::sort(traced.begin(), traced.end(), [](const Phases& a, const Phases& b) { return a.total() < b.total(); });
        *phases = traced[traced.size() / 2];
    }
    return median;
}

double openTable(const QString& file)
{
    StandaloneTable standalone(file);
    Table& table = standalone.table;
    return medianMs(5, [&] {
        table.open();
        table.close();
    });
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString bigBank = dir.filePath("big.DAT"), smallBank = dir.filePath("small.DAT");
    const QString current = dir.filePath("ces.DAT");
    std::printf("making the banks...\n");
    makeBank(bigBank, 114285);  // 100,000 items outside exam 0
    makeBank(smallBank, 400);   // 350 items outside exam 0
    createTableFile(current, TableKind::Current, TablePassword);

    const double open = openTable(smallBank);
    std::printf("open_table: ms=%.1f (one key derivation)\n", open);

    int items = 0;
    const double small = prepare(smallBank, current, 5, &items);
    std::printf("prepare_all_350: items=%d ms=%.1f\n", items, small);

    // The other exams on the large bank take the same path: practice exam A, a random exam.
    const double sqlExamA = medianMs(3, [&] { copyBySql(bigBank, current, "WHERE Q_EXAM_N = 1"); });
    const double examA = prepare(bigBank, current, 3, &items, nullptr, {QStringLiteral("Q_EXAM_N=1")});
    std::printf("practice_exam_a: items=%d ms=%.0f sql_ms=%.0f ratio=%.2f\n", items, examA, sqlExamA, examA / sqlExamA);
    const QString randomPick = QStringLiteral("WHERE Q_EXAM_N <> 0 ORDER BY random() LIMIT 1000");
    const double sqlRandom = medianMs(3, [&] { copyBySql(bigBank, current, randomPick); });
    const double random = prepare(bigBank, current, 3, &items, nullptr, {QStringLiteral("Q_EXAM_N<>0"), 1000});
    std::printf("random_exam_1000: items=%d ms=%.0f sql_ms=%.0f ratio=%.2f\n", items, random, sqlRandom,
                random / sqlRandom);

    const double baseline = medianMs(3, [&] { copyBySql(bigBank, current); });
    Phases phases;
    const double ours = prepare(bigBank, current, 3, &items, &phases);
    std::printf("copy_by_sql_100k: ms=%.1f\n", baseline);
    std::printf("prepare_all_100k: items=%d\n", items);
    std::printf("prepare_all_100k phases: open_bank=%.0f keys_draw_open_set=%.0f empty_set=%.0f copy=%.0f "
                "commit_release=%.0f answer_sheet=%.0f ms\n",
                phases.open, phases.draw, phases.empty, phases.copy, phases.commit, phases.sheet);
    // The same with shuffled choices, against the SQL copy and against the run above.
    store::ChoiceShuffle shuffle(2026);
    const double shuffled = prepare(bigBank, current, 3, &items, nullptr, {QStringLiteral("Q_EXAM_N<>0"), -1, &shuffle});
    std::printf("prepare_all_100k_shuffled: ratio=%.2f ms=%.0f over_unshuffled=%.2f\n", shuffled / baseline, shuffled,
                shuffled / ours);
    std::printf("prepare_all_100k: ratio=%.2f ms=%.0f\n", ours / baseline, ours);
    return 0;
}
