#pragma once
// The window of an item's first exhibit: a fixed dialog frame, centred on the desktop, holding
// one image control at its top left corner; the window takes the picture's size.

#include "exam/ExhibitWindow.h"

class TPict1Form : public ExhibitWindow {
    Q_OBJECT
public:
    explicit TPict1Form(QWidget* parent = nullptr);

protected:
    void fitToPicture() override;
    void placeOnScreen() override;
};

extern TPict1Form* Pict1Form;
