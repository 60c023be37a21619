#include "notes/NoteUnit.h"

#include "widgets/WindowStyle.h"

TNoteForm* NoteForm = nullptr;

TNoteForm::TNoteForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("NoteForm"));
    setWindowTitle(QStringLiteral("Quizlore"));
}
