// Preparing the exam set of "All Questions" against the same copy done by one SQL statement
// between the same encrypted files, measured in the same run.
//
// Prints a line per case and ends with: prepare_all_100k: ratio=<x> ms=<y>

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

// The baseline: open the exam set, attach the bank, and copy in one transaction.
void copyBySql(const QString& bank, const QString& current)
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
                                       "WHERE Q_EXAM_N <> 0; COMMIT;")
                            .arg(bank, TablePassword, list);
    check(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

double prepareAll(const QString& bank, const QString& current, int runs, int* items)
{
    Session session(SessionName);
    session.addPassword(TablePassword);
    Table qset, currentSet;
    qset.setSession(&session);
    qset.setTableName(bank);
    currentSet.setSession(&session);
    currentSet.setTableName(current);
    qset.setFilter("Q_EXAM_N<>0");
    qset.setFiltered(true);
    ItemStates states;
    // As an exam start does: the bank is opened for the run and closed when the exam ends.
    return medianMs(runs, [&] {
        currentSet.close();
        qset.close();
        qset.open();
        PreparedSet result = PrepareExamSet(qset, currentSet);
        BuildItemStates(currentSet, states);
        *items = result.ItemCount;
    });
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
    const double small = prepareAll(smallBank, current, 5, &items);
    std::printf("prepare_all_350: items=%d ms=%.1f\n", items, small);

    const double baseline = medianMs(3, [&] { copyBySql(bigBank, current); });
    const double ours = prepareAll(bigBank, current, 3, &items);
    std::printf("copy_by_sql_100k: ms=%.1f\n", baseline);
    std::printf("prepare_all_100k: items=%d\n", items);
    std::printf("prepare_all_100k: ratio=%.2f ms=%.0f\n", ours / baseline, ours);
    return 0;
}
