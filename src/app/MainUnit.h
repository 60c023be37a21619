#pragma once
// The launcher: the program's main window, from which an exam or the test sampler is
// started. Closing it ends the program.

#include <QWidget>

class QFrame;
class QLabel;

namespace widgets {
class ShapeButton;
}

class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    QWidget* Panel1;  // banner panel
    QLabel* Image1;   // the banner picture
    QWidget* Panel3;  // button panel
    QFrame* Shape1;   // blue outline around the buttons
    widgets::ShapeButton* StartTestBtn;
    widgets::ShapeButton* SamplerBtn;
    widgets::ShapeButton* fcShapeBtn3;

    void StartTestBtnClick();
    void SamplerBtnClick();
    void fcShapeBtn3Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
};

extern TMainForm* MainForm;
