#include "notes/NoteSave.h"

#include "store/Fields.h"
#include "store/StoreError.h"
#include "store/Table.h"

namespace notes {

using store::field::Q_OR_NUMBER;
using store::field::U_MEMO;

namespace {

void storeInBank(store::Table* bank, int recordNumber, const QString& note)
{
    if (!bank)
        throw store::StoreError(QStringLiteral("Cannot save the note: the question bank is not open"));
    try {
        bank->setRecNo(recordNumber);
        bank->edit();
        bank->setValue(U_MEMO, note);
        bank->post();
    } catch (const store::StoreError& error) {
        if (bank->state() != store::DataSetState::Browse)
            bank->cancel();
        throw store::StoreError(QStringLiteral("The note was not saved in the question bank %1: %2")
                                    .arg(bank->tableName(), error.message()));
    }
}

}  // namespace

void saveNote(store::Table& currentSet, store::Table* bank, const QString& note, const QString& storedNote)
{
    if (currentSet.state() == store::DataSetState::Browse)
        currentSet.edit();
    currentSet.setValue(U_MEMO, note);
    currentSet.post();
    try {
        storeInBank(bank, currentSet.asInteger(Q_OR_NUMBER), note);
    } catch (...) {
        currentSet.edit();
        currentSet.setValue(U_MEMO, storedNote);
        currentSet.post();
        throw;
    }
}

}  // namespace notes
