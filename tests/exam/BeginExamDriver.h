#pragma once
// Answers the begin-exam dialog from a test: the dialog's show event queues the answer, which
// the dialog's own event loop then runs, so nothing waits on a clock.

#include "exam/NameUnit.h"
#include "widgets/NumberEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

using DialogAct = std::function<void(TNameForm&)>;

// What the dialog showed when it came up.
struct Seen {
    bool shown = false;
    QString caption;
    QString date;
    QString name;
    int time = -1;
    int count = -1;
    bool countEnabled = false;
    bool countLabelEnabled = false;
};

// Answers the begin-exam dialog with `act` once it is shown.
class DialogDriver : public QObject {
public:
    explicit DialogDriver(DialogAct act) : m_act(std::move(act)) { NameForm->installEventFilter(this); }
    ~DialogDriver() override
    {
        if (NameForm)
            NameForm->removeEventFilter(this);
    }
    const Seen& seen() const { return m_seen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == NameForm && event->type() == QEvent::Show)
            QMetaObject::invokeMethod(this, [this] { answer(); }, Qt::QueuedConnection);
        return false;
    }

private:
    void answer()
    {
        if (!NameForm->isVisible())
            return;
        m_seen.shown = true;
        m_seen.caption = NameForm->windowTitle();
        m_seen.date = NameForm->Label1->text();
        m_seen.name = NameForm->NameEdit->text();
        m_seen.time = NameForm->SpinEdit1->value();
        m_seen.count = NameForm->SpinEdit2->value();
        m_seen.countEnabled = NameForm->SpinEdit2->isEnabled();
        m_seen.countLabelEnabled = NameForm->Label4->isEnabled();
        m_act(*NameForm);
        // Whatever the act did, the dialog must not stay open.
        if (NameForm->isVisible())
            NameForm->reject();
    }

    DialogAct m_act;
    Seen m_seen;
};

inline void clickOk(TNameForm& dialog)
{
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
}

