#include "exam/ProgressUnit.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QScreen>

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
