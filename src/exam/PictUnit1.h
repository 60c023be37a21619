#pragma once
// The window of an item's first exhibit: a fixed dialog frame, centred on the desktop, holding
// one image control at its top left corner; the window takes the picture's size.

#include <QDialog>
#include <QString>

class QLabel;

class TPict1Form : public QDialog {
    Q_OBJECT
public:
    explicit TPict1Form(QWidget* parent = nullptr);

    // Loads the picture of the file `fileName` into Image1 and sizes the image and the window
    // to it. On failure shows the message in the error box, keeps the picture it had and
    // returns false.
    bool loadPicture(const QString& fileName);
    // Loads the picture as loadPicture() does and, when it loaded, centres the window on the
    // desktop and shows it modally; returns when the user has closed it. False when the
    // picture failed to load (the window is then not opened).
    bool showPicture(const QString& fileName);

    QLabel* Image1 = nullptr;
};

extern TPict1Form* Pict1Form;
