#pragma once
// The progress window shown while an exam set is being filled.

#include <QDialog>

class QProgressBar;

class TProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    QProgressBar* ProgressBar1;

    // Shows the window centred on the desktop, without a local event loop.
    void showCentred();

protected:
    void closeEvent(class QCloseEvent* event) override;
    void keyPressEvent(class QKeyEvent* event) override;
};

extern TProgressForm* ProgressForm;
