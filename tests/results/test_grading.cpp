// Grading arithmetic: rounding, the pass rule, counting the answer sheet and the result texts.

#include "results/Grading.h"

#include <QTest>

#include <stdexcept>

using namespace results;

Q_DECLARE_METATYPE(store::TItemState)

namespace {

struct Entry {
    int section;
    bool correct;
};

store::ItemStates sheetOf(std::initializer_list<Entry> entries)
{
    store::ItemStates sheet;
    for (const Entry& e : entries) {
        store::TItemState state;
        state.Section = e.section;
        state.Correct = e.correct;
        sheet.append(state);
    }
    return sheet;
}

// n entries in `section`, the first `correct` of them answered correctly.
void appendItems(store::ItemStates& sheet, int section, int n, int correct)
{
    for (int k = 0; k < n; ++k) {
        store::TItemState state;
        state.Section = section;
        state.Correct = k < correct;
        sheet.append(state);
    }
}

}  // namespace

class TestGrading : public QObject {
    Q_OBJECT

private slots:
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void rejectsNonPositiveDenominator();

    void scoresAndGrades_data();
    void scoresAndGrades();

    void sectionPercents_data();
    void sectionPercents();

    void countsTheSheet_data();
    void countsTheSheet();

    void gradesAWholeSheet();
    void examWithoutItemsIsNotScored();

    void resultLine_data();
    void resultLine();
    void titleLine_data();
    void titleLine();
    void sectionLabels_data();
    void sectionLabels();
};

void TestGrading::roundsHalfToEven_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("rounded");

    QTest::newRow("62.5 goes down to even") << qint64(625) << qint64(10) << qint64(62);
    QTest::newRow("187.5 goes up to even") << qint64(1875) << qint64(10) << qint64(188);
    QTest::newRow("0.5 goes to 0") << qint64(1) << qint64(2) << qint64(0);
    QTest::newRow("1.5 goes to 2") << qint64(3) << qint64(2) << qint64(2);
    QTest::newRow("2.5 goes to 2") << qint64(5) << qint64(2) << qint64(2);
    QTest::newRow("just below a half") << qint64(4999) << qint64(10000) << qint64(0);
    QTest::newRow("just above a half") << qint64(5001) << qint64(10000) << qint64(1);
    QTest::newRow("a third") << qint64(1) << qint64(3) << qint64(0);
    QTest::newRow("two thirds") << qint64(2) << qint64(3) << qint64(1);
    QTest::newRow("zero") << qint64(0) << qint64(7) << qint64(0);
    QTest::newRow("whole") << qint64(85000) << qint64(100) << qint64(850);
    QTest::newRow("negative half") << qint64(-5) << qint64(2) << qint64(-2);
    QTest::newRow("negative three halves") << qint64(-3) << qint64(2) << qint64(-2);
}

void TestGrading::roundsHalfToEven()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, rounded);
    QCOMPARE(qint64(roundHalfEven(numerator, denominator)), rounded);
}

void TestGrading::rejectsNonPositiveDenominator()
{
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, roundHalfEven(1, 0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, roundHalfEven(1, -4));
}

void TestGrading::scoresAndGrades_data()
{
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("total");
    QTest::addColumn<double>("realScore");
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("passed");

    QTest::newRow("1 of 16 shows 62") << 1 << 16 << 62.5 << 62 << false;
    QTest::newRow("3 of 16 shows 188") << 3 << 16 << 187.5 << 188 << false;
    QTest::newRow("51 of 60 is exactly 850 and passes") << 51 << 60 << 850.0 << 850 << true;
    QTest::newRow("50 of 60 fails") << 50 << 60 << 50000.0 / 60 << 833 << false;
    QTest::newRow("17 of 20 passes") << 17 << 20 << 850.0 << 850 << true;
    QTest::newRow("all correct") << 60 << 60 << 1000.0 << 1000 << true;
    QTest::newRow("one item, correct") << 1 << 1 << 1000.0 << 1000 << true;
    QTest::newRow("none correct") << 0 << 60 << 0.0 << 0 << false;
    // 849.83 shows as 850, yet the real score is below the passing score.
    QTest::newRow("shown 850 but below it") << 5099 << 6000 << 5099000.0 / 6000 << 850 << false;
    QTest::newRow("large exam at the line") << 5100 << 6000 << 850.0 << 850 << true;
    QTest::newRow("no items") << 0 << 0 << 0.0 << 0 << false;
}

