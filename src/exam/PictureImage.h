#pragma once
// What the two exhibit windows share: their image control and its loading.

#include <QString>

class QLabel;
class QWidget;

namespace exam {

// The image control Image1 of an exhibit window: at the top left corner of `window`, drawing
// its picture centred, sized to its picture; empty and 0 x 0 until the first load.
QLabel* makeImageControl(QWidget* window);
// Loads the picture of `fileName` into `image` and sizes `image` to it. On failure shows the
// message in the error box, leaves `image` as it was and returns false.
bool loadInto(QLabel* image, const QString& fileName);
// Makes `window` on the platform, so that its frame geometry is known before it is shown.
void createFrame(QWidget* window);
// Moves `window` so that its frame is centred on the whole desktop (all screens together).
void centreOnDesktop(QWidget* window);

}  // namespace exam
