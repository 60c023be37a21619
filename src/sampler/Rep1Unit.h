#pragma once
// The test sampler's data module: it owns the sampler's own component on the user question
// set and keeps the sampler window's heading, status panels, section list, type box and
// commands in step with the table's state and current record.

#include <QObject>

namespace store {
class DataSource;
class Session;
class Table;
}  // namespace store

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
};

extern TDM* DM;
