// Quizlore Prep 2.0: start-up. One instance per executable; a second start only brings
// the running one forward.

#include "app/Application.h"
#include "app/MainUnit.h"
#include "app/OgFirst.h"
#include "app/Startup.h"
#include "platform/Prompts.h"
#include "platform/SingleInstance.h"
#include "platform/StartupTrace.h"

#include <exception>

int main(int argc, char* argv[])
{
    // 1. The instance lock, before anything else.
    CreateInstanceLock(argc > 0 ? argv[0] : nullptr);

    // 2. The application object.
    Application app(argc, argv);

    // 3. A later instance only asks the running one to come forward.
    if (!InstanceIsFirst()) {
        ShowRunningInstance();
        ReleaseInstanceLock();
        return 0;
    }

    // 4. The application title, fonts and the real message boxes.
    configureApplication(app);
    platform::Prompts::install(nullptr);

    int result = 0;
    try {
        // 5. Every window, once, in the program's order: the launcher now, the others as soon
        //    as it shows.
        createLauncher();
        createOtherWindowsOnceShown(MainForm);
        // 6. The launcher, until it closes; meanwhile later instances may ask us forward.
        platform::traceFirstPaint(MainForm);
        MainForm->show();
        if (platform::InstanceLock* lock = InstanceLockObject()) {
            QObject::connect(lock, &platform::InstanceLock::comeForwardRequested, &app,
                             &BringApplicationForward);
            lock->listen();
        }
        result = app.exec();
    } catch (const std::exception& error) {
        platform::showError(QString::fromUtf8(error.what()));
        result = 1;
    }

    // 7. The end: windows, then the lock.
    destroyWindows();
    ReleaseInstanceLock();
    return result;
}
