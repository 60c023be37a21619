// Start-up's windows: created once in the program's order, the launcher and the about box
// as the user sees them, the launcher's buttons, the end of the program when the launcher
// closes, and how a running program comes forward.

#include "app/AboutUnit.h"
#include "app/MainUnit.h"
#include "app/Startup.h"
#include "exam/NameUnit.h"
#include "exam/PictUnit1.h"
#include "exam/PictUnit2.h"
#include "exam/ProgressUnit.h"
#include "exam/TestUnit.h"
#include "notes/NoteUnit.h"
#include "options/OptionsUnit.h"
#include "results/ReviewUnit.h"
#include "results/ScoreUnit.h"
#include "sampler/Rep1Unit.h"
#include "sampler/SamplerUnit.h"
#include "store/Fields.h"
#include "support/Fixtures.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "widgets/HyperlinkLabel.h"
#include "widgets/ShapeButton.h"

#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using Global = std::function<QObject*()>;
Q_DECLARE_METATYPE(Global)

namespace {

// The rectangle of `child` in the coordinates of `ancestor`.
QRect geometryIn(const QWidget* child, const QWidget* ancestor)
{
    return QRect(child->mapTo(ancestor, QPoint(0, 0)), child->size());
}

// Runs the event loop as the program does until it ends, or fails after `ms`.
int runEventLoop(int ms)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(ms);
    return QCoreApplication::exec();
}

}  // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestAppWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void windowsAreCreatedInOrder_data();
    void windowsAreCreatedInOrder();
    void designSizes_data();
    void designSizes();

    void launcherLayout();
    void launcherButtons_data();
    void launcherButtons();
    void aboutBoxLayout();
    void aboutBoxLinkAndOk();

    void launcherHidesWhileAWindowIsShownModally_data();
    void launcherHidesWhileAWindowIsShownModally();
    void closingTheLauncherEndsTheProgram_data();
    void closingTheLauncherEndsTheProgram();

    void comeForwardRestoresAMinimizedProgram();
    void comeForwardBringsTheModalWindowToTheFront();

private:
    std::unique_ptr<testsupport::TempDirCwd> m_dir;
    QList<QObject*> m_windows;
};

void TestAppWindows::initTestCase()
{
    m_dir = std::make_unique<testsupport::TempDirCwd>();
    configureApplication(*qApp);
    m_windows = createWindows();
}

void TestAppWindows::cleanupTestCase()
{
    destroyWindows();
    m_dir.reset();
}

void TestAppWindows::cleanup()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
}

void TestAppWindows::windowsAreCreatedInOrder_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Global>("global");

    QTest::newRow("launcher") << 0 << "TMainForm" << "MainForm" << "Quizlore Prep 2.0"
                              << "QWidget" << Global([] { return MainForm; });
    QTest::newRow("exam window") << 1 << "TTestForm" << "TestForm" << "Quizlore Prep 2.0"
                                 << "QMainWindow" << Global([] { return TestForm; });
    QTest::newRow("progress") << 2 << "TProgressForm" << "ProgressForm"
                              << "Randomizing question set..." << "QDialog"
                              << Global([] { return ProgressForm; });
    QTest::newRow("score") << 3 << "TScoreForm" << "ScoreForm" << "Quizlore" << "QDialog"
                           << Global([] { return ScoreForm; });
    QTest::newRow("begin exam") << 4 << "TNameForm" << "NameForm" << "Quizlore" << "QDialog"
                                << Global([] { return NameForm; });
    QTest::newRow("items review") << 5 << "TReviewForm" << "ReviewForm" << "Items Review"
                                  << "QDialog" << Global([] { return ReviewForm; });
    QTest::newRow("note") << 6 << "TNoteForm" << "NoteForm" << "Quizlore" << "QDialog"
                          << Global([] { return NoteForm; });
    QTest::newRow("options") << 7 << "TOptionsForm" << "OptionsForm" << "Options" << "QDialog"
                             << Global([] { return OptionsForm; });
    QTest::newRow("data module") << 8 << "TDM" << "DM" << "" << "QObject"
                                 << Global([] { return DM; });
    QTest::newRow("about box") << 9 << "TAboutForm" << "AboutForm" << "About Quizlore"
                               << "QDialog" << Global([] { return AboutForm; });
    QTest::newRow("test sampler") << 10 << "TSamplerForm" << "SamplerForm"
                                  << "Quizlore Test Sampler" << "QMainWindow"
                                  << Global([] { return SamplerForm; });
    QTest::newRow("exhibit 1") << 11 << "TPict1Form" << "Pict1Form" << "Exhibit 1" << "QDialog"
                               << Global([] { return Pict1Form; });
    QTest::newRow("exhibit 2") << 12 << "TPict2Form" << "Pict2Form" << "Exhibit 2" << "QDialog"
                               << Global([] { return Pict2Form; });
}

