// An exception that escapes an event handler ends up in the error box (caption
// "Quizlore Prep 2.0", error icon, "OK", the message with its full stop), the event is
// abandoned and the program goes on. The same holds for a handler connected through
// platform::handled(), which reports its failure itself.
//
// (An exception let loose in a widget's click or key handler also reaches the box through
// the application object, but Qt Widgets, built without exception support, leaks a few
// objects on the way, which the leak checker of these tests reports. Hence handled() for
// those, and timer and queued calls for the route through the application object.)

#include "app/Application.h"
#include "platform/Handler.h"
#include "store/StoreError.h"
#include "support/ScriptedPrompts.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <stdexcept>

using platform::PromptButton;
using platform::PromptKind;
using testsupport::ScriptedPrompts;

namespace {

[[noreturn]] void throwCase(int what)
{
    switch (what) {
    case 0:
        throw std::runtime_error("The question bank cannot be opened");
    case 1:
        throw store::StoreError(QStringLiteral("cannot open table qbank2.DAT: file not found"));
    case 2:
        throw std::runtime_error("Are you sure?");
    case 3:
        throw std::runtime_error("Stop!");
    default:
        throw 42;
    }
}

}  // namespace

class TestAppErrors : public QObject {
    Q_OBJECT
private slots:
    void exceptionInHandlerShowsErrorBox_data();
    void exceptionInHandlerShowsErrorBox();
};

void TestAppErrors::exceptionInHandlerShowsErrorBox_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("what");
    QTest::addColumn<QString>("shown");

    QTest::newRow("button click, handled()") << "handled click" << 0
                                             << "The question bank cannot be opened.";
    QTest::newRow("store error in a timer slot")
        << "timer" << 1 << "cannot open table qbank2.DAT: file not found.";
    QTest::newRow("timer, question mark") << "timer" << 2 << "Are you sure?.";
    QTest::newRow("queued call, exclamation mark") << "queued" << 3 << "Stop!";
    QTest::newRow("not a std::exception") << "timer" << 4 << "Unknown error.";
}

void TestAppErrors::exceptionInHandlerShowsErrorBox()
{
    QFETCH(QString, route);
    QFETCH(int, what);
    QFETCH(QString, shown);

    ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);

    QWidget window;
    auto* failing = new QPushButton(QStringLiteral("Fail"), &window);
    auto* working = new QPushButton(QStringLiteral("Work"), &window);
    working->move(0, 40);

    bool rest = false;  // set by the part of the handler after the throw
    int worked = 0;
    connect(failing, &QPushButton::clicked, &window, platform::handled([&] {
                throwCase(what);
                rest = true;
            }));
    connect(working, &QPushButton::clicked, [&] { ++worked; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    if (route == QLatin1String("handled click")) {
        QTest::mouseClick(failing, Qt::LeftButton);
    } else if (route == QLatin1String("queued")) {
        QMetaObject::invokeMethod(
            &window,
            [&] {
                throwCase(what);
                rest = true;
            },
            Qt::QueuedConnection);
    } else {
        QTimer::singleShot(0, &window, [&] {
            throwCase(what);
            rest = true;
        });
    }
    QTRY_COMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& asked = prompts.requests().first();
    QCOMPARE(asked.kind, PromptKind::Error);
    QCOMPARE(asked.caption, QStringLiteral("Quizlore Prep 2.0"));
    QCOMPARE(asked.text, shown);
    QCOMPARE(asked.buttons, QList<PromptButton>{PromptButton::Ok});
    QVERIFY(!rest);

    // The program goes on: events are handled as before.
    QTest::mouseClick(working, Qt::LeftButton);
    QCOMPARE(worked, 1);
    bool timerRan = false;
    QTimer::singleShot(0, &window, [&] { timerRan = true; });
    QTRY_VERIFY(timerRan);
    QCOMPARE(prompts.requests().size(), 1);
}

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    TestAppErrors test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_errors.moc"
