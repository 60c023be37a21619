#pragma once
// What both exhibit windows share: one image control at the top left corner, a picture loaded
// by file name, and a modal showing at the picture's size. They differ in their frame, in how
// the window takes the picture's size and in where it opens.

#include <QDialog>
#include <QString>

class QLabel;

class ExhibitWindow : public QDialog {
    Q_OBJECT
public:
    // Loads the picture of the file `fileName` into Image1 and sizes the image and the window
    // to it. On failure shows the message in the error box, keeps the picture it had and
    // returns false.
    bool loadPicture(const QString& fileName);
    // Loads the picture as loadPicture() does and, when it loaded, places the window and shows
    // it modally; returns when the user has closed it. False when the picture failed to load
    // (the window is then not opened).
    bool showPicture(const QString& fileName);

    QLabel* Image1 = nullptr;

protected:
    ExhibitWindow(QWidget* parent, Qt::WindowFlags frame, const QString& name, const QString& caption);
    // Gives the window the size of the loaded picture.
    virtual void fitToPicture() = 0;
    // Places the window before it opens.
    virtual void placeOnScreen() = 0;
};
