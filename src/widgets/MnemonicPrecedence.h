#pragma once
// Alt+letter on a window with a menu bar, served as on the desktop the program comes from: a
// control's accelerator comes before the menu bar's, and a disabled control or menu claims
// nothing. Qt treats a letter that a control and a menu title share as a clash and only moves
// the focus between them; this filter gives the key to the control instead. A tool button
// answers to the accelerator of its action's caption ("&Add new item"), which Qt drops from
// the button's own text. The menus stay reachable with Alt+letter where no control shares the
// letter, and F10 opens the first enabled menu, as desktop programs on Linux do.

#include <QObject>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace widgets {

class MnemonicPrecedence : public QObject {
    Q_OBJECT
public:
    // Serves Alt+letter for the controls of `window` while it exists.
    explicit MnemonicPrecedence(QWidget* window);

    // The visible, enabled button of `window` whose caption's accelerator is `key`, if any.
    static QAbstractButton* buttonFor(QWidget* window, const QKeyEvent& key);
    // Opens the first visible, enabled menu of `window`'s menu bar; false when it has none.
    static bool openFirstMenu(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QAbstractButton* m_pending = nullptr;  // the control whose key press is on its way
};

}  // namespace widgets
