#pragma once
// The note window: the user's note on the current item.

#include <QDialog>

class TNoteForm : public QDialog {
    Q_OBJECT
public:
    explicit TNoteForm(QWidget* parent = nullptr);
};

extern TNoteForm* NoteForm;
