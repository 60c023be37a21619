#include "results/ReviewUnit.h"
#include "store/StandaloneTable.h"
#include "store/Table.h"
#include "support/Fixtures.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

using store::TItemState;

namespace {

TItemState state(const QString& choices, bool marked = false, bool correct = false)
{
    TItemState s;
    for (QChar c : choices)
        s.choice(c.unicode() - 'a' + 1) = true;
    s.Marked = marked;
    s.Correct = correct;
    return s;
}

// Row r of the list (from 0), as the view shows it.
QModelIndex row(const TReviewForm& form, int r)
{
    return form.ListView1->model()->index(r, 0);
}

}  // namespace

class TestReview : public QObject {
    Q_OBJECT

private slots:
    void rows_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("correct");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("running");
        QTest::addColumn<int>("graded");
        QTest::newRow("unanswered") << 3 << "" << false << false << "3  " << 0 << 3;
        QTest::newRow("a and c") << 12 << "ac" << false << true << "12  AC" << 1 << 1;
        QTest::newRow("b, d and e") << 7 << "edb" << false << false << "7  BDE" << 1 << 3;
        QTest::newRow("all six") << 40 << "abcdef" << false << false << "40  ABCDEF" << 1 << 3;
        QTest::newRow("answered and marked") << 5 << "f" << true << true << "5  F" << 2 << 1;
        QTest::newRow("marked, unanswered") << 1 << "" << true << false << "1  " << 2 << 3;
    }
    void rows()
    {
        QFETCH(int, item);
        QFETCH(QString, choices);
        QFETCH(bool, marked);
        QFETCH(bool, correct);
        QFETCH(QString, caption);
        QFETCH(int, running);
        QFETCH(int, graded);
        const TItemState s = state(choices, marked, correct);
        QCOMPARE(TReviewForm::caption(item, s), caption);
        QCOMPARE(int(TReviewForm::runningIcon(s)), running);
        QCOMPARE(int(TReviewForm::gradedIcon(s)), graded);

        // The list shows the same, one row per entry, in order.
        TReviewForm form;
        store::ItemStates states(item);
        states[item - 1] = s;
        for (bool isGraded : {false, true}) {
            form.fill(states, isGraded);
            QCOMPARE(form.ListView1->model()->rowCount(), item);
            QCOMPARE(row(form, item - 1).data().toString(), caption);
            QCOMPARE(row(form, item - 1).data(Qt::UserRole).toInt(), isGraded ? graded : running);
            const QIcon icon = row(form, item - 1).data(Qt::DecorationRole).value<QIcon>();
            QCOMPARE(icon.cacheKey(), form.ImageList1[isGraded ? graded : running].cacheKey());
            QCOMPARE(form.Panel4->isVisibleTo(&form), isGraded);
            QCOMPARE(form.Panel5->isVisibleTo(&form), !isGraded);
        }
    }

    // Rows are read from the sheet as they are shown, and every row has the room of the widest
    // caption, also at the end of a long exam.
    void longSheetShowsEveryCaptionWhole()
    {
        TReviewForm form;
        form.fill(store::ItemStates(3), false);  // a short list first: its row size must not stay
        form.show();
        QApplication::processEvents();
        store::ItemStates states(100000);
        states[99999] = state("abcdef");
        states[4] = state("b", true);
        form.fill(states, false);
        QCOMPARE(form.ListView1->model()->rowCount(), 100000);
        QCOMPARE(row(form, 4).data().toString(), QString("5  B"));
        QCOMPARE(row(form, 4).data(Qt::UserRole).toInt(), int(ReviewModel::Marked));
        QCOMPARE(row(form, 99999).data().toString(), QString("100000  ABCDEF"));
        form.ListView1->scrollTo(row(form, 99999));
        const QRect last = form.ListView1->visualRect(row(form, 99999));
        const int text = form.ListView1->fontMetrics().horizontalAdvance(QStringLiteral("100000  ABCDEF"));
        QVERIFY2(last.width() >= form.ListView1->iconSize().width() + text,
                 qPrintable(QStringLiteral("row %1 pixels wide").arg(last.width())));
        QVERIFY(form.ListView1->viewport()->rect().intersects(last));
    }

    void windowAndLegends()
    {
        TReviewForm form;
        QCOMPARE(form.windowTitle(), QString("Items Review"));
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(form.BitBtn2->text(), QString("&Go to the selected question"));
        QCOMPARE(form.BitBtn2->size(), QSize(309, 30));
        QCOMPARE(form.BitBtn1->text(), QString("&Return"));
        QCOMPARE(form.BitBtn1->size(), QSize(121, 30));
        auto texts = [](QWidget* panel) {
            QStringList result;
            for (QLabel* label : panel->findChildren<QLabel*>())
                if (!label->text().isEmpty())
                    result.append(label->text());
            return result;
        };
        QCOMPARE(texts(form.Panel5), (QStringList{" - incomplete   ", " - complete   ", " - marked   "}));
        QCOMPARE(texts(form.Panel4), (QStringList{" - incorrect item   ", " - correct item   "}));

        // Four distinct 16 x 16 pictures: red "!", blue tick, red "M", red cross.
        QCOMPARE(form.ImageList1.size(), 4);
        const QImage exclamation = form.ImageList1[0].pixmap(16, 16).toImage();
        QCOMPARE(exclamation.size(), QSize(16, 16));
        QCOMPARE(exclamation.pixelColor(8, 5), QColor(255, 0, 0));
        QCOMPARE(exclamation.pixelColor(3, 5), QColor(Qt::white));
        const QImage tick = form.ImageList1[1].pixmap(16, 16).toImage();
        QVERIFY(tick.pixelColor(7, 11).blue() > 200 && tick.pixelColor(7, 11).red() < 100);
        const QImage cross = form.ImageList1[3].pixmap(16, 16).toImage();
        QVERIFY(cross.pixelColor(8, 8).red() > 200 && cross.pixelColor(8, 8).green() < 100);
    }

    void goingToItems()
    {
        testsupport::TempDirCwd dir;
        std::vector<testsupport::Item> items;
        for (int k = 1; k <= 5; ++k)
            items.push_back(testsupport::item(1, 1, QStringLiteral("item %1").arg(k)));
        testsupport::makeTable("ces.DAT", store::TableKind::Current, items);
        store::StandaloneTable standalone("ces.DAT");
        store::Table& table = standalone.table;
        table.open();
        table.setRecNo(2);

        TReviewForm form;
        form.setCurrentSet(&table);
        store::ItemStates running(5);
        running[0] = state("ac");
        running[2] = state("", true);
        form.fill(running, false);
        form.show();
        if (qEnvironmentVariableIsSet("QUIZLORE_SHOTS"))
            form.grab().save(qEnvironmentVariable("QUIZLORE_SHOTS") + "/review-running.png");

        // Nothing selected: the go button does nothing harmful.
        form.BitBtn2Click();
        form.ListView1DblClick();
        QCOMPARE(table.recNo(), 2);
        QVERIFY(form.isVisible());

        form.ListView1->setCurrentIndex(row(form, 3));
        QVERIFY(form.BitBtn2->isEnabled());
        QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
        QCOMPARE(table.recNo(), 4);
        QVERIFY(!form.isVisible());
        QVERIFY(!form.BitBtn2->isEnabled());

        store::ItemStates graded(5);
        graded[1] = state("b", true, true);
        form.fill(graded, true);
        form.show();
        // QUIZLORE_SHOTS=<folder> keeps a picture of the window for a look by eye.
        if (qEnvironmentVariableIsSet("QUIZLORE_SHOTS"))
            form.grab().save(qEnvironmentVariable("QUIZLORE_SHOTS") + "/review-graded.png");
        const QPoint at = form.ListView1->visualRect(row(form, 4)).center();
        QTest::mouseClick(form.ListView1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(form.ListView1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(table.recNo(), 5);
        QVERIFY(!form.isVisible());

        form.fill(store::ItemStates(5), true);
        form.show();
        form.ListView1->setCurrentIndex(row(form, 0));
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);  // "&Return" keeps the current item
        QCOMPARE(table.recNo(), 5);
        QVERIFY(!form.isVisible());
        QVERIFY(!form.BitBtn2->isEnabled());
    }
};

QTEST_MAIN(TestReview)
#include "test_review.moc"
