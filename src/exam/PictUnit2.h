#pragma once
// The window of an item's second exhibit: an ordinary sizeable frame, centred on the screen,
// holding one image control at its top left corner; the window takes the picture's size.

#include "exam/ExhibitWindow.h"

class TPict2Form : public ExhibitWindow {
    Q_OBJECT
public:
    explicit TPict2Form(QWidget* parent = nullptr);

protected:
    void fitToPicture() override;
    void placeOnScreen() override;
};

extern TPict2Form* Pict2Form;
