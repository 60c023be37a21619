#pragma once
// The note window: the user's note on the current item of an exam. The note is kept in the
// item's record of the current exam set and in its record of the question bank, so that later
// exams with the same item show it again.

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace store {
class DataSource;
class Table;
}  // namespace store
namespace widgets {
class FieldMapper;
class OutlinedLabel;
}  // namespace widgets

class TNoteForm : public QDialog {
    Q_OBJECT
public:
    explicit TNoteForm(QWidget* parent = nullptr);

    widgets::OutlinedLabel* fcLabel1;  // "User Note"
    QLabel* Label2;                    // the exam and the item the note belongs to
    QPlainTextEdit* DBMemo1;           // the note: U_MEMO of the current exam set's record
    QPushButton* Button1;              // "Save Note"
    QPushButton* Button2;              // "Cancel"
    QPushButton* Button3;              // "Exit"

    // Shows the note of the current record of `currentSet` modally; a saved note also goes to
    // the record of `bank` whose number is the item's Q_OR_NUMBER. Both tables are open.
    void showNote(store::Table* currentSet, store::Table* bank);

    void Button1Click();
    void Button2Click();

protected:
    void done(int result) override;

private:
    // Save Note and Cancel are enabled while the record is being edited.
    void followEditing();

    store::Table* m_currentSet = nullptr;
    store::Table* m_bank = nullptr;
    store::DataSource* m_source;    // the current exam set while the window is shown
    widgets::FieldMapper* m_mapper;  // binds DBMemo1 to U_MEMO
};

extern TNoteForm* NoteForm;