void TestAppWindows::windowsAreCreatedInOrder()
{
    QFETCH(int, order);
    QFETCH(QString, className);
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(QString, kind);
    QFETCH(Global, global);

    QCOMPARE(m_windows.size(), 13);
    QObject* object = m_windows.at(order);
    QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);
    QCOMPARE(object->objectName(), objectName);
    QCOMPARE(global(), object);
    QVERIFY(object->inherits(kind.toLatin1().constData()));
    if (auto* window = qobject_cast<QWidget*>(object)) {
        QVERIFY(window->isWindow());
        QCOMPARE(window->windowTitle(), caption);
        // Every window waits hidden until its own time comes.
        QVERIFY(!window->isVisible());
    } else {
        QVERIFY(caption.isEmpty());
    }
}

void TestAppWindows::designSizes_data()
{
    QTest::addColumn<Global>("window");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("fixed");
    QTest::newRow("launcher") << Global([] { return MainForm; }) << QSize(232, 200) << true;
    QTest::newRow("about box") << Global([] { return AboutForm; }) << QSize(310, 233) << true;
    QTest::newRow("score") << Global([] { return ScoreForm; }) << QSize(582, 389) << true;
    QTest::newRow("begin exam") << Global([] { return NameForm; }) << QSize(305, 204) << true;
    QTest::newRow("items review") << Global([] { return ReviewForm; }) << QSize(442, 372) << true;
    QTest::newRow("test sampler") << Global([] { return SamplerForm; }) << QSize(646, 462)
                                  << false;
}

void TestAppWindows::designSizes()
{
    QFETCH(Global, window);
    QFETCH(QSize, size);
    QFETCH(bool, fixed);
    auto* widget = qobject_cast<QWidget*>(window());
    QVERIFY(widget);
    if (fixed) {
        QCOMPARE(widget->size(), size);
        QCOMPARE(widget->minimumSize(), size);
        QCOMPARE(widget->maximumSize(), size);
    } else {
        QCOMPARE(widget->minimumSize(), size);
        QVERIFY(widget->maximumSize().width() > size.width());
    }
}

void TestAppWindows::launcherLayout()
{
    TMainForm* launcher = MainForm;
    QCOMPARE(launcher->width(), 232);
    const Qt::WindowFlags flags = launcher->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(launcher->palette().color(QPalette::Window), QColor(Qt::white));

    // Banner panel on top, button panel below it, each as wide as the window inside its
    // 2-pixel border.
    QCOMPARE(geometryIn(launcher->Panel1, launcher), QRect(2, 2, 228, 48));
    QCOMPARE(geometryIn(launcher->Panel3, launcher), QRect(2, 50, 228, 148));
    QCOMPARE(launcher->height(), 2 + 48 + 148 + 2);

    // The banner: a real 221 x 48 picture, centred in its panel.
    const QPixmap banner = launcher->Image1->pixmap();
    QCOMPARE(banner.size(), QSize(221, 48));
    QVERIFY(launcher->Image1->alignment() & Qt::AlignHCenter);
    QCOMPARE(launcher->Image1->geometry(), QRect(0, 0, 228, 48));

    // The blue outline fills the button panel inside its 4-pixel border.
    QCOMPARE(launcher->Shape1->geometry(), QRect(4, 4, 220, 140));
    launcher->show();
    QVERIFY(QTest::qWaitForWindowExposed(launcher));
    const QImage shot = launcher->grab().toImage();
    const QPoint outline = launcher->Panel3->mapTo(launcher, QPoint(4, 70));
    QCOMPARE(QColor(shot.pixel(outline)), QColor(0, 0, 255));
}

