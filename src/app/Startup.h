#pragma once
// The steps of the main sequence that the tests run as the program does.

#include <QList>

class QApplication;
class QObject;
class QWidget;

// Sets the application title and names, the font substitutions and the quit rule: the
// program ends when the launcher closes, not when its last window is hidden.
void configureApplication(QApplication& app);

// Creates every window once, in the program's order, and sets the global pointers:
// launcher, exam window, progress, score, begin-exam, items review, note, options, data
// module, about box, test sampler, exhibit 1, exhibit 2. Returns them in that order.
QList<QObject*> createWindows();
// The same in two steps, as the program starts: the launcher first, so that it shows at once,
// then the others, in their order, once the launcher has painted (creating them costs more
// than the rest of start-up). A launcher button pressed before then creates them first.
void createLauncher();
void createOtherWindowsOnceShown(QWidget* launcher);
// Creates the windows after the launcher unless they exist.
void createOtherWindows();
// Destroys the windows in reverse order and clears the global pointers.
void destroyWindows();

// The window that stands for the program: the exam window or the test sampler while one is
// shown, else the launcher.
QWidget* applicationMainWindow();
// Answers a later instance's request: restores the program's windows when they are
// minimized; otherwise brings the main window forward and, in front of it, the modal window
// that is open.
void BringApplicationForward();
