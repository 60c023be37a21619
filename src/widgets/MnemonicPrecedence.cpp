#include "widgets/MnemonicPrecedence.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>

namespace widgets {

namespace {

// Alt and a letter or digit, without another modifier.
bool isAltKey(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return modifiers == Qt::AltModifier &&
           ((key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z) ||
            (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9));
}

bool inWindow(QObject* object, QWidget* window)
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->window() == window;
}

}  // namespace

MnemonicPrecedence::MnemonicPrecedence(QWidget* window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

QAbstractButton* MnemonicPrecedence::buttonFor(QWidget* window, const QKeyEvent& key)
{
    const QKeySequence wanted(int(key.modifiers() & ~Qt::KeypadModifier) | key.key());
    const QList<QAbstractButton*> buttons = window->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (button->isVisible() && button->isEnabled() && button->window() == window &&
            QKeySequence::mnemonic(button->text()) == wanted)
            return button;
    }
    return nullptr;
}

bool MnemonicPrecedence::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isAltKey(*key) || !(watched == m_window || inWindow(watched, m_window)))
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Taking the override keeps the shortcut map, and with it the menu bar, out of it; the
        // key then arrives as a key press.
        m_pending = buttonFor(m_window, *key);
        if (!m_pending)
            return false;
        event->accept();
        return true;
    }
    QPointer<QAbstractButton> button = m_pending ? m_pending : buttonFor(m_window, *key);
    m_pending = nullptr;
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    button->setFocus(Qt::ShortcutFocusReason);
    button->click();
    return true;
}

}  // namespace widgets