void TestAppWindows::launcherButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("top");
    QTest::newRow("start testing") << "StartTestBtn" << "Start &Testing" << QColor(0, 0, 128) << 14;
    QTest::newRow("test sampler") << "SamplerBtn" << "Test &Sampler" << QColor(128, 0, 128) << 50;
    QTest::newRow("exit") << "fcShapeBtn3" << "E&xit" << QColor(0, 128, 128) << 102;
}

void TestAppWindows::launcherButtons()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    QFETCH(int, top);
    auto* button = MainForm->findChild<widgets::ShapeButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), MainForm->Panel3);
    QCOMPARE(button->geometry(), QRect(47, top, 138, 34));
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->color(), colour);
    QVERIFY(button->isEnabled());
}

void TestAppWindows::aboutBoxLayout()
{
    TAboutForm* about = AboutForm;
    QCOMPARE(about->size(), QSize(310, 233));
    QCOMPARE(about->windowTitle(), QStringLiteral("About Quizlore"));
    QCOMPARE(about->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!(about->windowFlags() & Qt::WindowContextHelpButtonHint));

    // Banner in a panel with an 8-pixel border.
    QCOMPARE(about->Image1->pixmap().size(), QSize(221, 48));
    QCOMPARE(geometryIn(about->Image1, about).top(), 8);
    QCOMPARE(about->Panel1->geometry().bottom() + 1, 8 + 48 + 8);

    // 17 pixels, three centred lines, 16 pixels, the centred link.
    const QList<QLabel*> notice{about->Label1, about->Label2, about->Label3};
    QCOMPARE(notice.first()->y(), about->Panel1->geometry().bottom() + 1 + 17);
    for (int i = 0; i < notice.size(); ++i) {
        QLabel* line = notice.at(i);
        QVERIFY(!line->text().isEmpty());
        QVERIFY(line->alignment() & Qt::AlignHCenter);
        QCOMPARE(line->x() + line->width() / 2, 310 / 2);
        // The whole line fits the box.
        QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) <= 310 - 16);
        if (i > 0)
            QCOMPARE(line->y(), notice.at(i - 1)->geometry().bottom() + 1);
    }
    QCOMPARE(about->URLLabel1->y(), about->Label3->geometry().bottom() + 1 + 16);
    QVERIFY(qAbs(about->URLLabel1->x() + about->URLLabel1->width() / 2 - 310 / 2) <= 1);

    // The OK button at the bottom right, under a separating line.
    const QRect ok = about->OKButton->geometry();
    QCOMPARE(ok.size(), QSize(79, 29));
    QVERIFY(ok.right() < 310 && ok.right() > 310 - 20);
    QVERIFY(ok.bottom() < 233 && ok.bottom() > 233 - 20);
    QCOMPARE(about->OKButton->text(), QStringLiteral("OK"));
    QVERIFY(about->Bevel1->geometry().bottom() < ok.top());
    QVERIFY(about->Bevel1->geometry().top() > about->URLLabel1->geometry().bottom());
}

void TestAppWindows::aboutBoxLinkAndOk()
{
    TAboutForm* about = AboutForm;
    QCOMPARE(about->URLLabel1->text(), QStringLiteral("https://quizlore.example.org/prep"));
    QCOMPARE(about->URLLabel1->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(about->URLLabel1->cursor().shape(), Qt::PointingHandCursor);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    bool wasModal = false;
    QTimer::singleShot(50, about, [&] {
        wasModal = QApplication::activeModalWidget() == about;
        QTest::mouseClick(about->URLLabel1, Qt::LeftButton);
        QTest::mouseClick(about->OKButton, Qt::LeftButton);
    });
    QTimer::singleShot(5000, about, [about] { about->reject(); });
    const int result = about->exec();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QVERIFY(wasModal);
    QCOMPARE(result, int(QDialog::Accepted));
    const QUrl page(QStringLiteral("https://quizlore.example.org/prep"));
    QCOMPARE(catcher.opened, QList<QUrl>{page});
}

void TestAppWindows::launcherHidesWhileAWindowIsShownModally_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Global>("shown");
    QTest::addColumn<bool>("asksToExit");
    QTest::newRow("Start Testing") << "StartTestBtn" << Global([] { return TestForm; }) << false;
    QTest::newRow("Test Sampler") << "SamplerBtn" << Global([] { return SamplerForm; }) << true;
}

