#pragma once
// The progress window shown while an exam set is being filled.

#include "exam/PrepareUnit.h"

#include <QDialog>

class QProgressBar;

class TProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    QProgressBar* ProgressBar1;

    // Shows the window centred on the desktop, without a local event loop.
    void showCentred();
    // What a preparation reports, shown in this window: up while it runs, the bar following it.
    PrepareProgress listener();

protected:
    // Moves the bar and paints it at once when its filled part grows by a pixel: the
    // preparation holds the event loop, so the window's own expose and paint events are let
    // through here, and no user input.
    void advanceTo(int position);

    void closeEvent(class QCloseEvent* event) override;
    void keyPressEvent(class QKeyEvent* event) override;

private:
    int m_paintedWidth = -1;  // filled width of the bar when it was last painted
};

extern TProgressForm* ProgressForm;
