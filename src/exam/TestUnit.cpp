#include "exam/TestUnit.h"

TTestForm* TestForm = nullptr;

namespace {

store::Table* makeTable(QObject* owner, store::Session* session, const QString& name,
                        const QString& file, store::TableKind kind)
{
    auto* table = new store::Table(owner);
    table->setObjectName(name);
    table->setSession(session);
    table->setTableName(file);
    table->setExpectedFields(store::fieldNamesOf(kind));
    table->setLockRetryCount(15);
    table->setLockWaitTime(100);
    return table;
}

store::DataSource* makeSource(QObject* owner, const QString& name, store::Table* table)
{
    auto* source = new store::DataSource(owner);
    source->setObjectName(name);
    source->setDataSet(table);
    return source;
}

}  // namespace

TTestForm::TTestForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("TestForm");
    dtQSet = makeTable(this, &Session1, "dtQSet", store::BankFileName, store::TableKind::Bank);
    dtCurrentSet = makeTable(this, &Session1, "dtCurrentSet", store::CurrentSetFileName,
                             store::TableKind::Current);
    dtUserSet = makeTable(this, &Session1, "dtUserSet", store::UserSetFileName, store::TableKind::User);
    dsQSet = makeSource(this, "dsQSet", dtQSet);
    dsCurrentSet = makeSource(this, "dsCurrentSet", dtCurrentSet);
    dsUserSet = makeSource(this, "dsUserSet", dtUserSet);
    FormCreate();
}

TTestForm::~TTestForm() = default;

void TTestForm::FormCreate()
{
    Session1.addPassword(store::TablePassword);
    setWindowTitle("Quizlore Prep 2.0");
    setMinimumSize(732, 502);
    resize(732, 505);
    ExamState = 0;
}
