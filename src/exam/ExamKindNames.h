#pragma once
// The names of the exam window's controls for each exam kind (store/ExamKinds.h): the members
// and object names that the released kinds have always had. A kind without a row here gets
// object names made from its id and no member.

#include <QString>

class QAction;
class TTestForm;
namespace store {
struct ExamKind;
}
namespace widgets {
class ShapeButton;
}

struct ExamKindNames {
    QString action{};
    QAction* TTestForm::*actionMember = nullptr;
    QString menuEntry{};
    QAction* TTestForm::*menuEntryMember = nullptr;
    QString button{};  // empty for a kind without an exam-choice button
    widgets::ShapeButton* TTestForm::*buttonMember = nullptr;
    int buttonRaise = 0;  // pixels above its row's top (the letter G sits one higher)
};

ExamKindNames examKindNames(const store::ExamKind& kind);
