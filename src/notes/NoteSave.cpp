#include "notes/NoteSave.h"

#include "store/Fields.h"
#include "store/StoreError.h"
#include "store/Table.h"

namespace notes {

using store::field::Q_OR_NUMBER;
using store::field::U_MEMO;

namespace {

const QString TriesAgain = QStringLiteral("It stays in the note window: Save Note tries again.");

// Writes `note` into the current record of `table`; on a failure the table is browsing again,
// without the pending note.
void storeNote(store::Table& table, const QString& note)
{
    try {
        if (table.state() == store::DataSetState::Browse)
            table.edit();
        table.setValue(U_MEMO, note);
        table.post();
    } catch (const store::StoreError&) {
        if (table.isOpen() && table.state() != store::DataSetState::Browse)
            table.cancel();
        throw;
    }
}

void storeInBank(store::Table& bank, int itemId, const QString& note)
{
    bank.setRecNo(itemId);
    storeNote(bank, note);
}

[[noreturn]] void notSaved(int itemId, const QString& where, const QString& reason)
{
    throw store::StoreError(QStringLiteral("The note on Item ID %1 was not saved: %2: %3.\r%4")
                                .arg(itemId)
                                .arg(where, reason, TriesAgain));
}

}  // namespace

void saveNote(store::Table& currentSet, store::Table* bank, const QString& note)
{
    const int itemId = currentSet.asInteger(Q_OR_NUMBER);
    if (!bank || !bank->isOpen()) {
        if (currentSet.state() != store::DataSetState::Browse)
            currentSet.cancel();
        notSaved(itemId, QStringLiteral("the question bank"), QStringLiteral("it is not open"));
    }
    const QString bankPlace = QStringLiteral("the question bank %1").arg(bank->tableName());
    const QString currentPlace = QStringLiteral("the current exam %1").arg(currentSet.tableName());

    QString bankNoteBefore;
    try {
        bank->setRecNo(itemId);
        bankNoteBefore = bank->asString(U_MEMO);
        storeInBank(*bank, itemId, note);
    } catch (const store::StoreError& error) {
        if (currentSet.state() != store::DataSetState::Browse)
            currentSet.cancel();
        notSaved(itemId, bankPlace, error.reason());
    }
    try {
        storeNote(currentSet, note);
    } catch (const store::StoreError& error) {
        try {
            storeInBank(*bank, itemId, bankNoteBefore);
        } catch (const store::StoreError&) {
            // Both tables keep what they hold now; the user learns which holds what.
            throw store::StoreError(
                QStringLiteral("The note on Item ID %1 was saved in %2, but not in %3: %4.\rLater exams "
                               "show it. %5")
                    .arg(itemId)
                    .arg(bankPlace, currentPlace, error.reason(), TriesAgain));
        }
        notSaved(itemId, currentPlace, error.reason());
    }
}

}  // namespace notes