void TestAppWindows::launcherHidesWhileAWindowIsShownModally()
{
    QFETCH(QString, button);
    QFETCH(Global, shown);
    QFETCH(bool, asksToExit);
    auto* window = qobject_cast<QWidget*>(shown());
    if (!QFile::exists(store::UserSetFileName))
        testsupport::makeTable(store::UserSetFileName, store::TableKind::User, {});
    testsupport::ScriptedPrompts prompts;  // nothing else may be asked on the way
    if (asksToExit)
        prompts.answer(platform::PromptButton::Ok);

    MainForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    MainForm->move(120, 90);
    const QPoint place = MainForm->pos();

    bool launcherHidden = false;
    bool windowModal = false;
    bool windowIsMain = false;
    QTimer::singleShot(50, window, [&] {
        launcherHidden = !MainForm->isVisible();
        windowModal = window->isVisible() && QApplication::activeModalWidget() == window;
        windowIsMain = applicationMainWindow() == window;
        window->close();
    });
    QTimer::singleShot(5000, window, [window] { window->hide(); });
    QTest::mouseClick(MainForm->findChild<QWidget*>(button), Qt::LeftButton);

    QVERIFY(launcherHidden);
    QVERIFY(windowModal);
    QVERIFY(windowIsMain);
    QVERIFY(!window->isVisible());
    QVERIFY(MainForm->isVisible());
    QCOMPARE(MainForm->pos(), place);
    QCOMPARE(applicationMainWindow(), static_cast<QWidget*>(MainForm));
}

void TestAppWindows::closingTheLauncherEndsTheProgram_data()
{
    QTest::addColumn<bool>("byExitButton");
    QTest::newRow("Exit button") << true;
    QTest::newRow("close box") << false;
}

void TestAppWindows::closingTheLauncherEndsTheProgram()
{
    QFETCH(bool, byExitButton);
    MainForm->show();
    QTimer::singleShot(50, MainForm, [byExitButton] {
        if (byExitButton)
            QTest::mouseClick(MainForm->fcShapeBtn3, Qt::LeftButton);
        else
            MainForm->close();
    });
    QCOMPARE(runEventLoop(10000), 0);
    QVERIFY(!MainForm->isVisible());
    // The other windows still exist, hidden.
    QVERIFY(TestForm && AboutForm && Pict2Form);
    QVERIFY(!TestForm->isVisible());

    // Hiding the launcher (as for the exam window) does not end the program.
    MainForm->show();
    QTimer::singleShot(50, MainForm, [] { MainForm->hide(); });
    QTimer::singleShot(300, MainForm, [] { QCoreApplication::exit(7); });
    QCOMPARE(runEventLoop(10000), 7);
}

void TestAppWindows::comeForwardRestoresAMinimizedProgram()
{
    MainForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    MainForm->showMinimized();
    QTRY_VERIFY(MainForm->isMinimized());
    BringApplicationForward();
    QTRY_VERIFY(!MainForm->isMinimized());
    QVERIFY(MainForm->isVisible());
}

void TestAppWindows::comeForwardBringsTheModalWindowToTheFront()
{
    MainForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    bool modalActive = false;
    QTimer::singleShot(0, AboutForm, [&] {
        QVERIFY(QTest::qWaitForWindowActive(AboutForm));
        // Something else took the focus meanwhile: wait for the activation, however loaded
        // the machine is (a platform may refuse it, which leaves nothing to wait for).
        MainForm->activateWindow();
        QTest::qWaitFor([] { return QApplication::activeWindow() == MainForm; }, 2000);
        BringApplicationForward();
        modalActive = QTest::qWaitFor([] { return QApplication::activeWindow() == AboutForm; }, 10000);
        AboutForm->accept();
    });
    QTimer::singleShot(30000, AboutForm, [] { AboutForm->reject(); });
    AboutForm->exec();
    QVERIFY(modalActive);
}

QTEST_MAIN(TestAppWindows)
#include "test_app_windows.moc"
