// The Study History window on a 1280 × 1024 screen at twice the size (QT_SCALE_FACTOR=2), where
// the window has 640 × 512 of its own units: it opens within the screen, and made as small as it
// goes, its charts, its "Show" box and its lists stay readable and within reach.

#include "HistoryFolder.h"
#include "historywindow/ChartPair.h"
#include "historywindow/StudyHistoryWindow.h"
#include "charts/BarChart.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using historytest::attemptOf;
using historytest::Folder;
using historywindow::StudyHistoryWindow;

namespace {

// Two attempts and twenty questions missed.
std::vector<history::Attempt> twoAttempts()
{
    return {attemptOf(1, QByteArray(20, '-')), attemptOf(2, "++++" + QByteArray(16, '-'))};
}

// What of `chart` cannot be read as it is drawn now; empty when everything can.
QStringList unreadable(const charts::BarChart* chart)
{
    const charts::BarChartModel& model = chart->model();
    const charts::BarChartLayout layout = chart->currentLayout();
    QStringList faults;
    if (QFontMetricsF(layout.titleFont).horizontalAdvance(model.title.text) > layout.titleRect.width())
        faults << QStringLiteral("the title is cut");
    if (layout.tickLabelled.contains(false))
        faults << QStringLiteral("a step of the value axis has no label");
    const double line = QFontMetricsF(layout.labelAxisFont).height();
    for (int i = 0; i < layout.labelLines.size(); ++i) {
        if (layout.labelLines[i].isEmpty() || layout.labelLines[i].size() * line > layout.labelRects[i].height() + 0.5)
            faults << QStringLiteral("the label \"%1\" is cut").arg(model.groupLabels.value(i));
    }
    return faults;
}

void settle(QWidget& window)
{
    QCoreApplication::sendPostedEvents();
    window.layout()->activate();
    QCoreApplication::sendPostedEvents();
}

}  // namespace

class TestStudyHistoryScaled : public QObject {
    Q_OBJECT

private slots:
    void theScreenIsTwiceTheSize()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->devicePixelRatio(), 2.0);
        QCOMPARE(screen->availableGeometry().size() * 2, QSize(1280, 1024));
    }

    void opensWithinTheScreen()
    {
        Folder folder(twoAttempts());
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect free = window.screen()->availableGeometry();
        QVERIFY2(free.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1 x %2 at %3, %4")
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())
                                .arg(window.frameGeometry().x())
                                .arg(window.frameGeometry().y())));
        const QSize least = window.minimumSize();
        QVERIFY2(least.width() <= free.width() && least.height() <= free.height(),
                 qPrintable(QStringLiteral("at least %1 x %2").arg(least.width()).arg(least.height())));
    }

    void madeSmallItStaysReadable()
    {
        Folder folder(twoAttempts());
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(1, 1);  // as small as it lets itself be made
        settle(window);
        QCOMPARE(window.size(), window.minimumSize());

        QCOMPARE(unreadable(window.trendChart), QStringList());
        QCOMPARE(unreadable(window.scoreChart).filter("title"), QStringList());
        QVERIFY(!window.chartPair->sideBySide());
        QVERIFY2(window.examChoice->width() >= window.examChoice->sizeHint().width(),
                 qPrintable(QString::number(window.examChoice->width())));
        // The most-missed list is in reach: scrolled to, its rows show.
        window.contentArea->ensureWidgetVisible(window.missedList);
        settle(window);
        QVERIFY(!window.missedList->visibleRegion().isEmpty());
        QVERIFY(window.missedList->viewport()->height() >= 3 * window.missedList->sizeHintForRow(0));
    }
};

int main(int argc, char** argv)
{
    // The offscreen platform with one screen of 1280 × 1024 pixels, and everything drawn twice
    // the size.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1280, "height": 1024,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestStudyHistoryScaled test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_study_history_scaled.moc"
