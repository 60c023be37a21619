#pragma once
// Showing a main window modally: the window is shown application-modal and a local event
// loop runs until the window is hidden or closed.

class QWidget;

namespace widgets {

// Returns when `window` is no longer visible (closed, hidden or destroyed). The window's
// modality is restored afterwards.
void execModal(QWidget* window);

}  // namespace widgets
