#include "exam/ProgressUnit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QScreen>

#include <algorithm>

TProgressForm* ProgressForm = nullptr;

TProgressForm::TProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("ProgressForm");
    setWindowTitle("Randomizing question set...");
    setFixedSize(231, 15);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(0, 0, 231, 15);
    ProgressBar1->setMinimum(0);
    ProgressBar1->setTextVisible(false);
}

void TProgressForm::showCentred()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}

PrepareProgress TProgressForm::listener()
{
    PrepareProgress progress;
    progress.started = [this] {
        ProgressBar1->setValue(0);
        m_paintedWidth = -1;
        showCentred();
        advanceTo(0);
    };
    progress.sized = [this](int maximum) { ProgressBar1->setMaximum(maximum); };
    progress.advanced = [this](int position) { advanceTo(position); };
    progress.finished = [this] { hide(); };
    return progress;
}

void TProgressForm::advanceTo(int position)
{
    ProgressBar1->setValue(position);
    const int maximum = std::max(1, ProgressBar1->maximum());
    const int filled = int(qint64(ProgressBar1->width()) * position / maximum);
    if (filled != m_paintedWidth) {
        m_paintedWidth = filled;
        // Paint and expose events only: no click or key reaches the program meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        repaint();
    }
}

// The window has no close button, and the user cannot close it by other means either.
void TProgressForm::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TProgressForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}