void TestGrading::scoresAndGrades()
{
    QFETCH(int, correct);
    QFETCH(int, total);
    QFETCH(double, realScore);
    QFETCH(int, shown);
    QFETCH(bool, passed);

    QCOMPARE(score(correct, total), realScore);
    QCOMPARE(shownScore(correct, total), shown);
    QCOMPARE(passes(correct, total), passed);
    QCOMPARE(gradeText(passes(correct, total)),
             passed ? QStringLiteral("Pass") : QStringLiteral("Fail"));
}

void TestGrading::sectionPercents_data()
{
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("percent");

    QTest::newRow("1 of 8 gives 12") << 1 << 8 << 12;
    QTest::newRow("3 of 8 gives 38") << 3 << 8 << 38;
    QTest::newRow("5 of 8 gives 62") << 5 << 8 << 62;
    QTest::newRow("1 of 3") << 1 << 3 << 33;
    QTest::newRow("2 of 3") << 2 << 3 << 67;
    QTest::newRow("1 of 200 is a half, goes to 0") << 1 << 200 << 0;
    QTest::newRow("3 of 200 goes to 2") << 3 << 200 << 2;
    QTest::newRow("all") << 9 << 9 << 100;
    QTest::newRow("none correct") << 0 << 8 << 0;
    QTest::newRow("no items in the section") << 0 << 0 << 0;
}

void TestGrading::sectionPercents()
{
    QFETCH(int, correct);
    QFETCH(int, total);
    QFETCH(int, percent);
    QCOMPARE(sectionPercent(correct, total), percent);
}

void TestGrading::countsTheSheet_data()
{
    QTest::addColumn<store::ItemStates>("sheet");
    QTest::addColumn<QList<int>>(
        "expected");  // all total, all correct, then total, correct of 1..4
    QTest::addColumn<int>("outside");

    QTest::newRow("empty") << store::ItemStates() << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << 0;
    QTest::newRow("one per section") << sheetOf({{1, true}, {2, false}, {3, true}, {4, false}})
                                     << QList<int>{4, 2, 1, 1, 1, 0, 1, 1, 1, 0} << 0;
    QTest::newRow("order does not matter")
        << sheetOf({{4, false}, {2, true}, {4, true}, {2, true}, {2, false}})
        << QList<int>{5, 3, 0, 0, 3, 2, 0, 0, 2, 1} << 0;
    QTest::newRow("sections outside 1..4 count in the total only")
        << sheetOf({{0, true}, {5, true}, {-1, false}, {3, true}, {2147483647, true}})
        << QList<int>{5, 4, 0, 0, 0, 0, 1, 1, 0, 0} << 4;
}

void TestGrading::countsTheSheet()
{
    QFETCH(store::ItemStates, sheet);
    QFETCH(QList<int>, expected);
    QFETCH(int, outside);

    const SheetCount count = countSheet(sheet);
    QList<int> actual{count.all.total, count.all.correct};
    for (int s = 1; s <= SectionCount; ++s)
        actual << count.section(s).total << count.section(s).correct;
    QCOMPARE(actual, expected);
    QCOMPARE(count.outsideSections, outside);
}

