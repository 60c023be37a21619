#include "app/Startup.h"

#include "app/AboutUnit.h"
#include "app/MainUnit.h"
#include "exam/NameUnit.h"
#include "exam/PictUnit1.h"
#include "exam/PictUnit2.h"
#include "exam/ProgressUnit.h"
#include "exam/TestUnit.h"
#include "historywindow/StudyHistoryWindow.h"
#include "store/ExamKinds.h"
#include "notes/NoteUnit.h"
#include "options/OptionsUnit.h"
#include "platform/Handler.h"
#include "platform/SingleInstance.h"
#include "platform/StartupTrace.h"
#include "results/ReviewUnit.h"
#include "results/ScoreUnit.h"
#include "sampler/Rep1Unit.h"
#include "sampler/SamplerUnit.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>

#include <functional>
#include <vector>

void configureApplication(QApplication& app)
{
    QApplication::setApplicationName(platform::ApplicationTitle);
    QApplication::setOrganizationName(platform::ApplicationTitle);
    // The program's fonts exist only on Windows; these faces stand in for them.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    // Hidden windows must not keep the program alive, and hiding the launcher while the exam
    // window or the sampler is open must not end it: the launcher's close ends the program.
    app.setQuitOnLastWindowClosed(false);
}

namespace {

template <typename T>
void made(T*& global)
{
    global = new T();
}

template <typename T>
void destroy(T*& global)
{
    delete global;
    global = nullptr;
}

// Calls `visit` on the global pointer of every window but the launcher, in the program's order.
template <typename Visit>
void forEachOtherWindow(Visit&& visit)
{
    visit(TestForm);
    visit(ProgressForm);
    visit(ScoreForm);
    visit(NameForm);
    visit(ReviewForm);
    visit(NoteForm);
    visit(OptionsForm);
    visit(DM);
    visit(AboutForm);
    visit(SamplerForm);
    visit(Pict1Form);
    visit(Pict2Form);
}

}  // namespace

void createLauncher()
{
    made(MainForm);
}

void createOtherWindows()
{
    if (TestForm)
        return;
    forEachOtherWindow([](auto*& global) { made(global); });
    TestForm->linkWindows(ScoreForm, AboutForm, NoteForm);
    TestForm->linkOptionsWindow(OptionsForm);
    // The exam window's child, so that its modal loop lets it take input; the program's working
    // folder holds its history.
    auto* studyHistory = new historywindow::StudyHistoryWindow(QDir::currentPath(), TestForm);
    studyHistory->setReviewAction(TestForm->examKindEntry(store::examkind::DueForReview));
    TestForm->linkStudyHistory(studyHistory);
    // The sampler's table works in the exam window's data session.
    DM->setSession(&TestForm->Session1);
    SamplerForm->AboutBox = AboutForm;
}

QList<QObject*> createWindows()
{
    createLauncher();
    createOtherWindows();
    QList<QObject*> windows{MainForm};
    forEachOtherWindow([&windows](auto* global) { windows << global; });
    return windows;
}

void createOtherWindowsOnceShown(QWidget* launcher)
{
    // Just after the first paint has been handled. A window that cannot be made ends the
    // program, as a failure during start-up always has.
    platform::onFirstPaint(launcher, [launcher] {
        QTimer::singleShot(0, launcher, [] {
            try {
                createOtherWindows();
                platform::traceInstance("windows created");
            } catch (...) {
                platform::showCurrentException();
                QCoreApplication::exit(1);
            }
        });
    });
}

void destroyWindows()
{
    // In the reverse of the order they were made in.
    std::vector<std::function<void()>> steps;
    forEachOtherWindow([&steps](auto*& global) { steps.push_back([&global] { destroy(global); }); });
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        (*step)();
    destroy(MainForm);
}

QWidget* applicationMainWindow()
{
    if (TestForm && TestForm->isVisible())
        return TestForm;
    if (SamplerForm && SamplerForm->isVisible())
        return SamplerForm;
    return MainForm;
}

void BringApplicationForward()
{
    // A minimized program is restored, and that is all.
    bool restored = false;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible() && window->isMinimized()) {
            window->showNormal();
            restored = true;
        }
    }
    if (restored)
        return;

    QWidget* main = applicationMainWindow();
    if (!main || !main->isVisible())
        return;
    main->raise();
    main->activateWindow();
    QWidget* popup = QApplication::activeModalWidget();
    if (popup && popup != main && popup->isVisible() && popup->isEnabled()) {
        popup->raise();
        popup->activateWindow();
    }
}
