#pragma once
// The score window: the result of a graded exam and the ways forward.

#include <QDialog>

class TScoreForm : public QDialog {
    Q_OBJECT
public:
    explicit TScoreForm(QWidget* parent = nullptr);
};

extern TScoreForm* ScoreForm;
