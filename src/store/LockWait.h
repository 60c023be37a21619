#pragma once
// How long the store waits for a file that another program holds, the same for every table
// component and the study history: `retryCount` tries, `waitTime` milliseconds apart. Then
// SQLite gives up with SQLITE_BUSY, which describeSqliteError words as "the file is locked by
// another program", and the connection's error names the file.

namespace store {

struct LockWait {
    int retryCount = 15;
    int waitTime = 100;  // milliseconds
};

// The wait of a connection whose settings nobody changes.
inline constexpr LockWait DefaultLockWait{};

}  // namespace store
