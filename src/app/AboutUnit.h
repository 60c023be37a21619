#pragma once
// The about box: banner, maker's notice and the product's web address.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace widgets {
class HyperlinkLabel;
}

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QWidget* Panel1;  // banner panel with an 8-pixel border
    QLabel* Image1;
    QLabel* Label1;   // the three lines of the maker's notice
    QLabel* Label2;
    QLabel* Label3;
    widgets::HyperlinkLabel* URLLabel1;
    QFrame* Bevel1;   // line above the OK button
    QPushButton* OKButton;
};

// The address of the product's web page, shown and opened by the about box.
extern const char* const ProductWebAddress;

extern TAboutForm* AboutForm;
