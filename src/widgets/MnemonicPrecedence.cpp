#include "widgets/MnemonicPrecedence.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QToolButton>

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

bool isF10(const QKeyEvent& key)
{
    return key.key() == Qt::Key_F10 && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The caption whose accelerator a button answers to: a tool button shows its action's caption
// without the "&", but the action keeps it.
QString captionOf(const QAbstractButton& button)
{
    if (const auto* tool = qobject_cast<const QToolButton*>(&button); tool && tool->defaultAction())
        return tool->defaultAction()->text();
    return button.text();
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
            QKeySequence::mnemonic(captionOf(*button)) == wanted)
            return button;
    }
    return nullptr;
}

bool MnemonicPrecedence::openFirstMenu(QWidget* window)
{
    auto* main = qobject_cast<QMainWindow*>(window);
    QMenuBar* bar = main ? main->menuBar() : nullptr;
    if (!bar || !bar->isVisible())
        return false;
    for (QAction* menu : bar->actions()) {
        if (menu->isVisible() && menu->isEnabled() && !menu->isSeparator()) {
            bar->setActiveAction(menu);
            return true;
        }
    }
    return false;
}

bool MnemonicPrecedence::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!(watched == m_window || inWindow(watched, m_window)))
        return false;
    if (isF10(*key)) {
        if (type == QEvent::ShortcutOverride)
            return false;  // no shortcut claims F10: it arrives as a key press
        return openFirstMenu(m_window);
    }
    if (!isAltKey(*key))
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
