#include "results/ScoreUnit.h"

#include "widgets/WindowStyle.h"

TScoreForm* ScoreForm = nullptr;

TScoreForm::TScoreForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrameNoIcons)
{
    setObjectName(QStringLiteral("ScoreForm"));
    setWindowTitle(QStringLiteral("Quizlore"));
    widgets::setClientSize(this, 582, 389);
}
