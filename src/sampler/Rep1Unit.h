#pragma once
// The test sampler's data module: it owns the sampler's own component on the user question
// set and tells the sampler window, through its signals, what changed in the table's state and
// current record; the window shows it.

#include "store/Table.h"

#include <QObject>

#include <cstdint>

namespace store {
class DataSource;
class Session;
}  // namespace store

// The user set as the sampler window shows it after a data change.
struct UserSetData {
    bool browsing = false;  // the fields below the flag hold the browsed record
    std::int64_t itemId = 0;
    int itemCount = 0;
    bool multipleResponse = false;
    int section = 0;
    bool empty = false;
};

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr);

    store::Table* dtUserSet;       // "qbank2usr.DAT", shared; exclusive while it is emptied
    store::DataSource* dsUserSet;  // the sampler's controls are bound to it

    // The data session whose password opens the table (start-up gives the program's).
    void setSession(store::Session* session);

    void dsUserSetStateChange();
    void dsUserSetDataChange();

signals:
    // Raised synchronously, while the table's own signal is handled.
    void userSetStateChanged(store::DataSetState state);  // to Browse, Edit or Insert
    void userSetDataChanged(const UserSetData& data);
};

extern TDM* DM;