void TestGrading::gradesAWholeSheet()
{
    // 60 items: section 1 holds 8 with 1 correct, section 2 holds 9 with 7 correct, section 3
    // holds 43 all correct, section 4 none: 51 correct in all.
    store::ItemStates sheet;
    appendItems(sheet, 1, 8, 1);
    appendItems(sheet, 2, 9, 7);
    appendItems(sheet, 3, 43, 43);

    const Grade grade = gradeSheet(sheet);
    QVERIFY(grade.hasItems);
    QCOMPARE(grade.count.all.total, 60);
    QCOMPARE(grade.count.all.correct, 51);
    QCOMPARE(grade.score, 850.0);
    QCOMPARE(grade.shownScore, 850);
    QVERIFY(grade.passed);
    QCOMPARE(grade.sectionPercent(1), 12);
    QCOMPARE(grade.sectionPercent(2), 78);
    QCOMPARE(grade.sectionPercent(3), 100);
    QCOMPARE(grade.sectionPercent(4), 0);
    QCOMPARE(results::resultLine(grade),
             QStringLiteral("Passing Score: 850   Your Score: 850   Grade: Pass"));
    QCOMPARE(sectionLabel(4, grade.count.section(4)), QStringLiteral("Troubleshooting (0/0) "));

    sheet[0].Correct = false;  // one fewer: 50 of 60
    const Grade lower = gradeSheet(sheet);
    QCOMPARE(lower.shownScore, 833);
    QVERIFY(!lower.passed);
    QCOMPARE(lower.sectionPercent(1), 0);
}

void TestGrading::examWithoutItemsIsNotScored()
{
    const Grade grade = gradeSheet({});
    QVERIFY(!grade.hasItems);
    QCOMPARE(grade.score, 0.0);
    QCOMPARE(grade.shownScore, 0);
    QVERIFY(!grade.passed);
    for (int s = 1; s <= SectionCount; ++s)
        QCOMPARE(grade.sectionPercent(s), 0);
    QVERIFY(!noItemsText().isEmpty());

    // Only entries outside the four sections: scored, but no section has anything.
    const Grade outside = gradeSheet(sheetOf({{0, true}, {9, true}}));
    QVERIFY(outside.hasItems);
    QCOMPARE(outside.shownScore, 1000);
    QVERIFY(outside.passed);
    for (int s = 1; s <= SectionCount; ++s)
        QCOMPARE(outside.sectionPercent(s), 0);
}

void TestGrading::resultLine_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<QString>("line");

    QTest::newRow("933 passes") << 933 << true
                                << "Passing Score: 850   Your Score: 933   Grade: Pass";
    QTest::newRow("833 fails") << 833 << false
                               << "Passing Score: 850   Your Score: 833   Grade: Fail";
    QTest::newRow("zero") << 0 << false << "Passing Score: 850   Your Score: 0   Grade: Fail";
    QTest::newRow("full") << 1000 << true << "Passing Score: 850   Your Score: 1000   Grade: Pass";
}

void TestGrading::resultLine()
{
    QFETCH(int, shown);
    QFETCH(bool, passed);
    QFETCH(QString, line);
    QCOMPARE(results::resultLine(shown, passed), line);
}

void TestGrading::titleLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("exam");
    QTest::addColumn<QString>("line");

    QTest::newRow("plain") << "Anna Berg"
                           << "Practice Exam A"
                           << "Anna Berg,  Quizlore Prep 2.0,  Practice Exam A";
    QTest::newRow("no name") << ""
                             << "User Exam"
                             << ",  Quizlore Prep 2.0,  User Exam";
    QTest::newRow("place markers stay as typed") << "%1 %2"
                                                 << "%1"
                                                 << "%1 %2,  Quizlore Prep 2.0,  %1";
}

void TestGrading::titleLine()
{
    QFETCH(QString, name);
    QFETCH(QString, exam);
    QFETCH(QString, line);
    QCOMPARE(results::titleLine(name, exam), line);
}

void TestGrading::sectionLabels_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("label");

    QTest::newRow("section 1") << 1 << 3 << 8 << "Standards and Terminology (3/8) ";
    QTest::newRow("section 2, 7 of 9") << 2 << 7 << 9 << "Planning (7/9) ";
    QTest::newRow("section 3") << 3 << 10 << 10 << "Implementation (10/10) ";
    QTest::newRow("section 4 empty") << 4 << 0 << 0 << "Troubleshooting (0/0) ";
}

void TestGrading::sectionLabels()
{
    QFETCH(int, section);
    QFETCH(int, correct);
    QFETCH(int, total);
    QFETCH(QString, label);
    QCOMPARE(sectionLabel(section, Count{total, correct}), label);
    QVERIFY(sectionName(0).isEmpty());
    QVERIFY(sectionName(5).isEmpty());
}

QTEST_GUILESS_MAIN(TestGrading)
#include "test_grading.moc"
