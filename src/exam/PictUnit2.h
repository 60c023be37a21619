#pragma once
// The window of an item's second exhibit.

#include <QDialog>

class TPict2Form : public QDialog {
    Q_OBJECT
public:
    explicit TPict2Form(QWidget* parent = nullptr);
};

extern TPict2Form* Pict2Form;
