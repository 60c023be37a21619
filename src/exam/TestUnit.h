#pragma once
// The exam window: where every exam is chosen, taken, graded and reviewed.

#include "store/ItemStates.h"
#include "store/Session.h"
#include "store/Table.h"

#include <QMainWindow>

class TTestForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TTestForm(QWidget* parent = nullptr);
    ~TTestForm() override;

    // The data session and the exam window's tables.
    store::Session Session1{store::SessionName};
    store::Table* dtQSet;
    store::Table* dtCurrentSet;
    store::Table* dtUserSet;
    store::DataSource* dsQSet;
    store::DataSource* dsCurrentSet;
    store::DataSource* dsUserSet;

    store::ItemStates ItemStates;
    int ExamState = 0;
    QString ExamTitle;
    QString CandidateName;
    double TimeLimit = 0;
    int FirstItemNo = 0;
    int ItemCount = 0;

private:
    void FormCreate();
};

extern TTestForm* TestForm;
