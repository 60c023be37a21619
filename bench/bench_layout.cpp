// The time to show one item: LayoutItem followed by DecorateItem, on the sample bank's items
// and on one item with 20 KB of question and answer text.
//
// Prints a line per case and ends with: layout_item: median_ms=<x> large_ms=<y>

#include "exam/LPositionsUnit.h"
#include "exam/PrepareUnit.h"
#include "exam/TestUnit.h"
#include "store/Session.h"
#include "store/StandaloneTable.h"
#include "store/Table.h"
#include "store/StandaloneTable.h"
#include "store/TableFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double msOf(TTestForm& form)
{
    QElapsedTimer clock;
    clock.start();
    lpositions::LayoutItem(form);
    lpositions::DecorateItem(form);
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Starts "All Questions" on the bank in the current directory, without the dialog.
void startExam(TTestForm& form)
{
    form.dtQSet->setFilter("Q_EXAM_N<>0");
    form.dtQSet->setFiltered(true);
    form.dtQSet->open();
    const PreparedSet set = PrepareExamSet(*form.dtQSet, *form.dtCurrentSet);
    form.FirstItemNo = set.FirstItemNo;
    form.ItemCount = set.ItemCount;
    BuildItemStates(*form.dtCurrentSet, form.ItemStates);
    form.ExamState = 1;
    form.ExamControls();
    form.dtCurrentSet->first();
}

void makeLargeBank(const QString& file)
{
    using namespace store;
    createTableFile(file, TableKind::Bank, TablePassword);
    StandaloneTable standalone(file);
    Table& table = standalone.table;
    table.open();
    const QString sentence = QStringLiteral("A long scenario sentence about routers, switches and cables. ");
    table.append();
    table.setValue("Q_ID", 1);
    table.setValue("Q_EXAM_N", 1);
    table.setValue("Q_SECT", 1);
    table.setValue("Q_TEXT", sentence.repeated(120));  // about 7 KB
    table.setValue("Q_EXPL", sentence.repeated(40));
    for (int k = 1; k <= 6; ++k)
        table.setValue(QStringLiteral("Q%1").arg(k), sentence.repeated(36));  // 6 x 2 KB
    table.setValue("A1", true);
    table.post();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString runDir = QStringLiteral(RUN_DIR);
    QTemporaryDir sampleDir, largeDir;
    for (const char* name : {"qbank2.DAT", "ces.DAT"})
        QFile::copy(runDir + "/" + name, sampleDir.filePath(name));

    QDir::setCurrent(sampleDir.path());
    TTestForm form;
    TestForm = &form;
    form.resize(1024, 768);
    form.show();
    startExam(form);
    std::vector<double> times;
    for (int round = 0; round < 3; ++round)
        for (form.dtCurrentSet->first(); !form.dtCurrentSet->eof(); form.dtCurrentSet->next())
            times.push_back(msOf(form));
    const double sample = median(times);
    std::printf("layout_sample: items=%d median_ms=%.3f\n", form.ItemCount, sample);
    form.CloseCurrentExam();

    QDir::setCurrent(largeDir.path());
    makeLargeBank("qbank2.DAT");
    QFile::copy(runDir + "/ces.DAT", largeDir.filePath("ces.DAT"));
    QFile::setPermissions(largeDir.filePath("ces.DAT"), QFile::ReadOwner | QFile::WriteOwner);
    startExam(form);
    times.clear();
    for (int round = 0; round < 9; ++round)
        times.push_back(msOf(form));
    const double large = median(times);
    std::printf("layout_large: median_ms=%.3f\n", large);
    form.CloseCurrentExam();
    std::printf("layout_item: median_ms=%.3f large_ms=%.3f\n", sample, large);
    TestForm = nullptr;
    return 0;
}
