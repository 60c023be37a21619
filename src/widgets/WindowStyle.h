#pragma once
// Window frames and placement shared by the program's windows.

#include <Qt>

class QColor;
class QWidget;

namespace widgets {

// A fixed dialog frame: title bar and close box; no minimize, maximize or help buttons.
inline constexpr Qt::WindowFlags FixedDialogFrame =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;
// A fixed dialog frame without any border icons: no close box, no system menu.
inline constexpr Qt::WindowFlags FixedDialogFrameNoIcons =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
// An ordinary sizeable dialog frame.
inline constexpr Qt::WindowFlags SizeableDialogFrame =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::WindowMinMaxButtonsHint;

// Fixes the client area of `window` to width x height pixels.
void setClientSize(QWidget* window, int width, int height);
// Moves `window` so that its frame is centred on the available area of its screen.
void centreOnScreen(QWidget* window);
// Gives `widget` a plain background of the colour (r, g, b), drawn by the widget itself.
void setBackground(QWidget* widget, int r, int g, int b);
// Gives the text of `widget` (label text and edited text) the colour `color`.
void setTextColor(QWidget* widget, const QColor& color);

}  // namespace widgets
