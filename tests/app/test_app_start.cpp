// The program's start as main() runs it: the launcher is made and painted first, the other
// windows right after, and a launcher button pressed before then makes them itself.

#include "app/AboutUnit.h"
#include "app/MainUnit.h"
#include "app/Startup.h"
#include "exam/PictUnit2.h"
#include "exam/TestUnit.h"
#include "sampler/SamplerUnit.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Notes whether the exam window existed when the watched window first painted.
class FirstPaintSeen : public QObject {
public:
    bool painted = false;
    bool examWindowExisted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            examWindowExisted = TestForm != nullptr;
        }
        return false;
    }
};

}  // namespace

class TestAppStart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_dir = std::make_unique<testsupport::TempDirCwd>();
        configureApplication(*qApp);
    }
    void cleanup() { destroyWindows(); }
    void cleanupTestCase() { m_dir.reset(); }

    void launcherPaintsBeforeTheOtherWindowsAreMade()
    {
        createLauncher();
        FirstPaintSeen seen;
        MainForm->installEventFilter(&seen);
        createOtherWindowsOnceShown(MainForm);
        MainForm->show();
        while (!TestForm || !Pict2Form)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

        QVERIFY(seen.painted);
        QVERIFY(!seen.examWindowExisted);
        QCOMPARE(SamplerForm->AboutBox, AboutForm);
        // Made once: a later request makes nothing new.
        const QPointer<TTestForm> examWindow = TestForm;
        createOtherWindows();
        QCOMPARE(TestForm, examWindow.data());
    }

    void launcherButtonMakesTheWindowsWhenTheyAreNotYetMade()
    {
        createLauncher();
        testsupport::ScriptedPrompts prompts;  // nothing may be asked on the way
        bool examWindowShown = false;
        QTimer::singleShot(0, MainForm, [&] {
            examWindowShown = TestForm && TestForm->isVisible();
            if (TestForm)
                TestForm->close();
        });
        MainForm->StartTestBtnClick();
        QVERIFY(examWindowShown);
        QVERIFY(MainForm->isVisible());
    }

private:
    std::unique_ptr<testsupport::TempDirCwd> m_dir;
};

QTEST_MAIN(TestAppStart)
#include "test_app_start.moc"
