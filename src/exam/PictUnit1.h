#pragma once
// The window of an item's first exhibit.

#include <QDialog>

class TPict1Form : public QDialog {
    Q_OBJECT
public:
    explicit TPict1Form(QWidget* parent = nullptr);
};

extern TPict1Form* Pict1Form;
