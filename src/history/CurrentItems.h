#pragma once
// What the bank and the user question set of a working folder hold now, as the history asks
// for it: the fingerprint of an item by its Q_ID. Each table is opened the first time it is
// asked about (shared, as the exam window opens it) and each item read once.

#include "history/Attempt.h"

namespace history {

// The fingerprints of the items in `folder`'s qbank2.DAT and qbank2usr.DAT. An item that the
// table does not hold, or a table that cannot be read, gives nullopt: its history items are
// former ones.
CurrentFingerprint currentFingerprintsIn(const QString& folder);

}  // namespace history
