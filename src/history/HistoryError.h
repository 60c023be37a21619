#pragma once
// A failure of the study history. The message names the file and says what is wrong; the
// reason lets the program choose what to offer (a damaged file can be moved aside).

#include "store/StoreError.h"

namespace history {

class HistoryError : public store::StoreError {
public:
    enum class Reason {
        Locked,        // another program holds the file
        ReadOnly,      // the file or its folder cannot be written
        DiskFull,
        Damaged,       // the file cannot be read as a history file
        WrongKey,      // not readable with the program's password (or not a database at all)
        NewerVersion,  // written by a newer version of the program
        BadAttempt,    // the attempt to record is not a possible one
        PastDate,      // an exam day before today
        Other,
    };

    HistoryError(Reason reason, const QString& message) : StoreError(message), m_reason(reason) {}
    Reason reason() const { return m_reason; }
    // A file that can never be read as it is: "Clear history..." may move it aside.
    bool unreadable() const
    {
        return m_reason == Reason::Damaged || m_reason == Reason::WrongKey;
    }

private:
    Reason m_reason;
};

}  // namespace history
